#include "plot/axes_loader.h"

#include <utility>

#include "common/format.h"
#include "plot/plot_state.h"
#include "plot/plot_view.h"
#include "shell/app_state.h"
#include "texts/text_table.h"

namespace varnik {

bool LoadComputedAxes(FileDialog& files, WaitCursor& cursor, MessageBoxes& messages,
                      const std::function<void()>& updateWindowTitle) {
  const std::optional<std::string> path = files.OpenFile(TextById(kTextOpenAxesFileTitle), "*.ose", "");
  if (!path) return false;
  return LoadComputedAxesFrom(*path, cursor, messages, updateWindowTitle);
}

bool LoadComputedAxesFrom(const std::string& path, WaitCursor& cursor, MessageBoxes& messages,
                          const std::function<void()>& updateWindowTitle) {
  std::string error;
  if (OpenComputedAxesFile(path, cursor, updateWindowTitle, &error)) return true;
  messages.Show(Format(TextById(kTextAxesFileNotLoaded).c_str(), path.c_str(), error.c_str()),
                TextById(kTextMenuLoadAxes), kMbIconError);
  return false;
}

bool LoadAxisCoordinates(const std::vector<AxisRecord>& axes, std::vector<CUzorak>& samples,
                         std::vector<double>& weights) {
  for (const AxisRecord& axis : axes) {
    if (axis.values.size() != samples.size()) return false;
  }
  weights.clear();
  for (CUzorak& sample : samples) {
    sample.coordinates.clear();
    sample.coordinates.reserve(axes.size());
  }
  for (const AxisRecord& axis : axes) {
    weights.push_back(axis.weight);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i].coordinates.push_back(axis.values[i]);
  }
  return true;
}

namespace {

// Replaces the loaded set with `set`, whose samples carry their coordinates.
void Install(ComputedAxesSet& set, std::vector<double>& weights, const std::string& path) {
  g_plotGroups = std::move(set.groups);
  g_plotPoints = std::move(set.samples);
  g_axisWeights = std::move(weights);
  g_dataSetName = std::move(set.name);
  g_dataSetDescription = std::move(set.description);
  g_axesSetHeader = set.header;
  g_axesFilePath = path;
  // The index under the mouse named a sample of the old set.
  g_hoverIndex = -1;
  g_plotView = PlotView{};
  g_axisX = 0;
  g_axisY = 1;
  SelectAxisPair(g_plotPoints, 0, 1);
}

}  // namespace

bool OpenComputedAxesFile(const std::string& path, WaitCursor& cursor,
                          const std::function<void()>& updateWindowTitle, std::string* error) {
  bool loaded = false;
  {
    ScopedWaitCursor wait(cursor);
    ComputedAxesSet set;
    std::vector<double> weights;
    if (ReadComputedAxesFile(path, set, {}, error)) {
      loaded = LoadAxisCoordinates(set.axes, set.samples, weights);
      if (!loaded && error != nullptr) *error = "an axis does not hold one value per sample";
      set.axes.clear();
      set.axes.shrink_to_fit();
      if (loaded) Install(set, weights, path);
    }
  }
  if (updateWindowTitle) updateWindowTitle();
  return loaded;
}

}  // namespace varnik
