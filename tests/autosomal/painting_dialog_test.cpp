#include <gtest/gtest.h>

#include "autosomal/painting.h"
#include "autosomal/painting_dialog.h"
#include "platform/dialog_settings.h"
#include "platform/fakes.h"
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

}  // namespace
}  // namespace varnik
