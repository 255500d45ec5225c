#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/dialog_settings.h"
#include "platform/recording_canvas.h"
#include "shell/app_state.h"
#include "shell/command_ids.h"
#include "shell/menu.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

// A window that remembers its menu texts, check marks, title and repaints.
class FakeHost : public MainWindowHost {
 public:
  FakeHost() {
    for (const MenuPopup& popup : MainMenu())
      for (const MenuItem& item : popup.items)
        if (item.id != 0) itemTexts[item.id] = item.placeholder, checks[item.id] = item.checked;
  }
  void SetPopupText(int position, std::string_view text) override { popupTexts[position] = std::string(text); }
  bool SetMenuItemText(int id, std::string_view text) override {
    return itemTexts.count(id) != 0 && (itemTexts[id] = std::string(text), true);
  }
  void CheckMenuItem(int id, bool checked) override { checks[id] = checked; }
  void SetTitle(std::string_view text) override { title = std::string(text); }
  void Repaint() override { ++repaints; }
  void Destroy() override { destroyed = true; }
  void LanguageChanged(int language) override { languages.push_back(language); }

  std::map<int, std::string> popupTexts, itemTexts;
  std::vector<int> languages;
  std::map<int, bool> checks;
  std::string title = kAppTitle;
  int repaints = 0;
  bool destroyed = false;
};

// A plot with a number of axes that records what it was asked.
class FakePlot : public EmptyPlot {
 public:
  bool HasData() const override { return points > 0; }
  int AxisCount() const override { return axes; }
  void SelectAxisPair(int x, int y) override {
    calls.push_back("select " + std::to_string(x) + "," + std::to_string(y));
    if (points > 0) g_axisX = x, g_axisY = y;
  }
  bool IsPointVisible(int index) const override { return index < points && !hidden; }
  void HidePoint(int index) override { calls.push_back("hide " + std::to_string(index)), hidden = true; }
  void ZoomIn() override { calls.push_back("zoom in"); }
  void ZoomAt(int x, int y, bool in) override {
    calls.push_back(std::string(in ? "zoom in at " : "zoom out at ") + std::to_string(x) + "," + std::to_string(y));
  }
  void PanDown() override { calls.push_back("pan down"); }
  bool FindPointUnderMouse(int x, int y) override {
    calls.push_back("mouse " + std::to_string(x) + "," + std::to_string(y));
    return true;
  }
  void Draw(Canvas& canvas) override { canvas.TextOut(0, 0, "plot"); }

  int points = 0, axes = 0;
  bool hidden = false;
  std::vector<std::string> calls;
};

class FakePainting : public ChromosomePaintingApi {
 public:
  bool HasData() const override { return data; }
  bool IsPainted() const override { return data && painted; }
  bool CanStepLevelling() const override { return steppable; }
  bool StepLevellingDown() override { return ++downs, changes; }
  bool StepLevellingUp() override { return ++ups, changes; }
  bool ToggleLevelling() override { return ++toggles, changes; }
  void Draw(Canvas& canvas) override { canvas.TextOut(0, 0, "painting"); }

  bool data = false, painted = true, steppable = true, changes = true;
  int downs = 0, ups = 0, toggles = 0;
};

class FakeTools : public ToolLauncher {
 public:
  bool LoadComputedAxes() override { return ++loads, loadResult; }
  void OpenPredictor() override { ++predictor; }
  void OpenTmrca() override { ++tmrca; }
  void OpenAdmixture() override { ++admixture; }
  void OpenHaplotypeSearch() override { ++search; }
  void OpenChromosomePainting() override { ++painting; }
  bool loadResult = false;
  int loads = 0, predictor = 0, tmrca = 0, admixture = 0, search = 0, painting = 0;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetShellState();
    window.OnCreate();
    host.repaints = 0;
  }
  void TearDown() override { ResetShellState(); }

  FakeHost host;
  FakePlot plot;
  FakePainting painting;
  FakeTools tools;
  MainWindow window{host, plot, painting, tools};
};

