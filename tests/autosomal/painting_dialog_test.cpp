#include <gtest/gtest.h>

#include "autosomal/autosomal_test_support.h"
#include "autosomal/painting.h"
#include "autosomal/painting_dialog.h"
#include "platform/dialog_settings.h"
#include "platform/fakes.h"
#include "platform/thread_fakes.h"
#include "shell/progress_dialog.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

TEST(PaintingDialog, OkStoresTheClampedValuesAndTheNextDialogReadsThemBack) {
  MemorySettingsStore settings;
  FakeFileDialog files;
  CProracunPoreklaOdsecaka data;
  {
    PaintingDialog logic(settings, files, data);
    FakeDialogView view(PaintingTemplate(), logic);
    view.Init();
    EXPECT_EQ(view.caption(), TextById(kTextChromosomePainting));
    EXPECT_EQ(view.GetText(kIdPaintingHalfWindow), "250");
    EXPECT_EQ(view.GetText(kIdPaintingLength), "7.00");
    EXPECT_TRUE(view.IsEnabled(kIdPaintingHalfWindow));
    EXPECT_FALSE(view.IsEnabled(kIdPaintingLength));
    EXPECT_FALSE(view.IsEnabled(kIdPaintingDrawZoomed));  // no chromosome, no window
    // The centimorgan window, a chromosome with a window, values out of range.
    view.control(kIdPaintingBySnpCount).checked = false;
    view.Click(kIdPaintingByLength);
    EXPECT_FALSE(view.IsEnabled(kIdPaintingHalfWindow));
    EXPECT_TRUE(view.IsEnabled(kIdPaintingLength));
    view.Type(kIdPaintingLength, "55");
    view.Type(kIdPaintingHalfWindow, "5");
    view.Type(kIdPaintingLevelling, "900");
    view.Type(kIdAdmixtureChromosome, "3", true);
    view.Click(kIdAdmixtureWindowOnly);
    EXPECT_TRUE(view.IsEnabled(kIdPaintingDrawZoomed));
    view.Click(kIdPaintingDrawZoomed);  // on by default: now off
    view.Type(kIdAdmixtureWindowStart, "1000");
    view.Type(kIdAdmixtureWindowEnd, "2000000");
    view.Click(kIdPaintingSamePopulationOnly);
    view.Type(kIdAdmixtureSamplePath, "genome.txt");
    view.Click(kIdOk);
    EXPECT_EQ(view.result(), kIdOk);
  }
  EXPECT_EQ(data.windowBySnpCount, 0);
  EXPECT_EQ(data.windowLengthCm, kMaxWindowLengthCm);
  EXPECT_EQ(data.halfWindowSnps, kMinHalfWindowSnps);
  EXPECT_EQ(data.levellingFactor, kLevellingMax);
  EXPECT_EQ(data.chromosomeNumber, 3);
  EXPECT_TRUE(data.segmentOnly == 1 && data.segmentStart == 1000 && data.segmentEnd == 2000000);
  EXPECT_EQ(data.drawZoomed, 0);
  EXPECT_EQ(data.pairsSamePopulationOnly, 1);
  EXPECT_EQ(data.samplePath, "genome.txt");

  CProracunPoreklaOdsecaka next;
  PaintingDialog logic(settings, files, next);
  FakeDialogView view(PaintingTemplate(), logic);
  view.Init();
  EXPECT_FALSE(view.IsChecked(kIdPaintingBySnpCount));
  EXPECT_TRUE(view.IsChecked(kIdPaintingByLength));
  EXPECT_EQ(view.GetText(kIdPaintingLength), "40.00");
  EXPECT_EQ(view.GetText(kIdPaintingLevelling), "500");
  EXPECT_EQ(view.GetText(kIdAdmixtureSamplePath), "genome.txt");
  EXPECT_FALSE(view.IsChecked(kIdPaintingDrawZoomed));
  EXPECT_TRUE(view.IsChecked(kIdPaintingSamePopulationOnly));
  view.Click(kIdCancel);
  EXPECT_EQ(view.result(), kIdCancel);
}

// A sample on another genome build than the calculator is painted by its
// SNPs' names, and a message says so when the run ends.
class PaintingRunTest : public AutosomalFilesTest {
 protected:
  void TearDown() override {
    ResetProgressState();
    ResetAutosomalState();
    AutosomalFilesTest::TearDown();
  }
};

TEST_F(PaintingRunTest, ASampleOnAnotherBuildIsPaintedAndTheUserIsTold) {
  g_language = kLanguageEnglish;
  std::string snps, sample = "RSID,CHROMOSOME,POSITION,RESULT\n";
  for (int i = 0; i < 400; ++i) {
    const std::string name = "rs" + std::to_string(i);
    snps += name + ",1," + std::to_string(1000 * (i + 1)) + "," + std::to_string(0.05 * i) + ",AB,0.9,0.2\n";
    sample += name + ",1," + std::to_string(1000 * (i + 1) + 7) + "," + (i % 5 == 0 ? "AG" : "GG") + "\n";
  }
  const std::string calculator = Write("calc.txt", TwoPopulationCalculator(snps));
  const std::string genome = Write("me.csv", sample);
  FakeToolServices tool;
  tool.host.scripts[kPaintingTemplateId] = [&](FakeDialogView& v) {
    v.Type(kIdAdmixtureSamplePath, genome);
    v.Type(kIdAdmixtureCalculatorPath, calculator);
    v.Type(kIdPaintingHalfWindow, "50");
    v.Click(kIdOk);
  };
  OpenChromosomePainting(tool.Services(), nullptr);
  tool.ui.RunPending();
  EXPECT_EQ(g_chromosomePainting.paintingReady, 1);
  const auto& messages = tool.messages;
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("400 of 400 SNPs found by name lie at other positions than in the calculator"),
            std::string::npos)
      << messages.shown[0].text;
  EXPECT_EQ(messages.shown[0].flags, kMbIconWarning);
}

}  // namespace
}  // namespace varnik
