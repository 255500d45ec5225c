// Reading and writing computed-axes files.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "common/binary_io.h"
#include "plot/axes_file.h"
#include "plot_fixtures.h"

namespace varnik {
namespace {

using test::SmallSet;

ComputedAxesReadOptions KeepAll() {
  ComputedAxesReadOptions options;
  options.keepMarkers = true;
  options.keepCoefficients = true;
  return options;
}

struct Variant {
  int32_t formatVersion, computationKind, secondWeightFlag;
};

class ComputedAxesRoundTrip : public ::testing::TestWithParam<Variant> {};

TEST_P(ComputedAxesRoundTrip, ReadsBackWhatWasWrittenAndWritesTheSameBytes) {
  ComputedAxesSet set = SmallSet();
  set.header.formatVersion = GetParam().formatVersion;
  set.header.computationKind = GetParam().computationKind;
  set.header.secondWeightFlag = GetParam().secondWeightFlag;
  if (set.header.HasStrFields()) set.header.markerOrder = 2, set.header.smallestMarkerCount = 12;
  if (set.header.secondWeightFlag != 0) set.markers[1].secondWeight = 0.0625;
  if (!set.header.HasLeadingDouble()) set.header.leadingDouble = 0.0;

  const std::string bytes = WriteComputedAxes(set);
  ComputedAxesSet read;
  std::string error;
  ASSERT_TRUE(ReadComputedAxes(bytes, read, KeepAll(), &error)) << error;
  EXPECT_EQ(WriteComputedAxes(read), bytes);
  EXPECT_EQ(read.header.smallestMarkerCount, set.header.smallestMarkerCount);
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, ComputedAxesRoundTrip,
                         ::testing::Values(Variant{2, 3, 0}, Variant{1, 3, 0}, Variant{2, 1, 1}, Variant{1, 2, 0},
                                           Variant{0, 1, 0}, Variant{2, 0, 7}));

// A file laid out by hand, field by field, to pin the reader to the layout
// independently of the writer; remembers where each count lies.
struct HandFile {
  ByteWriter w;
  std::map<std::string, std::size_t> at;

  void Mark(const std::string& what) { at[what] = w.bytes().size(); }
  void Str(std::string_view text) { w.WriteI32(static_cast<int32_t>(text.size())), w.WriteUtf16(text); }

  // Version 1, computation kind 1, second weights present, 2 groups,
  // 3 samples, 1 marker, 2 axes.
  HandFile() {
    w.WriteI32(1);
    Mark("name");
    Str("Set");
    Str("About");
    for (int32_t v : {1, 4, 0, -3}) w.WriteI32(v);  // kind, requested axes, weighting, integer parameter
    w.WriteF64(1.5);
    for (int32_t v : {0, 7, 12, 67}) w.WriteI32(v);  // marker order, STR fields
    w.WriteI32(1);      // group record version
    Mark("group count");
    w.WriteI32(2);
    for (int g = 0; g < 2; ++g) {
      Str(g == 0 ? "A" : "B");
      Str("");
      w.WriteU32(0x00FF8040u + g);
      w.WriteI32(100 + g);
      w.WriteI32(g + 4);
    }
    w.WriteI32(1);      // sample record version
    Mark("sample count");
    w.WriteI32(3);
    for (int i = 0; i < 3; ++i) {
      Mark("sample name " + std::to_string(i));
      Str("s" + std::to_string(i));
      w.WriteI32(-1);   // an empty second text
      w.WriteI32(i == 2 ? 1 : 0);
    }
    w.WriteI32(1);      // marker record version
    w.WriteI32(1);      // second weights present
    Mark("marker count");
    w.WriteI32(1);
    w.WriteU8(3);
    w.WriteBytes("M\xE9x", 3);
    w.WriteU8(9), w.WriteU8(8), w.WriteF64(0.5);
    w.WriteF64(0.25);
    w.WriteI32(0);      // reserved
    Mark("axis count");
    w.WriteI32(2);      // no leading double in version 1
    for (int a = 0; a < 2; ++a) {
      Mark("coefficient count " + std::to_string(a));
      w.WriteI32(1);
      w.WriteF64(9.0);
      Mark("value count " + std::to_string(a));
      w.WriteI32(3);
      w.WriteF64(0.3 - 0.1 * a);
      for (int i = 0; i < 3; ++i) w.WriteF64(a * 10 + i);
    }
  }
  std::string Patched(const std::string& what, int32_t value) const {
    std::string bytes = w.str();
    const std::size_t p = at.at(what);
    for (int k = 0; k < 4; ++k) bytes[p + k] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * k)) & 0xFF);
    return bytes;
  }
};

