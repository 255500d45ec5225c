#include "shell/progress_dialog.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/fakes.h"
#include "shell/app_state.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

TEST(ProgressTemplates, EndButtonHiddenAndEscapeInert) {
  for (const DialogTemplate* dialog : {&ProgressTemplateTmrca(), &ProgressTemplateAdmixture()}) {
    SCOPED_TRACE(dialog->id);
    EXPECT_FALSE(dialog->escapeCloses);
    ASSERT_NE(dialog->Find(kIdOk), nullptr);
    EXPECT_TRUE(dialog->Find(kIdOk)->style & kStyleHidden);
  }
}

class ProgressDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetShellState(); }
  void TearDown() override { ResetShellState(); }

  std::atomic<int> stop{0};
  ProgressDialogLogic logic{stop};
};

TEST_F(ProgressDialogTest, InitLabelsTheStopButtonAndEachPressRaisesTheFlag) {
  g_language = kLanguageEnglish;
  FakeDialogView view(ProgressTemplateTmrca(), logic);
  view.Init();
  EXPECT_EQ(view.GetText(kIdStopButton), "Break process");
  EXPECT_EQ(view.focus(), kIdStopButton);
  for (int press = 0; press < 3; ++press) {
    stop = 0;  // the worker does not clear it; this shows each press sets it
    view.Click(kIdStopButton);
    EXPECT_EQ(stop.load(), 1);
  }
  EXPECT_FALSE(view.ended());
  EXPECT_TRUE(view.IsVisible(kIdStopButton));
}

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
