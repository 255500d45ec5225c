// The view window: data box, equal scale, zoom, pan and clamp.
#include <gtest/gtest.h>

#include "plot/plot_view.h"
#include "plot_fixtures.h"

namespace varnik {
namespace {

using test::Group;
using test::Sample;

class PlotViewWindow : public test::PlotStateTest {
 protected:
  // Samples spanning 0..10 horizontally and 0..2 vertically on a square plot
  // area: with the margin the data box is -0.1..10.1 by -0.1..2.1, and the
  // vertical axis gets the spare room up to 10.1.
  void SetUp() override {
    test::PlotStateTest::SetUp();
    test::InstallPlot({Group(kPopSerbs, {255, 0, 0}, 0)},
                      {Sample("a", 0, {0, 0}), Sample("b", 0, {10, 2}), Sample("c", 0, {5, 1})});
    ComputeViewWindow(g_plotPoints, 500, 500);
  }
  static void ExpectWindow(double vx0, double vx1, double vy0, double vy1) {
    EXPECT_NEAR(g_plotView.vx0, vx0, 1e-9);
    EXPECT_NEAR(g_plotView.vx1, vx1, 1e-9);
    EXPECT_NEAR(g_plotView.vy0, vy0, 1e-9);
    EXPECT_NEAR(g_plotView.vy1, vy1, 1e-9);
  }
};

TEST_F(PlotViewWindow, DataBoxWithMarginAndRoomForTheNarrowerAxis) {
  EXPECT_DOUBLE_EQ(g_plotView.y1, 2.1);
  EXPECT_EQ(g_plotView.roomyAxis, 1);
  ExpectWindow(-0.1, 10.1, -0.1, 10.1);

  // A wide plot area gives the horizontal axis the room instead.
  ComputeViewWindow(g_plotPoints, 2000, 100);
  EXPECT_EQ(g_plotView.roomyAxis, 0);
  EXPECT_NEAR(g_plotView.vx1 - g_plotView.vx0, 20 * (g_plotView.vy1 - g_plotView.vy0), 1e-9);
}

TEST_F(PlotViewWindow, ZoomOutAfterZoomInReturnsToTheDataBoxAndGoesNoFurther) {
  ZoomIn();
  // Horizontally the window shrinks about its centre; vertically it slides
  // back from the spare room towards the data.
  ExpectWindow(0.75, 9.25, -0.1, 8.4);
  ZoomOut();
  ExpectWindow(-0.1, 10.1, -0.1, 10.1);
}

TEST_F(PlotViewWindow, PansStopAtTheEdgesOfTheData) {
  PanRight();
  ExpectWindow(-0.1, 10.1, -0.1, 10.1);  // the full view has nowhere to go
  ZoomIn();
  PanRight();
  PanRight();
  ExpectWindow(1.6, 10.1, -0.1, 8.4);
  for (int k = 0; k < 3; ++k) PanLeft();
  ExpectWindow(-0.1, 8.4, -0.1, 8.4);
  // The roomy axis never leaves the data for its spare room.
  PanUp();
  ExpectWindow(-0.1, 8.4, -0.1, 8.4);
}

}  // namespace
}  // namespace varnik
