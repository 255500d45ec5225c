// The age estimator in a real window: a calculation on the worker thread
// fills the result box and paints the graph.  (Stopping a run is covered
// by the long computation smoke test and the estimator's own tests.)
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "gui/wx_dialog_host.h"
#include "gui/wx_ui_thread.h"
#include "gui_test_support.h"
#include "platform/fakes.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "platform/threads.h"
#include "shell/long_computation.h"
#include "shell/progress_dialog.h"
#include "tmrca/tmrca_dialog.h"

namespace varnik {
namespace {

TEST(TmrcaWindow, CalculationOnTheWorkerFillsReportAndGraph) {
  const auto folder = std::filesystem::temp_directory_path() / "varnik_tmrca_window";
  std::filesystem::create_directories(folder);
  SetProgramFolder(folder.string());
  ResetTmrcaState();

  MemorySettingsStore settings;
  WxUiThread ui;
  DetachedThreadStarter threads;
  FakeMessageBoxes boxes;  // warnings answered without a modal box
  WxDialogHost host(nullptr);
  ComputationLauncher launcher(host, ui, threads, boxes);
  TmrcaDialog logic(settings, launcher, ui, boxes);

  std::string report;
  int paintsBefore = 0;
  testing::Driver driver(logic, [&](TemplateDialog& dialog) {
    dialog.SetText(kIdTmrcaDescendants,
                   "13 24 14 11 11-14 12 12 12 13 13 29\r\n"
                   "13 25 14 11 11-14 12 12 12 13 13 30\r\n"
                   "14 24 14 10 11-15 12 12 12 13 13 29\r\n");
    dialog.SetText(kIdTmrcaAncestor, "13 24 14 11 11-14 12 12 12 13 13 29");
    paintsBefore = driver.paints[kIdTmrcaGraph];
    testing::Press(dialog, kIdOk);
    // The report arrives and the dialog is enabled again.
    EXPECT_TRUE(testing::PumpUntil([&] { return !dialog.GetText(kIdTmrcaResult).empty() && dialog.IsWindowEnabled(); },
                                   12000));
    testing::Pump(100);
    report = dialog.GetText(kIdTmrcaResult);
    dialog.EndDialog(kIdCancel);
  });
  EXPECT_EQ(host.RunModal(TmrcaTemplate(), driver), kIdCancel);
  EXPECT_NE(report.find('%'), std::string::npos) << report;
  EXPECT_GT(driver.paints[kIdTmrcaGraph], paintsBefore);
  EXPECT_TRUE(std::filesystem::exists(folder / "TMRCA_results.txt"));

  ResetProgressState();
  ResetTmrcaState();
  SetProgramFolder("");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace varnik
