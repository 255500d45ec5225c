#include "shell/long_computation.h"

#include <gtest/gtest.h>

#include "common/format.h"
#include "platform/fakes.h"
#include "platform/thread_fakes.h"
#include "shell/app_state.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

constexpr int kResultBox = 1020;
constexpr int kGraph = 1050;

DialogTemplate ToolTemplate() {
  DialogTemplate dialog;
  dialog.id = 138;
  dialog.controls = {
      {kResultBox, ControlKind::kEdit, 0, 0, 100, 50, kStyleMultiLine | kStyleReadOnly, ""},
      {kGraph, ControlKind::kOwnerDrawn, 0, 60, 100, 50, kStyleNone, ""},
  };
  return dialog;
}

// The tool dialog that owns a run.  It notes each effect on it, and
// whether the progress dialog was open at that moment.
class RecordingOwner : public FakeDialogView {
 public:
  struct Effect { std::string what; bool progressOpen; };

  RecordingOwner(ProgressState& state, DialogLogic& logic) : FakeDialogView(ToolTemplate(), logic), state_(state) {}

  void SetText(int id, std::string_view text) override { FakeDialogView::SetText(id, text), Note("text " + std::to_string(id)); }
  void EnableWindow(bool on) override { FakeDialogView::EnableWindow(on), Note(on ? "enable" : "disable"); }
  void FocusWindow() override { FakeDialogView::FocusWindow(), Note("focus"); }
  void Redraw(int id) override { FakeDialogView::Redraw(id), Note("redraw " + std::to_string(id)); }

  std::vector<Effect> effects;

  // Position of the first effect named `what`, or -1.
  int First(const std::string& what) const {
    for (std::size_t i = 0; i < effects.size(); ++i)
      if (effects[i].what == what) return static_cast<int>(i);
    return -1;
  }

 private:
  void Note(std::string what) {
    effects.push_back({std::move(what), state_.dialog != nullptr && state_.dialog->IsOpen()});
  }
  ProgressState& state_;
};

// The main window as the owner of an admixture run.
struct FakeMainWindow : OwnerWindow {
  bool enabled = true;
  void EnableWindow(bool enable) override { enabled = enable; }
  bool IsWindowEnabled() override { return enabled; }
  void FocusWindow() override {}
};

class LongComputationTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetShellState(); }
  void TearDown() override { ResetShellState(); }
  FakeModelessDialog& Progress() { return *dialogs.modeless.back(); }
  FakeDialogView& ProgressView() { return *Progress().view; }

  FakeDialogHost dialogs;
  FakeUiThread ui;
  SynchronousThreadStarter threads;
  FakeMessageBoxes messages;
  ProgressState state;
  ComputationLauncher launcher{dialogs, ui, threads, messages, state};
  DialogLogic toolLogic;
  RecordingOwner tool{state, toolLogic};
};

TEST_F(LongComputationTest, LaunchPreparesEverythingBeforeTheWorkWhichReachesWindowsOnlyThroughPosts) {
  state.stop = 1;  // left over from an earlier run
  bool ran = false;
  const auto work = [&](std::atomic<int>& stop, ProgressSink& progress) {
    ran = true;
    EXPECT_EQ(stop.load(), 0);
    EXPECT_FALSE(tool.IsWindowEnabled());
    EXPECT_TRUE(Progress().shown && Progress().owner == &tool);
    EXPECT_EQ(ProgressView().focus(), kIdStopButton);
    progress.SetStatusLine(2, "50%");
    return true;
  };
  EXPECT_TRUE(launcher.StartTmrca(tool, work, [] { return std::string("report"); }));
  EXPECT_TRUE(ran);
  // Nothing the worker did is visible yet.
  EXPECT_TRUE(ProgressView().GetText(kIdStatusLine2).empty() && tool.GetText(kResultBox).empty());
  EXPECT_EQ(ui.RunPending(), 3);  // line 2, the bar, the end
  EXPECT_EQ(ProgressView().GetText(kIdStatusLine2), "50%");
  EXPECT_EQ(ProgressView().GetText(kIdProgressBar), "50");
  EXPECT_EQ(tool.GetText(kResultBox), "report");
}

TEST_F(LongComputationTest, TmrcaEndShowsResultThenClosesProgressThenEnablesOwner) {
  launcher.StartTmrca(tool, [](std::atomic<int>&, ProgressSink&) { return true; }, [] { return std::string("report"); });
  tool.effects.clear();
  ui.RunPending();

  EXPECT_EQ(tool.GetText(kResultBox), "report");
  const int text = tool.First("text 1020"), enable = tool.First("enable");
  const int focus = tool.First("focus"), redraw = tool.First("redraw 1050");
  ASSERT_TRUE(text >= 0 && enable >= 0);
  EXPECT_TRUE(tool.effects[static_cast<std::size_t>(text)].progressOpen);
  for (const auto& effect : tool.effects) EXPECT_FALSE(effect.what == "enable" && effect.progressOpen);
  EXPECT_LT(text, enable);
  EXPECT_LT(enable, focus);  // the progress dialog had the focus
  EXPECT_LT(focus, redraw);
  EXPECT_EQ(static_cast<std::size_t>(redraw), tool.effects.size() - 1);

  EXPECT_TRUE(ProgressView().result() == 0 && Progress().destroyed);
  EXPECT_EQ(state.dialog, nullptr);
}

