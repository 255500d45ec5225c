#include "ystr/sample_collections.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <utility>

#include "common/format.h"
#include "common/utf.h"
#include "ystr/haplotype_text.h"
#include "ystr/markers.h"
#include "ystr/panels.h"
#include "ystr/text_readers.h"

namespace varnik {
namespace {

struct Read {
  CIshodCitanjaZbirke result;
  std::vector<CUzorakZbirke> samples;
};

Read ReadBytes(const std::string& bytes, int32_t format, int32_t language = 1) {
  Read read;
  std::istringstream in(bytes);
  read.result = ReadCollection(in, format, language, [&](const CUzorakZbirke& s) { read.samples.push_back(s); });
  return read;
}

Read ReadText(const std::string& utf8, int32_t format, int32_t language = 1) {
  return ReadBytes(Utf16LeWithBom(utf8), format, language);
}

// Value of copy `copy` of `column`, -1 when missing or absent.
int32_t ValueAt(const Haplotype& h, int32_t column, int32_t copy = 0) {
  const int32_t start = FindColumn(h, column);
  if (start < 0) return -1;
  for (std::size_t i = static_cast<std::size_t>(start); i < h.size(); ++i) {
    if (i > static_cast<std::size_t>(start) && h[i].copy == 0) break;
    if (h[i].copy == copy) return h[i].value;
  }
  return -1;
}

// One man: FTDNA counts, DYS389II in full, GATA H4 as FTDNA counts it.
const std::map<std::pair<int32_t, int32_t>, int32_t>& Man() {
  static const std::map<std::pair<int32_t, int32_t>, int32_t> man = [] {
    std::map<std::pair<int32_t, int32_t>, int32_t> m;
    const std::pair<EOznaka, int32_t> values[] = {
        {kDys393, 13}, {kDys390, 24}, {kDys19, 14}, {kDys391, 11}, {kDys385a, 11}, {kDys385b, 14},
        {kDys426, 11}, {kDys388, 12}, {kDys439, 12}, {kDys389i, 13}, {kDys392, 13}, {kDys389ii, 29},
        {kDys458, 17}, {kDys437, 15}, {kDys448, 19}, {kGataH4, 11}, {kDys456, 16}, {kDys576, 18},
        {kDys570, 17}, {kDys438, 12}, {kDys481, 22}, {kDys533, 12}, {kDys549, 13}, {kDys635, 23},
        {kDys643, 10}};
    for (const auto& [id, value] : values) {
      int32_t column = 0, copy = 0;
      MarkerColumnAndCopy(id, column, copy);
      m[{column, copy}] = value;
    }
    return m;
  }();
  return man;
}

// The man in a panel's order, GATA H4 as laboratories count it.
std::string PanelText(int32_t panel, const char* separator) {
  std::string out;
  for (const PanelEntry& e : Panel(panel)) {
    int32_t value = Man().at({e.column, e.copy});
    if (e.column == kColumnGataH4) ++value;
    out += (out.empty() ? "" : separator) + Format("%d", value);
  }
  return out;
}

// The man as a 102-column FTDNA-order line.
std::string FtdnaText() {
  Haplotype h;
  for (int32_t column = 0; column < kFtdnaColumnCount; ++column) {
    for (int32_t copy = 0; copy < CopiesInColumn(column); ++copy) {
      const auto it = Man().find({column, copy});
      h.push_back({it == Man().end() ? -1 : it->second, 0, copy});
    }
  }
  return FormatHaplotype(h, false);
}

TEST(SampleCollectionFormats, TheSameManReadsAlikeInEveryFormat) {
  const struct {
    int32_t format;
    std::string line;
    int32_t panel;  // the markers the format carries
  } cases[] = {
      {0, "Man # " + FtdnaText(), kPanel23Ftdna},
      {5, "Man # " + [&] {
         // The project files hold GATA H4 as FTDNA counts it.
         std::string line;
         for (const PanelEntry& e : Panel(kPanel17Ftdna)) {
           line += (line.empty() ? "" : " ") + Format("%d", Man().at({e.column, e.copy}));
         }
         return line;
       }(), kPanel17Ftdna},
      {1, "3 " + PanelText(kPanel17Kit, " ") + " Man", kPanel17Kit},
      {7, PanelText(kPanel17Kit, " ") + " Man", kPanel17Kit},
      {2, PanelText(kPanel17Ftdna, "\t") + "\tMan", kPanel17Ftdna},
      {3, PanelText(kPanel19Ftdna, "\t") + " Man", kPanel19Ftdna},
      {4, PanelText(kPanel17Ascending, " ") + " Man", kPanel17Ascending},
      {6, PanelText(kPanel23Kit, " ") + " Man", kPanel23Kit},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Format("format %d: %s", c.format, c.line.c_str()));
    const Read read = ReadText(c.line + "\r\n", c.format);
    ASSERT_TRUE(read.result.ok) << read.result.error;
    ASSERT_EQ(read.samples.size(), 1u);
    const CUzorakZbirke& s = read.samples[0];
    EXPECT_EQ(s.name, "Man");
    EXPECT_EQ(s.weight, c.format == 1 ? 3.0 : 1.0);
    for (const PanelEntry& e : Panel(c.panel)) {
      int32_t expected = Man().at({e.column, e.copy});
      if (e.column == kColumnDys389ii) expected -= Man().at({kColumnDys389i, 0});
      EXPECT_EQ(ValueAt(s.haplotype, e.column, e.copy), expected) << ColumnHeader(e.column, true);
    }
  }
}

TEST(SampleCollectionFormats, FtdnaLinesWeightsAndColumnCounts) {
  const Read read = ReadText(
      "Sample 1 # * U 2.5 13 24 14 11 11-14 12 12 12 13 13 29\r\n"
      "Twelve # 13 24 14 11 11 14 12 12 12 13 13 29\r\n"          // 12 columns: skipped
      "no hash line is skipped\r\n"
      "Plus # * +3 13 24 14 11 11-14 12 12 12 13 13 29\r\n",
      0);
  ASSERT_TRUE(read.result.ok);
  ASSERT_EQ(read.samples.size(), 2u);
  EXPECT_EQ(read.result.skipped, 2);
  EXPECT_EQ(read.samples[0].name, "Sample 1");
  EXPECT_EQ(read.samples[0].weight, 2.5);
  EXPECT_EQ(ColumnCount(read.samples[0].haplotype), 11);
  EXPECT_EQ(ValueAt(read.samples[0].haplotype, kColumnDys389ii), 16);
  EXPECT_EQ(read.samples[0].line, "Sample 1 # * U 2.5 13 24 14 11 11-14 12 12 12 13 13 29");
  EXPECT_EQ(read.samples[1].weight, 3.0);
}

TEST(SampleCollectionFormats, SixteenValueProjectSampleLacksDys635) {
  const Read read = ReadText(
      "A # 13 24 14 11 11 14 12 13 13 29 17 15 19 11 16 12\r\n"
      "Joined # 13 24 14 11 11-14 12 13 13 29 17 15 19 11 16 12 23\r\n"  // joins: skipped
      "Short # 13 24 14 11 11 14 12 13 13 29 17 15 19 11 16\r\n",       // 15 values: skipped
      5);
  ASSERT_TRUE(read.result.ok);
  ASSERT_EQ(read.samples.size(), 1u);
  EXPECT_EQ(read.result.skipped, 2);
  const Haplotype& h = read.samples[0].haplotype;
  EXPECT_EQ(ValueAt(h, kColumnGataH4), 11);
  EXPECT_EQ(ValueAt(h, 11), 17);  // DYS458 keeps its value
  EXPECT_EQ(ValueAt(h, kColumnDys389ii), 16);
  int32_t column635 = 0, copy = 0;
  MarkerColumnAndCopy(kDys635, column635, copy);
  EXPECT_EQ(FindColumn(h, column635) >= 0 ? ValueAt(h, column635) : -1, -1);
}

TEST(SampleCollectionFormats, GroupsNotesAndIgnoredLines) {
  const std::string text =
      "{ a comment [not a group]\r\n"
      "\r\n"
      "Before # 13 24 14 11 11-14 12 12 12 13 13 29\n"
      "[ Srbi # Serbs ]\r"
      "; first note\r\n"
      "A # 13 24 14 11 11-14 12 12 12 13 13 29\r\n"
      "[Hrvati#Croats#Хорваты]\r\n"
      "B # 13 24 14 11 11-14 12 12 12 13 13 29\r\n"
      "C # 13 24 14 11 11-14 12 12 12 13 13 29";  // no line end at the end
  const std::pair<int32_t, std::vector<std::string>> byLanguage[] = {
      {0, {"", "Srbi", "Hrvati"}}, {1, {"", "Serbs", "Croats"}}, {2, {"", "Serbs", "Хорваты"}}};
  for (const auto& [language, groups] : byLanguage) {
    const Read read = ReadText(text, 0, language);
    ASSERT_TRUE(read.result.ok);
    ASSERT_EQ(read.samples.size(), 4u);
    EXPECT_EQ(read.samples[0].group, groups[0]);
    EXPECT_EQ(read.samples[1].group, groups[1]);
    EXPECT_EQ(read.samples[3].group, groups[2]);
    EXPECT_EQ(read.samples[0].note, "");
    EXPECT_EQ(read.samples[1].note, "first note");
    EXPECT_EQ(read.samples[3].note, "first note");
    ASSERT_EQ(read.result.groups.size(), 3u);
    EXPECT_EQ(read.result.groups[2].samples, 2);
  }
}

TEST(SampleCollectionFormats, PanelLinesThatAreSkipped) {
  const std::string good = PanelText(kPanel17Kit, " ");
  const Read read = ReadText("2 " + good + " Good\r\n"
                             "2 13 24 14 Few\r\n"
                             "2 " + good.substr(0, good.size() - 2) + "201 Large\r\n"
                             "2 " + good.substr(0, good.size() - 2) + "x2 Letter\r\n"
                             "2 " + good.substr(0, good.size() - 2) + "$ Missing last\r\n",
                             1);
  ASSERT_TRUE(read.result.ok);
  ASSERT_EQ(read.samples.size(), 2u);
  EXPECT_EQ(read.result.skipped, 3);
  EXPECT_EQ(read.samples[1].name, "Missing last");
  // "NA" is the missing mark of format 3 only.
  const std::string withNa = "NA " + PanelText(kPanel19Ftdna, " ").substr(3) + " X";
  EXPECT_EQ(ReadText(withNa, 3).samples.size(), 1u);
  EXPECT_EQ(ReadText(withNa, 2).samples.size(), 0u);
}

TEST(SampleCollectionFormats, FailuresStopTheFileAfterTheSamplesBefore) {
  const std::string sample = "S # 13 24 14 11 11-14 12 12 12 13 13 29\r\n";
  const struct {
    int32_t format;
    std::string text;
    std::size_t samplesBefore;
  } cases[] = {
      {0, sample + "[ # ]\r\n" + sample, 1},                          // a group without a name
      {0, sample + "Bad # 13 2a\r\n" + sample, 1},                     // malformed haplotype
      {0, sample + "W # * x 13 24\r\n" + sample, 1},                   // unreadable weight
      {0, sample + "W # * 1e 13 24\r\n" + sample, 1},
      {0, "Low # 13 24 14 11 11-14 12 12 12 $ 13 29\r\n", 0},          // DYS389II without DYS389I
      {1, "No weight " + PanelText(kPanel17Kit, " ") + "\r\n", 0},
      {0, std::string(kMaxCollectionLineUnits + 1, 'x'), 0},           // a line beyond the limit
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 80));
    const Read read = ReadText(c.text, c.format);
    EXPECT_TRUE(read.result.opened);
    EXPECT_FALSE(read.result.ok);
    EXPECT_FALSE(read.result.error.empty());
    EXPECT_EQ(read.samples.size(), c.samplesBefore);
  }
  const Read noMark = ReadBytes("\xFE\xFF" + Utf16LeWithBom(sample).substr(2), 0);
  EXPECT_FALSE(noMark.result.ok);
  EXPECT_TRUE(noMark.samples.empty());
  const CIshodCitanjaZbirke missing = ReadCollection("/nonexistent/folder/file.txt", 0, 1, [](const CUzorakZbirke&) {});
  EXPECT_FALSE(missing.opened || missing.ok);
}

