#include "predictor/collection_compare.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/binary_io.h"
#include "common/utf.h"
#include "platform/fakes.h"
#include "platform/program_folder.h"
#include "predictor/model_layouts.h"
#include "predictor/predictor_dialog.h"
#include "texts/text_table.h"
#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"

namespace varnik {
namespace {

Haplotype H(const std::string& line) {
  std::size_t position = 0;
  std::string name;
  int32_t columns = 0;
  Haplotype h;
  EXPECT_EQ(ParseHaplotypeLine(line, position, name, h, columns, 0, false), 1) << line;
  EXPECT_TRUE(Convert389(h, false, false)) << line;
  return h;
}

CUzorakZbirke Sample(const std::string& name, const std::string& line) {
  CUzorakZbirke s;
  s.name = name;
  s.line = line;
  s.haplotype = H(line);
  return s;
}

TEST(CompareHaplotypes, CountsStepsAndDifferences) {
  const CPoregjenjeHaplovrst engine;
  const struct {
    const char* query;
    const char* sample;
    int32_t differing, stepSum, compared;
    const char* differences;
  } cases[] = {
      // DYS464 pairs 15/15, 17/17, 17/17 before 15/16.
      {"$ $ $ $ $-$ $ $ $ $ $ $ $ $-$ $ $ $ $ $ $ 15-15-17-17", "$ $ $ $ $-$ $ $ $ $ $ $ $ $-$ $ $ $ $ $ $ 15-16-17-17",
       1, 1, 4, "DYS464 = 16 (-1)"},
      // A sample value 0 against 13 adds one step; the text shows the value.
      {"13 24 14", "0 22 $", 2, 3, 2, "DYS393 = 0 (+13), DYS390 = 22 (+2)"},
      // Columns on one side only, and missing copies, are not compared.
      {"13 24 14 11 11-14", "13 25 14", 1, 1, 3, "DYS390 = 25 (-1)"},
      {"13 24 14 11 11-$", "13 24 14 11 11-14", 0, 0, 5, ""},
      {"13 24 14 11 11-14", "13 24 14 11 14", 0, 0, 5, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.query) + " / " + c.sample);
    CIshodPoregjenja out;
    engine.CompareHaplotypes(H(c.query), H(c.sample), out);
    EXPECT_EQ(out.differing, c.differing);
    EXPECT_EQ(out.stepSum, c.stepSum);
    EXPECT_EQ(out.compared, c.compared);
    EXPECT_EQ(out.differences, c.differences);
  }
}

TEST(CompareHaplotypes, GenerationsAverageSquaredStepsOverRates) {
  const CPoregjenjeHaplovrst engine;
  CIshodPoregjenja out;
  // DYS390 differs by 2, DYS19 by 1, DYS393 is equal: (4 / (2 r390) + 1 / (2 r19)) / 3.
  engine.CompareHaplotypes(H("13 24 14"), H("13 22 15"), out);
  EXPECT_NEAR(out.generations, (4 / (2 * 0.002455) + 1 / (2 * 0.001676)) / 3, 1e-9);
  // Pairs with a 0 count as compared but not for the estimate.
  engine.CompareHaplotypes(H("0 13"), H("13 0"), out);
  EXPECT_EQ(out.compared, 2);
  EXPECT_EQ(out.generations, -1);
}

class CollectionComparison : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCollectionComparison();
    folder = std::filesystem::temp_directory_path() / ("varnik_collections_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    engine.collectionsFolder = folder.string();
    engine.settings.collections.assign(kCollectionCount, false);
  }
  void TearDown() override {
    SetProgramFolder("");
    std::filesystem::remove_all(folder);
    ResetCollectionComparison();
  }
  void WriteCollection(int32_t index, const std::string& text) {
    ASSERT_TRUE(WriteFileAtomically((folder / SampleCollections()[static_cast<std::size_t>(index)].fileName).string(),
                                    Utf16LeWithBom(text)));
    engine.settings.collections[static_cast<std::size_t>(index)] = true;
  }
  std::string Run(const std::string& line, bool writeFile = false) {
    Haplotype haplotype;
    std::string output = "before\r\n";
    EXPECT_TRUE(engine.CompareWithCollections(line, haplotype, kLanguageEnglish, writeFile, true, output, true, true));
    EXPECT_EQ(output.substr(0, 8), "before\r\n");
    return output.substr(8);
  }
  // Names of the shown matches, in order.
  std::vector<std::string> Names(const std::string& output) {
    std::vector<std::string> names;
    for (std::size_t at = output.find("] "); at != std::string::npos; at = output.find("] ", at + 1)) {
      names.push_back(output.substr(at + 2, output.find('\r', at) - at - 2));
    }
    return names;
  }

