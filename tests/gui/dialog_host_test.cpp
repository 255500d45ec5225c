#include "gui/wx_dialog_host.h"

#include <gtest/gtest.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "gui_test_support.h"

namespace varnik {
namespace {

enum : int { kLabel = 100, kEdit, kButton, kCheck, kRadio, kGroup, kList, kCombo, kDrawn };

DialogTemplate TestTemplate() {
  DialogTemplate dialog;
  dialog.id = 900;
  dialog.caption = "Proba";
  dialog.cx = 220;
  dialog.cy = 150;
  dialog.controls = {
      {kLabel, ControlKind::kStatic, 7, 7, 80, 10, kStyleNone, "Oznaka"},
      {kEdit, ControlKind::kEdit, 90, 5, 60, 14, kStyleDigitsOnly | kStyleTabStop, ""},
      {kGroup, ControlKind::kGroupBox, 5, 24, 100, 40, kStyleNone, "Skup"},
      {kCheck, ControlKind::kCheckBox, 10, 34, 80, 10, kStyleTabStop, "Potvrda"},
      {kRadio, ControlKind::kRadioButton, 10, 48, 80, 10, kStyleGroup, "Izbor"},
      {kList, ControlKind::kListBox, 110, 24, 100, 40, kStyleVScroll, ""},
      {kCombo, ControlKind::kComboBox, 110, 70, 100, 60, kStyleTabStop, ""},
      {kDrawn, ControlKind::kOwnerDrawn, 5, 70, 100, 40, kStyleNone, ""},
      {kButton, ControlKind::kButton, 5, 128, 50, 14, kStyleTabStop, "Dugme"},
      {kIdOk, ControlKind::kButton, 110, 128, 50, 14, kStyleDefaultButton | kStyleTabStop, "U redu"},
      {kIdCancel, ControlKind::kButton, 165, 128, 50, 14, kStyleTabStop, "Odustani"},
  };
  return dialog;
}

// Logic that fills the controls, records every command, and ends the
// dialog with 42 on kButton.
class TestLogic : public DialogLogic {
 public:
  void OnInit(DialogView& view) override {
    view.SetCaption("Проба");
    view.SetText(kLabel, "Ознака");
    view.SetText(kEdit, "123");
    view.AddItem(kList, "први");
    view.AddItem(kList, "други");
    view.SetSelection(kList, 1);
    view.AddItem(kCombo, "један");
    view.SetSelection(kCombo, 0);
    view.SetChecked(kCheck, true);
    view.SetFocus(kEdit);
  }

  void OnCommand(DialogView& view, int id, int notification) override {
    commands.emplace_back(id, notification);
    if (id == kButton && notification == kNotifyClicked) {
      texts = {view.GetText(kLabel), view.GetText(kEdit), view.ItemText(kList, view.GetSelection(kList)),
               view.GetText(kCombo)};
      checked = view.IsChecked(kCheck);
      view.EndDialog(42);
      return;
    }
    DialogLogic::OnCommand(view, id, notification);
  }

  void OnDrawItem(int, Canvas& canvas, const Rect& rect) override {
    canvas.SetBrush(Color{200, 0, 0});
    canvas.FillRect(rect);
  }

  bool Has(int id, int notification) const {
    return std::find(commands.begin(), commands.end(), std::pair{id, notification}) != commands.end();
  }

