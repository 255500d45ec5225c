// Loading computed-axes sets into the plot.
#include <gtest/gtest.h>

#include "common/binary_io.h"
#include "platform/fakes.h"
#include "plot/axes_loader.h"
#include "plot/plot_view.h"
#include "plot_fixtures.h"

namespace varnik {
namespace {

class AxesLoader : public test::PlotStateTest {
 protected:
  void SetUp() override {
    test::PlotStateTest::SetUp();
    good_ = test::TempFile("good.ose");
    ASSERT_TRUE(WriteComputedAxesFile(good_, test::SmallSet(5, 3)));
  }
  bool Load(std::optional<std::string> answer) {
    dialog_.answers.push_back(std::move(answer));
    return LoadComputedAxes(dialog_, cursor_, messages_, [this] { ++titleUpdates_; });
  }

  std::string good_;
  FakeFileDialog dialog_;
  FakeWaitCursor cursor_;
  FakeMessageBoxes messages_;
  int titleUpdates_ = 0;
};

TEST_F(AxesLoader, CancelChangesNothingAndALoadReplacesTheSet) {
  EXPECT_FALSE(Load(std::nullopt));
  ASSERT_EQ(dialog_.requests.size(), 1u);
  EXPECT_EQ(dialog_.requests[0].filter, "*.ose");
  EXPECT_EQ(titleUpdates_ + cursor_.begun, 0);
  g_hoverIndex = 4;
  g_plotView.rememberedWidth = 10;
  ASSERT_TRUE(Load(good_));
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(cursor_.ended, 1);
  EXPECT_EQ(titleUpdates_, 1);
  EXPECT_EQ(g_axesFilePath, good_);
  ASSERT_EQ(g_plotPoints.size(), 5u);
  EXPECT_EQ(g_plotPoints[3].coordinates, (std::vector<double>{3.5, 103.5, 203.5}));
  EXPECT_EQ(g_axisWeights, (std::vector<double>{0.1, 0.05, 0.1 / 3}));
  EXPECT_EQ(g_hoverIndex, -1);  // the old index named a sample of another set
  EXPECT_EQ(g_plotView.rememberedWidth, 0);
}

TEST_F(AxesLoader, AFailedLoadKeepsThePreviousSetAndItsName) {
  ASSERT_TRUE(Load(good_));
  HidePoint(2);
  const std::string name = g_dataSetName;

  const std::string bad = test::TempFile("bad.ose");
  ComputedAxesSet badSet = test::SmallSet(7, 4);
  badSet.samples[6].group = 3;
  ASSERT_TRUE(WriteComputedAxesFile(bad, badSet));
  for (const std::string& path : {bad, test::TempFile("missing.ose")}) {
    messages_.shown.clear();
    EXPECT_FALSE(Load(path)) << path;
    // The user learns which file failed and why.
    ASSERT_EQ(messages_.shown.size(), 1u) << path;
    EXPECT_NE(messages_.shown[0].text.find(path), std::string::npos) << messages_.shown[0].text;
    EXPECT_GT(messages_.shown[0].text.size(), path.size() + 40) << messages_.shown[0].text;
    EXPECT_EQ(messages_.shown[0].flags & kMbIconError, kMbIconError);
    EXPECT_EQ(g_plotPoints.size(), 5u) << path;
    EXPECT_EQ(g_plotPoints[2].visible, 0);
    EXPECT_EQ(g_dataSetName, name);
  }
  EXPECT_EQ(cursor_.begun, cursor_.ended);
}

}  // namespace
}  // namespace varnik
