// The nine marker shapes of the population plot.
#pragma once

#include "platform/canvas.h"

namespace varnik {

// Draws marker `shape` (0 to 8; other values draw nothing) centred on
// (px, py) in `colour`.  Leaves the canvas's pen and brush set to `colour`.
void DrawMarker(Canvas& canvas, int shape, int px, int py, Color colour);

}  // namespace varnik
