// Drawing the plot on the recording canvas, and the grid's number helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <set>

#include "platform/recording_canvas.h"
#include "platform/svg_canvas.h"
#include "plot/plot_markers.h"
#include "plot/plot_draw.h"
#include "plot/plot_state.h"
#include "plot/plot_view.h"
#include "plot_fixtures.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

using test::Group;
using test::Sample;

TEST(PlotNumbers, NiceStepPicksTheRoundStepNearestTheWantedCount) {
  EXPECT_DOUBLE_EQ(NiceStep(10, 36), 0.25);  // 41 lines; 0.2 gives 51, 0.5 gives 21
  EXPECT_DOUBLE_EQ(NiceStep(1, 24), 0.05);   // a range of 1 is scaled up first
  EXPECT_DOUBLE_EQ(NiceStep(std::nan(""), 36), 0.00001);
}

// Pixels covered by the recorded lines and filled rectangles, as the device
// context would set them (lines exclude their last point).
std::set<std::pair<int, int>> Pixels(const std::vector<DrawOp>& ops) {
  std::set<std::pair<int, int>> out;
  for (const DrawOp& op : ops) {
    if (op.kind == DrawOp::kLine) {
      const int dx = (op.to.x > op.from.x) - (op.to.x < op.from.x);
      const int dy = (op.to.y > op.from.y) - (op.to.y < op.from.y);
      for (Point p = op.from; p.x != op.to.x || p.y != op.to.y; p.x += dx, p.y += dy) out.insert({p.x, p.y});
    } else if (op.kind == DrawOp::kFillRect) {
      for (int y = op.from.y; y < op.to.y; ++y) {
        for (int x = op.from.x; x < op.to.x; ++x) out.insert({x, y});
      }
    }
  }
  return out;
}

// Pixels covered by the lines and rectangles of an SVG drawing, as a
// renderer with crisp edges sets them; the background is left out.
std::set<std::pair<int, int>> SvgPixels(const std::string& svg) {
  std::set<std::pair<int, int>> out;
  for (std::size_t at = svg.find("<line "); at != std::string::npos; at = svg.find("<line ", at + 1)) {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    EXPECT_EQ(std::sscanf(svg.c_str() + at, "<line x1=\"%lf\" y1=\"%lf\" x2=\"%lf\" y2=\"%lf\"", &x1, &y1, &x2, &y2), 4);
    EXPECT_NE(svg.find("stroke-linecap=\"square\"", at), std::string::npos);
    // Square caps: every pixel centre from the first end to the second.
    const int ax = static_cast<int>(x1), ay = static_cast<int>(y1), bx = static_cast<int>(x2), by = static_cast<int>(y2);
    const int dx = (bx > ax) - (bx < ax), dy = (by > ay) - (by < ay);
    for (int x = ax, y = ay;; x += dx, y += dy) {
      out.insert({x, y});
      if (x == bx && y == by) break;
    }
  }
  for (std::size_t at = svg.find("<rect ", 1); at != std::string::npos; at = svg.find("<rect ", at + 1)) {
    int x = 0, y = 0, w = 0, h = 0;
    if (std::sscanf(svg.c_str() + at, "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill", &x, &y, &w, &h) != 4) continue;
    if (x == 0 && y == 0 && w > 100) continue;  // the background
    for (int py = y; py < y + h; ++py) {
      for (int px = x; px < x + w; ++px) out.insert({px, py});
    }
  }
  return out;
}

// The 9 x 9 pixels around (cx, cy) as rows of '#' and '.' joined by '|'.
std::string Picture(const std::set<std::pair<int, int>>& pixels, int cx, int cy) {
  std::string rows;
  for (int y = cy - 4; y <= cy + 4; ++y) {
    if (y > cy - 4) rows += '|';
    for (int x = cx - 4; x <= cx + 4; ++x) rows += pixels.count({x, y}) ? '#' : '.';
  }
  return rows;
}

class PlotDrawing : public test::PlotStateTest {
 protected:
  static constexpr int kW = 485, kH = 482;  // a plot area of 400 x 400

