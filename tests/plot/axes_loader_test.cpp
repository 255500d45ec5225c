// Loading computed-axes sets into the plot, and the main window acting on
// the loaded plot through ProcessPlot.
#include <gtest/gtest.h>

#include <map>

#include "common/binary_io.h"
#include "platform/fakes.h"
#include "platform/recording_canvas.h"
#include "plot/axes_loader.h"
#include "plot/plot_view.h"
#include "plot/process_plot.h"
#include "plot_fixtures.h"
#include "shell/command_ids.h"
#include "shell/main_window.h"
#include "shell/menu.h"

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
    return LoadComputedAxes(dialog_, cursor_, [this] { ++titleUpdates_; });
  }

  std::string good_;
  FakeFileDialog dialog_;
  FakeWaitCursor cursor_;
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
  EXPECT_EQ(cursor_.ended, 1);
  EXPECT_EQ(titleUpdates_, 1);
  EXPECT_EQ(g_dataSetName, TextById(kTextDataSetEurope290k, kLanguageSerbian));
  EXPECT_EQ(g_axesFilePath, good_);
  ASSERT_EQ(g_plotPoints.size(), 5u);
  EXPECT_EQ(g_plotPoints[3].coordinates, (std::vector<double>{3.5, 103.5, 203.5}));
  EXPECT_EQ(g_plotPoints[3].y, 103.5);
  EXPECT_EQ(g_axisWeights, (std::vector<double>{0.1, 0.05, 0.1 / 3}));
  EXPECT_EQ(g_hoverIndex, -1);  // the old index named a sample of another set
  EXPECT_EQ(g_plotView.rememberedWidth, 0);
}

TEST_F(AxesLoader, AFailedLoadKeepsThePreviousSetAndItsName) {
  ASSERT_TRUE(Load(good_));
  HidePoint(2);
  const std::string name = g_dataSetName;

  const std::string bytes = WriteComputedAxes(test::SmallSet(7, 4));
  const std::string cut = test::TempFile("cut.ose"), bad = test::TempFile("bad.ose");
  ComputedAxesSet badSet = test::SmallSet(7, 4);
  badSet.samples[6].group = 3;
  ASSERT_TRUE(WriteFileAtomically(cut, std::string_view(bytes).substr(0, bytes.size() - 1)));
  ASSERT_TRUE(WriteComputedAxesFile(bad, badSet));
  for (const std::string& path : {cut, bad, test::TempFile("missing.ose")}) {
    EXPECT_FALSE(Load(path)) << path;
    EXPECT_EQ(g_plotPoints.size(), 5u) << path;
    EXPECT_EQ(g_plotPoints[2].visible, 0);
    EXPECT_EQ(g_dataSetName, name);
  }
  EXPECT_EQ(titleUpdates_, 4);
  EXPECT_EQ(cursor_.begun, cursor_.ended);
  std::string error;
  EXPECT_FALSE(OpenComputedAxesFile(bad, cursor_, nullptr, &error));
  EXPECT_NE(error.find("group"), std::string::npos) << error;
}

// The main window over the real plot: commands, mouse and paint.
class TitleHost : public MainWindowHost {
 public:
  void SetPopupText(int, std::string_view) override {}
  bool SetMenuItemText(int, std::string_view) override { return true; }
  void CheckMenuItem(int, bool) override {}
  void SetTitle(std::string_view text) override { title = std::string(text); }
  void Repaint() override { ++repaints; }
  void Destroy() override {}
  std::string title = kAppTitle;
  int repaints = 0;
};

class LoaderTools : public NoTools {
 public:
  explicit LoaderTools(std::function<void()> title) : title_(std::move(title)) {}
  bool LoadComputedAxes() override { return varnik::LoadComputedAxes(dialog, cursor, title_); }
  FakeFileDialog dialog;
  FakeWaitCursor cursor;

 private:
  std::function<void()> title_;
};

class ProcessPlotWindow : public test::PlotStateTest {
 protected:
  ProcessPlotWindow() : tools_([this] { window_.UpdateWindowTitle(); }), window_(host_, plot_, painting_, tools_) {}

  void SetUp() override {
    test::PlotStateTest::SetUp();
    ComputedAxesSet set = test::SmallSet(6, 3);
    for (int i = 0; i < 6; ++i) set.axes[1].values[static_cast<std::size_t>(i)] = (i * 7) % 6;  // spread vertically
    path_ = test::TempFile("window.ose");
    ASSERT_TRUE(WriteComputedAxesFile(path_, set));
  }
  std::vector<DrawOp> Paint() {
    RecordingCanvas canvas({640, 480});
    window_.Paint(canvas);
    return canvas.ops();
  }
  void LoadThroughTheMenu() {
    tools_.dialog.answers.push_back(path_);
    window_.OnCommand(kCmdLoadComputedAxes);
  }

  std::string path_;
  TitleHost host_;
  ProcessPlot plot_;
  EmptyChromosomePainting painting_;
  LoaderTools tools_;
  MainWindow window_;
};

TEST_F(ProcessPlotWindow, LoadingFromTheMenuTitlesTheWindowWithTheTranslatedName) {
  g_language = kLanguageEnglish;
  LoadThroughTheMenu();
  EXPECT_EQ(host_.title, "Europe with Near East and North Africa - 290k SNPs");
  EXPECT_EQ(host_.repaints, 1);
  EXPECT_EQ(plot_.AxisCount(), 3);
  EXPECT_FALSE(Paint().empty());
  window_.OnCommand(kCmdLanguageRussian);
  EXPECT_EQ(host_.title, "Европа с Ближним Востоком и Северной Африкой - 290к СНПов");
}

TEST_F(ProcessPlotWindow, CtrlDeleteHidesTheSampleUnderTheMouseUntilTheAxesChange) {
  LoadThroughTheMenu();
  Paint();
  const CUzorak& target = g_plotPoints[4];
  window_.OnMouseMove(static_cast<unsigned>(target.screenX + 2), static_cast<unsigned>(target.screenY + 1));
  ASSERT_EQ(g_hoverIndex, 4);
  bool named = false;
  for (const DrawOp& op : Paint()) named |= op.kind == DrawOp::kText && op.text == "S4";
  EXPECT_TRUE(named);

  window_.OnCommand(kCmdHidePoint);
  EXPECT_FALSE(plot_.IsPointVisible(4));
  EXPECT_EQ(g_plotView.rememberedWidth, 0);  // the next paint fits the view to the rest
  Paint();
  window_.OnCommand(kCmdNextAxisPair);  // x + 2 < 3: axes 2 and 3
  EXPECT_EQ(g_axisX, 1);
  EXPECT_EQ(g_axisY, 2);
  EXPECT_TRUE(plot_.IsPointVisible(4));
}

}  // namespace
}  // namespace varnik
