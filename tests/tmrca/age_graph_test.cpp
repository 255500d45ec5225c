#include <gtest/gtest.h>

#include <set>

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

TEST(TmrcaGraph, BarsAndRunningSumsWithHighlightedHalfPointAndLabels) {
  // The running sum passes 99.9% at generation 7: the graph shows
  // generations 1 to 6.
  const CNizVerovatnoca d = FromProbabilities({0.05, 0.1, 0.2, 0.3, 0.2, 0.14, 0.01, 0, 0, 0}, 3.2);
  RecordingCanvas canvas({300, 100}), cumulative({300, 100});
  DrawAgeGraph(canvas, {0, 0, 300, 100}, d, false, false);
  DrawAgeGraph(cumulative, {0, 0, 300, 100}, d, true, true);
  // Cumulative from generation 1: no largest-value label; the last shown is still 6.
  EXPECT_EQ(cumulative.Texts(), (std::vector<std::string>{"4", "1", "6"}));
  EXPECT_EQ(Ops(cumulative, DrawOp::kFillRect)[6].from, (Point{250, 100 - 66}));  // the largest running sum
  EXPECT_EQ(Ops(cumulative, DrawOp::kFillRect)[1].from, (Point{0, 100 - 3}));    // 66 x 0.05 / 0.99 + 0.5
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
  EXPECT_EQ(texts[0].from, (Point{167, 33}));
  EXPECT_EQ(texts[1].from, (Point{167 + kSpacing, 33}));
  EXPECT_EQ(texts[3].from, (Point{250 + 17 + kSpacing / 2, 100 - 31 - 1}));
  EXPECT_EQ(texts[0].state.font.escapement, 900);
}

TEST(TmrcaGraph, MoreGenerationsThanPixelsDrawsPixelColumns) {
  std::vector<double> p(600, 0.0);
  for (int i = 0; i < 600; ++i) p[i] = (i < 300 ? i + 1 : 600 - i) / 90300.0;
  const CNizVerovatnoca d = FromProbabilities(p, 299.5);
  RecordingCanvas canvas({300, 76});
  DrawAgeGraph(canvas, {0, 0, 300, 76}, d, false, true);
  EXPECT_EQ(Ops(canvas, DrawOp::kFillRect).size(), 1u);
  EXPECT_LE(Ops(canvas, DrawOp::kLine).size(), 300u);  // at most one line per pixel
  std::set<int> orange;
  for (const DrawOp& op : Ops(canvas, DrawOp::kLine)) {
    EXPECT_EQ(op.from.x, op.to.x);
    EXPECT_EQ(op.to.y, 76);
    if (op.state.pen == kOrange) orange.insert(op.from.x);
  }
  EXPECT_EQ(orange.size(), 1u);
}

TEST(TmrcaGraph, EmptyFlatOrLowDistributionsDrawOnlyTheGround) {
  for (const auto& [d, height] : {std::pair{CNizVerovatnoca{}, 100}, std::pair{FromProbabilities({0, 0, 0}, 0), 100},
                                  std::pair{FromProbabilities({0.5, 0.5}, 0.5), 40}}) {
    RecordingCanvas canvas({300, height});
    DrawAgeGraph(canvas, {0, 0, 300, height}, d, false, false);
    ASSERT_EQ(canvas.ops().size(), 1u);
    EXPECT_EQ(canvas.ops()[0].state.brush, kGrey);
  }
}

}  // namespace
}  // namespace varnik
