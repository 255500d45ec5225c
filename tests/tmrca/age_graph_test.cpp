#include <gtest/gtest.h>

#include "platform/recording_canvas.h"
#include "tmrca/age_graph.h"

namespace varnik {
namespace {

constexpr Color kGrey{192, 192, 192}, kOrange{255, 128, 0}, kGreen{0, 160, 0};

CNizVerovatnoca FromProbabilities(std::vector<double> p, double half) {
  CNizVerovatnoca d;
  double sum = 0.0;
  for (const double v : p) {
    sum += v;
    d.cumulative.push_back(sum);
  }
  d.probability = std::move(p);
  d.halfPoint = half;
  return d;
}

std::vector<DrawOp> Ops(const RecordingCanvas& canvas, DrawOp::Kind kind) {
  std::vector<DrawOp> out;
  for (const DrawOp& op : canvas.ops())
    if (op.kind == kind) out.push_back(op);
  return out;
}

const int kSpacing = EstimateTextExtent("1234567890,.%", 12).height + 1;

TEST(TmrcaGraph, BarsWithHighlightedHalfPointAndLabels) {
  // The running sum passes 99.9% at generation 7: the graph shows
  // generations 1 to 6.
  const CNizVerovatnoca d = FromProbabilities({0.05, 0.1, 0.2, 0.3, 0.2, 0.14, 0.01, 0, 0, 0}, 3.2);
  RecordingCanvas canvas({300, 100});
  DrawAgeGraph(canvas, {0, 0, 300, 100}, d, false, false);
  const auto fills = Ops(canvas, DrawOp::kFillRect);
  ASSERT_EQ(fills.size(), 7u);
  EXPECT_EQ(fills[0].state.brush, kGrey);
  // step 50, bar 34 wide, plot 66 high; bar 4 (generation 4) holds the largest value and the half point.
  EXPECT_EQ(fills[4].from, (Point{150, 34}));
  EXPECT_EQ(fills[4].to, (Point{184, 100}));
  EXPECT_EQ(fills[4].state.brush, kOrange);
  EXPECT_EQ(fills[1].from, (Point{0, 100 - 11}));
  EXPECT_EQ(fills[1].state.brush, kGreen);
  // The largest value's generation and percentage; the half point falls
  // between them and is skipped; then the first and last generation.
  EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"4", "30.00%", "1", "6"}));
  const auto texts = Ops(canvas, DrawOp::kText);
  EXPECT_EQ(texts[1].from, (Point{167 + kSpacing, 33}));
  EXPECT_EQ(texts[3].from, (Point{250 + 17 + kSpacing / 2, 100 - 31 - 1}));
  EXPECT_EQ(texts[0].state.font.escapement, 900);

  // An age beyond the computed range marks no bar and labels no half point.
  CNizVerovatnoca beyond = d;
  beyond.beyondRange = true;
  RecordingCanvas plain({300, 100});
  DrawAgeGraph(plain, {0, 0, 300, 100}, beyond, false, false);
  for (const DrawOp& fill : Ops(plain, DrawOp::kFillRect)) EXPECT_NE(fill.state.brush, kOrange);
}

}  // namespace
}  // namespace varnik