TEST(ComputedAxesFile, ReadsAFileLaidOutByHand) {
  const HandFile file;
  ComputedAxesSet set;
  std::string error;
  ASSERT_TRUE(ReadComputedAxes(file.w.str() + "trailing bytes are ignored", set, KeepAll(), &error)) << error;
  EXPECT_EQ(set.header.largestMarkerCount, 67);
  EXPECT_EQ(set.groups.at(1).colour, 0x00FF8041u);
  EXPECT_EQ(set.samples.at(2).group, 1);
  EXPECT_EQ(set.markers.at(0).name, "M\xC3\xA9x");  // character code 0xE9 as UTF-8
  EXPECT_EQ(set.markers[0].secondWeight, 0.25);
  ASSERT_EQ(set.axes.size(), 2u);
  EXPECT_DOUBLE_EQ(set.axes[1].weight, 0.2);
  EXPECT_EQ(set.axes[1].values, (std::vector<double>{10, 11, 12}));
}

TEST(ComputedAxesFile, EveryCutShortFileFailsCleanly) {
  for (const std::string& bytes : {WriteComputedAxes(SmallSet()), HandFile().w.str()}) {
    ComputedAxesSet set;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
      std::string error;
      ASSERT_FALSE(ReadComputedAxes(std::string_view(bytes).substr(0, length), set, KeepAll(), &error)) << length;
      EXPECT_FALSE(error.empty()) << length;
    }
    EXPECT_TRUE(ReadComputedAxes(bytes, set));
  }
}

TEST(ComputedAxesFile, AbsurdAndNegativeCountsFailBeforeAllocating) {
  const HandFile file;
  for (const char* field : {"name", "group count", "sample count", "sample name 1", "marker count", "axis count",
                            "coefficient count 1", "value count 0"}) {
    for (int32_t value : {0x7FFFFFFF, 0x40000000}) {
      ComputedAxesSet set;
      EXPECT_FALSE(ReadComputedAxes(file.Patched(field, value), set, KeepAll())) << field;
    }
  }
  for (const char* field : {"group count", "sample count", "marker count", "axis count", "coefficient count 0",
                            "value count 1"}) {
    ComputedAxesSet set;
    EXPECT_FALSE(ReadComputedAxes(file.Patched(field, -1), set, KeepAll())) << field;
  }
  // A count of zero or less for a string is an empty string, not an error.
  ComputedAxesSet set;
  std::string shifted = file.Patched("sample name 0", -5);
  shifted.erase(file.at.at("sample name 0") + 4, 4);  // drop the two units of "s0"
  ASSERT_TRUE(ReadComputedAxes(shifted, set));
  EXPECT_EQ(set.samples[0].name, "");
}

TEST(ComputedAxesFile, SetsThePlotCannotShowAreRejected) {
  const auto accepted = [](const ComputedAxesSet& set) {
    ComputedAxesSet read;
    std::string error;
    const bool ok = ReadComputedAxes(WriteComputedAxes(set), read, {}, &error);
    EXPECT_EQ(ok, error.empty());
    return ok;
  };
  EXPECT_FALSE(accepted(SmallSet(5, 1)));  // one axis
  ComputedAxesSet set = SmallSet();
  set.axes[2].values.pop_back();
  EXPECT_FALSE(accepted(set));
  set = SmallSet();
  for (const int32_t group : {3, -1}) {
    set.samples[4].group = group;
    EXPECT_FALSE(accepted(set)) << group;
  }
  set.groups.resize(135);
  set.samples[4].group = 134;  // a group index without label statistics
  EXPECT_FALSE(accepted(set));
  set.samples[4].group = 133;
  EXPECT_TRUE(accepted(set));
  // A weight is shown as a percentage; one that is no finite number is damage.
  for (const double weight : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
    set = SmallSet();
    set.axes[1].weight = weight;
    EXPECT_FALSE(accepted(set)) << weight;
  }
}

}  // namespace
}  // namespace varnik