  CPoregjenjeHaplovrst& engine = g_poregjenjeHaplovrst;
  std::filesystem::path folder;
};

constexpr const char* kQuery = "13 24 14 11 11-14 12 12 12 13 13 29";


TEST_F(CollectionComparison, WritesTheExactTextOfASmallRun) {
  WriteCollection(0,
                  "[Srbi#Serbs#Сербы]\r\n;Note A\r\n"
                  "A # 13 24 14 11 11-14 12 12 12 13 13 29\r\n"
                  "B # 13 23 14 11 11-15 12 12 12 13 13 30\r\n"
                  "C # 14 25 15 12 12-15 13 13 13 14 14 31\r\n"
                  "F # 13 24 14 11 11-14 12 12 12 13 13 31\r\n");
  WriteCollection(3,
                  "2 16 13 24 29 17 14 11 14 13 11 12 23 13 12 15 12 19 D\r\n"
                  "1 16 13 25 29 17 14 11 14 13 11 12 23 13 12 15 12 19 E\r\n");
  engine.settings.collections[4] = true;  // selected, but there is no file
  engine.settings.minCommonMarkers = 10;
  const std::string expected =
      "DYS393 = 13, DYS390 = 24, DYS19 = 14, DYS391 = 11, DYS385 = 11/14, DYS426 = 12, DYS388 = 12, "
      "DYS439 = 12, DYS389i = 13, DYS392 = 13, DYS389ii-i = 16\r\n\r\n"
      "Minimum of common markers: 10\r\n"
      "Maximum percentage of differences: 40.00%\r\n"
      "Maximum samples for display: 100 (from 5)\r\n"
      "Warning: some of haplotype collections are not used or not available.\r\n\r\n"
      "---------------------------------------\r\n"
      "1. 0/12 (0) [Number of generations with 50% = 0.00] A\r\n"
      "A # 13 24 14 11 11-14 12 12 12 13 13 29\r\nNote A\r\nSerbs\r\n\r\n"
      "---------------------------------------\r\n"
      "2. 0/10 (0) [Number of generations with 50% = 0.00] D\r\n"
      "2 16 13 24 29 17 14 11 14 13 11 12 23 13 12 15 12 19 D\r\n\r\n"
      "---------------------------------------\r\n"
      "3. 1/10 (1) [Number of generations with 50% = 20.37] E\r\n"
      "1 16 13 25 29 17 14 11 14 13 11 12 23 13 12 15 12 19 E\r\nDYS390 = 25 (-1)\r\n\r\n"
      "---------------------------------------\r\n"
      "4. 1/12 (2) [Number of generations with 50% = 71.38] F\r\n"
      "F # 13 24 14 11 11-14 12 12 12 13 13 31\r\nDYS389ii-i = 18 (-2)\r\nNote A\r\nSerbs\r\n\r\n"
      "---------------------------------------\r\n"
      "5. 3/12 (3) [Number of generations with 50% = 50.57] B\r\n"
      "B # 13 23 14 11 11-15 12 12 12 13 13 30\r\n"
      "DYS390 = 23 (+1), DYS385 = 15 (-1), DYS389ii-i = 17 (-1)\r\nNote A\r\nSerbs\r\n\r\n";
  EXPECT_EQ(Run(kQuery), expected);

  engine.settings.rankingMethod = 1;
  EXPECT_EQ(Names(Run(kQuery)), (std::vector<std::string>{"A", "D", "F", "E", "B"}));
  engine.settings.rankingMethod = 2;
  EXPECT_EQ(Names(Run(kQuery)), (std::vector<std::string>{"A", "D", "E", "B", "F"}));

  // Under the default minimum of 12 the 17-marker samples share too few
  // values with this 11-column query (10 < 11).
  engine.settings.minCommonMarkers = 12;
  EXPECT_EQ(Names(Run(kQuery)), (std::vector<std::string>{"A", "B", "F"}));

  // The report file holds the same text.
  SetProgramFolder(folder.string());
  const std::string text = Run(kQuery, true);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile((folder / kCloseHaplotypesFileName).string(), bytes));
  EXPECT_EQ(bytes, Utf16LeWithBom(text));
}

