#include "predictor/predictor_panel.h"

#include <gtest/gtest.h>

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

using Rects = std::vector<std::pair<Point, Point>>;

// The rectangles filled with `brush`, as their corners.
Rects Fills(const RecordingCanvas& canvas, Color brush) {
  Rects out;
  for (const DrawOp& op : canvas.ops()) {
    if (op.kind == DrawOp::kFillRect && op.state.brush == brush) out.emplace_back(op.from, op.to);
  }
  return out;
}

using Labels = std::vector<std::pair<std::string, Point>>;

// The texts drawn, with their anchors.
Labels LabelsOf(const RecordingCanvas& canvas) {
  Labels out;
  for (const DrawOp& op : canvas.ops()) {
    if (op.kind == DrawOp::kText) out.emplace_back(op.text, op.from);
  }
  return out;
}

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

// One value: a cell 40 high where 0.5 fills it; bars 5 wide with gap 2,
// the typed one centred at x 60.
TEST(PredictorPanel, OneColumnBarsAlternateAroundTheTypedValueWithALabel) {
  RecordingCanvas canvas({300, 120});
  DrawPredictorPanel(canvas, {0, 0, 300, 120}, PanelModel(false), 0, Columns({13}), -1, true);
  EXPECT_EQ(Fills(canvas, {0, 160, 0}), (Rects{{{51, 20}, {56, 40}}, {{65, 20}, {70, 40}}}));
  EXPECT_EQ(Fills(canvas, {0, 160, 128}), (Rects{{{58, 0}, {63, 40}}}));
  EXPECT_EQ(canvas.Texts(), std::vector<std::string>{std::string(ColumnHeader(0, true)) + "=13"});
}

TEST(PredictorPanel, SuperGroupOverlayColoursSharedAndExcessHeights) {
  RecordingCanvas canvas({300, 120});
  DrawPredictorPanel(canvas, {0, 0, 300, 120}, PanelModel(true), 0, Columns({13}), -1, true);
  EXPECT_TRUE(Fills(canvas, {0, 160, 0}).empty());
  EXPECT_EQ(Fills(canvas, {128, 192, 255}), (Rects{{{51, 20}, {56, 40}}, {{65, 20}, {70, 40}}}));  // shared, 12 and 14
  EXPECT_EQ(Fills(canvas, {112, 168, 224}), (Rects{{{58, 20}, {63, 40}}}));  // shared, the typed 13
  EXPECT_EQ(Fills(canvas, {0, 255, 0}), (Rects{{{58, 0}, {63, 20}}}));       // the branch is higher at 13
  EXPECT_EQ(Fills(canvas, {64, 128, 255}), (Rects{{{51, 0}, {56, 20}}}));    // the super-group is higher at 12
}

TEST(PredictorPanel, TwoAndThreeColumnsWithShortLabelsCopyLettersAndFractions) {
  const CPredvigjacMuskihLoz2 m = PanelModel(false);
  const Haplotype h = {{13, 2, 0}, {-1, 0, 0}, {-1, 0, 0}, {-1, 0, 0}, {11, 0, 0}, {14, 0, 1}};
  RecordingCanvas canvas({300, 24});  // two rows
  DrawPredictorPanel(canvas, {0, 0, 300, 24}, m, 0, h, -1, true);
  const std::string dys393(ColumnHeader(0, false));
  const std::string dys385(ColumnHeader(4, false));
  EXPECT_EQ(LabelsOf(canvas),
            (Labels{{dys393 + "=13.2", {62, 12}}, {dys385 + "a=11", {62, 24}}, {dys385 + "b=14", {162, 12}}}));
  canvas.Clear();
  DrawPredictorPanel(canvas, {0, 0, 300, 24}, m, 0, h, -1, false);
  EXPECT_EQ(LabelsOf(canvas)[0].first, dys393 + "=13");

  canvas.Clear();
  DrawPredictorPanel(canvas, {0, 0, 300, 24}, m, 0, Columns({13, 24, 14, 11, 11, 9, 8}), -1, true);
  const Labels three = LabelsOf(canvas);
  ASSERT_EQ(three.size(), 6u);  // the seventh value does not fit in three columns
  EXPECT_EQ(three[0].second.x, 42);
  EXPECT_EQ(three[2].second.x, 142);
  EXPECT_EQ(three[5].second, (Point{242, 24}));
}

}  // namespace
}  // namespace varnik
