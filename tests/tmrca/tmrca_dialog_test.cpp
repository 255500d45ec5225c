#include "tmrca/tmrca_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "common/binary_io.h"
#include "common/format.h"
#include "common/utf.h"
#include "platform/fakes.h"
#include "platform/program_folder.h"
#include "platform/recording_canvas.h"
#include "platform/thread_fakes.h"
#include "shell/app_state.h"
#include "shell/report_note.h"
#include "texts/text_table.h"
#include "tmrca/age_graph.h"
#include "tmrca/tmrca_report.h"

namespace varnik {
namespace {

const char k12a[] = "13 24 14 11 11-14 12 12 12 13 13 29";
const char k12b[] = "13 25 14 11 11-14 12 12 12 13 13 30";
const char k12c[] = "14 24 14 10 11-15 12 12 12 13 13 29";

const std::string& T(int32_t id) { return TextById(id, kLanguageEnglish); }

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

// Starts the worker synchronously, optionally after the user has pressed
// the stop button of the progress dialog just opened.
class StopFirstStarter : public ThreadStarter {
 public:
  explicit StopFirstStarter(FakeDialogHost& host) : host_(host) {}
  bool pressStop = false;
  bool Start(std::function<void()> body) override {
    if (pressStop) host_.modeless.back()->view->Click(kIdStopButton);
    body();
    return true;
  }

 private:
  FakeDialogHost& host_;
};

class TmrcaDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetShellState();
    ResetTmrcaState();
    g_language = kLanguageEnglish;
    // A name of this run's own: the same tests of other builds may run at
    // the same time.
    folder_ = std::filesystem::temp_directory_path() /
              (std::string("varnik_tmrca_dialog_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
               "_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder_);
    SetProgramFolder(folder_.string());
    SetUserReportFolder((folder_ / "user").string());
  }
  void TearDown() override {
    SetProgramFolder("");
    SetUserReportFolder("");
    std::filesystem::remove_all(folder_);
    ResetTmrcaState();
    ResetShellState();
  }

  // Types the input and presses Calculate; the worker's posted steps run.
  void Calculate(const std::string& descendants, const std::string& ancestor = "") {
    view.Type(kIdTmrcaDescendants, descendants);
    if (!ancestor.empty()) view.Type(kIdTmrcaAncestor, ancestor);
    view.Click(kIdOk);
    ui.RunPending();
  }
  uint32_t Stored(const char* name) {
    uint32_t value = 0;
    EXPECT_TRUE(ReadSettingNumber(settings, name, value)) << name;
    return value;
  }
  std::string ReportOfLastRun(int32_t without) {
    return FormatTmrcaReport(g_tmrca.estimator.records, g_tmrca.estimator.distribution, without, kLanguageEnglish);
  }
  // The report as the result box shows it: with the line naming its file.
  std::string ShownReport(int32_t without) {
    return ReportOfLastRun(without) +
           ReportNote({(folder_ / kTmrcaReportFileName).string(), false}, kLanguageEnglish);
  }

  std::filesystem::path folder_;
  FakeDialogHost host;
  FakeUiThread ui;
  StopFirstStarter threads{host};
  FakeMessageBoxes boxes;
  MemorySettingsStore settings;
  ProgressState progress;
  ComputationLauncher launcher{host, ui, threads, boxes, progress};
  TmrcaDialog logic{settings, launcher, ui, boxes};
  FakeDialogView view{TmrcaTemplate(), logic};
};

TEST_F(TmrcaDialogTest, InitAppliesStoredSettingsThatPassTheirChecks) {
  for (const auto& [name, value] : {std::pair{"PoredakStar", 7}, {"NacinCrtStar", 4}, {"NajmOznak", 105}}) {
    WriteSettingNumber(settings, name, static_cast<uint32_t>(value));
  }
  view.Init();
  EXPECT_EQ(view.GetSelection(kIdTmrcaOrder), 7);
  EXPECT_EQ(view.GetSelection(kIdTmrcaGraphMode), 0);  // 4 is out of range
  EXPECT_EQ(view.GetText(kIdTmrcaMinMarkers), "105");  // the highest minimum is restored too
}

TEST_F(TmrcaDialogTest, CalculateShowsReportAndGraphWritesFileAndSettings) {
  view.Init();
  EXPECT_FALSE(settings.KeyExists());  // opening writes nothing
  EXPECT_EQ(view.control(kIdTmrcaDescendants).textLimit, 2097152u);
  view.Select(kIdTmrcaGraphMode, 2);  // bars of the running sum
  view.Select(kIdTmrcaMarkerChoice, 0);
  view.Type(kIdTmrcaMinMarkers, "11", true);
  Calculate(Lines({k12a, k12b, k12c}));

  ASSERT_TRUE(g_tmrca.estimator.finished());
  // The report is named with its whole path.
  EXPECT_EQ(view.GetText(kIdTmrcaResult), ShownReport(0));
  EXPECT_NE(view.GetText(kIdTmrcaResult).find((folder_ / kTmrcaReportFileName).string()), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(folder_ / kTmrcaReportFileName));
  // The ancestor was completed from the descendants and written back.
  EXPECT_EQ(view.GetText(kIdTmrcaAncestor), k12a);
  // The run went through the progress dialog, which is gone again.
  ASSERT_EQ(host.modeless.size(), 1u);
  EXPECT_EQ(host.modeless[0]->view->GetText(kIdStatusLine2), "100%");
  // The bar follows the percentage, beside the task's name.
  EXPECT_EQ(host.modeless[0]->view->GetText(kIdProgressBar), "100");
  EXPECT_EQ(host.modeless[0]->view->GetText(kIdProgressTask), T(kTextTmrcaTitle) + ":");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Stored("IzborOznak"), 0u);
  EXPECT_EQ(Stored("NacinCrtStar"), 2u);
  EXPECT_EQ(Stored("NajmOznak"), 11u);