// The predictor's check box 1028 is hidden; when it is on, a single
// prediction is followed by the comparison and its report.
TEST_F(CollectionComparison, PredictorAppendsTheComparisonWhenItsHiddenBoxIsOn) {
  WriteCollection(0, "A # 13 24 14 11 11-14 12 12 12 13 13 29\r\n");
  SetProgramFolder(folder.string());
  PredictorModels models;
  for (auto& m : models) {
    m.branches = {test::Branch("A", {{0, 13, {1.0}}, {1, 24, {1.0}}, {2, 14, {1.0}}})};
    m.branchJoins.resize(1);
  }
  MemorySettingsStore store;
  CPredvigjacDialog dialog(models, store, nullptr, kLanguageEnglish);
  FakeDialogView view(PredictorTemplate(), dialog);
  view.Init();
  g_poregjenjeHaplovrst.collectionsFolder = folder.string();
  g_poregjenjeHaplovrst.settings.collections.assign(kCollectionCount, false);
  g_poregjenjeHaplovrst.settings.collections[0] = true;
  view.Type(kIdPredictorInput, kQuery);
  view.Click(kIdOk);
  EXPECT_EQ(view.GetText(kIdPredictorResults).find("---------"), std::string::npos);
  view.SetChecked(kIdCompareHaplotypes, true);
  dialog.OnCommand(view, kIdCompareHaplotypes, kNotifyClicked);
  view.Click(kIdOk);
  const std::string results = view.GetText(kIdPredictorResults);
  const std::size_t comparison = results.find("DYS393 = 13, DYS390 = 24");
  ASSERT_NE(comparison, std::string::npos) << results;
  EXPECT_NE(results.find("1. 0/12 (0) [Number of generations with 50% = 0.00] A\r\n"), std::string::npos);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile((folder / kCloseHaplotypesFileName).string(), bytes));
  EXPECT_EQ(bytes, Utf16LeWithBom(results.substr(comparison)));
}

// Installed under a prefix: the collections lie in share/varnik beside the
// program's bin folder, which takes no files, so the report goes to the
// user's folder and the text names it.
TEST_F(CollectionComparison, InstalledCollectionsAreFoundAndTheReportGoesToTheUsersFolder) {
  const std::filesystem::path share = folder / "share" / "varnik";
  std::filesystem::create_directories(share);
  engine.collectionsFolder = "";
  engine.settings.collections[0] = true;
  ASSERT_TRUE(WriteFileAtomically((share / SampleCollections()[0].fileName).string(),
                                  Utf16LeWithBom("A # 13 24 14 11 11-14 12 12 12 13 13 29\r\n")));
  SetProgramFolder((folder / "bin").string());
  SetUserReportFolder((folder / "user").string());
  const std::string text = Run(kQuery, true);
  SetUserReportFolder("");
  EXPECT_NE(text.find("1. 0/12 (0) [Number of generations with 50% = 0.00] A\r\n"), std::string::npos) << text;
  const std::string report = (folder / "user" / kCloseHaplotypesFileName).string();
  const std::size_t note = text.find("\r\nThe program folder is not writable, so the report was written to: ");
  ASSERT_NE(note, std::string::npos) << text;
  EXPECT_NE(text.find(report, note), std::string::npos) << text;
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(report, bytes));
  EXPECT_EQ(bytes, Utf16LeWithBom(text.substr(0, note)));
}