  std::vector<DrawOp> Draw(int width = kW, int height = kH) {
    RecordingCanvas canvas({width, height});
    DrawPlot(g_plotPoints, g_plotGroups, canvas);
    return canvas.ops();
  }
  static std::vector<DrawOp> TextOps(const std::vector<DrawOp>& ops, const std::string& text) {
    std::vector<DrawOp> out;
    for (const DrawOp& op : ops) if (op.kind == DrawOp::kText && op.text == text) out.push_back(op);
    return out;
  }
  // The marker operations in a given colour.
  static std::vector<DrawOp> InColour(const std::vector<DrawOp>& ops, Color c) {
    std::vector<DrawOp> out;
    for (const DrawOp& op : ops) {
      if ((op.kind == DrawOp::kLine && op.state.pen == c) || (op.kind == DrawOp::kFillRect && op.color == c)) out.push_back(op);
    }
    return out;
  }
};

TEST_F(PlotDrawing, NothingIsDrawnWithoutAPlotAreaOrAxisWeights) {
  test::InstallPlot({Group(kPopSerbs, {255, 0, 0}, 0)}, {Sample("a", 0, {0, 0}), Sample("b", 0, {1, 1})});
  EXPECT_TRUE(Draw(85, 500).empty());
  EXPECT_FALSE(Draw(86, 83).empty());
  g_axisWeights.clear();
  EXPECT_TRUE(Draw().empty());
}

TEST_F(PlotDrawing, SamplesMapWithOneScaleForBothAxes) {
  test::InstallPlot({Group(kPopSerbs, {10, 20, 30}, 0)}, {Sample("a", 0, {0, 0}), Sample("b", 0, {1, 0.4})});
  Draw(685, 482);  // plot area 600 x 400
  // Box -0.01..1.01 by -0.01..0.41: the horizontal axis sets the scale and
  // the vertical one gets the spare room.
  const double k = 600 / 1.02;
  EXPECT_EQ(g_plotPoints[0].screenY, 482 - (static_cast<int>(0.01 * k) + 50));
  EXPECT_EQ(g_plotPoints[1].screenX, static_cast<int>(1.01 * k) + 60);
  EXPECT_EQ(g_plotPoints[1].screenY, 482 - (static_cast<int>(0.41 * k) + 50));
}

TEST_F(PlotDrawing, MarkerShapesCoverTheirPixels) {
  // Rows of the 9 x 9 pixels around the sample, top to bottom; shape 5
  // reaches beyond them and is checked by its own pixels below.
  const char* expected[9] = {
      ".........|.........|..####...|..####...|..####...|..####...|.........|.........|.........",
      "....#....|....#....|....#....|....#....|########.|....#....|....#....|....#....|.........",
      "#........|.#.....#.|..#...#..|...#.#...|....#....|...#.#...|..#...#..|.#.....#.|#........",
      "#########|#...#...#|#...#...#|#...#...#|#########|#...#...#|#...#...#|#...#...#|########.",
      "....#....|...#.#...|..#...#..|.#.....#.|#.......#|.#.....#.|..#...#..|...#.#...|....#....",
      "",
      "....#....|...###...|..#.#.#..|.#..#..#.|#########|.#..#..#.|..#.#.#..|...###...|....#....",
      ".........|.#######.|.####..#.|.####..#.|.#######.|.#..####.|.#..####.|.#######.|.........",
      "#########|##.....##|#.#...#.#|#..#.#..#|#...#...#|#..#.#..#|#.#...#.#|##.....##|########.",
  };
  for (int shape = 0; shape <= 9; ++shape) {
    ResetPlotState();
    const Color colour{static_cast<uint8_t>(100 + shape), 1, 2};
    // Two samples set the view; only the one at the lower left is inside the
    // frame's margin-free corner, far from the other.
    test::InstallPlot({Group(kPopSerbs, colour, shape)}, {Sample("a", 0, {0, 0}), Sample("b", 0, {1, 1})});
    const auto ops = Draw();
    const CUzorak& a = g_plotPoints[0];
    std::set<std::pair<int, int>> pixels;
    for (const auto& p : Pixels(InColour(ops, colour))) {
      if (std::abs(p.first - a.screenX) <= 9 && std::abs(p.second - a.screenY) <= 9) pixels.insert(p);
    }
    if (shape == 9) {
      EXPECT_TRUE(pixels.empty());  // an unknown shape draws no marker
    } else if (shape == 5) {
      EXPECT_EQ(pixels.size(), 47u);
      for (auto [dx, dy] : {std::pair{-9, 0}, {8, 0}, {0, -9}, {0, 8}, {4, 0}, {2, 2}, {-3, -1}}) {
        EXPECT_TRUE(pixels.count({a.screenX + dx, a.screenY + dy})) << dx << "," << dy;
      }
      EXPECT_FALSE(pixels.count({a.screenX + 9, a.screenY}));
    } else {
      EXPECT_EQ(Picture(pixels, a.screenX, a.screenY), expected[shape]) << "shape " << shape;
    }
  }
}

