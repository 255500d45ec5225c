// Runs the program's modal dialogs as toolkit dialogs built from templates.
#pragma once

#include <wx/window.h>

#include "platform/dialog.h"

namespace varnik {

class WxDialogHost : public DialogHost {
 public:
  // `owner` is the window the dialogs belong to (the main window).
  explicit WxDialogHost(wxWindow* owner) : owner_(owner) {}
  int RunModal(const DialogTemplate& dialog, DialogLogic& logic) override;

 private:
  wxWindow* owner_;
};

}  // namespace varnik
