// The main menu (resource 110) and the accelerator table (resource 1113) as
// data, and the texts the menu shows in each language.
#pragma once

#include <string>
#include <vector>

#include "shell/command_ids.h"

namespace varnik {

struct MenuItem {
  int id = 0;  // 0 for a separator
  bool grayed = false;
  bool checked = false;  // check mark in the resource
  std::string placeholder;  // resource text; overwritten at start-up
};

struct MenuPopup {
  std::string placeholder;
  std::vector<MenuItem> items;
};

// Menu 110: the File and View popups.
const std::vector<MenuPopup>& MainMenu();

enum class AccelKey { kDelete, kRight, kLeft, kDown, kUp, kNumpadSubtract, kNumpadAdd, kChar };

struct Accelerator {
  AccelKey key;
  char character = 0;  // for kChar
  bool ctrl = false;
  bool alt = false;
  bool shift = false;
  int command = 0;
};

// Accelerator table 1113, in its resource order.
const std::vector<Accelerator>& AcceleratorTable();

// One text that RetitleMenu sets: a popup by position or an item by id.
struct MenuTextUpdate {
  bool byPosition = false;
  int target = 0;  // popup position or command id
  std::string text;
};

// The texts of the whole menu in the current language, in the order they
// are set.  Ids that menu 110 does not hold are included; setting them does
// nothing.
std::vector<MenuTextUpdate> MenuTexts();

// The window title carries the program's version, major and minor.
inline constexpr const char* kAppTitle = "Varnik Genealogy Tools v" VARNIK_VERSION_SHORT;

}  // namespace varnik
