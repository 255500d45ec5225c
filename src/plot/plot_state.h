// The loaded population plot as process-wide state, and the operations the
// main window performs on it: choosing the shown axes, hiding one sample and
// finding the sample under the mouse.  The shown axes and the sample under
// the mouse are the shell's g_axisX, g_axisY and g_hoverIndex.
#pragma once

#include <string>
#include <vector>

#include "plot/axes_file.h"
#include "plot/plot_types.h"

namespace varnik {

extern std::vector<CUzorak> g_plotPoints;        // the plot holds data when not empty
extern std::vector<CStanovnistvo> g_plotGroups;
extern std::vector<double> g_axisWeights;         // share of the variation per axis
extern std::string g_dataSetDescription;
extern ComputedAxesHeader g_axesSetHeader;

// Empties the plot and its view window (tests; the program never empties a
// loaded set).
void ResetPlotState();

// Makes axis a the horizontal and axis b the vertical axis of every sample,
// shows every sample again and lets the next paint compute a fresh view
// window.  Does nothing for an empty array or for an axis the samples lack.
void SelectAxisPair(std::vector<CUzorak>& points, int a, int b);

// Hides sample `index` of g_plotPoints; the next paint recomputes the view
// window without it.
void HidePoint(int index);

// Makes g_hoverIndex the visible sample drawn nearest to the mouse within 10
// pixels (the lower index among equals; -1 for none) and returns whether it
// changed.
bool FindPointUnderMouse(const std::vector<CUzorak>& points, int mouseX, int mouseY);

}  // namespace varnik
