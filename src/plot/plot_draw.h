// Drawing the population plot: frame, numbered grid, one marker per sample,
// sample names, the name under the mouse, population labels at the groups'
// medians and the caption naming the shown axes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.h"
#include "plot/plot_types.h"

namespace varnik {

// Draws the plot for a client area of the canvas's size onto the canvas,
// which the caller has filled with black.  Computes a fresh view window when
// the plot-area size differs from the remembered one, and stores each drawn
// sample's pixel position.  Draws nothing without axis weights or when the
// client area leaves no plot area (width 85 or less, height 82 or less).
void DrawPlot(std::vector<CUzorak>& samples, const std::vector<CStanovnistvo>& groups, Canvas& canvas);

// A round grid step (1, 2, 2.5 or 5 times a power of ten) that divides
// `range` into about `wanted` intervals.
double NiceStep(double range, int wanted);

// Removes trailing zeros after a decimal point, then a trailing point.
std::string TrimNumber(std::string text);

// Median of the values that are neither NaN nor exactly 1e-10 (a value that
// marks a missing coordinate); 0 for none.  Reorders `values`.
double MedianOf(std::vector<double>& values);

// The sample name shown under the mouse; one sample is shown under a fixed
// short substitute.
std::string_view NameUnderMouse(const CUzorak& sample);

}  // namespace varnik
