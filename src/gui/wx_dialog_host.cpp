#include "gui/wx_dialog_host.h"

#include "gui/template_dialog.h"

namespace varnik {

int WxDialogHost::RunModal(const DialogTemplate& dialog, DialogLogic& logic) {
  TemplateDialog built(owner_, dialog, logic);
  return built.Run();
}

}  // namespace varnik
