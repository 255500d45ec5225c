// A long computation on a real worker thread behind the real progress
// dialog, started from a modal tool dialog as the tools do.
#include "shell/long_computation.h"

#include <gtest/gtest.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>

#include "gui/template_dialog.h"
#include "gui/wx_dialog_host.h"
#include "gui/wx_ui_services.h"
#include "gui/wx_ui_thread.h"
#include "gui_test_support.h"
#include "platform/threads.h"
#include "shell/app_state.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

constexpr int kResultBox = 1020;
constexpr int kGraph = 1050;
constexpr int kFailSafe = -99;

DialogTemplate ToolTemplate() {
  DialogTemplate dialog;
  dialog.id = 901;
  dialog.caption = "Alat";
  dialog.cx = 200;
  dialog.cy = 120;
  dialog.controls = {
      {kResultBox, ControlKind::kEdit, 5, 5, 190, 40, kStyleMultiLine | kStyleReadOnly, ""},
      {kGraph, ControlKind::kOwnerDrawn, 5, 50, 190, 40, kStyleNone, ""},
      {kIdOk, ControlKind::kButton, 145, 100, 50, 14, kStyleTabStop, "U redu"},
  };
  return dialog;
}

// 200 steps of 5 ms, polling the stop flag and showing "%d%%" on line 2
// when it changes.
bool CountToTwoHundred(std::atomic<int>& stop, ProgressSink& progress) {
  std::string last;
  for (int step = 0; step < 200; ++step) {
    if (stop != 0) return false;
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", static_cast<int>(step / 200.0 * 100.0));
    if (last != text) progress.SetStatusLine(2, text);
    last = text;
    wxMilliSleep(5);
  }
  return true;
}

// A tool dialog whose test step runs once it is shown.  The fail-safe
// stops a run that is still going, waits for its end step and ends the
// dialog, so a broken run never hangs the tests.
class ToolLogic : public DialogLogic {
 public:
  explicit ToolLogic(std::function<void(TemplateDialog&)> step) : step_(std::move(step)) {}

  void OnInit(DialogView& view) override {
    auto& dialog = dynamic_cast<TemplateDialog&>(view);
    failSafe_.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) {
      g_progress.stop = 1;
      testing::PumpUntil([] { return g_progress.dialog == nullptr; }, 3000);
      dialog.EndDialog(kFailSafe);
    });
    failSafe_.StartOnce(15000);
    dialog.Dialog()->CallAfter([this, &dialog] { step_(dialog); });
  }
 private:
  std::function<void(TemplateDialog&)> step_;
  wxTimer failSafe_;
};

struct Services {
  WxDialogHost dialogs{nullptr};
  WxUiThread ui;
  DetachedThreadStarter threads;
  WxMessageBoxes messages{nullptr};
  ComputationLauncher launcher{dialogs, ui, threads, messages};
};

TemplateDialog& ProgressDialog() { return dynamic_cast<TemplateDialog&>(g_progress.dialog->View()); }

class LongComputationGui : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetShellState();
    ResetProgressState();
  }
  void TearDown() override { ResetProgressState(); }
};

TEST_F(LongComputationGui, StopButtonEndsARunningWorker) {
  Services services;
  std::string line2, result = "unset";
  bool ownerDisabled = false, progressShown = false, ignoredEscape = false, ownerEnabledAfter = false;
  ToolLogic logic([&](TemplateDialog& tool) {
    tool.SetText(kResultBox, "an earlier report");
    ASSERT_TRUE(services.launcher.StartTmrca(tool, CountToTwoHundred, [] { return std::string("report"); }));
    ownerDisabled = !tool.IsWindowEnabled();
    wxWindow* stop = ProgressDialog().Window(kIdStopButton);
    progressShown = testing::PumpUntil([&] { return stop->IsShownOnScreen(); }, 2000);
    // Line 2 moves on while the user-interface thread stays responsive.
    testing::PumpUntil([] { return std::atoi(ProgressDialog().GetText(kIdStatusLine2).c_str()) >= 3; }, 3000);
    line2 = ProgressDialog().GetText(kIdStatusLine2);
    // Escape and the close box leave the progress dialog as it is.
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    ProgressDialog().Dialog()->ProcessWindowEvent(escape);
    ProgressDialog().Dialog()->Close();
    testing::Pump(50);
    ignoredEscape = g_progress.dialog->IsOpen() && g_progress.stop == 0;
    wxUIActionSimulator mouse;
    mouse.MouseMove(stop->GetScreenRect().GetPosition() + wxPoint(5, 5));
    testing::Pump(30);
    mouse.MouseClick();
    testing::PumpUntil([] { return g_progress.dialog == nullptr; }, 3000);
    result = tool.GetText(kResultBox);
    ownerEnabledAfter = tool.IsWindowEnabled();
    tool.EndDialog(kIdOk);
  });
  const int outcome = services.dialogs.RunModal(ToolTemplate(), logic);
  EXPECT_EQ(outcome, kIdOk);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(progressShown);
  EXPECT_FALSE(line2.empty());
  EXPECT_TRUE(ignoredEscape);
  EXPECT_NE(line2, "99%") << "the run was not stopped";
  EXPECT_EQ(g_progress.stop.load(), 1);
  EXPECT_EQ(result, "");
  EXPECT_TRUE(ownerEnabledAfter);
}

TEST_F(LongComputationGui, FinishedRunPutsItsReportIntoTheOwner) {
  Services services;
  std::string result;
  bool ownerEnabledAfter = false;
  ToolLogic logic([&](TemplateDialog& tool) {
    ASSERT_TRUE(services.launcher.StartTmrca(tool, CountToTwoHundred, [] { return std::string("report"); }));
    testing::PumpUntil([] { return g_progress.dialog == nullptr; }, 8000);
    result = tool.GetText(kResultBox);
    ownerEnabledAfter = tool.IsWindowEnabled();
    testing::Pump(50);
    tool.EndDialog(kIdOk);
  });
  EXPECT_EQ(services.dialogs.RunModal(ToolTemplate(), logic), kIdOk);
  EXPECT_EQ(result, "report");
  EXPECT_TRUE(ownerEnabledAfter);
}

}  // namespace
}  // namespace varnik
