// varnik-cli axes and plot: a summary of a computed-axes file, and the
// population plot drawn into an SVG file exactly as the main window draws it.
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cli/subcommands.h"
#include "common/binary_io.h"
#include "common/format.h"
#include "platform/fakes.h"
#include "platform/svg_canvas.h"
#include "plot/axes_file.h"
#include "plot/axes_loader.h"
#include "plot/plot_state.h"
#include "plot/plot_view.h"
#include "plot/process_plot.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "texts/text_table.h"

namespace varnik::cli {
namespace {

// Puts back the process-wide state a subcommand changed, so that running
// one in-process leaves no trace.
class StateGuard {
 public:
  StateGuard()
      : language_(g_language), axisX_(g_axisX), axisY_(g_axisY), flipH_(g_flipHorizontal), flipV_(g_flipVertical),
        sampleNames_(g_showSampleNames), populationNames_(g_showPopulationNames),
        nameUnderMouse_(g_showNameUnderMouse), hover_(g_hoverIndex), name_(g_dataSetName), path_(g_axesFilePath),
        points_(g_plotPoints), groups_(g_plotGroups), weights_(g_axisWeights),
        description_(g_dataSetDescription), header_(g_axesSetHeader), view_(g_plotView) {}
  ~StateGuard() {
    g_language = language_;
    g_axisX = axisX_;
    g_axisY = axisY_;
    g_flipHorizontal = flipH_;
    g_flipVertical = flipV_;
    g_showSampleNames = sampleNames_;
    g_showPopulationNames = populationNames_;
    g_showNameUnderMouse = nameUnderMouse_;
    g_hoverIndex = hover_;
    g_dataSetName = std::move(name_);
    g_axesFilePath = std::move(path_);
    g_plotPoints = std::move(points_);
    g_plotGroups = std::move(groups_);
    g_axisWeights = std::move(weights_);
    g_dataSetDescription = std::move(description_);
    g_axesSetHeader = header_;
    g_plotView = view_;
  }
  StateGuard(const StateGuard&) = delete;
  StateGuard& operator=(const StateGuard&) = delete;

