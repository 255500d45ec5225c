// Menu 110 as a wxMenuBar, and the texts the program writes into it.
#pragma once

#include <string_view>

#include <wx/menu.h>
#include <wx/string.h>

namespace varnik {

// Builds the menu bar from MainMenu(): placeholder texts, grayed items
// disabled, the view toggles and languages as check items with the
// resource's check marks.  Items carry toolkit ids (toolkit_ids.h).
wxMenuBar* BuildMenuBar();

// A text of the program's table as the toolkit's menus can show it.
wxString MenuLabel(std::string_view text);

// Whether the item with this command id has a check mark.
bool IsCheckItem(int commandId);

}  // namespace varnik