TEST_F(LongComputationTest, TmrcaStopPressedSeveralTimesSaysWhereItStoppedAndClosesProgressByItself) {
  tool.FakeDialogView::SetText(kResultBox, "an earlier report");
  bool formatted = false;
  const auto work = [&](std::atomic<int>& stop, ProgressSink& progress) {
    for (int generation = 1; generation <= 600; ++generation) {
      if (stop != 0) return false;
      progress.SetStatusLine(2, std::to_string(generation / 6) + "%");
      if (generation != 10) continue;
      Progress().hasFocus = false;  // the user switched to another program
      for (int press = 0; press < 3; ++press) ProgressView().Click(kIdStopButton);
      // Pressing stop does not close the dialog.
      EXPECT_TRUE(Progress().shown && !ProgressView().ended());
    }
    return true;
  };
  launcher.StartTmrca(tool, work, [&] { return formatted = true, std::string("report"); });
  ui.RunPending();
  EXPECT_FALSE(formatted);
  EXPECT_EQ(tool.GetText(kResultBox), Format(TextById(kTextStoppedAt).c_str(), 1));
  EXPECT_TRUE(ProgressView().ended());
  EXPECT_EQ(state.dialog, nullptr);
  EXPECT_TRUE(tool.IsWindowEnabled());
  EXPECT_EQ(tool.control(kGraph).redraws, 1);
  EXPECT_EQ(tool.First("focus"), -1);  // the progress dialog did not have the focus
}

TEST(ProgressLine, PercentOfAStatusLine) {
  const std::pair<const char*, int> cases[] = {{"37%", 37}, {"0%", 0}, {"100 %", 100}, {"5% done", 5},
                                               {"", -1},    {"12", -1}, {"101%", -1},   {"% 3", -1},
                                               {"12     E = 0.5%", -1}, {"99999999999%", -1}};
  for (const auto& [line, percent] : cases) EXPECT_EQ(PercentOf(line), percent) << line;
}

TEST_F(LongComputationTest, AdmixtureEndTurnsStopIntoEndButtonAndOwnerWaitsForIt) {
  FakeMainWindow mainWindow;
  launcher.StartAdmixture(mainWindow, [](std::atomic<int>&, ProgressSink& progress) {
    progress.SetStatusLine(1, "Loading");
    progress.SetRunningResults("A 60%\r\nB 40%");
    return true;
  });
  ui.RunPending();

  FakeDialogView& view = ProgressView();
  EXPECT_EQ(view.GetText(kIdStatusLine1), "Loading");
  EXPECT_EQ(view.GetText(kIdRunningResults), "A 60%\r\nB 40%");
  EXPECT_FALSE(view.IsVisible(kIdStopButton));
  EXPECT_EQ(view.focus(), kIdOk);
  EXPECT_FALSE(view.ended());
  EXPECT_FALSE(mainWindow.enabled);

  view.Click(kIdOk);
  EXPECT_TRUE(view.ended());
  EXPECT_TRUE(mainWindow.enabled);
  // The handle is kept; the next run replaces it.
  EXPECT_NE(state.dialog, nullptr);
  launcher.StartAdmixture(mainWindow, [](std::atomic<int>&, ProgressSink&) { return true; });
  EXPECT_TRUE(dialogs.modeless.front()->destroyed);
}

TEST_F(LongComputationTest, PaintingEndClosesTheProgressDialogThenEnablesAndRepaintsTheMainWindow) {
  FakeMainWindow mainWindow;
  std::vector<std::string> order;
  launcher.StartPainting(
      mainWindow,
      [&](std::atomic<int>&, ProgressSink& progress) {
        progress.SetStatusLine(2, "Calculated 128 of 256 (50.00%)");
        return true;
      },
      [&] { order.push_back(state.dialog == nullptr && mainWindow.enabled ? "repaint after" : "repaint before"); });
  EXPECT_FALSE(mainWindow.enabled);
  ui.RunPending();
  EXPECT_EQ(state.dialog, nullptr);
  EXPECT_TRUE(dialogs.modeless.front()->destroyed);
  EXPECT_TRUE(mainWindow.enabled);
  EXPECT_EQ(order, std::vector<std::string>{"repaint after"});
}

TEST_F(LongComputationTest, FailedThreadStartLeavesNoProgressDialogAndOwnerEnabled) {
  threads.fail = true;
  bool ran = false;
  EXPECT_FALSE(launcher.StartTmrca(
      tool,
      [&](std::atomic<int>&, ProgressSink&) { return ran = true; }, {}));
  EXPECT_TRUE(!ran && tool.IsWindowEnabled() && state.dialog == nullptr);
  EXPECT_TRUE(Progress().destroyed && !Progress().shown);
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(ui.Pending(), 0u);
}

}  // namespace
}  // namespace varnik
