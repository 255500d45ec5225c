// Accelerator table 1113 as a wxAcceleratorTable.
#pragma once

#include <wx/accel.h>

namespace varnik {

// Entries carry toolkit ids (toolkit_ids.h).  The arrow and Delete keys of
// the keypad (with Num Lock off) count as the main keys, as they do for the
// classic accelerator tables; the keypad's + and - stay distinct from the
// main keyboard's.
wxAcceleratorTable BuildAcceleratorTable();

}  // namespace varnik
