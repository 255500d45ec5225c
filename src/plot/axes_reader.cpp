// Reading computed-axes files; the layout is described in axes_file.h.
#include <cmath>
#include <cstdint>
#include <string>

#include "common/binary_io.h"
#include "common/format.h"
#include "plot/axes_file.h"

namespace varnik {
namespace {

// Smallest sizes of the records in bytes: a count larger than the remaining
// bytes divided by these cannot be genuine.
constexpr std::size_t kMinGroupRecord = 4 + 4 + 4 + 4 + 4;
constexpr std::size_t kMinSampleRecord = 4 + 4 + 4;
constexpr std::size_t kMinMarkerRecord = 1 + 1 + 1 + 8;
constexpr std::size_t kMinAxisRecord = 4 + 4 + 8;

// Files larger than this are refused before they are read.
constexpr std::size_t kMaxFileBytes = std::size_t{1} << 29;

// Appends the UTF-8 form of a character code 0-255.
void AppendLatin1(std::string& out, uint8_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

class SetReader {
 public:
  SetReader(std::string_view bytes, const ComputedAxesReadOptions& options, std::string* error)
      : in_(bytes), options_(options), error_(error) {}

  bool Read(ComputedAxesSet& set) {
    set = ComputedAxesSet{};
    return ReadHeader(set) && ReadGroups(set) && ReadSamples(set) && ReadMarkers(set) && ReadAxes(set);
  }

 private:
  bool Fail(const std::string& why) {
    if (error_ != nullptr && error_->empty()) *error_ = why;
    in_.Fail();
    return false;
  }
  // Called after a section's reads: a failed read means the section was cut short.
  bool Check() { return in_.ok() || CutShort(); }
  bool CutShort() { return Fail("the file is cut short in " + section_); }

  bool ReadString(std::string& out) {
    int32_t units = 0;
    if (!in_.ReadI32(units)) return false;
    if (units <= 0) {
      out.clear();
      return true;
    }
    return in_.ReadUtf16(static_cast<std::size_t>(units), out);
  }

  bool ReadShortString(std::string& out) {
    uint8_t length = 0;
    if (!in_.ReadU8(length) || !in_.CanHold(length, 1)) return in_.Fail();
    out.clear();
    for (int k = 0; k < length; ++k) {
      uint8_t code = 0;
      in_.ReadU8(code);
      AppendLatin1(out, code);
    }
    return true;
  }

  // Reads a record count and checks that the remaining bytes can hold that
  // many records of at least `minRecord` bytes.
  bool ReadCount(int32_t& count, std::size_t minRecord, const char* what) {
    if (!in_.ReadI32(count)) return Check();
    if (count < 0) return Fail(Format("the %s count %d is negative", what, count));
    if (!in_.CanHold(static_cast<uint64_t>(count), minRecord)) {
      return Fail(Format("the %s count %d is larger than the rest of the file can hold", what, count));
    }
    return true;
  }

  bool ReadHeader(ComputedAxesSet& set) {
    section_ = "the header";
    ComputedAxesHeader& h = set.header;
    in_.ReadI32(h.formatVersion);
    ReadString(set.name);
    ReadString(set.description);
    in_.ReadI32(h.computationKind);
    in_.ReadI32(h.requestedAxisCount);
    in_.ReadI32(h.weightingFlag);
    in_.ReadI32(h.integerParameter);
    in_.ReadF64(h.realParameter);
    if (in_.ok() && h.HasStrFields()) {
      in_.ReadI32(h.markerOrder);
      in_.ReadI32(h.strIntegerParameter);
      in_.ReadI32(h.smallestMarkerCount);
      in_.ReadI32(h.largestMarkerCount);
    }
    return Check();
  }

  bool ReadGroups(ComputedAxesSet& set) {
    section_ = "the group records";
    int32_t count = 0;
    in_.ReadI32(set.header.groupRecordVersion);
    if (!Check() || !ReadCount(count, kMinGroupRecord, "group")) return false;
    set.groups.resize(static_cast<std::size_t>(count));
    for (CStanovnistvo& group : set.groups) {
      uint32_t colour = 0;
      ReadString(group.name);
      ReadString(group.secondText);
      in_.ReadU32(colour);
      in_.ReadI32(group.number);
      in_.ReadI32(group.markerShape);
      group.colour = colour;
      if (!Check()) return false;
    }
    return true;
  }

  bool ReadSamples(ComputedAxesSet& set) {
    section_ = "the sample records";
    int32_t count = 0;
    in_.ReadI32(set.header.sampleRecordVersion);
    if (!Check() || !ReadCount(count, kMinSampleRecord, "sample")) return false;
    set.samples.resize(static_cast<std::size_t>(count));
    const int32_t groupLimit = static_cast<int32_t>(set.groups.size());
    for (std::size_t i = 0; i < set.samples.size(); ++i) {
      CUzorak& sample = set.samples[i];
      ReadString(sample.name);
      ReadString(sample.secondText);
      in_.ReadI32(sample.group);
      if (!Check()) return false;
      // The plot colours samples by their group and keeps label statistics
      // for group indices below 134.
      if (sample.group < 0 || sample.group >= groupLimit || sample.group >= kLabelledGroupLimit) {
        return Fail(Format("sample %zu names group %d, but the set has %d groups (at most %d are usable)", i + 1,
                           sample.group, groupLimit, kLabelledGroupLimit));
      }
    }
    return true;
  }

  bool ReadMarkers(ComputedAxesSet& set) {
    section_ = "the marker records";
    int32_t count = 0;
    in_.ReadI32(set.header.markerRecordVersion);
    in_.ReadI32(set.header.secondWeightFlag);
    const bool secondWeight = set.header.secondWeightFlag != 0;
    if (!Check() || !ReadCount(count, kMinMarkerRecord + (secondWeight ? 8 : 0), "marker")) return false;
    if (options_.keepMarkers) set.markers.reserve(static_cast<std::size_t>(count));
    MarkerRecord marker;
    for (int32_t m = 0; m < count; ++m) {
      ReadShortString(marker.name);
      in_.ReadU8(marker.first);
      in_.ReadU8(marker.second);
      in_.ReadF64(marker.weight);
      marker.secondWeight = 1.0;
      if (secondWeight) in_.ReadF64(marker.secondWeight);
      if (!Check()) return false;
      if (options_.keepMarkers) set.markers.push_back(marker);
    }
    return true;
  }

  bool ReadAxes(ComputedAxesSet& set) {
    section_ = "the axis records";
    int32_t count = 0;
    in_.ReadI32(set.header.reserved);
    if (!Check() || !ReadCount(count, kMinAxisRecord, "axis")) return false;
    if (set.header.HasLeadingDouble() && !in_.ReadF64(set.header.leadingDouble)) return Check();
    if (count < 2) return Fail(Format("the set has %d axes; the plot needs at least two", count));
    set.axes.resize(static_cast<std::size_t>(count));
    for (std::size_t a = 0; a < set.axes.size(); ++a) {
      AxisRecord& axis = set.axes[a];
      int32_t coefficients = 0;
      if (!ReadCount(coefficients, 8, "coefficient")) return false;
      if (options_.keepCoefficients) {
        axis.coefficients.resize(static_cast<std::size_t>(coefficients));
        for (double& c : axis.coefficients) in_.ReadF64(c);
      } else {
        in_.Skip(static_cast<std::size_t>(coefficients) * 8);
      }
      int32_t values = 0;
      in_.ReadI32(values);
      in_.ReadF64(axis.weight);
      if (!Check()) return false;
      if (!std::isfinite(axis.weight)) return Fail(Format("axis %zu has a weight that is not a finite number", a + 1));
      if (values < 0 || static_cast<std::size_t>(values) != set.samples.size()) {
        return Fail(Format("axis %zu holds %d sample values for %zu samples", a + 1, values, set.samples.size()));
      }
      if (!in_.CanHold(static_cast<uint64_t>(values), 8)) return CutShort();
      axis.values.resize(static_cast<std::size_t>(values));
      for (double& v : axis.values) in_.ReadF64(v);
      if (!Check()) return false;
    }
    return true;
  }

  ByteReader in_;
  const ComputedAxesReadOptions& options_;
  std::string* error_;
  std::string section_;
};

}  // namespace

bool ReadComputedAxes(std::string_view bytes, ComputedAxesSet& set, const ComputedAxesReadOptions& options,
                      std::string* error) {
  if (error != nullptr) error->clear();
  SetReader reader(bytes, options, error);
  return reader.Read(set);
}

bool ReadComputedAxesFile(const std::string& path, ComputedAxesSet& set, const ComputedAxesReadOptions& options,
                          std::string* error) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes, kMaxFileBytes)) {
    if (error != nullptr) *error = "the file cannot be opened or is too large";
    return false;
  }
  return ReadComputedAxes(bytes, set, options, error);
}

}  // namespace varnik
