// The program's icons (resources 107, large, and 108, small), drawn at
// start-up: a small population plot, points in three groups over two axes.
#pragma once

#include <wx/iconbndl.h>

namespace varnik {

wxIconBundle MakeAppIcons();

}  // namespace varnik