TEST_F(MainWindowTest, LanguageCommandsRewriteTheMenuButLanguageItemsKeepTheirNames) {
  EXPECT_EQ(host.itemTexts[kCmdChangeDrawingMode], "Промѣна начина цртања\tCtrl+Shift+C");
  EXPECT_TRUE(window.OnCommand(kCmdLanguageRussian));
  EXPECT_EQ(g_language, kLanguageRussian);
  EXPECT_EQ(host.popupTexts[0], "Файл");
  EXPECT_EQ(host.itemTexts[kCmdLanguageSerbian], "Србски йезик");
  EXPECT_EQ(host.itemTexts[kCmdHaplotypeSearch], TextById(kTextHaplotypeSearch, kLanguageRussian) + "...");
  EXPECT_TRUE(host.checks[kCmdLanguageRussian]);
  EXPECT_FALSE(host.checks[kCmdLanguageSerbian]);
  EXPECT_EQ(host.repaints, 1);  // a language change repaints even with no data
  EXPECT_EQ(host.title, kAppTitle);

  // English does nothing at all.
  EXPECT_TRUE(window.OnCommand(kCmdLanguageEnglish));
  EXPECT_EQ(g_language, kLanguageRussian);
  EXPECT_FALSE(host.checks[kCmdLanguageEnglish]);
  EXPECT_EQ(host.repaints, 1);
}

TEST_F(MainWindowTest, TheChosenLanguageIsRememberedBetweenStarts) {
  MemorySettingsStore settings;
  window.UseSettings(&settings);  // nothing stored: the toolkit gets Serbian
  EXPECT_EQ(host.languages, (std::vector<int>{kLanguageSerbian}));
  EXPECT_FALSE(settings.KeyExists());
  window.OnCommand(kCmdLanguageRussian);
  uint32_t stored = 9;
  ASSERT_TRUE(ReadSettingNumber(settings, kLanguageSetting, stored));
  EXPECT_EQ(stored, static_cast<uint32_t>(kLanguageRussian));

  // The next start.
  g_language = kLanguageSerbian;
  FakeHost nextHost;
  MainWindow next{nextHost, plot, painting, tools};
  next.OnCreate();
  next.UseSettings(&settings);
  EXPECT_EQ(g_language, kLanguageRussian);
  EXPECT_EQ(nextHost.popupTexts[0], "Файл");
  EXPECT_TRUE(nextHost.checks[kCmdLanguageRussian]);
  EXPECT_EQ(nextHost.languages.back(), kLanguageRussian);
  // A stored value out of range is ignored.
  WriteSettingNumber(settings, kLanguageSetting, 7);
  g_language = kLanguageSerbian;
  next.UseSettings(&settings);
  EXPECT_EQ(g_language, kLanguageSerbian);
}

TEST_F(MainWindowTest, TitleShowsTranslatedDataSetNameAfterLanguageChange) {
  g_dataSetName = "Срби";
  window.OnCommand(kCmdLanguageRussian);
  EXPECT_EQ(host.title, "сербы");
  g_dataSetName = "Not in the table";
  window.OnCommand(kCmdLanguageSerbian);
  EXPECT_EQ(host.title, "<no translation>");
}

