// Loading and drawing a large population plot.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "platform/fakes.h"
#include "platform/recording_canvas.h"
#include "plot/axes_file.h"
#include "plot/axes_loader.h"
#include "plot/plot_draw.h"
#include "plot/plot_state.h"
#include "plot/plot_view.h"
#include "shell/app_state.h"
#include "texts/text_table.h"

namespace {

using namespace varnik;

constexpr int kSamples = 100000;
constexpr int kAxes = 20;
constexpr int kGroups = 40;

// A set of kSamples samples in kGroups groups on kAxes axes, with 200
// coefficients per axis, as a computation over many markers leaves them.
ComputedAxesSet LargeSet() {
  ComputedAxesSet set;
  set.name = TextById(kTextDataSetEurope290k, kLanguageSerbian);
  set.header.computationKind = 3;
  for (int g = 0; g < kGroups; ++g) {
    CStanovnistvo group;
    group.name = TextById(g, kLanguageSerbian);
    group.colour = static_cast<uint32_t>(0x102030 * (g + 1)) & 0xFFFFFF;
    group.markerShape = g % 9;
    set.groups.push_back(group);
  }
  uint64_t state = 12345;
  const auto next = [&state] {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state >> 11) / 9007199254740992.0;
  };
  for (int i = 0; i < kSamples; ++i) {
    CUzorak sample;
    sample.name = "SAMPLE" + std::to_string(i);
    sample.group = i % kGroups;
    set.samples.push_back(sample);
  }
  for (int a = 0; a < kAxes; ++a) {
    AxisRecord axis;
    axis.coefficients.assign(200, 0.5);
    axis.weight = 0.1 / (a + 1);
    for (int i = 0; i < kSamples; ++i) axis.values.push_back((i % kGroups) * 0.01 + next() * 0.05);
    set.axes.push_back(std::move(axis));
  }
  return set;
}

const std::string& LargeFile() {
  static const std::string path = [] {
    std::string p = "/tmp/varnik_plot_bench.ose";
    WriteComputedAxesFile(p, LargeSet());
    return p;
  }();
  return path;
}

void BM_LoadComputedAxes100kSamples20Axes(benchmark::State& state) {
  const std::string& path = LargeFile();
  FakeWaitCursor cursor;
  for (auto _ : state) {
    const bool loaded = OpenComputedAxesFile(path, cursor, nullptr);
    benchmark::DoNotOptimize(loaded);
    if (!loaded) state.SkipWithError("the load failed");
  }
  ResetPlotState();
}
BENCHMARK(BM_LoadComputedAxes100kSamples20Axes)->Unit(benchmark::kMillisecond);

void BM_DrawPlot100kSamplesWithLabels(benchmark::State& state) {
  FakeWaitCursor cursor;
  if (!OpenComputedAxesFile(LargeFile(), cursor, nullptr)) {
    state.SkipWithError("the load failed");
    return;
  }
  g_showPopulationNames = 1;
  RecordingCanvas canvas({1600, 1000}, false);
  for (auto _ : state) {
    ForgetPlotAreaSize();  // each paint computes its view window afresh
    DrawPlot(g_plotPoints, g_plotGroups, canvas);
  }
  state.counters["operations"] = static_cast<double>(canvas.count()) / static_cast<double>(state.iterations());
  ResetPlotState();
  ResetShellState();
}
BENCHMARK(BM_DrawPlot100kSamplesWithLabels)->Unit(benchmark::kMillisecond);

}  // namespace
