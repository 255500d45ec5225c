// Loading a computed-axes set into the plot (File menu, "load computed axes").
//
// A load reads and checks the whole file before it touches the plot: a file
// that cannot be read, is cut short or breaks the plot's invariants leaves the
// loaded set, its name and the window title exactly as they were.  A
// successful load replaces the set entirely and shows axes 1 and 2 with every
// sample visible and a fresh view window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui_services.h"
#include "plot/axes_file.h"
#include "plot/plot_types.h"

namespace varnik {

// Asks for a ".ose" file and loads it.  Returns true only when a set was
// loaded; cancelling changes nothing.  A file that fails to load is named in
// a message box with the reason.  `updateWindowTitle` is the main window's
// title update, called after every attempted load.
bool LoadComputedAxes(FileDialog& files, WaitCursor& cursor, MessageBoxes& messages,
                      const std::function<void()>& updateWindowTitle);

// Loads the file at `path` as LoadComputedAxes does after its file dialog
// (the start-up file of the program).
bool LoadComputedAxesFrom(const std::string& path, WaitCursor& cursor, MessageBoxes& messages,
                          const std::function<void()>& updateWindowTitle);

// Loads the file at `path` with the wait cursor shown, then updates the
// title.  On failure `error` (when given) says why.
bool OpenComputedAxesFile(const std::string& path, WaitCursor& cursor,
                          const std::function<void()>& updateWindowTitle, std::string* error = nullptr);

// Gives every sample its coordinates from the axis records (value i of each
// axis belongs to sample i) and fills `weights` with the axes' shares of
// variation.  Fails, changing nothing, when an axis does not hold exactly one
// value per sample.
bool LoadAxisCoordinates(const std::vector<AxisRecord>& axes, std::vector<CUzorak>& samples,
                         std::vector<double>& weights);

}  // namespace varnik
