#include "plot/plot_state.h"

#include "plot/plot_view.h"
#include "shell/app_state.h"

namespace varnik {

std::vector<CUzorak> g_plotPoints;
std::vector<CStanovnistvo> g_plotGroups;
std::vector<double> g_axisWeights;
std::string g_dataSetDescription;
ComputedAxesHeader g_axesSetHeader;

void ResetPlotState() {
  g_plotPoints.clear();
  g_plotGroups.clear();
  g_axisWeights.clear();
  g_dataSetDescription.clear();
  g_axesSetHeader = ComputedAxesHeader{};
  g_plotView = PlotView{};
}

void SelectAxisPair(std::vector<CUzorak>& points, int a, int b) {
  if (points.empty() || a < 0 || b < 0) return;
  const std::size_t need = static_cast<std::size_t>(a > b ? a : b);
  for (const CUzorak& point : points) {
    if (point.coordinates.size() <= need) return;
  }
  for (CUzorak& point : points) {
    point.x = point.coordinates[static_cast<std::size_t>(a)];
    point.y = point.coordinates[static_cast<std::size_t>(b)];
    point.visible = 1;
  }
  g_axisX = a;
  g_axisY = b;
  // The sample under the mouse moved away; the next mouse move finds the
  // one that is there now.
  g_hoverIndex = -1;
  ForgetPlotAreaSize();
}

void HidePoint(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= g_plotPoints.size()) return;
  g_plotPoints[static_cast<std::size_t>(index)].visible = 0;
  ForgetPlotAreaSize();
}

bool FindPointUnderMouse(const std::vector<CUzorak>& points, int mouseX, int mouseY) {
  int best = -1;
  double bestDistance = 0.0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const CUzorak& point = points[i];
    // Only what the last paint drew is on screen: never-drawn groups, samples
    // without finite coordinates and samples outside a zoomed view keep an
    // old or no screen position.
    if (point.visible == 0 || !point.drawn) continue;
    const double dx = static_cast<double>(point.screenX) - mouseX;
    const double dy = static_cast<double>(point.screenY) - mouseY;
    const double d = dx * dx + dy * dy;
    if (d < 100.0 && (best < 0 || d < bestDistance)) {
      best = static_cast<int>(i);
      bestDistance = d;
    }
  }
  const int old = g_hoverIndex;
  g_hoverIndex = best;
  return old != best;
}

}  // namespace varnik