TEST(SampleCollectionFormats, EveryCutOfAFileReadsCleanly) {
  const std::string bytes = Utf16LeWithBom(
      "[Срби#Serbs]\r\n; note\r\nA # * 2 13 24 14 11 11-14 12 12 12 13 13 29\r\n"
      "B # 13 24 14 11 11-14 12 12 12 13 13 29\r\n");
  const Read whole = ReadBytes(bytes, 0);
  ASSERT_EQ(whole.samples.size(), 2u);
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    const Read read = ReadBytes(bytes.substr(0, cut), 0);
    EXPECT_LE(read.samples.size(), 2u) << cut;
    if (cut < 2) {
      EXPECT_FALSE(read.result.ok);
    }
    for (const CUzorakZbirke& s : read.samples) EXPECT_EQ(s.haplotype, whole.samples[0].haplotype) << cut;
  }
}

TEST(SampleCollectionFormats, ShippedListNamesTenFilesWithTheirFormats) {
  ASSERT_EQ(SampleCollections().size(), static_cast<std::size_t>(kCollectionCount));
  EXPECT_STREQ(SampleCollections()[2].fileName, "Ravanski DNK poduhvat - Uzorci na 16-17 oznak.txt");
  EXPECT_EQ(SampleCollections()[9].format, 7);
}

