// Small plot data for the tests of src/plot.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot/axes_file.h"
#include "plot/plot_state.h"
#include "shell/app_state.h"
#include "texts/text_table.h"

namespace varnik::test {

// Every test starts and ends with the program's start-up state.
class PlotStateTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetShellState(), ResetPlotState(); }
  void TearDown() override { ResetShellState(), ResetPlotState(); }
};

inline CStanovnistvo Group(int32_t textId, Color colour, int32_t shape) {
  CStanovnistvo g;
  g.name = TextById(textId, kLanguageSerbian);
  g.secondText = TextById(textId, kLanguageEnglish);
  g.colour = ValueFromColor(colour);
  g.number = textId;
  g.markerShape = shape;
  return g;
}

inline CUzorak Sample(std::string name, int32_t group, std::vector<double> coordinates) {
  CUzorak s;
  s.name = std::move(name), s.group = group, s.coordinates = std::move(coordinates);
  if (s.coordinates.size() >= 2) s.x = s.coordinates[0], s.y = s.coordinates[1];
  return s;
}

// A valid set of `samples` samples in three groups on `axes` axes; every
// value differs, so a field read from the wrong place shows.
inline ComputedAxesSet SmallSet(int samples = 5, int axes = 3) {
  ComputedAxesSet set;
  set.name = TextById(kTextDataSetEurope290k, kLanguageSerbian);
  set.description = "Опис: test set";
  set.header.computationKind = 3;
  set.header.requestedAxisCount = axes;
  set.header.weightingFlag = 1;
  set.header.integerParameter = 17;
  set.header.realParameter = 0.125;
  set.header.reserved = 99;
  set.header.leadingDouble = -2.5;
  set.groups = {Group(kPopSerbs, {230, 40, 40}, 0), Group(kPopRussians, {60, 110, 255}, 4),
                Group(kPopFrench, {120, 230, 120}, 8)};
  for (int i = 0; i < samples; ++i) set.samples.push_back(Sample("S" + std::to_string(i), i % 3, {}));
  set.markers = {{"rs123", 1, 2, 0.5, 1.0}, {"DYS\xC3\xA9", 3, 4, 0.75, 1.0}};  // one character code above 127
  for (int a = 0; a < axes; ++a) {
    AxisRecord axis;
    axis.coefficients = {0.1 * a, -0.2 * a};
    axis.weight = 0.1 / (a + 1);
    for (int i = 0; i < samples; ++i) axis.values.push_back(a * 100.0 + i + 0.5);
    set.axes.push_back(axis);
  }
  return set;
}

// Puts groups and samples straight into the process-wide plot, with the
// first two coordinates shown.
inline void InstallPlot(std::vector<CStanovnistvo> groups, std::vector<CUzorak> samples,
                        std::vector<double> weights = {0.12345, 0.06789}) {
  g_plotGroups = std::move(groups);
  g_plotPoints = std::move(samples);
  g_axisWeights = std::move(weights);
  SelectAxisPair(g_plotPoints, 0, 1);
}

// Named after the running test too, because the tests run in parallel.
inline std::string TempFile(const std::string& name) {
  return ::testing::TempDir() + "/varnik_plot_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
         "_" + name;
}

}  // namespace varnik::test