TEST_F(CollectionComparison, ConstraintsNeedAPresentValueInRange) {
  WriteCollection(0,
                  "A # 13 24 14 11 11-14 12 12 12 13 13 29\r\n"
                  "B # 13 24 14 11 12-15 12 12 12 13 13 29\r\n"
                  "C # 13 25 14 11 $-14 12 12 12 13 13 29\r\n");
  engine.settings.maxDifferenceRatio = 0.7;
  const struct {
    std::vector<CSettingConstraint> constraints;
    std::vector<std::string> names;
    const char* description;
  } cases[] = {
      {{{4, 11, 11}}, {"A"}, "Constraints: DYS385 = 11"},
      {{{4, 14, -1}, {1, -1, 24}}, {"A", "B"}, "Constraints: DYS390 = ~24, DYS385 = 14~"},
      {{{4, 12, 15}, {-1, 3, 3}, {4, -1, -1}}, {"A", "C", "B"}, "Constraints: DYS385 = 12~15"},
  };
  for (const auto& c : cases) {
    engine.settings.constraints = c.constraints;
    const std::string output = Run(kQuery);
    EXPECT_EQ(Names(output), c.names) << c.description;
    EXPECT_NE(output.find(std::string(c.description) + "\r\n\r\n"), std::string::npos) << output;
  }
}

TEST_F(CollectionComparison, KeepsOnlyTheBestMatchesButCountsAll) {
  std::string text;
  // 2000 samples; every tenth is identical to the query, the others differ
  // in DYS390 by one to nine steps.
  for (int i = 0; i < 2000; ++i) {
    text += "S" + std::to_string(i) + " # 13 " + std::to_string(24 + i % 10) + " 14 11 11-14 12 12 12 13 13 29\r\n";
  }
  WriteCollection(0, text);
  engine.settings.maxShown = 10;
  const std::string output = Run(kQuery);
  EXPECT_NE(output.find("Maximum samples for display: 10 (from 2000)"), std::string::npos);
  std::vector<std::string> expected;
  for (int i = 0; i < 100; i += 10) expected.push_back("S" + std::to_string(i));
  EXPECT_EQ(Names(output), expected);
}

TEST_F(CollectionComparison, SampleRulesOfClosenessAndFailedInput) {
  engine.settings.minCommonMarkers = 12;
  engine.settings.maxDifferenceRatio = 0.25;
  engine.SetQuery(H("13 24 14 11 11-14 12 12 12 13 13 29 17"));  // 12 columns, 13 values
  EXPECT_TRUE(engine.CompareSample(Sample("3 of 13", "13 24 14 11 11-14 12 12 15 16 16 32 17")));
  EXPECT_FALSE(engine.CompareSample(Sample("5 of 13", "13 24 14 11 11-14 12 12 15 16 16 33 18")));
  EXPECT_FALSE(engine.CompareSample(Sample("10 common", "13 24 14 11 11-14 12 12 12 13 $ $")));
  engine.SetQuery(H("13 24 14 11 11-14 12 12 12 13 13"));  // 10 columns: the minimum becomes 10
  EXPECT_TRUE(engine.CompareSample(Sample("10 common", "13 24 14 11 11-14 12 12 12 13 $ $")));
  EXPECT_EQ(engine.matchCount(), 2);

  Haplotype empty;
  std::string output;
  EXPECT_FALSE(engine.CompareWithCollections("13 x", empty, 1, false, false, output, true, false));
  EXPECT_FALSE(engine.CompareWithCollections("13 24 14 11 11-14 12 12 12 $ 13 29", empty, 1, false, false, output,
                                             true, false));
}

TEST(ConstraintRanges, ReadAndWrittenInTheDialogGrammar) {
  const struct {
    const char* text;
    int32_t low, high;
    const char* shown;
  } cases[] = {
      {"15~12", 12, 15, "12~15"}, {"14", 14, 14, "14"}, {" 20~ ", 20, -1, "20~"}, {"~15", -1, 15, "~15"},
      {"12~x", -1, -1, ""},       {"", -1, -1, ""},     {"1 2", -1, -1, ""},      {"-3", -1, -1, ""},
      {"~", -1, -1, ""},          {"99999999999", -1, -1, ""},
  };
  for (const auto& c : cases) {
    int32_t low = 0, high = 0;
    ParseRangeText(c.text, low, high);
    EXPECT_EQ(low, c.low) << c.text;
    EXPECT_EQ(high, c.high) << c.text;
    EXPECT_EQ(FormatRangeText(low, high), c.shown) << c.text;
  }
}

}  // namespace
}  // namespace varnik
