#include "shell/progress_dialog.h"

#include <gtest/gtest.h>

#include "platform/fakes.h"
#include "shell/app_state.h"

namespace varnik {
namespace {

class ProgressDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetShellState(); }
  void TearDown() override { ResetShellState(); }

  std::atomic<int> stop{0};
  ProgressDialogLogic logic{stop};
};

TEST_F(ProgressDialogTest, OnlyAClickOnTheShownEndButtonEndsTheDialog) {
  FakeDialogView view(ProgressTemplateAdmixture(), logic);
  view.Init();
  logic.OnCommand(view, kIdCancel, kNotifyClicked);           // Escape, close box
  logic.OnCommand(view, kIdRunningResults, kNotifyEditChange);
  logic.OnCommand(view, kIdStopButton, kNotifyKillFocus);     // not a click
  logic.OnCommand(view, kIdOk, kNotifySelChange);             // not a click
  view.Click(kIdOk);  // hidden: the user cannot press it
  EXPECT_FALSE(view.ended());
  EXPECT_EQ(stop.load(), 0);
  view.Show(kIdOk, true);
  view.Click(kIdOk);
  EXPECT_TRUE(view.ended());
  EXPECT_EQ(view.result(), 0);
}

}  // namespace
}  // namespace varnik
