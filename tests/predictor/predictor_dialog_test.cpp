#include "predictor/predictor_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/binary_io.h"
#include "common/utf.h"
#include "platform/fakes.h"
#include "platform/program_folder.h"
#include "predictor/predict_lines.h"
#include "texts/text_table.h"
#include "predictor/model_layouts.h"

namespace varnik {
namespace {

using test::Branch;

// Branches A and B over DYS393, DYS390 and DYS19; A under SNP M1, B under
// M2 (which belongs to super-group 0).
CPredvigjacMuskihLoz2 SmallModel() {
  CPredvigjacMuskihLoz2 m;
  m.parentCorrection = 0;
  m.branches = {Branch("A", {{0, 13, {0.8, 0.2}}, {1, 24, {1.0}}, {2, 14, {0.5, 0.5}}}),
                Branch("B", {{0, 13, {0.2, 0.8}}, {1, 24, {1.0}}, {2, 14, {0.5, 0.5}}})};
  m.branches[1].names = {"Б", "B"};
  m.branchJoins.resize(2);
  m.snpTree = {{{"M1"}, -1, -1}, {{"М2", "M2"}, -1, 0}};
  m.branches[0].snpNode = 0;
  m.branches[1].snpNode = 1;
  return m;
}

const std::string kAB =
    "Probability of unsupported subclade is not calculated.\r\n\r\n"
    "Probability = 80.00%\tFitness = 73.68      \tA\r\n"
    "Probability = 20.00%\tFitness = 46.42      \tB\r\n";

class PredictorDialogTest : public ::testing::Test {
 protected:
  PredictorDialogTest() {
    for (auto& m : models) m = SmallModel();
    models[2].snpTree.clear();
  }
  void Open(int32_t language = kLanguageEnglish) {
    dialog = std::make_unique<CPredvigjacDialog>(models, store, &cursor, language);
    view = std::make_unique<FakeDialogView>(PredictorTemplate(), *dialog);
    view->Init();
  }
  std::string Results() { return view->GetText(kIdPredictorResults); }

