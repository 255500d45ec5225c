// The bar graph of the age distribution.
#pragma once

#include "platform/canvas.h"
#include "tmrca/age_distribution.h"

namespace varnik {

// Draws the distribution into `rect` on a light grey ground: one bar per
// generation (or, with more generations than pixels, one averaged line per
// pixel column), the half-point generation in orange, the others green,
// with rotated labels for the largest value, the half point and the first
// and last generation shown.  `cumulative` draws the running sums instead
// of the probabilities; `fromFirstGeneration` starts at generation 1 rather
// than where the running sum first reaches 0.1%.  An empty or flat
// distribution leaves only the ground.
void DrawAgeGraph(Canvas& canvas, const Rect& rect, const CNizVerovatnoca& distribution, bool cumulative,
                  bool fromFirstGeneration);

}  // namespace varnik
