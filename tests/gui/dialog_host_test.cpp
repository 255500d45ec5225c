#include "gui/wx_dialog_host.h"

#include <gtest/gtest.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gui_test_support.h"

namespace varnik {
namespace {

enum : int { kNotes = 100, kLabel, kEdit, kCombo, kNoStop, kHidden, kDisabled, kCheck, kList, kDrawn, kButton };

// Tab stops in between that Tab must skip: one without the style, a hidden
// one and a disabled one; and controls that are no tab stops at all.
DialogTemplate TestTemplate() {
  DialogTemplate dialog;
  dialog.id = 900;
  dialog.cx = 220;
  dialog.cy = 190;
  dialog.controls = {
      {kNotes, ControlKind::kEdit, 5, 5, 210, 30, kStyleMultiLine | kStyleVScroll | kStyleTabStop, ""},
      {kLabel, ControlKind::kStatic, 7, 42, 80, 10, kStyleNone, "Oznaka"},
      {kEdit, ControlKind::kEdit, 90, 40, 60, 14, kStyleDigitsOnly | kStyleTabStop, ""},
      {kCombo, ControlKind::kComboBox, 5, 60, 100, 60, kStyleTabStop, ""},
      {kNoStop, ControlKind::kEdit, 110, 60, 100, 12, kStyleNone, ""},
      {kHidden, ControlKind::kButton, 5, 78, 50, 14, kStyleTabStop | kStyleHidden, "Skriveno"},
      {kDisabled, ControlKind::kButton, 60, 78, 50, 14, kStyleTabStop | kStyleDisabled, "Iskljuceno"},
      {kCheck, ControlKind::kCheckBox, 5, 96, 80, 10, kStyleTabStop, "Potvrda"},
      {kList, ControlKind::kListBox, 110, 96, 100, 40, kStyleVScroll, ""},
      {kDrawn, ControlKind::kOwnerDrawn, 5, 110, 100, 40, kStyleNone, ""},
      {kButton, ControlKind::kButton, 5, 168, 50, 14, kStyleTabStop, "Dugme"},
      {kIdOk, ControlKind::kButton, 110, 168, 50, 14, kStyleDefaultButton | kStyleTabStop, "U redu"},
      {kIdCancel, ControlKind::kButton, 165, 168, 50, 14, kStyleTabStop, "Odustani"},
  };
  return dialog;
}

// Logic that fills the controls, records every command, and ends the
// dialog with 42 on kButton.
class TestLogic : public DialogLogic {
 public:
  void OnInit(DialogView& view) override {
    view.SetText(kLabel, "Ознака");
    view.SetText(kEdit, "123");
    view.AddItem(kList, "први");
    view.AddItem(kList, "други");
    view.SetSelection(kList, 1);
    view.AddItem(kCombo, "један");
    view.SetSelection(kCombo, 0);
    view.SetChecked(kCheck, true);
  }
  void OnCommand(DialogView& view, int id, int notification) override {
    commands.emplace_back(id, notification);
    if (id == kButton && notification == kNotifyClicked) {
      texts = {view.GetText(kLabel), view.GetText(kEdit), view.ItemText(kList, view.GetSelection(kList)),
               view.GetText(kCombo)};
      checked = view.IsChecked(kCheck);
      return view.EndDialog(42);
    }
    DialogLogic::OnCommand(view, id, notification);
  }
  bool Has(int id, int notification) const {
    return std::find(commands.begin(), commands.end(), std::pair{id, notification}) != commands.end();
  }

