// The plot's view window: which range of the shown coordinates the plot area
// maps, how it is computed from the data, and how zoom and pan move it.
//
// The data box (x0..x1, y0..y1) is the range of the visible samples' shown
// coordinates with a margin.  Both axes share one scale, so one axis has
// spare room: its window may extend up to `e` instead of its data bound.
#pragma once

#include <cstdint>
#include <vector>

#include "plot/plot_types.h"

namespace varnik {

struct PlotView {
  double x0 = 0, x1 = 0, y0 = 0, y1 = 0;  // data box
  double e = 0;                           // extended upper bound of the roomy axis
  int32_t roomyAxis = 1;                  // 0 horizontal, 1 vertical
  double vx0 = 0, vx1 = 0, vy0 = 0, vy1 = 0;  // view window
  int32_t rememberedWidth = 0;            // plot-area size the window was computed for
  int32_t rememberedHeight = 0;

  double HorizontalLimit() const { return roomyAxis == 1 ? x1 : e; }
  double VerticalLimit() const { return roomyAxis == 1 ? e : y1; }
};

extern PlotView g_plotView;

// Shown coordinates: the sample's coordinates, mirrored when an axis is flipped.
double ShownX(const CUzorak& point);
double ShownY(const CUzorak& point);

// Makes the next paint compute a fresh view window.
void ForgetPlotAreaSize();

// Computes the data box and the full view window for a plot area of
// `width` x `height` pixels from the visible samples (also those of groups
// that are never drawn).  Samples with a coordinate that is not a finite
// number do not widen the box.
void ComputeViewWindow(const std::vector<CUzorak>& points, int width, int height);

// Keeps the view window inside the data box and the room of the roomy axis.
void ClampViewWindow();
void ZoomIn();
void ZoomOut();
// Zooms in or out by the keys' step about the point under the mouse at
// (`mouseX`, `mouseY`) in the client area of the last paint; that point
// stays where it is unless the window meets the data box.
void ZoomAt(int mouseX, int mouseY, bool in);

// The client area's width and height beyond the plot area: 85 and 82 pixels.
inline constexpr int kPlotMarginWidth = 85;
inline constexpr int kPlotMarginHeight = 82;
// Pixels per shown unit on both axes for a plot area of the given size.
double CommonScale(int plotWidth, int plotHeight);
void PanLeft();
void PanRight();
void PanUp();
void PanDown();

}  // namespace varnik