  PredictorModels models;
  MemorySettingsStore store;
  FakeWaitCursor cursor;
  std::unique_ptr<CPredvigjacDialog> dialog;
  std::unique_ptr<FakeDialogView> view;
};

TEST_F(PredictorDialogTest, OpensWithDefaultsOrStoredChoicesAndKnownSnpsRestrictThePrediction) {
  Open();
  EXPECT_EQ(view->GetSelection(kIdCompleteness), 1);
  EXPECT_FALSE(view->IsEnabled(kIdCompleteness));
  EXPECT_EQ(view->control(kIdKnownSnp).items, (std::vector<std::string>{"<No known SNP>", "M1", "M2 *"}));
  EXPECT_TRUE(store.values().empty());
  view->Type(kIdPredictorInput, "13 24 14");
  view->Select(kIdKnownSnp, 2);  // M2: branch B only
  view->Click(1);
  EXPECT_EQ(dialog->resultBranches(), (std::vector<int32_t>{1}));
  view->Select(kIdPredictorChoice, 2);  // another predictor: results cleared, SNP list refilled
  EXPECT_EQ(Results(), "");
  EXPECT_EQ(view->control(kIdKnownSnp).items, (std::vector<std::string>{"<No known SNP>"}));
  EXPECT_EQ(view->GetSelection(kIdKnownSnp), 0);
  // The value panel and the branch list of the old predictor are gone.
  EXPECT_TRUE(dialog->resultBranches().empty());
  EXPECT_EQ(view->ItemCount(kIdResultBranches), 0);

  WriteSettingNumber(store, "Poredak", 5);  // the last order is restored too
  WriteSettingNumber(store, "Predvigjac3", 2);
  WriteSettingNumber(store, "Potpunosti", 1);
  WriteSettingNumber(store, "Pretr_NajmZajed", 20);
  Open();
  EXPECT_EQ(view->GetSelection(kIdInputOrder), 5);
  EXPECT_EQ(dialog->predictorIndex(), 2);
  EXPECT_EQ(view->GetSelection(kIdCompleteness), 0);
  EXPECT_EQ(view->ItemCount(kIdKnownSnp), 1);  // model 2 has no SNP tree
  EXPECT_EQ(dialog->searchSettings().minCommonMarkers, 20);
  WriteSettingNumber(store, "Predvigjac3", 4);  // out of range
  Open();
  EXPECT_EQ(view->GetSelection(kIdPredictorChoice), 0);
}

TEST_F(PredictorDialogTest, SinglePredictionShowsRankedLinesAndStoresTheChoices) {
  Open();
  view->Select(kIdInputOrder, 0);
  view->Type(kIdPredictorInput, "13 24 14\r\n");
  view->Click(1);
  EXPECT_EQ(Results(), kAB);
  EXPECT_EQ(view->control(kIdResultBranches).items, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(cursor.ended, 1);
  uint32_t value = 9;
  EXPECT_TRUE(ReadSettingNumber(store, "Potpunosti", value) && value == 1);
}

TEST_F(PredictorDialogTest, BatchReportsFaultyLinesAndGoesOn) {
  const auto folder = std::filesystem::temp_directory_path() / "varnik_pdlg_batch";
  std::filesystem::create_directories(folder);
  SetProgramFolder(folder.string());
  Open();
  view->Type(kIdPredictorInput, "13 24 14\r\n13 x\r\n\r\n13 24 14 11 11-14 12 12 12 $ 13 29\n13 24 14");
  view->Click(kIdBatch);
  const std::string expected =
      "1. ----------\r\n13 24 14\r\n" + kAB +
      "2. ----------\r\n13 x\r\nBad input data (line 2, value \"x\")\r\n"
      "3. ----------\r\n13 24 14 11 11-14 12 12 12 $ 13 29\r\n"
      "Marker DYS 389II cannot be given without 389I.\r\n"
      "4. ----------\r\n13 24 14\r\n" + kAB;
  // The result box names the report with its whole path; the file does not.
  const std::string note = "\r\nThe report was written to: " +
                           std::filesystem::absolute(folder / "Batch prediction.txt").lexically_normal().string() +
                           "\r\n";
  EXPECT_EQ(Results(), expected + note);
  EXPECT_EQ(view->ItemCount(kIdResultBranches), 2);

  std::string bytes;
  ASSERT_TRUE(ReadWholeFile((folder / "Batch prediction.txt").string(), bytes));
  EXPECT_EQ(bytes, Utf16LeWithBom(expected + "\r\n\r\n\r\n"));

  // A panel order with a line of the wrong size, last in the batch.
  view->Select(kIdInputOrder, 1);
  view->Type(kIdPredictorInput, "13 24 14");
  view->Click(kIdBatch);
  EXPECT_EQ(Results(), "1. ----------\r\n13 24 14\r\nBad input data\r\n" + note);
  EXPECT_EQ(view->ItemCount(kIdResultBranches), 0);
  SetProgramFolder("");
  std::filesystem::remove_all(folder);
}

TEST_F(PredictorDialogTest, TheTemplateButtonGivesTheColumnsOfThe17MarkerKit) {
  Open();
  dialog->OnCommand(*view, kIdTemplate17, kNotifyClicked);  // the button is hidden
  const std::string line = view->GetText(kIdPredictorInput);
  std::vector<std::string> columns;
  for (std::size_t at = 0; at <= line.size();) {
    const std::size_t end = std::min(line.find(' ', at), line.size());
    columns.push_back(line.substr(at, end - at));
    at = end + 1;
  }
  ASSERT_EQ(columns.size(), 95u);
  std::vector<int> asked;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (columns[c][0] == '?') asked.push_back(static_cast<int>(c));
  }
  EXPECT_EQ(asked, (std::vector<int>{0, 1, 2, 3, 4, 7, 8, 9, 10, 11, 16, 17, 21, 23, 29, 94}));
  EXPECT_EQ(columns[4], "?-?");    // DYS385a and b
  EXPECT_EQ(columns[19], "$-$-$-$");
}

TEST_F(PredictorDialogTest, MostFrequentValuesReplaceTheInputAndPredict) {
  Open();
  view->Click(kIdMostFrequent);  // nothing predicted yet: nothing happens
  EXPECT_EQ(view->GetText(kIdPredictorInput), "");
  view->Type(kIdPredictorInput, "13 24 14");
  view->Click(1);
  view->Select(kIdResultBranches, 1);  // B
  view->Click(kIdMostFrequent);
  // DYS19 ties 14 and 15: the middle of the tied values is taken.
  EXPECT_EQ(view->GetText(kIdPredictorInput), "14 24 15");
  EXPECT_EQ(dialog->resultBranches(), (std::vector<int32_t>{1, 0}));
}

}  // namespace
}  // namespace varnik
