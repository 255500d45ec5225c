#include "gui/wx_dialog_host.h"

#include <wx/weakref.h>

#include "gui/template_dialog.h"

namespace varnik {

wxWindow* ToolkitWindowOf(OwnerWindow* owner) {
  if (auto* window = dynamic_cast<WxWindowOwner*>(owner)) return window->Window();
  if (auto* dialog = dynamic_cast<TemplateDialog*>(owner)) return dialog->Dialog();
  return nullptr;
}

int WxDialogHost::RunModal(const DialogTemplate& dialog, DialogLogic& logic) {
  TemplateDialog built(owner_, dialog, logic);
  return built.Run();
}

namespace {

class WxModelessDialog : public ModelessDialog {
 public:
  WxModelessDialog(wxWindow* parent, const DialogTemplate& dialog, DialogLogic& logic)
      : dialog_(parent, dialog, logic) {}

  TemplateDialog& Built() { return dialog_; }
  DialogView& View() override { return dialog_; }
  void Show() override { dialog_.ShowModeless(); }
  bool IsOpen() override { return !dialog_.Ended(); }
  bool HasFocus() override { return dialog_.HasFocusInside(); }

 private:
  TemplateDialog dialog_;
};

}  // namespace

std::unique_ptr<ModelessDialog> WxDialogHost::OpenModeless(const DialogTemplate& dialog, DialogLogic& logic,
                                                           OwnerWindow* owner) {
  wxWindow* parent = owner != nullptr ? ToolkitWindowOf(owner) : owner_;
  auto built = std::make_unique<WxModelessDialog>(parent, dialog, logic);
  // Ending the dialog gives its owner back the input, as the classic
  // end-dialog operation does.
  wxWeakRef<wxWindow> ownerRef(parent);
  built->Built().InitModeless([ownerRef] {
    if (ownerRef) ownerRef->Enable(true);
  });
  return built;
}

}  // namespace varnik
