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
#include "gui/menu_bar.h"
#include "gui/toolkit_ids.h"
#include "gui_test_support.h"
#include "shell/app_state.h"
#include "shell/command_ids.h"
#include "shell/menu.h"

namespace varnik {
namespace {

using testing::Pump;
using testing::PumpUntil;

// A plot that holds data and records what the main window asks of it.
class RecordingPlot : public EmptyPlot {
 public:
  bool HasData() const override { return true; }
  int AxisCount() const override { return 3; }
  void SelectAxisPair(int x, int y) override { calls.push_back("axes " + std::to_string(x) + " " + std::to_string(y)); }
  void ZoomIn() override { calls.push_back("zoom in"); }
  void ZoomOut() override { calls.push_back("zoom out"); }
  void PanLeft() override { calls.push_back("left"); }
  void PanRight() override { calls.push_back("right"); }
  void PanUp() override { calls.push_back("up"); }
  void PanDown() override { calls.push_back("down"); }

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
    Pump(20);
    ResetShellState();
  }

  std::string PopupLabel(int position) { return frame_->GetMenuBar()->GetMenuLabelText(position).utf8_string(); }
  std::string ItemLabel(int commandId) {
    wxMenuItem* item = frame_->GetMenuBar()->FindItem(ToToolkitId(commandId));
    return item != nullptr ? item->GetItemLabelText().utf8_string() : "<missing>";
  }
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
  std::vector<int> ids;
  for (const MenuPopup& popup : MainMenu()) {
    for (const MenuItem& item : popup.items) {
      if (item.id != 0) ids.push_back(item.id);
    }
  }
  for (const Accelerator& accel : AcceleratorTable()) ids.push_back(accel.command);
  for (int id : ids) {
    const int toolkitId = ToToolkitId(id);
    EXPECT_GT(toolkitId, 0) << id;
    EXPECT_LT(toolkitId, 32767) << id;
    EXPECT_FALSE(toolkitId >= wxID_LOWEST && toolkitId <= wxID_HIGHEST) << id;
    EXPECT_EQ(FromToolkitId(toolkitId), id);
  }
}

TEST_F(MainFrameTest, StartsWithTitleSerbianMenuAndBlackClientArea) {
  EXPECT_EQ(frame_->GetTitle().utf8_string(), "Varnik Genealogy Tools v1.1");
  EXPECT_EQ(PopupLabel(0), "Избор");
  EXPECT_TRUE(IsChecked(kCmdLanguageSerbian));
  EXPECT_TRUE(IsChecked(kCmdShowPopulationNames));
  EXPECT_FALSE(IsChecked(kCmdShowSampleNames));
  EXPECT_FALSE(frame_->GetMenuBar()->IsEnabled(ToToolkitId(kCmdChromosomePainting)));

  const wxImage image = frame_->Client()->RenderBackBuffer().ConvertToImage();
  ASSERT_GT(image.GetWidth(), 100);
  ASSERT_GT(image.GetHeight(), 100);
  const unsigned char* rgb = image.GetData();
  EXPECT_TRUE(std::all_of(rgb, rgb + 3 * image.GetWidth() * image.GetHeight(), [](unsigned char c) { return c == 0; }));
}

TEST_F(MainFrameTest, LanguageCommandsRewriteTheMenu) {
  Command(kCmdLanguageRussian);
  EXPECT_EQ(PopupLabel(0), "Файл");
  EXPECT_EQ(ItemLabel(kCmdLanguageSerbian), "Србски йезик");
  EXPECT_TRUE(IsChecked(kCmdLanguageRussian));
  EXPECT_FALSE(IsChecked(kCmdLanguageSerbian));
  // The Russian predictor text ends in a line break, which a menu label
  // must not carry.
  EXPECT_EQ(ItemLabel(kCmdHaplogroupPredictor).find_first_of("\r\n"), std::string::npos);

  // Choosing a check item toggles it in the toolkit; English does nothing
  // and its check mark must stay off.
  frame_->GetMenuBar()->Check(ToToolkitId(kCmdLanguageEnglish), true);
  Command(kCmdLanguageEnglish);
  EXPECT_FALSE(IsChecked(kCmdLanguageEnglish));
  EXPECT_TRUE(IsChecked(kCmdLanguageRussian));

  Command(kCmdLanguageSerbian);
  EXPECT_EQ(PopupLabel(0), "Избор");
  EXPECT_TRUE(IsChecked(kCmdLanguageSerbian));
}

TEST_F(MainFrameTest, KeypadAndArrowKeysReachTheCommands) {
  frame_->Raise();
  frame_->Client()->SetFocus();
  wxUIActionSimulator keys;
  keys.MouseMove(frame_->Client()->GetScreenRect().GetPosition() + wxPoint(40, 40));
  Pump(100);

  struct Stroke {
    int key;
    int modifiers;
    const char* call;  // what the plot is asked, or null for nothing
  };
  const Stroke strokes[] = {
      {'=', wxMOD_NONE, nullptr},  // main keyboard: no accelerator
      {WXK_NUMPAD_ADD, wxMOD_NONE, "zoom in"},
      {WXK_NUMPAD_SUBTRACT, wxMOD_NONE, "zoom out"},
      {WXK_LEFT, wxMOD_NONE, "left"},
      {WXK_RIGHT, wxMOD_NONE, "right"},
      {WXK_UP, wxMOD_NONE, "up"},
      {WXK_DOWN, wxMOD_NONE, "down"},
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

TEST_F(MainFrameTest, ExitCommandDestroysTheWindow) {
  Command(kCmdExit);
  EXPECT_TRUE(PumpUntil([&] { return !frame_ref_; }));
}

}  // namespace
}  // namespace varnik
