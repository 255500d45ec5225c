#include <gtest/gtest.h>

#include <algorithm>

#include "autosomal/painting.h"
#include "autosomal/painting_view.h"
#include "platform/recording_canvas.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

constexpr Color kRed{255, 0, 0};
constexpr Color kBlue{0, 0, 255};

// Chromosome 1: 100 SNPs at 1, 2, ... 100 Mbp; chromosome 2: 50 SNPs at
// 1 ... 50 Mbp.  Every SNP is 3/4 population 1 (red), 1/4 population 2.
class PaintingDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedLanguage_ = g_language;
    g_language = kLanguageEnglish;
    data.populationNames = {"P1", "P2"};
    data.populationColours = {0x0000FF, 0xFF0000};
    for (int c = 1; c <= 2; ++c) {
      for (int i = 0; i < (c == 1 ? 100 : 50); ++i) {
        CPodaciSNPaZaPorekloOdsecaka snp;
        snp.chromosome = c;
        snp.position = 1000000 * (i + 1);
        snp.paintMark = c - 1;
        snp.paintValues = {0.75, 0.25};
        data.snps.push_back(snp);
      }
    }
    data.BuildChromosomeRuns();
    data.proportions = {0.4, 0.6};
    data.paintingReady = 1;
    data.samplePath = "/genomes/sample.txt";
    data.calculatorDisplayName = "Calc";
  }
  void TearDown() override { g_language = savedLanguage_; }

  // Fills drawn in `colour` in the pixel column x.
  std::vector<DrawOp> FillsAt(int x, Color colour) const {
    std::vector<DrawOp> found;
    for (const DrawOp& op : canvas.ops()) {
      if (op.kind == DrawOp::kFillRect && op.from.x == x && op.to.x == x + 1 && op.state.brush == colour) {
        found.push_back(op);
      }
    }
    return found;
  }
  bool HasText(const std::string& text) const {
    const std::vector<std::string> texts = canvas.Texts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }

  CProracunPoreklaOdsecaka data;
  RecordingCanvas canvas{{1065, 650}};  // drawing area 1000 x 600
  int savedLanguage_ = 0;
};

TEST_F(PaintingDrawTest, DrawsNothingBeforeAPaintingIsReady) {
  data.paintingReady = 0;
  ProcessChromosomePainting view(data);
  EXPECT_TRUE(view.HasData());  // the main window still chooses this view
  view.Draw(canvas);
  EXPECT_EQ(canvas.count(), 0u);
  EXPECT_FALSE(view.ToggleLevelling());
}

TEST_F(PaintingDrawTest, BarsShareOneScaleAndColumnsSplitByTheValues) {
  data.DrawChromosomePainting(canvas);
  // Two bars of (600 - 6) / 2 = 297 pixels; 100 Mbp take the 1000 pixels.
  const auto bars = std::count_if(canvas.ops().begin(), canvas.ops().end(), [](const DrawOp& op) {
    return op.kind == DrawOp::kFillRect && op.state.brush == Color{96, 96, 96};
  });
  EXPECT_EQ(bars, 2);
  for (const DrawOp& op : canvas.ops()) {
    if (op.kind != DrawOp::kFillRect || op.state.brush != Color{96, 96, 96}) continue;
    EXPECT_EQ(op.from.x, 40);
    EXPECT_TRUE((op.from.y == 25 && op.to == Point{1040, 322}) || (op.from.y == 328 && op.to == Point{540, 625}));
  }
  // The SNP at 1 Mbp is column 10: red 223 pixels from the top, blue 74.
  const auto red = FillsAt(50, kRed), blue = FillsAt(50, kBlue);
  ASSERT_EQ(red.size(), 2u);
  ASSERT_EQ(blue.size(), 2u);
  EXPECT_EQ(red[0].from.y, 25);
  EXPECT_EQ(red[0].to.y, 248);
  EXPECT_EQ(blue[0].from.y, 248);
  EXPECT_EQ(blue[0].to.y, 322);
  EXPECT_TRUE(FillsAt(55, kRed).empty());  // no SNP there
  EXPECT_TRUE(HasText("1"));
  EXPECT_TRUE(HasText("2"));
}

TEST_F(PaintingDrawTest, LegendListsThePopulationsByShareUnderTheTitle) {
  data.DrawChromosomePainting(canvas);
  const std::vector<std::string> texts = canvas.Texts();
  const auto p2 = std::find(texts.begin(), texts.end(), "P2 (60.00%)");
  const auto p1 = std::find(texts.begin(), texts.end(), "P1 (40.00%)");
  ASSERT_NE(p2, texts.end());
  ASSERT_NE(p1, texts.end());
  EXPECT_LT(p2 - texts.begin(), p1 - texts.begin());
  EXPECT_EQ(texts.front(), "\"sample.txt\",       Calc , N = 250 , 150 SNPs");
}

TEST_F(PaintingDrawTest, TheZoomedWindowFillsTheWidthWithLabelledTicks) {
  data.chromosomeNumber = 1;
  data.segmentOnly = 1;
  data.segmentStart = 10000000;
  data.segmentEnd = 20000000;
  data.FindSegmentRange();
  data.DrawChromosomePainting(canvas);
  // One bar of 600 / 5 pixels; 10 Mbp over 1000 pixels; ticks every 500 Kbp.
  EXPECT_EQ(FillsAt(40, kRed).size(), 1u);  // the window's first SNP
  EXPECT_EQ(FillsAt(140, kRed).size(), 1u);
  EXPECT_EQ(FillsAt(40, kRed)[0].to.y, 25 + 90);
  EXPECT_TRUE(HasText("10M"));
  EXPECT_TRUE(HasText("10500K"));
  EXPECT_TRUE(HasText("20M"));
  EXPECT_TRUE(HasText("1"));
  EXPECT_NE(canvas.Texts().front().find("Chromosome: 1 (10,000,000 - 20,000,000)"), std::string::npos);
  // A window shorter than 100 base pairs is not drawn.
  canvas.Clear();
  data.segmentLastSnp = data.segmentFirstSnp;
  data.DrawChromosomePainting(canvas);
  EXPECT_TRUE(FillsAt(40, kRed).empty());
}

TEST_F(PaintingDrawTest, LevellingDrawsMixedColumnsAsHalvesAndShowsTheFactor) {
  for (CPodaciSNPaZaPorekloOdsecaka& snp : data.snps) snp.paintValues = {0.6, 0.4};
  data.snps[0].paintValues = {0.95, 0.05};
  ProcessChromosomePainting view(data);
  EXPECT_FALSE(view.CanStepLevelling());
  ASSERT_TRUE(view.ToggleLevelling());
  EXPECT_TRUE(view.CanStepLevelling());
  EXPECT_TRUE(view.StepLevellingUp());
  view.Draw(canvas);
  // Over ±60 SNPs the second population keeps more than a quarter: every
  // column is the mixed pair, red above, shaded blue below.
  const auto red = FillsAt(50, kRed);
  ASSERT_EQ(red.size(), 2u);
  EXPECT_EQ(red[0].to.y, 25 + 148);
  EXPECT_EQ(FillsAt(50, Color{0, 0, 191}).size(), 2u);
  EXPECT_NE(canvas.Texts().front().find(",  Factor for leveling = 60"), std::string::npos);
  ASSERT_TRUE(view.ToggleLevelling());
  EXPECT_EQ(data.drawLevelled, 0);
}

}  // namespace
}  // namespace varnik
