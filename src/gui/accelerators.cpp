#include "gui/accelerators.h"

#include <vector>

#include "gui/toolkit_ids.h"
#include "shell/menu.h"

namespace varnik {
namespace {

// The toolkit key codes of one key of the table.
std::vector<int> KeyCodes(const Accelerator& accel) {
  switch (accel.key) {
    case AccelKey::kDelete: return {WXK_DELETE, WXK_NUMPAD_DELETE};
    case AccelKey::kRight: return {WXK_RIGHT, WXK_NUMPAD_RIGHT};
    case AccelKey::kLeft: return {WXK_LEFT, WXK_NUMPAD_LEFT};
    case AccelKey::kDown: return {WXK_DOWN, WXK_NUMPAD_DOWN};
    case AccelKey::kUp: return {WXK_UP, WXK_NUMPAD_UP};
    case AccelKey::kNumpadSubtract: return {WXK_NUMPAD_SUBTRACT};
    case AccelKey::kNumpadAdd: return {WXK_NUMPAD_ADD};
    case AccelKey::kChar: return {static_cast<unsigned char>(accel.character)};
  }
  return {};
}

}  // namespace

wxAcceleratorTable BuildAcceleratorTable() {
  std::vector<wxAcceleratorEntry> entries;
  for (const Accelerator& accel : AcceleratorTable()) {
    int flags = wxACCEL_NORMAL;
    if (accel.ctrl) flags |= wxACCEL_CTRL;
    if (accel.alt) flags |= wxACCEL_ALT;
    if (accel.shift) flags |= wxACCEL_SHIFT;
    for (int code : KeyCodes(accel)) entries.emplace_back(flags, code, ToToolkitId(accel.command));
  }
  return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}

}  // namespace varnik
