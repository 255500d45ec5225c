// A dialog built from a DialogTemplate: the controls of the template, the
// DialogView the logic acts through, and the forwarding of the controls'
// events to the logic with the classic notification codes.  It runs modal
// (Run) or modeless (InitModeless, then ShowModeless).
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <vector>

#include <wx/dialog.h>
#include <wx/weakref.h>

#include "gui/dialog_controls.h"
#include "platform/dialog.h"

namespace varnik {

class TemplateDialog : public DialogView {
 public:
  TemplateDialog(wxWindow* parent, const DialogTemplate& dialog, DialogLogic& logic);
  ~TemplateDialog() override;
  TemplateDialog(const TemplateDialog&) = delete;
  TemplateDialog& operator=(const TemplateDialog&) = delete;

  // Initialises the logic, shows the dialog until the logic ends it and
  // returns its result.
  int Run();

  // Initialises the logic of a modeless dialog, which stays hidden until
  // ShowModeless.  Ending it hides it and calls `onEnded`.
  void InitModeless(std::function<void()> onEnded);
  void ShowModeless();
  bool Ended() const { return ended_; }
  // Whether the keyboard focus is in this dialog.
  bool HasFocusInside() const;

  // The toolkit window of a control, or null.
  wxWindow* Window(int id) const;
  // Null once the toolkit has destroyed the dialog (with its owner).
  wxDialog* Dialog() const { return dialog_.get(); }

  std::string GetText(int id) override;
  void SetText(int id, std::string_view text) override;
  void Enable(int id, bool enable) override;
  bool IsEnabled(int id) override;
  void Show(int id, bool show) override;
  bool IsVisible(int id) override;
  bool IsChecked(int id) override;
  void SetChecked(int id, bool checked) override;
  void SetTextLimit(int id, std::size_t maxChars) override;
  void ClearItems(int id) override;
  void AddItem(int id, std::string_view text) override;
  int ItemCount(int id) override;
  std::string ItemText(int id, int index) override;
  int GetSelection(int id) override;
  void SetSelection(int id, int index) override;
  void SetFocus(int id) override;
  void Redraw(int id) override;
  void SetCaption(std::string_view text) override;
  void EndDialog(int result) override;
  void EnableWindow(bool enable) override;
  bool IsWindowEnabled() override;
  void FocusWindow() override;

 private:
  struct Control {
    const ControlTemplate* entry;
    wxWindow* window;
  };

  void Build();
  // Widens controls whose text does not fit, and the dialog with them.
  void FitTexts();
  void BindEvents(const Control& control);
  const Control* Find(int id) const;
  const Control* FindByWindow(const wxWindow* window) const;
  void Dispatch(int id, int notification);
  void OnEditChanged(int id);
  bool PressEnter();
  bool MoveFocus(bool forward);
  void OnCharHook(wxKeyEvent& event);
  void OnClose(wxCloseEvent& event);

  const DialogTemplate& template_;
  DialogLogic& logic_;
  wxWeakRef<wxDialog> dialog_;
  std::vector<Control> controls_;
  DialogUnits units_;
  bool fitted_ = false;  // texts are fitted from now on, as they change
  // The limited edit boxes: their limit and their length after the last
  // change, in the toolkit's characters.
  struct TextLimit {
    long maxChars = 0;
    long length = 0;
  };
  std::map<int, TextLimit> textLimits_;
  bool cutting_ = false;  // a limited edit box is being cut back
  std::function<void()> onEnded_;  // set for a modeless dialog
  wxWindow* pendingFocus_ = nullptr;
  bool running_ = false;
  bool ended_ = false;
  int result_ = kIdCancel;
};

}  // namespace varnik
