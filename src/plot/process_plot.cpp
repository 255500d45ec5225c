#include "plot/process_plot.h"

#include "plot/plot_draw.h"
#include "plot/plot_state.h"
#include "plot/plot_view.h"

namespace varnik {

bool ProcessPlot::HasData() const { return !g_plotPoints.empty(); }

int ProcessPlot::AxisCount() const {
  return g_plotPoints.empty() ? 0 : static_cast<int>(g_plotPoints.front().coordinates.size());
}

void ProcessPlot::SelectAxisPair(int x, int y) { varnik::SelectAxisPair(g_plotPoints, x, y); }

bool ProcessPlot::IsPointVisible(int index) const {
  return index >= 0 && static_cast<std::size_t>(index) < g_plotPoints.size() &&
         g_plotPoints[static_cast<std::size_t>(index)].visible != 0;
}

void ProcessPlot::HidePoint(int index) { varnik::HidePoint(index); }
void ProcessPlot::ZoomIn() { varnik::ZoomIn(); }
void ProcessPlot::ZoomAt(int x, int y, bool in) { varnik::ZoomAt(x, y, in); }
void ProcessPlot::ZoomOut() { varnik::ZoomOut(); }
void ProcessPlot::PanLeft() { varnik::PanLeft(); }
void ProcessPlot::PanRight() { varnik::PanRight(); }
void ProcessPlot::PanUp() { varnik::PanUp(); }
void ProcessPlot::PanDown() { varnik::PanDown(); }

bool ProcessPlot::FindPointUnderMouse(int x, int y) { return varnik::FindPointUnderMouse(g_plotPoints, x, y); }

void ProcessPlot::Draw(Canvas& canvas) { DrawPlot(g_plotPoints, g_plotGroups, canvas); }

}  // namespace varnik