 private:
  int32_t language_, axisX_, axisY_, flipH_, flipV_, sampleNames_, populationNames_, nameUnderMouse_, hover_;
  std::string name_, path_;
  std::vector<CUzorak> points_;
  std::vector<CStanovnistvo> groups_;
  std::vector<double> weights_;
  std::string description_;
  ComputedAxesHeader header_;
  PlotView view_;
};

const char* KindText(int32_t kind) {
  switch (kind) {
    case 1: return "STR computation over FTDNA samples";
    case 2: return "STR computation over 17-marker samples";
    default: return "other computation";
  }
}

// A window that is never shown: the plot command only paints.
class NoWindow : public MainWindowHost {
 public:
  void SetPopupText(int, std::string_view) override {}
  bool SetMenuItemText(int, std::string_view) override { return true; }
  void CheckMenuItem(int, bool) override {}
  void SetTitle(std::string_view) override {}
  void Repaint() override {}
  void Destroy() override {}
};

}  // namespace

int RunAxes(Args& args) {
  int language = 1;
  if (!ParseLanguage(args.TakeOption("--lang"), language)) return Fail("--lang takes sr, en or ru");
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  if (args.rest().size() != 1) return Fail("usage: varnik-cli axes FILE [--lang sr|en|ru]");
  const std::string& path = args.rest()[0];

  ComputedAxesSet set;
  std::string error;
  ComputedAxesReadOptions options;
  options.keepMarkers = true;
  if (!ReadComputedAxesFile(path, set, options, &error)) return Fail(path + ": " + error);

  StateGuard guard;
  g_language = language;
  const ComputedAxesHeader& h = set.header;
  std::printf("Set: %s\n", set.name.empty() ? "" : Texts().TranslateSerbianName(set.name).c_str());
  std::printf("Name in the file: %s\n", set.name.c_str());
  std::printf("Description: %s\n", set.description.c_str());
  std::printf("Format version: %d\n", h.formatVersion);
  std::printf("Computation kind: %d (%s)\n", h.computationKind, KindText(h.computationKind));
  std::printf("Requested axes: %d, weighting flag: %d\n", h.requestedAxisCount, h.weightingFlag);
  if (h.HasStrFields()) {
    std::printf("Marker order: %d, marker counts %d to %d\n", h.markerOrder, h.smallestMarkerCount,
                h.largestMarkerCount);
  }
  std::vector<int> counts(set.groups.size(), 0);
  for (const CUzorak& sample : set.samples) ++counts[static_cast<std::size_t>(sample.group)];
  std::size_t empty = 0;
  std::printf("Groups: %zu\n", set.groups.size());
  for (std::size_t g = 0; g < set.groups.size(); ++g) {
    if (counts[g] == 0) {
      ++empty;
      continue;
    }
    const CStanovnistvo& group = set.groups[g];
    const Color c = ColorFromValue(group.colour);
    std::printf("  %3zu  %-32s %5d samples  shape %d  colour #%02x%02x%02x\n", g,
                Texts().TranslateSerbianName(group.name).c_str(), counts[g], group.markerShape, c.r, c.g, c.b);
  }
  if (empty > 0) std::printf("  (%zu groups without samples)\n", empty);
  std::printf("Samples: %zu\n", set.samples.size());
  std::printf("Marker records: %zu\n", set.markers.size());
  std::printf("Axes: %zu\n", set.axes.size());
  for (std::size_t a = 0; a < set.axes.size(); ++a) {
    std::printf("  %3zu  %.3f%%\n", a + 1, 100.0 * set.axes[a].weight);
  }
  return 0;
}

int RunPlot(Args& args) {
  const char* usage =
      "usage: varnik-cli plot FILE --svg OUT [--axes X,Y] [--flip-h] [--flip-v] [--size WxH] "
      "[--sample-names] [--lang sr|en|ru]";
  int language = 1;
  if (!ParseLanguage(args.TakeOption("--lang"), language)) return Fail("--lang takes sr, en or ru");
  const auto svg = args.TakeOption("--svg");
  const auto axes = args.TakeOption("--axes");
  const auto size = args.TakeOption("--size");
  const bool flipH = args.TakeFlag("--flip-h");
  const bool flipV = args.TakeFlag("--flip-v");
  const bool sampleNames = args.TakeFlag("--sample-names");
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  if (args.rest().size() != 1 || !svg) return Fail(usage);

  int width = 1000, height = 700;
  if (size && !ParsePair(*size, 'x', 1, 20000, width, height)) return Fail("--size takes WIDTHxHEIGHT, as 1000x700");
  int axisX = 1, axisY = 2;
  if (axes && !ParsePair(*axes, ',', 1, 1 << 30, axisX, axisY)) {
    return Fail("--axes takes two axis numbers counted from 1, as 1,2");
  }

  StateGuard guard;
  g_language = language;
  FakeWaitCursor cursor;
  std::string error;
  const std::string& path = args.rest()[0];
  if (!OpenComputedAxesFile(path, cursor, nullptr, &error)) return Fail(path + ": " + error);

  ProcessPlot plot;
  // Axes are counted over the samples, so a set without samples has none.
  if (!plot.HasData()) return Fail(path + ": the set has no samples to plot");
  if (axisX > plot.AxisCount() || axisY > plot.AxisCount()) {
    return Fail(Format("--axes: the set has %d axes", plot.AxisCount()));
  }
  g_flipHorizontal = flipH ? 1 : 0;
  g_flipVertical = flipV ? 1 : 0;
  g_showSampleNames = sampleNames ? 1 : 0;
  plot.SelectAxisPair(axisX - 1, axisY - 1);

  NoWindow window;
  EmptyChromosomePainting painting;
  NoTools tools;
  MainWindow main(window, plot, painting, tools);
  SvgCanvas canvas({width, height});
  main.Paint(canvas);
  return WriteOutput(*svg, [&canvas](const ByteSink& sink) { return canvas.Write(sink); });
}

}  // namespace varnik::cli
