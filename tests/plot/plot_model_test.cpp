// Choosing the shown axes, hiding samples and finding the sample under the mouse.
#include <gtest/gtest.h>

#include "plot/plot_state.h"
#include "plot/plot_view.h"
#include "plot_fixtures.h"

namespace varnik {
namespace {

using test::Group;
using test::Sample;

class PlotModel : public test::PlotStateTest {
 protected:
  void Load() {
    test::InstallPlot({Group(kPopSerbs, {255, 0, 0}, 0)},
                      {Sample("a", 0, {1, 2, 3}), Sample("b", 0, {4, 5, 6}), Sample("c", 0, {7, 8, 9})},
                      {0.5, 0.3, 0.2});
  }
  static void PaintedAt(CUzorak& sample, int x, int y) {
    sample.screenX = x;
    sample.screenY = y;
    sample.drawn = true;
  }
};

TEST_F(PlotModel, SelectAxisPairShowsTheAxesAndEverySampleAndForgetsTheView) {
  Load();
  HidePoint(1);
  g_plotView.rememberedHeight = 200;
  SelectAxisPair(g_plotPoints, 2, 2);  // both shown axes may be the same
  EXPECT_EQ(g_axisX, 2);
  EXPECT_EQ(g_plotPoints[1].x, 6);
  EXPECT_EQ(g_plotPoints[1].y, 6);
  EXPECT_EQ(g_plotPoints[1].visible, 1);
  EXPECT_EQ(g_plotView.rememberedHeight, 0);
  // An axis the samples do not have is ignored rather than read past the end.
  SelectAxisPair(g_plotPoints, 0, 3);
  EXPECT_EQ(g_axisY, 2);
}

TEST_F(PlotModel, NearestVisibleSampleWithinTenPixelsIsUnderTheMouse) {
  Load();
  PaintedAt(g_plotPoints[0], 100, 100);
  PaintedAt(g_plotPoints[1], 106, 100);
  PaintedAt(g_plotPoints[2], 200, 200);
  // Equal distances of 3 pixels: the lower index wins.
  EXPECT_TRUE(FindPointUnderMouse(g_plotPoints, 103, 100));
  EXPECT_EQ(g_hoverIndex, 0);
  EXPECT_TRUE(FindPointUnderMouse(g_plotPoints, 105, 100));
  EXPECT_EQ(g_hoverIndex, 1);
  // Exactly 10 pixels away is outside; just inside is found.
  EXPECT_TRUE(FindPointUnderMouse(g_plotPoints, 200, 210));
  EXPECT_EQ(g_hoverIndex, -1);
  FindPointUnderMouse(g_plotPoints, 206, 207);  // d = 85
  EXPECT_EQ(g_hoverIndex, 2);
  // Hidden samples are not found.
  HidePoint(2);
  EXPECT_TRUE(FindPointUnderMouse(g_plotPoints, 200, 200));
  EXPECT_EQ(g_hoverIndex, -1);
}


}  // namespace
}  // namespace varnik