TEST_F(PlotDrawing, NeverDrawnGroupsWidenTheBoxButKeepTheirPositions) {
  std::vector<CStanovnistvo> groups(118, Group(kPopSerbs, {10, 20, 30}, 0));
  groups[115] = Group(kPopAncientGenomes, {40, 50, 60}, 0);
  groups[87] = Group(kPopMixedOrigin, {70, 80, 90}, 0);
  std::vector<CUzorak> samples = {Sample("a", 0, {0, 0}), Sample("ancient", 115, {1, 1}),
                                  Sample("mixed", 87, {100, 100}), Sample("p", 116, {0.5, 0.5}),
                                  Sample("n", 117, {0.5, 0.5})};
  test::InstallPlot(groups, samples);
  const auto ops = Draw();
  EXPECT_DOUBLE_EQ(g_plotView.x1, 101);  // the sample of group 87 counts in the data box
  EXPECT_TRUE(InColour(ops, {70, 80, 90}).empty());
  EXPECT_EQ(InColour(ops, {40, 50, 60}).size(), 1u);  // group 115 is drawn ...
  EXPECT_TRUE(TextOps(ops, Texts().TranslateSerbianName(groups[115].name)).empty());  // ... without a label
  EXPECT_EQ(TextOps(ops, Texts().TranslateSerbianName(groups[0].name)).size(), 5u);
}

TEST_F(PlotDrawing, LabelsSitAtTheGroupMediansWithoutSerb06) {
  g_language = kLanguageEnglish;
  test::InstallPlot({Group(kPopSerbs, {10, 20, 30}, 0)},
                    {Sample("a", 0, {0, 0}), Sample("b", 0, {1, 1}), Sample("c", 0, {2, 4}),
                     Sample("SERB06", 0, {10, 10})});
  const auto ops = Draw();
  const auto labels = TextOps(ops, "Serbs");
  ASSERT_EQ(labels.size(), 5u);
  const int lx = g_plotPoints[1].screenX;  // the median sample (1, 1)
  const int ly = g_plotPoints[1].screenY + 50 - 48;
  const std::vector<Point> expected = {{lx + 2, ly - 2}, {lx + 2, ly + 2}, {lx - 2, ly - 2}, {lx - 2, ly + 2}, {lx, ly}};
  for (std::size_t k = 0; k < 5; ++k) {
    EXPECT_EQ(labels[k].from, expected[k]) << k;
    EXPECT_EQ(labels[k].color, k < 4 ? kBlack : (Color{10, 20, 30}));
    EXPECT_EQ(labels[k].state.clip, (Rect{53, 25, kW - 18, kH - 43}));
  }
  g_showPopulationNames = 0;
  EXPECT_TRUE(TextOps(Draw(), "Serbs").empty());
}

