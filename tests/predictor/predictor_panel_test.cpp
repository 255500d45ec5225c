#include "predictor/predictor_panel.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "platform/recording_canvas.h"
#include "ystr/markers.h"
#include "predictor/model_layouts.h"

namespace varnik {
namespace {

using test::Branch;
using test::Columns;

// One branch over DYS393 with values 12..14; super-group 0 peaks at 12.
CPredvigjacMuskihLoz2 PanelModel(bool withGroup) {
  CPredvigjacMuskihLoz2 m;
  m.branches = {Branch("A", {{0, 12, {0.25, 0.5, 0.25}}, {4, 11, {1.0}}})};
  m.branches[0].markers[4].copies.push_back(test::Copy(14, {1.0}));
  if (withGroup) {
    m.parentGroups = {Branch("G", {{0, 12, {0.5, 0.25, 0.25}}})};
    m.branches[0].parentLinks = {{0, 0.5, 0.0}};
  }
  return m;
}

// The operations of a kind, with the given brush if one is given.
std::vector<DrawOp> Ops(const RecordingCanvas& canvas, DrawOp::Kind kind, std::optional<Color> brush = {}) {
  std::vector<DrawOp> out;
  for (const DrawOp& op : canvas.ops()) {
    if (op.kind == kind && (!brush || op.state.brush == *brush)) out.push_back(op);
  }
  return out;
}
std::vector<DrawOp> Fills(const RecordingCanvas& canvas, Color color) { return Ops(canvas, DrawOp::kFillRect, color); }

TEST(PredictorPanelLayout, OneTwoAndThreeColumns) {
  const auto fields = [](const CRasporedCelija& l) {
    return std::tuple(l.rows, l.cellHeight, l.barArea, l.fontHeight, l.columnWidth);
  };
  EXPECT_EQ(fields(PanelLayout(5, {300, 120})), std::tuple(10, 24, 120, 16, 100));  // one column of 10 rows
  EXPECT_EQ(fields(PanelLayout(15, {300, 120})), std::tuple(10, 12, 60, 12, 100));  // two columns
  EXPECT_EQ(PanelLayout(2, {300, 120}).cellHeight, 40);                            // capped
  EXPECT_EQ(PanelLayout(25, {300, 120}).barArea, 40);
  EXPECT_FALSE(PanelLayout(5, {300, 11}).Drawable());
  EXPECT_FALSE(PanelLayout(5, {119, 120}).Drawable());
}

TEST(PredictorPanel, BackgroundOnlyWithoutBranchOrValues) {
  const CPredvigjacMuskihLoz2 m = PanelModel(false);
  for (const auto& [branch, values] : {std::pair{-1, Columns({13})}, {0, Columns({-1, -1})}}) {
    RecordingCanvas canvas({300, 120});
    DrawPredictorPanel(canvas, {0, 0, 300, 120}, m, branch, values, -1, true);
    EXPECT_EQ(canvas.ops().size(), 1u) << branch;
  }
}

TEST(PredictorPanel, OneColumnBarsAlternateAroundTheTypedValueWithALabel) {
  const CPredvigjacMuskihLoz2 m = PanelModel(false);
  RecordingCanvas canvas({300, 120});
  DrawPredictorPanel(canvas, {0, 0, 300, 120}, m, 0, Columns({13}), -1, true);
  // One value: a cell 40 high; bars 5 wide with gap 2, the typed one centred at x 60.
  const auto even = Fills(canvas, {0, 160, 0});
  const auto odd = Fills(canvas, {0, 160, 128});
  ASSERT_EQ(even.size(), 2u);
  ASSERT_EQ(odd.size(), 1u);
  EXPECT_EQ(even[0].from, (Point{51, 20}));
  EXPECT_EQ(odd[0].from, (Point{58, 0}));
  EXPECT_EQ(odd[0].to, (Point{63, 40}));
  EXPECT_EQ(even[1].from, (Point{65, 20}));
  const auto texts = canvas.Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], std::string(ColumnHeader(0, true)) + "=13");
}

TEST(PredictorPanel, SuperGroupOverlayColoursSharedAndExcessHeights) {
  const CPredvigjacMuskihLoz2 m = PanelModel(true);
  RecordingCanvas canvas({300, 120});
  DrawPredictorPanel(canvas, {0, 0, 300, 120}, m, 0, Columns({13}), -1, true);
  EXPECT_TRUE(Fills(canvas, {0, 160, 0}).empty());
  const auto sharedEven = Fills(canvas, {128, 192, 255});  // 12 and 14
  const auto sharedOdd = Fills(canvas, {112, 168, 224});   // 13
  ASSERT_EQ(sharedEven.size(), 2u);
  ASSERT_EQ(sharedOdd.size(), 1u);
  EXPECT_EQ(sharedOdd[0].from, (Point{58, 20}));
  const auto typedRest = Fills(canvas, {0, 255, 0});  // the branch is higher at the typed value
  ASSERT_EQ(typedRest.size(), 1u);
  EXPECT_EQ(typedRest[0].from, (Point{58, 0}));
  EXPECT_EQ(typedRest[0].to, (Point{63, 20}));
  const auto groupRest = Fills(canvas, {64, 128, 255});  // the super-group is higher at 12
  ASSERT_EQ(groupRest.size(), 1u);
  EXPECT_EQ(groupRest[0].from, (Point{51, 0}));
}

TEST(PredictorPanel, TwoAndThreeColumnsWithShortLabelsCopyLettersAndFractions) {
  const CPredvigjacMuskihLoz2 m = PanelModel(false);
  const Haplotype h = {{13, 2, 0}, {-1, 0, 0}, {-1, 0, 0}, {-1, 0, 0}, {11, 0, 0}, {14, 0, 1}};
  RecordingCanvas canvas({300, 24});  // two rows
  DrawPredictorPanel(canvas, {0, 0, 300, 24}, m, 0, h, -1, true);
  const auto labels = Ops(canvas, DrawOp::kText);
  ASSERT_EQ(labels.size(), 3u);
  const std::string dys385(ColumnHeader(4, false));
  EXPECT_EQ(labels[0].text, std::string(ColumnHeader(0, false)) + "=13.2");
  EXPECT_EQ(labels[0].from, (Point{62, 12}));
  EXPECT_EQ(labels[1].text, dys385 + "a=11");
  EXPECT_EQ(labels[1].from, (Point{62, 24}));
  EXPECT_EQ(labels[2].text, dys385 + "b=14");
  EXPECT_EQ(labels[2].from, (Point{162, 12}));

  canvas.Clear();
  DrawPredictorPanel(canvas, {0, 0, 300, 24}, m, 0, h, -1, false);
  EXPECT_EQ(Ops(canvas, DrawOp::kText)[0].text, std::string(ColumnHeader(0, false)) + "=13");

  canvas.Clear();
  DrawPredictorPanel(canvas, {0, 0, 300, 24}, m, 0, Columns({13, 24, 14, 11, 11, 9, 8}), -1, true);
  const auto three = Ops(canvas, DrawOp::kText);
  ASSERT_EQ(three.size(), 6u);  // the seventh value does not fit in three columns
  EXPECT_EQ(three[0].from.x, 42);
  EXPECT_EQ(three[2].from.x, 142);
  EXPECT_EQ(three[5].from, (Point{242, 24}));
}

}  // namespace
}  // namespace varnik
