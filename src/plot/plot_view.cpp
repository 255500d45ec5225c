#include "plot/plot_view.h"

#include <algorithm>
#include <cmath>

#include "shell/app_state.h"

namespace varnik {

PlotView g_plotView;

double ShownX(const CUzorak& point) { return g_flipHorizontal != 0 ? -point.x : point.x; }
double ShownY(const CUzorak& point) { return g_flipVertical != 0 ? -point.y : point.y; }

void ForgetPlotAreaSize() {
  g_plotView.rememberedWidth = 0;
  g_plotView.rememberedHeight = 0;
}

void ComputeViewWindow(const std::vector<CUzorak>& points, int width, int height) {
  PlotView& v = g_plotView;
  v.rememberedWidth = width;
  v.rememberedHeight = height;
  v.x0 = v.x1 = v.y0 = v.y1 = 0;
  v.vx0 = v.vx1 = v.vy0 = v.vy1 = 0;

  bool first = true;
  for (const CUzorak& point : points) {
    if (point.visible == 0) continue;
    const double sx = ShownX(point);
    const double sy = ShownY(point);
    if (!std::isfinite(sx) || !std::isfinite(sy)) continue;
    if (first) {
      v.x0 = v.x1 = sx;
      v.y0 = v.y1 = sy;
      first = false;
      continue;
    }
    v.x0 = std::min(v.x0, sx);
    v.x1 = std::max(v.x1, sx);
    v.y0 = std::min(v.y0, sy);
    v.y1 = std::max(v.y1, sy);
  }

  const double margin = std::max(v.x1 - v.x0, v.y1 - v.y0) / 100.0;
  v.x0 -= margin;
  v.x1 += margin;
  v.y0 -= margin;
  v.y1 += margin;

  constexpr double kDegenerate = 1e-10;
  const bool flatX = v.x1 - v.x0 < kDegenerate;
  const bool flatY = v.y1 - v.y0 < kDegenerate;
  if (flatX && flatY) {
    v.x1 = v.x0 + 0.01;
    v.y1 = v.y0 + 0.01;
  } else if (flatX) {
    v.x1 = v.x0 + 0.1 * (v.y1 - v.y0);
  } else if (flatY) {
    v.y1 = v.y0 + 0.1 * (v.x1 - v.x0);
  }

  // One scale for both axes: the axis whose data is relatively narrower gets
  // the spare room of the plot area.
  const double aspect = static_cast<double>(width) / static_cast<double>(height);
  const double ratio = (v.x1 - v.x0) / (v.y1 - v.y0);
  if (ratio < aspect) {
    v.roomyAxis = 0;
    v.e = v.x0 + (v.x1 - v.x0) * aspect / ratio;
    v.vx1 = v.e;
    v.vy1 = v.y1;
  } else {
    v.roomyAxis = 1;
    v.e = v.y0 + (v.y1 - v.y0) * ratio / aspect;
    v.vy1 = v.e;
    v.vx1 = v.x1;
  }
  v.vx0 = v.x0;
  v.vy0 = v.y0;
}

void ClampViewWindow() {
  PlotView& v = g_plotView;
  if (v.x0 > v.vx0) v.vx0 = v.x0;
  if (v.y0 > v.vy0) v.vy0 = v.y0;
  if (v.vx1 > v.HorizontalLimit()) v.vx1 = v.HorizontalLimit();
  if (v.vy1 > v.VerticalLimit()) v.vy1 = v.VerticalLimit();
  // A window reaching into the spare room beyond the data slides back
  // towards the data, as far as the lower data bound allows.
  const bool horizontal = v.roomyAxis == 0;
  double& low = horizontal ? v.vx0 : v.vy0;
  double& high = horizontal ? v.vx1 : v.vy1;
  const double lowBound = horizontal ? v.x0 : v.y0;
  const double highBound = horizontal ? v.x1 : v.y1;
  if (high > highBound) {
    const double shift = std::min(high - highBound, low - lowBound);
    low -= shift;
    high -= shift;
  }
}

namespace {

void Scale(double& low, double& high, double factor) {
  const double centre = (low + high) / 2.0;
  const double half = (high - low) / 2.0 * factor;
  low = centre - half;
  high = centre + half;
}

// Slides [low, high] right to start at lowBound, then left by whatever it
// exceeds highBound.
void ShiftInto(double& low, double& high, double lowBound, double highBound) {
  if (lowBound > low) {
    high += lowBound - low;
    low = lowBound;
  }
  if (high > highBound) {
    low -= high - highBound;
    high = highBound;
  }
}

}  // namespace

double CommonScale(int plotWidth, int plotHeight) {
  const PlotView& v = g_plotView;
  const double kx = v.vx1 - v.vx0 > 1e-6 ? plotWidth / (v.vx1 - v.vx0) : 1.0;
  const double ky = v.vy1 - v.vy0 > 1e-6 ? plotHeight / (v.vy1 - v.vy0) : 1.0;
  return ky < kx ? ky : kx;
}

void ZoomAt(int mouseX, int mouseY, bool in) {
  PlotView& v = g_plotView;
  if (v.rememberedWidth <= 0 || v.rememberedHeight <= 0) {
    in ? ZoomIn() : ZoomOut();
    return;
  }
  // The shown point under the mouse, as the last paint placed it: the plot
  // area starts 60 pixels from the left and ends 50 above the bottom.
  const double k = CommonScale(v.rememberedWidth, v.rememberedHeight);
  const int clientHeight = v.rememberedHeight + kPlotMarginHeight;
  const double px = v.vx0 + (mouseX - 60) / k;
  const double py = v.vy0 + (clientHeight - 50 - mouseY) / k;
  const double factor = in ? 1.0 / 1.2 : 1.2;
  const auto scaleAbout = [factor](double& low, double& high, double at) {
    if (!(at >= low && at <= high)) at = (low + high) / 2.0;
    low = at - (at - low) * factor;
    high = at + (high - at) * factor;
  };
  scaleAbout(v.vx0, v.vx1, px);
  scaleAbout(v.vy0, v.vy1, py);
  if (!in) {
    ShiftInto(v.vx0, v.vx1, v.x0, v.HorizontalLimit());
    ShiftInto(v.vy0, v.vy1, v.y0, v.VerticalLimit());
  }
  ClampViewWindow();
}

void ZoomIn() {
  Scale(g_plotView.vx0, g_plotView.vx1, 1.0 / 1.2);
  Scale(g_plotView.vy0, g_plotView.vy1, 1.0 / 1.2);
  ClampViewWindow();
}

void ZoomOut() {
  PlotView& v = g_plotView;
  Scale(v.vx0, v.vx1, 1.2);
  Scale(v.vy0, v.vy1, 1.2);
  ShiftInto(v.vx0, v.vx1, v.x0, v.HorizontalLimit());
  ShiftInto(v.vy0, v.vy1, v.y0, v.VerticalLimit());
  ClampViewWindow();
}

void PanLeft() {
  PlotView& v = g_plotView;
  const double d = std::min(0.1 * (v.vx1 - v.vx0), v.vx0 - v.x0);
  v.vx0 -= d;
  v.vx1 -= d;
  ClampViewWindow();
}

void PanRight() {
  PlotView& v = g_plotView;
  const double d = std::min(0.1 * (v.vx1 - v.vx0), v.HorizontalLimit() - v.vx1);
  v.vx0 += d;
  v.vx1 += d;
  ClampViewWindow();
}

void PanUp() {
  PlotView& v = g_plotView;
  const double d = std::min(0.1 * (v.vy1 - v.vy0), v.VerticalLimit() - v.vy1);
  v.vy0 += d;
  v.vy1 += d;
  ClampViewWindow();
}

void PanDown() {
  PlotView& v = g_plotView;
  const double d = std::min(0.1 * (v.vy1 - v.vy0), v.vy0 - v.y0);
  v.vy0 -= d;
  v.vy1 -= d;
  ClampViewWindow();
}

}  // namespace varnik