  int result = 0, paints = 0;
  std::vector<std::pair<int, int>> commands;
  std::vector<std::string> texts;
  bool checked = false;
};

void PressKey(TemplateDialog& dialog, int key) {
  wxKeyEvent event(wxEVT_CHAR_HOOK);
  event.m_keyCode = key;
  dialog.Dialog()->ProcessWindowEvent(event);
}

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
  EXPECT_TRUE(run.Has(kButton, kNotifyClicked));
  EXPECT_EQ(run.texts, (std::vector<std::string>{"Ознака", "123", "други", "један"}));
  EXPECT_TRUE(run.checked);
  EXPECT_GT(run.paints, 0);
  // Texts set by the logic are not reported back as edits.
  EXPECT_FALSE(run.Has(kEdit, kNotifyEditChange));
}

TEST(WxDialogHost, EscapeCancelsAndEnterPressesTheDefaultButton) {
  const TestLogic escape = RunDialog(TestTemplate(), [](TemplateDialog& shown) { PressKey(shown, WXK_ESCAPE); });
  EXPECT_EQ(escape.result, kIdCancel);
  EXPECT_TRUE(escape.Has(kIdCancel, kNotifyClicked));

  const TestLogic enter = RunDialog(TestTemplate(), [](TemplateDialog& shown) {
    shown.Window(kEdit)->SetFocus();
    PressKey(shown, WXK_RETURN);
  });
  EXPECT_EQ(enter.result, kIdOk);
}

TEST(WxDialogHost, UserEditsNotifyChangeAndFocusLoss) {
  std::string typed;
  const TestLogic run = RunDialog(TestTemplate(), [&typed](TemplateDialog& shown) {
    shown.Window(kEdit)->SetFocus();
    testing::Pump(50);
    wxUIActionSimulator keys;
    keys.Text("7a8");  // the edit box takes digits only
    testing::Pump(100);
    typed = shown.GetText(kEdit);
    shown.Window(kList)->SetFocus();
    testing::Pump(50);
    shown.EndDialog(5);
  });
  EXPECT_EQ(run.result, 5);
  EXPECT_NE(typed.find("78"), std::string::npos) << typed;
  EXPECT_TRUE(run.Has(kEdit, kNotifyEditChange));
  EXPECT_TRUE(run.Has(kEdit, kNotifyKillFocus));
}

// A multi-line box, tab stops that Tab must skip, and a single-line box.
enum : int { kNotes = 200, kNoStop, kHidden, kDisabled, kLast };
DialogTemplate KeysTemplate() {
  DialogTemplate dialog;
  dialog.id = 901;
  dialog.cx = 220;
  dialog.cy = 150;
  dialog.controls = {
      {kNotes, ControlKind::kEdit, 5, 5, 210, 40, kStyleMultiLine | kStyleVScroll | kStyleTabStop, ""},
      {kCombo, ControlKind::kComboBox, 5, 50, 100, 60, kStyleTabStop, ""},
      {kNoStop, ControlKind::kEdit, 110, 50, 100, 12, kStyleNone, ""},
      {kHidden, ControlKind::kButton, 5, 66, 50, 14, kStyleTabStop | kStyleHidden, "Skriveno"},
      {kDisabled, ControlKind::kButton, 60, 66, 50, 14, kStyleTabStop | kStyleDisabled, "Iskljuceno"},
      {kCheck, ControlKind::kCheckBox, 5, 84, 80, 10, kStyleTabStop, "Potvrda"},
      {kIdOk, ControlKind::kButton, 110, 128, 50, 14, kStyleDefaultButton | kStyleTabStop, "U redu"},
      {kLast, ControlKind::kEdit, 5, 128, 100, 12, kStyleTabStop, ""},
  };
  return dialog;
}

// The keys as the display server delivers them: Tab and Shift+Tab follow
// the template order through the visible, enabled tab stops (a multi-line
// edit box passes Tab on), and Enter in a multi-line box that does not want
// it presses the default button, while Ctrl+Enter makes a new line.
TEST(WxDialogHost, TabFollowsTheTemplateAndEnterPressesTheDefaultButton) {
  const DialogTemplate dialog = KeysTemplate();
  std::vector<int> forward, backward;
  std::string notes;
  const TestLogic run = RunDialog(dialog, [&](TemplateDialog& shown) {
    testing::PumpUntil([&] { return shown.Dialog()->IsShownOnScreen(); }, 1000);
    const auto focused = [&] { return testing::FocusedControl(shown, dialog); };
    shown.Window(kNotes)->SetFocus();
    testing::Pump(100);
    wxUIActionSimulator keys;
    for (int i = 0; i < 5; ++i) {
      keys.Char(WXK_TAB);
      testing::Pump(60);
      forward.push_back(focused());
    }
    for (int i = 0; i < 2; ++i) {
      keys.Char(WXK_TAB, wxMOD_SHIFT);
      testing::Pump(60);
      backward.push_back(focused());
    }
    shown.Window(kNotes)->SetFocus();
    testing::Pump(60);
    keys.Char(WXK_RETURN, wxMOD_CONTROL);
    testing::Pump(60);
    notes = shown.GetText(kNotes);
    keys.Char(WXK_RETURN);
  });
  EXPECT_EQ(forward, (std::vector<int>{kCombo, kCheck, kIdOk, kLast, kNotes}));
  EXPECT_EQ(backward, (std::vector<int>{kLast, kIdOk}));
  // Ctrl+Enter makes a new line instead.
  EXPECT_EQ(notes, "\r\n");
  EXPECT_EQ(run.result, kIdOk);
}

// What the user types stops at a box's limit, in a single-line box and in a
// multi-line one; a longer text the program set stays whole and cannot grow.
TEST(WxDialogHost, TextLimitStopsTheUserButNotTheProgram) {
  std::string notes, single;
  RunDialog(KeysTemplate(), [&](TemplateDialog& shown) {
    testing::PumpUntil([&] { return shown.Dialog()->IsShownOnScreen(); }, 1000);
    shown.SetTextLimit(kNotes, 5);
    shown.SetTextLimit(kLast, 4);
    shown.SetText(kNotes, "1234567");
    auto* notesBox = static_cast<wxTextCtrl*>(shown.Window(kNotes));
    notesBox->SetFocus();
    notesBox->SetInsertionPointEnd();
    testing::Pump(50);
    wxUIActionSimulator keys;
    keys.Text("89");
    testing::Pump(100);
    notes = shown.GetText(kNotes);
    auto* singleBox = static_cast<wxTextCtrl*>(shown.Window(kLast));
    singleBox->SetFocus();
    singleBox->SelectAll();
    testing::Pump(50);
    keys.Text("abcdef");
    testing::Pump(100);
    single = shown.GetText(kLast);
    shown.EndDialog(5);
  });
  EXPECT_EQ(notes, "1234567");
  EXPECT_EQ(single, "abcd");
}

}  // namespace
}  // namespace varnik
