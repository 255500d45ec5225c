#include "gui/menu_bar.h"

#include <algorithm>
#include <array>

#include "gui/toolkit_ids.h"
#include "gui/wx_string.h"
#include "shell/command_ids.h"
#include "shell/menu.h"

namespace varnik {

bool IsCheckItem(int commandId) {
  static constexpr std::array kCheckItems = {
      kCmdShowPopulationNames, kCmdShowSampleNames, kCmdShowNameUnderMouse, kCmdFlipHorizontal,
      kCmdFlipVertical,        kCmdLanguageSerbian, kCmdLanguageRussian,    kCmdLanguageEnglish,
  };
  return std::find(kCheckItems.begin(), kCheckItems.end(), commandId) != kCheckItems.end();
}

wxString MenuLabel(std::string_view text) {
  // Some table texts end in a carriage return and line feed (the Russian
  // predictor title).  A line break inside a menu label makes a two-line
  // item, so control line breaks are dropped here, where the text meets
  // the menu; the table keeps the text as stored.  A tab stays: the toolkit
  // shows what follows it as the item's shortcut, as the text intends.
  std::string label;
  label.reserve(text.size());
  for (char c : text) {
    if (c != '\r' && c != '\n') label.push_back(c);
  }
  return ToWx(label);
}

wxMenuBar* BuildMenuBar() {
  auto* bar = new wxMenuBar;
  for (const MenuPopup& popup : MainMenu()) {
    auto* menu = new wxMenu;
    for (const MenuItem& item : popup.items) {
      if (item.id == 0) {
        menu->AppendSeparator();
        continue;
      }
      const wxItemKind kind = IsCheckItem(item.id) ? wxITEM_CHECK : wxITEM_NORMAL;
      wxMenuItem* added = menu->Append(ToToolkitId(item.id), MenuLabel(item.placeholder), wxString(), kind);
      if (kind == wxITEM_CHECK) added->Check(item.checked);
      if (item.grayed) added->Enable(false);
    }
    bar->Append(menu, MenuLabel(popup.placeholder));
  }
  return bar;
}

}  // namespace varnik
