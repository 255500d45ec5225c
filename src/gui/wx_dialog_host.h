// Runs the program's modal dialogs and creates its modeless ones as toolkit
// dialogs built from templates.
#pragma once

#include <wx/window.h>

#include "platform/dialog.h"

namespace varnik {

// Any toolkit window as an owner of dialogs (the main window).
class WxWindowOwner : public OwnerWindow {
 public:
  explicit WxWindowOwner(wxWindow* window) : window_(window) {}
  wxWindow* Window() const { return window_; }
  void EnableWindow(bool enable) override { window_->Enable(enable); }
  bool IsWindowEnabled() override { return window_->IsEnabled(); }
  void FocusWindow() override { window_->SetFocus(); }

 private:
  wxWindow* window_;
};

// The toolkit window of an owner: a WxWindowOwner or a dialog built from a
// template; null for anything else.
wxWindow* ToolkitWindowOf(OwnerWindow* owner);

class WxDialogHost : public DialogHost {
 public:
  // `owner` is the window the dialogs belong to (the main window).
  explicit WxDialogHost(wxWindow* owner) : owner_(owner) {}
  int RunModal(const DialogTemplate& dialog, DialogLogic& logic) override;
  std::unique_ptr<ModelessDialog> OpenModeless(const DialogTemplate& dialog, DialogLogic& logic,
                                               OwnerWindow* owner) override;

 private:
  wxWindow* owner_;
};

}  // namespace varnik
