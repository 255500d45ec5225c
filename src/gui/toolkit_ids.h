// Command ids at the toolkit boundary.  The program's menu and accelerator
// commands run from 32772 up, but wxWidgets refuses window and menu ids of
// 32767 and above.  Ids from 32768 up are moved down into a free block below
// that limit; smaller ids pass unchanged.  The block starts at 20000, above
// the toolkit's own reserved ids (wxID_LOWEST..wxID_HIGHEST, 4999..5999), so
// the program's ids must lie below 4999 or from 32768 up.
#pragma once

namespace varnik {

inline constexpr int kToolkitHighIdBase = 20000;
inline constexpr int kFirstHighCommandId = 32768;

int ToToolkitId(int commandId);
int FromToolkitId(int toolkitId);

}  // namespace varnik