TEST_F(PlotDrawing, Group91IsRedButItsSampleNamesKeepTheGroupColour) {
  g_language = kLanguageEnglish;
  g_showSampleNames = 1;
  std::vector<CStanovnistvo> groups(92, Group(kPopSerbs, {10, 20, 30}, 1));
  groups[91] = Group(kPopYemenJews, {0, 200, 0}, 1);
  test::InstallPlot(groups, {Sample("y1", 91, {0, 0}), Sample("y2", 91, {1, 1})});
  const auto ops = Draw();
  EXPECT_EQ(InColour(ops, {255, 0, 0}).size(), 4u);  // two plus markers
  EXPECT_TRUE(InColour(ops, {0, 200, 0}).empty());
  const auto names = TextOps(ops, "y1");
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0].color, (Color{0, 200, 0}));
  const auto label = TextOps(ops, Texts().TranslateSerbianName(groups[91].name));
  ASSERT_EQ(label.size(), 5u);
  EXPECT_EQ(label[4].color, (Color{255, 0, 0}));
  // So does the name under the mouse.
  g_showSampleNames = 0;
  g_showNameUnderMouse = 1;
  ASSERT_TRUE(FindPointUnderMouse(g_plotPoints, g_plotPoints[1].screenX, g_plotPoints[1].screenY));
  const auto hovered = TextOps(Draw(), std::string(NameUnderMouse(g_plotPoints[1])));
  ASSERT_EQ(hovered.size(), 9u);
  EXPECT_EQ(hovered[8].color, (Color{0, 200, 0}));
}

TEST_F(PlotDrawing, CaptionNamesTheAxesAndTheirShares) {
  g_language = kLanguageEnglish;
  test::InstallPlot({Group(kPopSerbs, {10, 20, 30}, 0)}, {Sample("a", 0, {0, 0, 5}), Sample("b", 0, {1, 1, 6})},
                    {0.12345, 0.06789, 0.01});
  SelectAxisPair(g_plotPoints, 0, 2);
  const auto caption = TextOps(Draw(), "Axis 1/3 of 3 with square participation 12.345% / 1.000%");
  ASSERT_EQ(caption.size(), 1u);
  EXPECT_EQ(caption[0].from, (Point{5, 2}));
  EXPECT_EQ(caption[0].color, (Color{255, 255, 0}));
}

TEST_F(PlotDrawing, GridLinesAtRoundValuesInsideTheData) {
  test::InstallPlot({Group(kPopSerbs, {10, 20, 30}, 0)}, {Sample("a", 0, {0, 0}), Sample("b", 0, {1, 1})});
  const auto ops = Draw();
  // Box -0.01..1.01: steps of 0.1 give 11 vertical lines, labelled without trailing zeros.
  std::vector<DrawOp> vertical;
  for (const DrawOp& op : ops) {
    if (op.kind == DrawOp::kLine && op.state.pen == Color{24, 24, 24} && op.from.x == op.to.x) vertical.push_back(op);
  }
  ASSERT_EQ(vertical.size(), 11u);
  EXPECT_EQ(vertical.front().from, (Point{g_plotPoints[0].screenX, kH - 33}));
  EXPECT_EQ(vertical.back().from.x, g_plotPoints[1].screenX);
  EXPECT_EQ(TextOps(ops, "0.3").size(), 2u);  // one label per axis
  EXPECT_EQ(TextOps(ops, "1").size(), 2u);
}

TEST_F(PlotDrawing, CoordinatesThatAreNotNumbersAreNeitherDrawnNorCounted) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  test::InstallPlot({Group(kPopSerbs, {10, 20, 30}, 0)},
                    {Sample("a", 0, {0, 0}), Sample("b", 0, {1, 1}), Sample("n", 0, {nan, 0.5}),
                     Sample("i", 0, {0.5, inf})});
  const auto ops = Draw();
  EXPECT_DOUBLE_EQ(g_plotView.x1, 1.01);
  EXPECT_EQ(InColour(ops, {10, 20, 30}).size(), 2u);
  EXPECT_EQ(g_plotPoints[2].screenX, 0);
}

TEST(PlotMarkers, TheSvgCanvasCoversThePixelsTheWindowDoes) {
  for (int shape = 0; shape <= 8; ++shape) {
    RecordingCanvas recorded({200, 200});
    SvgCanvas svg({200, 200});
    DrawMarker(recorded, shape, 50, 60, {1, 2, 3});
    DrawMarker(svg, shape, 50, 60, {1, 2, 3});
    EXPECT_EQ(SvgPixels(svg.Finish()), Pixels(recorded.ops())) << "shape " << shape;
  }
}

