// A long computation on a real worker thread behind the real progress
// dialog, started from a modal tool dialog as the tools do.
#include "shell/long_computation.h"

#include <gtest/gtest.h>
#include <wx/uiaction.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

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

TemplateDialog& ProgressDialog() { return dynamic_cast<TemplateDialog&>(g_progress.dialog->View()); }

TEST(LongComputationGui, StopButtonEndsARunningWorker) {
  ResetShellState();
  ResetProgressState();
  WxDialogHost dialogs(nullptr);
  WxUiThread ui;
  DetachedThreadStarter threads;
  WxMessageBoxes messages(nullptr);
  ComputationLauncher launcher(dialogs, ui, threads, messages);
  std::string line2;
  DialogLogic plain;  // the tool's own logic does not matter here
  testing::Driver driver(plain, [&](TemplateDialog& tool) {
    tool.SetText(kResultBox, "an earlier report");
    ASSERT_TRUE(launcher.StartTmrca(tool, CountToTwoHundred, [] { return std::string("report"); }));
    EXPECT_FALSE(tool.IsWindowEnabled());
    wxWindow* stop = ProgressDialog().Window(kIdStopButton);
    EXPECT_TRUE(testing::PumpUntil([&] { return stop->IsShownOnScreen(); }, 2000));
    // Line 2 moves on while the user-interface thread stays responsive.
    testing::PumpUntil([] { return std::atoi(ProgressDialog().GetText(kIdStatusLine2).c_str()) >= 3; }, 3000);
    line2 = ProgressDialog().GetText(kIdStatusLine2);
    // Escape and the close box leave the progress dialog as it is.
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    ProgressDialog().Dialog()->ProcessWindowEvent(escape);
    ProgressDialog().Dialog()->Close();
    testing::Pump(50);
    EXPECT_TRUE(g_progress.dialog->IsOpen() && g_progress.stop == 0);
    wxUIActionSimulator mouse;
    mouse.MouseMove(stop->GetScreenRect().GetPosition() + wxPoint(5, 5));
    testing::Pump(30);
    mouse.MouseClick();
    testing::PumpUntil([] { return g_progress.dialog == nullptr; }, 3000);
    EXPECT_EQ(tool.GetText(kResultBox), "");
    EXPECT_TRUE(tool.IsWindowEnabled());
    tool.EndDialog(kIdOk);
  });
  // A broken run must not hang the tests: stop it and wait for its end step.
  driver.onFailSafe = [] {
    g_progress.stop = 1;
    testing::PumpUntil([] { return g_progress.dialog == nullptr; }, 3000);
  };
  EXPECT_EQ(dialogs.RunModal(ToolTemplate(), driver), kIdOk);
  EXPECT_FALSE(line2.empty());
  EXPECT_NE(line2, "99%") << "the run was not stopped";
  EXPECT_EQ(g_progress.stop.load(), 1);
  ResetProgressState();
}

}  // namespace
}  // namespace varnik
