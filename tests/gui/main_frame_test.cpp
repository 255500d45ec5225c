#include "gui/main_frame.h"

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gui/client_canvas.h"
#include "gui/toolkit_ids.h"
#include "gui_test_support.h"
#include "shell/app_state.h"
#include "shell/menu.h"

namespace varnik {
namespace {

using testing::PumpUntil;

// A plot that holds data and records what the main window asks of it.
class RecordingPlot : public EmptyPlot {
 public:
  bool HasData() const override { return true; }
  int AxisCount() const override { return 3; }
  void SelectAxisPair(int x, int y) override { calls.push_back("axes " + std::to_string(x) + " " + std::to_string(y)); }
  void ZoomIn() override { calls.push_back("zoom in"); }
  void ZoomOut() override { calls.push_back("zoom out"); }
  void ZoomAt(int x, int y, bool in) override {
    calls.push_back(std::string(in ? "zoom in at " : "zoom out at ") + std::to_string(x) + " " + std::to_string(y));
  }
  void PanLeft() override { calls.push_back("left"); }

  std::vector<std::string> calls;
};

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetShellState();
    frame_ = new MainFrame(plot_, painting_, tools_);
    frame_ref_ = frame_;
    frame_->Start();
    PumpUntil([&] { return frame_->IsShownOnScreen(); });
  }
  void TearDown() override {
    if (frame_ref_) frame_->Destroy();
    testing::Pump(20);
    ResetShellState();
  }

  std::string PopupLabel(int position) { return frame_->GetMenuBar()->GetMenuLabelText(position).utf8_string(); }
  bool IsChecked(int commandId) { return frame_->GetMenuBar()->IsChecked(ToToolkitId(commandId)); }
  void Command(int commandId) {
    wxCommandEvent event(wxEVT_MENU, ToToolkitId(commandId));
    frame_->ProcessWindowEvent(event);
  }

  RecordingPlot plot_;
  EmptyChromosomePainting painting_;
  NoTools tools_;
  MainFrame* frame_ = nullptr;
  wxWeakRef<MainFrame> frame_ref_{nullptr};
};

TEST(ToolkitIds, EveryCommandGetsAValidToolkitIdAndMapsBack) {
  const auto check = [](int id) {
    const int toolkitId = ToToolkitId(id);
    EXPECT_TRUE(toolkitId > 0 && toolkitId < 32767 && (toolkitId < wxID_LOWEST || toolkitId > wxID_HIGHEST)) << id;
    EXPECT_EQ(FromToolkitId(toolkitId), id);
  };
  for (const MenuPopup& popup : MainMenu())
    for (const MenuItem& item : popup.items)
      if (item.id != 0) check(item.id);
  for (const Accelerator& accel : AcceleratorTable()) check(accel.command);
}

TEST_F(MainFrameTest, StartsWithSerbianMenuAndBlackClientArea) {
  EXPECT_EQ(PopupLabel(0), "Избор");
  EXPECT_FALSE(frame_->GetMenuBar()->IsEnabled(ToToolkitId(kCmdAbout)));

  const wxImage image = frame_->Client()->RenderBackBuffer().ConvertToImage();
  ASSERT_GT(image.GetWidth(), 100);
  ASSERT_GT(image.GetHeight(), 100);
  const unsigned char* rgb = image.GetData();
  EXPECT_TRUE(std::all_of(rgb, rgb + 3 * image.GetWidth() * image.GetHeight(), [](unsigned char c) { return c == 0; }));
}

TEST_F(MainFrameTest, LanguageCommandsRewriteTheMenu) {
  Command(kCmdLanguageRussian);
  EXPECT_EQ(PopupLabel(0), "Файл");
  EXPECT_FALSE(IsChecked(kCmdLanguageSerbian));
  // The Russian predictor text ends in a line break, which a menu label
  // must not carry.
  const wxMenuItem* predictor = frame_->GetMenuBar()->FindItem(ToToolkitId(kCmdHaplogroupPredictor));
  EXPECT_EQ(predictor->GetItemLabelText().utf8_string().find_first_of("\r\n"), std::string::npos);

  // Choosing a check item toggles it in the toolkit; English does nothing
  // and its check mark must stay off.
  frame_->GetMenuBar()->Check(ToToolkitId(kCmdLanguageEnglish), true);
  Command(kCmdLanguageEnglish);
  EXPECT_FALSE(IsChecked(kCmdLanguageEnglish));
  EXPECT_TRUE(IsChecked(kCmdLanguageRussian));
}

TEST_F(MainFrameTest, KeypadAndArrowKeysReachTheCommands) {
  frame_->Raise();
  frame_->Client()->SetFocus();
  wxUIActionSimulator keys;
  keys.MouseMove(frame_->Client()->GetScreenRect().GetPosition() + wxPoint(40, 40));
  testing::Pump(100);

  struct Stroke { int key, modifiers; const char* call; };  // the call the plot gets, or null
  const Stroke strokes[] = {
      {'=', wxMOD_NONE, "zoom in"},  // the main keyboard's + key
      {'+', wxMOD_NONE, "zoom in"},
      {'-', wxMOD_NONE, "zoom out"},
      {WXK_NUMPAD_ADD, wxMOD_NONE, "zoom in"},
      {WXK_LEFT, wxMOD_NONE, "left"},
      {WXK_NUMPAD_ADD, wxMOD_CONTROL, "axes 1 1"},
      {WXK_NUMPAD_ADD, wxMOD_ALT, "axes 0 2"},
  };
  std::vector<std::string> expected;
  for (const Stroke& stroke : strokes) {
    keys.Char(stroke.key, stroke.modifiers);
    if (stroke.call == nullptr) continue;
    expected.push_back(stroke.call);
    EXPECT_TRUE(PumpUntil([&] { return plot_.calls.size() >= expected.size(); }, 2000))
        << "no command for " << stroke.call;
  }
  EXPECT_EQ(plot_.calls, expected);
}

// A notch of the wheel zooms about the pointer: away from the user in,
// towards the user out; half notches add up.
TEST_F(MainFrameTest, MouseWheelZoomsAboutThePointer) {
  const auto turn = [&](int rotation, wxPoint at) {
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.m_wheelRotation = rotation;
    wheel.m_wheelDelta = 120;
    wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
    wheel.SetPosition(at);
    frame_->Client()->ProcessWindowEvent(wheel);
  };
  turn(120, {100, 80});
  turn(-60, {50, 60});
  turn(-60, {50, 60});
  EXPECT_EQ(plot_.calls, (std::vector<std::string>{"zoom in at 100 80", "zoom out at 50 60"}));
}

// The View menu lists the zoom commands with their keys.
TEST_F(MainFrameTest, ViewMenuNamesTheZoomKeys) {
  const wxMenuItem* zoomIn = frame_->GetMenuBar()->FindItem(ToToolkitId(kCmdZoomIn));
  ASSERT_NE(zoomIn, nullptr);
  EXPECT_NE(zoomIn->GetItemLabelText().utf8_string().find('+'), std::string::npos);
  Command(kCmdZoomOut);
  EXPECT_EQ(plot_.calls, (std::vector<std::string>{"zoom out"}));
}

TEST_F(MainFrameTest, ExitCommandDestroysTheWindow) {
  Command(kCmdExit);
  EXPECT_TRUE(PumpUntil([&] { return !frame_ref_; }));
}

}  // namespace
}  // namespace varnik