TEST_F(PlotDrawing, OnlySamplesTheLastPaintDrewCanBeUnderTheMouse) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // A never-drawn group (87) and a sample without finite coordinates, both
  // with the (0, 0) screen position they never left.
  std::vector<CStanovnistvo> groups(88, Group(kPopSerbs, {10, 20, 30}, 0));
  test::InstallPlot(groups, {Sample("a", 0, {0, 0}), Sample("b", 0, {1, 1}), Sample("n", 0, {nan, 0.5}),
                             Sample("g", 87, {0.5, 0.5})});
  Draw();
  for (const int i : {2, 3}) {
    EXPECT_FALSE(g_plotPoints[i].drawn);
    EXPECT_FALSE(FindPointUnderMouse(g_plotPoints, g_plotPoints[i].screenX, g_plotPoints[i].screenY)) << i;
    EXPECT_EQ(g_hoverIndex, -1);
  }
  EXPECT_TRUE(FindPointUnderMouse(g_plotPoints, g_plotPoints[1].screenX, g_plotPoints[1].screenY));
  EXPECT_EQ(g_hoverIndex, 1);
  // Zoomed in on sample a, b leaves the view and its old position is empty.
  const int bx = g_plotPoints[1].screenX, by = g_plotPoints[1].screenY;
  for (int i = 0; i < 4; ++i) ZoomIn();
  Draw();
  EXPECT_FALSE(g_plotPoints[1].drawn);
  FindPointUnderMouse(g_plotPoints, bx, by);
  EXPECT_NE(g_hoverIndex, 1);
}

// The name under the mouse comes after the population labels, outlined in
// black on eight sides, and is moved inside the plot frame at its edge; a
// change of axes hides it until the mouse moves again.
TEST_F(PlotDrawing, NameUnderTheMouseIsDrawnLastOutlinedAndInsideTheFrame) {
  test::InstallPlot({Group(kPopSerbs, {10, 20, 30}, 0)},
                    {Sample("a", 0, {0, 0}), Sample("a rather long sample name at the edge", 0, {1, 1})});
  Draw();
  ASSERT_TRUE(FindPointUnderMouse(g_plotPoints, g_plotPoints[1].screenX, g_plotPoints[1].screenY));
  const std::vector<DrawOp> ops = Draw();
  const std::string name = std::string(NameUnderMouse(g_plotPoints[1]));
  const std::vector<DrawOp> drawn = TextOps(ops, name);
  ASSERT_EQ(drawn.size(), 9u);
  for (std::size_t k = 0; k < 8; ++k) EXPECT_EQ(drawn[k].state.textColor, kBlack) << k;
  EXPECT_EQ(drawn[8].state.textColor, (Color{10, 20, 30}));
  // After every population label.
  const std::string label = Texts().TranslateSerbianName(g_plotGroups[0].name);
  const auto position = [&](const DrawOp& op) {
    for (std::size_t k = 0; k < ops.size(); ++k) {
      if (ops[k].kind == DrawOp::kText && ops[k].text == op.text && ops[k].from.x == op.from.x &&
          ops[k].from.y == op.from.y && ops[k].state.textColor == op.state.textColor) {
        return k;
      }
    }
    return ops.size();
  };
  for (const DrawOp& op : TextOps(ops, label)) EXPECT_LT(position(op), position(drawn[0]));
  // Inside the frame, left-aligned from where it was moved to.
  RecordingCanvas measure({kW, kH});
  measure.SetFont(drawn[8].state.font);
  const Size extent = measure.GetTextExtent(name);
  EXPECT_LE(drawn[8].from.x + extent.width, kW - 18);
  EXPECT_GE(drawn[8].from.x, 53);
  EXPECT_LE(drawn[8].from.y + extent.height, kH - 43);

  SelectAxisPair(g_plotPoints, 0, 1);
  EXPECT_EQ(g_hoverIndex, -1);
  EXPECT_TRUE(TextOps(Draw(), name).empty());
}

}  // namespace
}  // namespace varnik
