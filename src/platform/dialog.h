// Dialogs: a template (the resource script as data), the view through which
// dialog logic acts on the controls, and the logic itself.  The GUI builds a
// real dialog from a template and forwards events to the logic; tests drive
// the logic through FakeDialogView.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.h"

namespace varnik {

// Control kinds of dialog templates.
enum class ControlKind {
  kStatic,       // label
  kEdit,         // edit box
  kButton,       // push button
  kCheckBox,     // automatic check box
  kRadioButton,  // automatic radio button
  kGroupBox,
  kListBox,
  kComboBox,     // drop-down list
  kOwnerDrawn,   // owner-drawn static: painted through DialogLogic::OnDrawItem
  kProgressBar,  // bar of 0..100; its text is the percentage as digits
};

// Style flags of a control.
enum ControlStyle : unsigned {
  kStyleNone = 0,
  kStyleHidden = 1u << 0,
  kStyleDisabled = 1u << 1,
  kStyleReadOnly = 1u << 2,
  kStyleMultiLine = 1u << 3,
  kStyleDigitsOnly = 1u << 4,
  kStyleVScroll = 1u << 5,
  kStyleHScroll = 1u << 6,
  kStyleDefaultButton = 1u << 7,
  kStyleTabStop = 1u << 8,
  kStyleGroup = 1u << 9,      // starts a group (radio buttons, arrow keys)
  kStyleWantReturn = 1u << 10,  // multi-line edit: Enter makes a new line
  kStyleCenter = 1u << 11,    // static text centred
  kStyleRight = 1u << 12,     // static text right-aligned
  kStyleFixedFont = 1u << 13, // edit box in a fixed-pitch font
};

// Win32-compatible button ids and notification codes.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kNotifyClicked = 0;        // button clicked
inline constexpr int kNotifySelChange = 1;      // list or combo selection changed
inline constexpr int kNotifyDoubleClick = 2;    // list item double-clicked
inline constexpr int kNotifyKillFocus = 0x200;  // edit box lost the focus
inline constexpr int kNotifyEditChange = 0x300; // edit box text changed

struct ControlTemplate {
  int id = -1;  // -1 for labels that nothing addresses
  ControlKind kind = ControlKind::kStatic;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  unsigned style = kStyleNone;
  std::string text;  // placeholder; the logic writes the visible text
};

struct DialogTemplate {
  int id = 0;
  std::string caption;
  int cx = 0, cy = 0;  // dialog units
  int fontSize = 8;    // points; dialog units derive from this font
  // When false, Escape and the close box do nothing (the progress dialog).
  bool escapeCloses = true;
  std::vector<ControlTemplate> controls;

  const ControlTemplate* Find(int controlId) const;
};

// A top-level window that can own dialogs: the main window or a dialog.
// While a long computation runs for it, it is disabled and takes no input.
class OwnerWindow {
 public:
  virtual ~OwnerWindow() = default;
  virtual void EnableWindow(bool enable) = 0;
  virtual bool IsWindowEnabled() = 0;
  // Gives the window the keyboard focus.
  virtual void FocusWindow() = 0;
};

// What dialog logic can do to a dialog's controls, addressed by control id.
// A dialog is itself a window that can own others (a tool dialog owns the
// progress dialog of its computation).
class DialogView : public OwnerWindow {
 public:

  virtual std::string GetText(int id) = 0;
  virtual void SetText(int id, std::string_view text) = 0;
  virtual void Enable(int id, bool enable) = 0;
  virtual bool IsEnabled(int id) = 0;
  virtual void Show(int id, bool show) = 0;
  virtual bool IsVisible(int id) = 0;
  virtual bool IsChecked(int id) = 0;
  virtual void SetChecked(int id, bool checked) = 0;
  // Limits what the user can type or paste into edit box `id` to
  // `maxChars` characters (a line break counts as one); text beyond it is
  // refused with a beep.  Text the program sets is never cut, and 0 lifts
  // the limit.
  virtual void SetTextLimit(int id, std::size_t maxChars) = 0;

  // List boxes and drop-down lists.
  virtual void ClearItems(int id) = 0;
  virtual void AddItem(int id, std::string_view text) = 0;
  virtual int ItemCount(int id) = 0;
  virtual std::string ItemText(int id, int index) = 0;
  virtual int GetSelection(int id) = 0;  // -1 for none
  virtual void SetSelection(int id, int index) = 0;

  virtual void SetFocus(int id) = 0;
  // Asks for an owner-drawn control to be painted again.
  virtual void Redraw(int id) = 0;
  virtual void SetCaption(std::string_view text) = 0;
  // Closes a modal dialog; RunModal returns `result`.  A modeless dialog
  // is hidden and its owner enabled again, as the classic end-dialog
  // operation does.
  virtual void EndDialog(int result) = 0;
};

// A dialog's behaviour.  Escape and the close box arrive as OnCommand with
// kIdCancel, unless the template says they do nothing.
class DialogLogic {
 public:
  virtual ~DialogLogic() = default;
  virtual void OnInit(DialogView& view) { (void)view; }
  virtual void OnCommand(DialogView& view, int id, int notification) {
    (void)notification;
    if (id == kIdOk || id == kIdCancel) view.EndDialog(id);
  }
  // Paints the owner-drawn control `id` whose client rectangle is `rect`.
  virtual void OnDrawItem(int id, Canvas& canvas, const Rect& rect) {
    (void)id, (void)canvas, (void)rect;
  }
};

// A modeless dialog.  Destroying the handle destroys the window; the
// template and the logic must outlive the handle.
class ModelessDialog {
 public:
  virtual ~ModelessDialog() = default;
  virtual DialogView& View() = 0;
  virtual void Show() = 0;
  // False once the dialog has been ended.
  virtual bool IsOpen() = 0;
  // Whether the keyboard focus is inside this dialog.
  virtual bool HasFocus() = 0;
};

// Runs modal dialogs and creates modeless ones.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // Shows the dialog built from `dialog` and returns the EndDialog result.
  virtual int RunModal(const DialogTemplate& dialog, DialogLogic& logic) = 0;
  // Creates the dialog built from `dialog`, owned by `owner` (null: the main
  // window), and runs the logic's OnInit.  It stays hidden until Show.
  virtual std::unique_ptr<ModelessDialog> OpenModeless(const DialogTemplate& dialog, DialogLogic& logic,
                                                       OwnerWindow* owner) = 0;
};

}  // namespace varnik