TEST(TextReaders, UnicodeTextAndDoublesFromBytes) {
  std::u16string text;
  const char* message = nullptr;
  EXPECT_FALSE(DecodeUnicodeText("\xFF\xFE" "a", text, message));
  EXPECT_STREQ(message, kMessageTooShort);
  EXPECT_FALSE(DecodeUnicodeText(std::string("\xFE\xFF" "a\0b\0", 6), text, message));
  EXPECT_STREQ(message, kMessageNotUnicode);
  ASSERT_TRUE(DecodeUnicodeText(std::string("\xFF\xFE" "a\0\x16\x04" "x", 7), text, message));
  EXPECT_EQ(text, u"a\u0416");  // the odd last byte is ignored

  std::vector<double> values;
  EXPECT_FALSE(DecodeDoubles(std::string(7, '\0'), values, message));
  EXPECT_STREQ(message, kMessageTooShort);
  std::string bytes(20, '\0');
  bytes[7] = '\x3F';
  bytes[6] = '\xF0';  // 1.0 as a little-endian double
  ASSERT_TRUE(DecodeDoubles(bytes, values, message));
  EXPECT_EQ(values, (std::vector<double>{1.0, 0.0}));

  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(ReadUnicodeText("/nonexistent/file.txt", text));
  EXPECT_FALSE(ReadDoubles("/nonexistent/file.dat", values));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), std::string(kMessageCannotOpen) + kMessageCannotOpen);
}

}  // namespace
}  // namespace varnik

namespace varnik {
namespace {

TEST(ShippedSampleCollections, EveryFileReadsWholeWithGroupsInEachLanguage) {
  int64_t samples = 0;
  for (const CZbirkaUzoraka& c : SampleCollections()) {
    const std::string path = std::string(VARNIK_BIN_DIR) + "/" + c.fileName;
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "the generated collections are missing: " << path;
    for (int32_t language = 0; language < 3; ++language) {
      int64_t named = 0;
      const CIshodCitanjaZbirke read = ReadCollection(path, c.format, language, [&](const CUzorakZbirke& s) {
        named += !s.group.empty() && !s.note.empty() && !s.name.empty();
      });
      ASSERT_TRUE(read.ok) << c.fileName << ": " << read.error;
      EXPECT_EQ(read.skipped, 0) << c.fileName;
      EXPECT_EQ(named, read.samples) << c.fileName;
      if (language == 0) samples += read.samples;
    }
  }
  EXPECT_GT(samples, 18000);
  EXPECT_LT(samples, 20000);
}

}  // namespace
}  // namespace varnik