  const Rect rect{0, 0, 890, 124};
  RecordingCanvas drawn({890, 124}), expected({890, 124});
  view.Draw(kIdTmrcaGraph, drawn, rect);
  DrawAgeGraph(expected, rect, g_tmrca.estimator.distribution, false, true);
  EXPECT_EQ(drawn.ops().size(), expected.ops().size());
  EXPECT_EQ(drawn.Texts(), expected.Texts());
}

TEST_F(TmrcaDialogTest, ReportGoesToTheUserFolderWhenTheProgramFolderIsNotWritableAndTheResultSaysWhere) {
  SetProgramFolder((folder_ / "missing").string());
  view.Init();
  Calculate(Lines({k12a, k12b, k12c}));

  const std::filesystem::path file = folder_ / "user" / kTmrcaReportFileName;
  const ReportLocation where{file.string(), true};
  EXPECT_EQ(view.GetText(kIdTmrcaResult), ReportOfLastRun(0) + ReportNote(where, kLanguageEnglish));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(file.string(), bytes));
  EXPECT_EQ(bytes, Utf16LeWithBom(ReportOfLastRun(0)));  // the note is not part of the file
}

TEST_F(TmrcaDialogTest, InputErrorsReplaceTheLastReportAndGraphAndComputeNothing) {
  view.Init();
  Calculate(Lines({k12a, k12b}));
  ASSERT_TRUE(g_tmrca.estimator.finished());
  const int redraws = view.control(kIdTmrcaGraph).redraws;

  Calculate(Lines({"13 24 14 11 11-14 12 12 12 $ 13 29", k12a}), k12a);
  EXPECT_EQ(view.GetText(kIdTmrcaResult), Format("%s %d. %s", T(238).c_str(), 1, T(252).c_str()));
  // The graph of the earlier run is gone.
  EXPECT_TRUE(g_tmrca.estimator.records.empty());
  EXPECT_FALSE(g_tmrca.estimator.finished());
  EXPECT_GT(view.control(kIdTmrcaGraph).redraws, redraws);
  // The minimum is clamped to 105 and stored before the input is read; the
  // message says that the condition removed the descendants.
  view.Type(kIdTmrcaMinMarkers, "300", true);
  Calculate(Lines({k12a, k12b}));
  EXPECT_EQ(view.GetText(kIdTmrcaResult), Format(T(kTextErrorDescendantCount).c_str(), 500, 0) + "\r\n" +
                                              Format(T(kTextMinMarkersRemovedAll).c_str(), 105, 2, 0));
  EXPECT_EQ(Stored("NajmOznak"), 105u);

  EXPECT_EQ(host.modeless.size(), 1u);  // no further run
}

TEST_F(TmrcaDialogTest, MarkersThatFewDescendantsGiveAreNotedAndTheRunGoesOn) {
  view.Init();
  const char k11[] = "13 24 14 11 11-14 12 12 12 13 13";
  Calculate(Lines({k11, k11, k11, k12b}), k12a);  // DYS389II: one descendant of four
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, T(kTextWarning));
  EXPECT_EQ(boxes.shown[0].flags, static_cast<unsigned>(kMbIconInformation));
  EXPECT_TRUE(g_tmrca.estimator.finished());
}

TEST_F(TmrcaDialogTest, GenerationsFieldRenormalisesAFinishedRunOnly) {
  view.Init();
  view.Type(kIdTmrcaGenerations, "3", true);
  EXPECT_EQ(g_tmrca.estimator.generationsWithoutAncestor, 3);
  EXPECT_EQ(view.GetText(kIdTmrcaResult), "");

  Calculate(Lines({k12a, k12b, k12c}));
  EXPECT_EQ(view.GetText(kIdTmrcaResult), ShownReport(3));
  const int redraws = view.control(kIdTmrcaGraph).redraws;
  view.Type(kIdTmrcaGenerations, "5", true);
  EXPECT_EQ(view.GetText(kIdTmrcaResult), ShownReport(5));
  EXPECT_EQ(view.control(kIdTmrcaGraph).redraws, redraws + 1);
  EXPECT_EQ(host.modeless.size(), 1u);  // no progress dialog for it

  threads.pressStop = true;  // a stopped run says so in the result box
  Calculate(Lines({k12a, k12c}));
  const std::string stopped = Format(T(kTextStoppedAt).c_str(), 0);
  EXPECT_EQ(view.GetText(kIdTmrcaResult), stopped);
  EXPECT_FALSE(g_tmrca.estimator.finished());
  EXPECT_TRUE(view.IsWindowEnabled());
  view.Type(kIdTmrcaGenerations, "7", true);  // nothing to redistribute
  EXPECT_EQ(view.GetText(kIdTmrcaResult), stopped);
}

}  // namespace
}  // namespace varnik