TEST_F(MainWindowTest, EmptyApplicationIgnoresNavigationButTogglesCheckMarks) {
  for (int id : {kCmdNextAxisPair, kCmdNextXAxis, kCmdPrevYAxis, kCmdZoomIn, kCmdPanDown, kCmdHidePoint})
    EXPECT_TRUE(window.OnCommand(id)) << id;
  EXPECT_TRUE(host.repaints == 0 && plot.calls.empty() && painting.downs + painting.ups == 0);

  window.OnCommand(kCmdShowPopulationNames);
  window.OnCommand(kCmdShowSampleNames);
  g_hoverIndex = 3;
  window.OnCommand(kCmdShowNameUnderMouse);
  EXPECT_FALSE(host.checks[kCmdShowPopulationNames]);
  EXPECT_TRUE(host.checks[kCmdShowSampleNames]);
  EXPECT_FALSE(host.checks[kCmdShowNameUnderMouse]);
  EXPECT_EQ(g_hoverIndex, -1);
  EXPECT_EQ(host.repaints, 3);

  // Flips select the axis pair even without data; the plot ignores it.
  window.OnCommand(kCmdFlipHorizontal);
  window.OnCommand(kCmdFlipVertical);
  EXPECT_TRUE(g_flipHorizontal == 1 && g_flipVertical == 1);
  EXPECT_EQ(plot.calls, (std::vector<std::string>{"select 0,1", "select 0,1"}));

  RecordingCanvas canvas({200, 100});
  window.Paint(canvas);
  EXPECT_EQ(canvas.count(), 0u);  // nothing drawn: the back buffer stays black
}

TEST_F(MainWindowTest, AxisCommandsRespectTheirLimitsWithTwoAxes) {
  plot.points = 5;
  plot.axes = 2;
  // From (0,1): the pair steps do nothing (0 + 2 is not below 2, x is 0), y goes
  // to 0, x to 1 and no further, y back to 1 and no further.
  for (int id : {kCmdNextAxisPair, kCmdPrevAxisPair, kCmdPrevYAxis, kCmdNextXAxis, kCmdNextXAxis, kCmdNextYAxis,
                 kCmdNextYAxis})
    window.OnCommand(id);
  EXPECT_EQ(plot.calls, (std::vector<std::string>{"select 0,0", "select 1,0", "select 1,1"}));
  EXPECT_TRUE(g_axisX == 1 && g_axisY == 1);  // the diagonal is allowed
  window.OnCommand(kCmdPrevAxisPair);
  EXPECT_EQ(plot.calls.back(), "select 0,1");
  EXPECT_EQ(host.repaints, 4);
}

TEST_F(MainWindowTest, ZoomPanAndHideActOnlyWithData) {
  plot.points = 3;
  plot.axes = 4;
  for (int id : {kCmdZoomIn, kCmdPanDown, kCmdHidePoint}) window.OnCommand(id);  // nothing under the mouse to hide
  g_hoverIndex = 2;
  window.OnCommand(kCmdHidePoint);
  window.OnCommand(kCmdHidePoint);  // already hidden
  EXPECT_EQ(plot.calls, (std::vector<std::string>{"zoom in", "pan down", "hide 2"}));
  EXPECT_EQ(host.repaints, 3);
}

TEST_F(MainWindowTest, LevellingStepsReachThePaintingOnlyWithoutAPlot) {
  painting.data = true;
  window.OnCommand(kCmdPrevXAxis);
  window.OnCommand(kCmdNextXAxis);
  EXPECT_TRUE(painting.downs == 1 && painting.ups == 1);
  EXPECT_EQ(host.repaints, 2);
  painting.changes = false;
  window.OnCommand(kCmdNextXAxis);  // a step that changes nothing does not repaint
  painting.steppable = false;
  window.OnCommand(kCmdNextXAxis);  // nor does one that cannot be taken
  EXPECT_TRUE(host.repaints == 2 && painting.ups == 2);

  plot.points = 1;
  plot.axes = 3;
  window.OnCommand(kCmdPrevXAxis);  // the plot wins; x is 0 so nothing happens
  EXPECT_EQ(painting.downs, 1);
}

TEST_F(MainWindowTest, DrawingModeSwitchesTheShownPaintingAndPaintingOpensItsTool) {
  window.OnCommand(kCmdChangeDrawingMode);  // no painting: nothing to switch
  painting.data = true;
  window.OnCommand(kCmdChangeDrawingMode);
  EXPECT_TRUE(painting.toggles == 1 && host.repaints == 1);
  plot.points = 1;
  window.OnCommand(kCmdChangeDrawingMode);  // the plot hides the painting
  EXPECT_EQ(painting.toggles, 1);
  EXPECT_TRUE(window.OnCommand(kCmdChromosomePainting));
  EXPECT_EQ(tools.painting, 1);
}

