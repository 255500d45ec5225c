#include "autosomal/comparison_dialog.h"

#include <gtest/gtest.h>

#include "autosomal_test_support.h"
#include "common/binary_io.h"
#include "platform/fakes.h"
#include "platform/program_folder.h"
#include "platform/thread_fakes.h"
#include "shell/long_computation.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

using Row = CPoregjenjeUzoraka::CPodaciOpsega;

struct FakeMainWindow : OwnerWindow {
  bool enabled = true;
  int focused = 0;
  void EnableWindow(bool enable) override { enabled = enable; }
  bool IsWindowEnabled() override { return enabled; }
  void FocusWindow() override { ++focused; }
};

class ComparisonDialogTest : public AutosomalFilesTest {
 protected:
  void SetUp() override {
    AutosomalFilesTest::SetUp();
    ResetGenomeComparisonState();
    ResetProgressState();
    SetProgramFolder(folder_.string());
    g_language = kLanguageEnglish;
    std::string map, a = "# a\n", b = "# b\n";
    for (int i = 0; i < 400; ++i) {
      const std::string position = std::to_string(1000 * (i + 1));
      map += "rs" + std::to_string(i) + ",1," + position + "," + std::to_string(0.05 * i) + ",0,0\n";
      a += "rs" + std::to_string(i) + "\t1\t" + position + (i == 200 ? "\tAA\n" : "\tAG\n");
      b += "rs" + std::to_string(i) + "\t1\t" + position + "\t" + (i == 200 ? "CC" : "AG") + "\n";
    }
    Write(kGeneticMapFileName, map);
    pathA = Write("a.txt", a);
    pathB = Write("b.txt", b);
  }
  void TearDown() override {
    SetProgramFolder("");
    g_language = kLanguageSerbian;
    ResetGenomeComparisonState();
    ResetProgressState();
    AutosomalFilesTest::TearDown();
  }

  // Opens the tool with `script` acting in dialog 139 and runs the worker
  // and its posted functions to the end.
  void Open(FakeDialogHost::Script script) {
    dialogs.scripts[kComparisonTemplateId] = std::move(script);
    OpenGenomeComparison({dialogs, files, settings, messages, ui, threads, mainWindow, [this] { ++repaints; }});
    ui.RunPending();
  }

  FakeDialogHost dialogs;
  FakeFileDialog files;
  MemorySettingsStore settings;
  FakeMessageBoxes messages;
  FakeUiThread ui;
  SynchronousThreadStarter threads;
  FakeMainWindow mainWindow;
  int repaints = 0;
  std::string pathA, pathB;
};

TEST_F(ComparisonDialogTest, OkRunsTheComparisonBehindTheProgressDialogAndRepaints) {
  Open([&](FakeDialogView& view) {
    EXPECT_TRUE(view.IsChecked(kIdComparisonModeGenomes));
    EXPECT_EQ(view.GetText(kIdComparisonMinSnps + 1), "350");
    EXPECT_EQ(view.GetText(kIdComparisonMinCm + 1), "7.00");
    EXPECT_EQ(view.GetText(kIdComparisonMinSnps + 4), "0");
    view.Type(kIdComparisonSlotPath + 0, pathA);
    view.Click(kIdComparisonSlotCheck + 0);
    view.Type(kIdComparisonSlotPath + 2, pathB);
    view.Click(kIdComparisonSlotCheck + 2);
    view.Type(kIdComparisonSlotPath + 3, "not selected.txt");
    view.Type(kIdComparisonMinSnps + 4, "50");
    view.Type(kIdComparisonMinCm + 4, "1.5");
    view.Click(kIdComparisonMarkTooShort);
    view.Click(kIdOk);
  });
  ASSERT_EQ(dialogs.modeless.size(), 1u);
  EXPECT_EQ(dialogs.modeless[0]->templateId, kProgressTemplateTmrca);
  EXPECT_TRUE(dialogs.modeless[0]->destroyed);
  EXPECT_EQ(g_progress.dialog, nullptr);
  EXPECT_TRUE(mainWindow.enabled);
  EXPECT_EQ(mainWindow.focused, 1);
  EXPECT_EQ(repaints, 1);
  EXPECT_TRUE(messages.shown.empty());

  const CPoregjenjeUzoraka& data = g_genomeComparison;
  ASSERT_EQ(data.results.size(), 1u);
  EXPECT_EQ(data.results[0].different, 1);
  EXPECT_TRUE(data.samplePaths.empty());
  EXPECT_EQ(data.markTooShort, 1);
  ASSERT_EQ(data.comparisonTable.size(), 5u);
  EXPECT_EQ(data.comparisonTable[4], (Row{50, 1.5, Rgb(0, 0, 255)}));
  std::string report, error;
  EXPECT_TRUE(ReadWholeFile(ComparisonReportFile().path, report, 1 << 20));

  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadSettingBinary(settings, "PGOpseziRazl", 100, bytes));
  std::vector<Row> stored;
  ASSERT_TRUE(DecodeThresholdTable(bytes, stored));
  EXPECT_EQ(stored[4].minSnps, 50);
  EXPECT_EQ(stored[5].minSnps, 0);
  ASSERT_TRUE(ReadSettingBinary(settings, "PGOdabraniUzorci", 100, bytes));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  std::string text;
  EXPECT_TRUE(ReadSettingText(settings, "PGStazaUzorka3", text));
  EXPECT_EQ(text, "not selected.txt");
}