  int result = 0, paints = 0;
  std::vector<std::pair<int, int>> commands;
  std::vector<std::string> texts;
  bool checked = false;
};

// Runs `dialog` with a fresh logic; `play` acts once the dialog is shown.
TestLogic RunDialog(const DialogTemplate& dialog, std::function<void(TemplateDialog&)> play) {
  TestLogic logic;
  testing::Driver driver(logic, std::move(play));
  logic.result = WxDialogHost(nullptr).RunModal(dialog, driver);
  logic.paints = driver.paints[kDrawn];
  return logic;
}

TEST(WxDialogHost, ClickReachesLogicWhichEndsTheDialog) {
  const TestLogic run = RunDialog(TestTemplate(), [](TemplateDialog& shown) {
    // A real click on the button, through the display server.
    wxWindow* button = shown.Window(kButton);
    testing::PumpUntil([&] { return button->IsShownOnScreen(); }, 1000);
    testing::Pump(100);
    wxUIActionSimulator mouse;
    mouse.MouseMove(button->GetScreenRect().GetPosition() + wxPoint(5, 5));
    testing::Pump(50);
    mouse.MouseClick();
  });
  EXPECT_EQ(run.result, 42);
  EXPECT_EQ(run.texts, (std::vector<std::string>{"Ознака", "123", "други", "један"}));
  EXPECT_TRUE(run.checked);
  EXPECT_GT(run.paints, 0);
  // Texts set by the logic are not reported back as edits.
  EXPECT_FALSE(run.Has(kEdit, kNotifyEditChange));
}

TEST(WxDialogHost, EscapeCancels) {
  const TestLogic escape = RunDialog(TestTemplate(), [](TemplateDialog& shown) {
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = WXK_ESCAPE;
    shown.Dialog()->ProcessWindowEvent(event);
  });
  EXPECT_EQ(escape.result, kIdCancel);
  EXPECT_TRUE(escape.Has(kIdCancel, kNotifyClicked));
}

// The keys as the display server delivers them: Tab and Shift+Tab follow
// the template order through the visible, enabled tab stops (a multi-line
// edit box passes Tab on), and Enter in a multi-line box that does not want
// it presses the default button, while Ctrl+Enter makes a new line.
TEST(WxDialogHost, TabFollowsTheTemplateAndEnterPressesTheDefaultButton) {
  const DialogTemplate dialog = TestTemplate();
  std::vector<int> forward, backward;
  std::string notes;
  const TestLogic run = RunDialog(dialog, [&](TemplateDialog& shown) {
    testing::PumpUntil([&] { return shown.Dialog()->IsShownOnScreen(); }, 1000);
    wxUIActionSimulator keys;
    const auto step = [&](std::vector<int>& into, int modifiers) {
      keys.Char(WXK_TAB, modifiers);
      testing::Pump(60);
      into.push_back(testing::FocusedControl(shown, dialog));
    };
    shown.Window(kNotes)->SetFocus();
    testing::Pump(100);
    for (int i = 0; i < 7; ++i) step(forward, wxMOD_NONE);
    for (int i = 0; i < 2; ++i) step(backward, wxMOD_SHIFT);
    shown.Window(kNotes)->SetFocus();
    testing::Pump(60);
    keys.Char(WXK_RETURN, wxMOD_CONTROL);
    testing::Pump(60);
    notes = shown.GetText(kNotes);
    keys.Char(WXK_RETURN);
  });
  EXPECT_EQ(forward, (std::vector<int>{kEdit, kCombo, kCheck, kButton, kIdOk, kIdCancel, kNotes}));
  EXPECT_EQ(backward, (std::vector<int>{kIdCancel, kIdOk}));
  EXPECT_EQ(notes, "\r\n");
  EXPECT_EQ(run.result, kIdOk);
}

// What the user types stops at a box's limit, in a single-line box and in a
// multi-line one; a longer text the program set stays whole and cannot grow.
// The user's edits are notified, and so is leaving the box.
TEST(WxDialogHost, UserTypingIsLimitedAndNotified) {
  std::string notes, single;
  const TestLogic run = RunDialog(TestTemplate(), [&](TemplateDialog& shown) {
    testing::PumpUntil([&] { return shown.Dialog()->IsShownOnScreen(); }, 1000);
    shown.SetTextLimit(kNotes, 5);
    shown.SetTextLimit(kEdit, 4);
    shown.SetText(kNotes, "1234567");
    auto* notesBox = static_cast<wxTextCtrl*>(shown.Window(kNotes));
    notesBox->SetFocus();
    notesBox->SetInsertionPointEnd();
    testing::Pump(50);
    wxUIActionSimulator keys;
    keys.Text("89");
    testing::Pump(100);
    notes = shown.GetText(kNotes);
    auto* singleBox = static_cast<wxTextCtrl*>(shown.Window(kEdit));
    singleBox->SetFocus();
    singleBox->SelectAll();
    testing::Pump(50);
    keys.Text("1a23456");  // the box takes digits only
    testing::Pump(100);
    single = shown.GetText(kEdit);
    notesBox->SetFocus();
    testing::Pump(50);
    shown.EndDialog(5);
  });
  EXPECT_EQ(notes, "1234567");
  EXPECT_EQ(single, "1234");
  EXPECT_TRUE(run.Has(kEdit, kNotifyEditChange));
  EXPECT_TRUE(run.Has(kEdit, kNotifyKillFocus));
}

}  // namespace
}  // namespace varnik
