// The age estimator in a real window: a calculation on the worker thread
// fills the result box and paints the graph.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/timer.h>

#include <filesystem>
#include <functional>
#include <string>

#include "gui/template_dialog.h"
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

// Forwards to the estimator's logic and plays the user once the dialog is up.
class Driver : public DialogLogic {
 public:
  Driver(TmrcaDialog& inner, std::function<void(TemplateDialog&)> play) : inner_(inner), play_(std::move(play)) {}

  void OnInit(DialogView& view) override {
    inner_.OnInit(view);
    auto& dialog = dynamic_cast<TemplateDialog&>(view);
    failSafe_.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) { dialog.EndDialog(-1); });
    failSafe_.StartOnce(15000);
    dialog.Dialog()->CallAfter([this, &dialog] { play_(dialog); });
  }
  void OnCommand(DialogView& view, int id, int notification) override { inner_.OnCommand(view, id, notification); }
  void OnDrawItem(int id, Canvas& canvas, const Rect& rect) override {
    if (id == kIdTmrcaGraph) ++graphPaints;
    inner_.OnDrawItem(id, canvas, rect);
  }

  int graphPaints = 0;

 private:
  TmrcaDialog& inner_;
  std::function<void(TemplateDialog&)> play_;
  wxTimer failSafe_;
};

void Press(TemplateDialog& dialog, int id) {
  auto* button = dynamic_cast<wxButton*>(dialog.Window(id));
  ASSERT_NE(button, nullptr);
  wxCommandEvent click(wxEVT_BUTTON, button->GetId());
  click.SetEventObject(button);
  button->ProcessWindowEvent(click);
}

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
  Driver* driverPtr = nullptr;
  Driver driver(logic, [&](TemplateDialog& dialog) {
    dialog.SetText(kIdTmrcaDescendants,
                   "13 24 14 11 11-14 12 12 12 13 13 29\r\n"
                   "13 25 14 11 11-14 12 12 12 13 13 30\r\n"
                   "14 24 14 10 11-15 12 12 12 13 13 29\r\n");
    dialog.SetText(kIdTmrcaAncestor, "13 24 14 11 11-14 12 12 12 13 13 29");
    paintsBefore = driverPtr->graphPaints;
    Press(dialog, kIdOk);
    testing::PumpUntil([&] { return !dialog.GetText(kIdTmrcaResult).empty() && dialog.IsWindowEnabled(); }, 12000);
    testing::Pump(100);
    report = dialog.GetText(kIdTmrcaResult);
    dialog.EndDialog(kIdCancel);
  });
  driverPtr = &driver;
  EXPECT_EQ(host.RunModal(TmrcaTemplate(), driver), kIdCancel);
  EXPECT_FALSE(report.empty());
  EXPECT_NE(report.find('%'), std::string::npos) << report;
  EXPECT_GT(driver.graphPaints, paintsBefore);
  EXPECT_TRUE(std::filesystem::exists(folder / "TMRCA_results.txt"));

  ResetProgressState();
  ResetTmrcaState();
  SetProgramFolder("");
  std::filesystem::remove_all(folder);
}

// Starts the real worker thread, but only after a click on the stop button
// of the progress dialog that has just opened, so the run is always stopped.
class StopFirstStarter : public ThreadStarter {
 public:
  bool Start(std::function<void()> body) override {
    auto& progress = dynamic_cast<TemplateDialog&>(g_progress.dialog->View());
    Press(progress, kIdStopButton);
    return real_.Start(std::move(body));
  }

 private:
  DetachedThreadStarter real_;
};

TEST(TmrcaWindow, StopButtonEndsTheRunWithAnEmptyResult) {
  ResetTmrcaState();
  MemorySettingsStore settings;
  WxUiThread ui;
  StopFirstStarter threads;
  FakeMessageBoxes boxes;
  WxDialogHost host(nullptr);
  ComputationLauncher launcher(host, ui, threads, boxes);
  TmrcaDialog logic(settings, launcher, ui, boxes);

  std::string report = "not run";
  bool progressClosed = false;
  Driver driver(logic, [&](TemplateDialog& dialog) {
    dialog.SetText(kIdTmrcaResult, "old result");
    dialog.SetText(kIdTmrcaDescendants,
                   "13 24 14 11 11-14 12 12 12 13 13 29\r\n"
                   "13 25 14 11 11-14 12 12 12 13 13 30\r\n");
    dialog.SetText(kIdTmrcaAncestor, "13 24 14 11 11-14 12 12 12 13 13 29");
    Press(dialog, kIdOk);
    testing::PumpUntil([&] { return dialog.IsWindowEnabled(); }, 12000);
    testing::Pump(100);
    report = dialog.GetText(kIdTmrcaResult);
    progressClosed = g_progress.dialog == nullptr || !g_progress.dialog->IsOpen();
    dialog.EndDialog(kIdCancel);
  });
  EXPECT_EQ(host.RunModal(TmrcaTemplate(), driver), kIdCancel);
  EXPECT_EQ(report, "");
  EXPECT_TRUE(progressClosed);
  ResetProgressState();
  ResetTmrcaState();
}

}  // namespace
}  // namespace varnik