// Installed under a prefix: the map lies in share/varnik beside the
// program's bin folder, which takes no files, so the report goes to the
// user's folder and a message names it.
TEST_F(ComparisonDialogTest, AnInstalledProgramFindsItsMapAndNamesTheReportInTheUsersFolder) {
  std::filesystem::create_directories(folder_ / "share" / "varnik");
  std::filesystem::rename(folder_ / kGeneticMapFileName, folder_ / "share" / "varnik" / kGeneticMapFileName);
  SetProgramFolder((folder_ / "bin").string());
  SetUserReportFolder((folder_ / "user").string());
  Open([&](FakeDialogView& view) {
    view.Type(kIdComparisonSlotPath + 0, pathA);
    view.Click(kIdComparisonSlotCheck + 0);
    view.Type(kIdComparisonSlotPath + 1, pathB);
    view.Click(kIdComparisonSlotCheck + 1);
    view.Click(kIdOk);
  });
  SetUserReportFolder("");
  ASSERT_EQ(g_genomeComparison.results.size(), 1u);
  const std::string report = (folder_ / "user" / kComparisonReportFileName).string();
  EXPECT_TRUE(std::filesystem::is_regular_file(report));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("The program folder is not writable, so the report was written to: "),
            std::string::npos)
      << messages.shown[0].text;
  EXPECT_NE(messages.shown[0].text.find(report), std::string::npos) << messages.shown[0].text;
  EXPECT_EQ(messages.shown[0].flags, kMbIconInformation);

  // With no folder that takes the report the results still show, and the
  // user is told that the report is missing.
  Write("file", "");
  SetUserReportFolder((folder_ / "file" / "reports").string());
  Open([&](FakeDialogView& view) { view.Click(kIdOk); });
  SetUserReportFolder("");
  EXPECT_EQ(g_genomeComparison.results.size(), 1u);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text.rfind("the report could not be written to ", 0), 0u) << messages.shown[1].text;
  EXPECT_EQ(messages.shown[1].flags, kMbIconError);
}

TEST_F(ComparisonDialogTest, SettingsComeBackAndTheModeChoosesTheTableShown) {
  WriteSettingNumber(settings, "PGPostupakPoregjenja", 1);
  WriteSettingText(settings, "PGStazaUzorka5", pathA);
  WriteSettingBinary(settings, "PGOdabraniUzorci", std::vector<uint8_t>(24, 0));
  WriteSettingBinary(settings, "PGOpseziIstoga", EncodeThresholdTable({{700, 12.5, 0}, {0, 0.0, 0}, {300, 3.0, 0}}));
  WriteSettingNumber(settings, "PGBrojHromozoma", 30);  // out of range: kept at 0
  Open([&](FakeDialogView& view) {
    EXPECT_TRUE(view.IsChecked(kIdComparisonModeRelatedness));
    EXPECT_EQ(view.GetText(kIdComparisonSlotPath + 5), pathA);
    EXPECT_EQ(view.GetText(kIdComparisonMinSnps + 0), "700");
    EXPECT_EQ(view.GetText(kIdComparisonMinSnps + 1), "300");
    EXPECT_EQ(view.GetText(kIdComparisonMinSnps + 2), "0");
    EXPECT_EQ(view.GetText(kIdComparisonChromosome), "0");
    EXPECT_FALSE(view.IsEnabled(kIdComparisonWindowStart));
    view.Click(kIdComparisonModeGenomes);
    EXPECT_EQ(view.GetText(kIdComparisonMinSnps + 0), "500");
    view.Click(kIdCancel);
  });
  EXPECT_TRUE(dialogs.modeless.empty());
  EXPECT_EQ(g_genomeComparison.relatednessTable.size(), 2u);
}

TEST_F(ComparisonDialogTest, TooFewGenomesAndFailedLoadsAreExplained) {
  Open([&](FakeDialogView& view) {
    view.Type(kIdComparisonSlotPath + 0, pathA);
    view.Click(kIdComparisonSlotCheck + 0);
    view.Click(kIdOk);
  });
  EXPECT_TRUE(dialogs.modeless.empty());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("at least two genomes"), std::string::npos);

  Open([&](FakeDialogView& view) {
    view.Type(kIdComparisonSlotPath + 1, pathA + ".missing");
    view.Click(kIdComparisonSlotCheck + 1);
    view.Click(kIdOk);
  });
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_NE(messages.shown[1].text.find("a.txt.missing"), std::string::npos);
  EXPECT_TRUE(mainWindow.enabled);
  EXPECT_FALSE(g_genomeComparison.HasResults());
}

}  // namespace
}  // namespace varnik