TEST_F(MainWindowTest, PaintsPlotBeforePainting) {
  RecordingCanvas canvas({100, 100});
  painting.data = true;
  window.Paint(canvas);
  plot.points = 1;
  window.Paint(canvas);
  EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"painting", "plot"}));
}

class FakeComparison : public GenomeComparisonApi {
 public:
  bool HasData() const override { return data; }
  void Draw(Canvas& canvas) override { canvas.TextOut(0, 0, "comparison"); }
  bool data = true;
};

class ComparisonTools : public FakeTools {
 public:
  void OpenGenomeComparison() override { ++comparison; }
  int comparison = 0;
};

TEST_F(MainWindowTest, GenomeComparisonIsDrawnAfterPlotAndPaintingAndOpensFromItsCommand) {
  FakeComparison comparison;
  window.SetGenomeComparison(&comparison);
  RecordingCanvas canvas({100, 100});
  window.Paint(canvas);
  painting.data = true;
  window.Paint(canvas);
  // Chromosome runs left by an admixture run, without a painting, do not
  // hide the comparison.
  painting.painted = false;
  window.Paint(canvas);
  EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"comparison", "painting", "comparison"}));

  ComparisonTools comparisonTools;
  MainWindow withTool{host, plot, painting, comparisonTools};
  EXPECT_TRUE(withTool.OnCommand(kCmdGenomeComparison));
  EXPECT_EQ(comparisonTools.comparison, 1);
}

TEST_F(MainWindowTest, MouseMoveLooksForPointsOnlyWhenNamesUnderMouseAreShown) {
  window.OnMouseMove(10, 20);  // no data
  plot.points = 1;
  window.OnMouseMove(0x1000A, 20);  // only the low word counts
  g_showNameUnderMouse = 0;
  window.OnMouseMove(5, 5);
  EXPECT_EQ(plot.calls, (std::vector<std::string>{"mouse 10,20"}));
  EXPECT_EQ(host.repaints, 1);
}

TEST_F(MainWindowTest, MouseWheelZoomsAboutThePointerOnceANotch) {
  window.OnMouseWheel(10, 20, 1);  // no data
  plot.points = 1;
  window.OnMouseWheel(10, 20, 2);
  window.OnMouseWheel(30, 40, -1);
  window.OnMouseWheel(30, 40, 0);
  EXPECT_EQ(plot.calls, (std::vector<std::string>{"zoom in at 10,20", "zoom in at 10,20", "zoom out at 30,40"}));
  EXPECT_EQ(host.repaints, 2);
}

TEST_F(MainWindowTest, ToolsExitAndUnknownCommands) {
  window.OnCommand(kCmdLoadComputedAxes);
  EXPECT_EQ(host.repaints, 0);
  tools.loadResult = true;
  window.OnCommand(kCmdLoadComputedAxes);
  EXPECT_EQ(host.repaints, 1);
  for (int id : {kCmdHaplogroupPredictor, kCmdTmrca, kCmdAdmixture, kCmdHaplotypeSearch}) window.OnCommand(id);
  EXPECT_EQ(tools.predictor + tools.tmrca + tools.admixture + tools.search, 4);
  EXPECT_TRUE(window.OnCommand(kCmdUnused32799));
  EXPECT_FALSE(window.OnCommand(12345) || host.destroyed);
  window.OnCommand(kCmdExit);
  EXPECT_TRUE(host.destroyed);
}

TEST(MainMenu, AcceleratorsKeepKeypadAndModifiersApart) {
  std::map<std::tuple<int, char, bool, bool, bool>, int> seen;
  for (const Accelerator& a : AcceleratorTable()) {
    const auto key = std::make_tuple(static_cast<int>(a.key), a.character, a.ctrl, a.alt, a.shift);
    EXPECT_TRUE(seen.emplace(key, a.command).second) << "duplicate accelerator for " << a.command;
  }
}

}  // namespace
}  // namespace varnik
