#include "autosomal/admixture_dialog.h"

#include <gtest/gtest.h>

#include "autosomal/autosomal_test_support.h"
#include "platform/dialog_settings.h"
#include "platform/fakes.h"
#include "platform/thread_fakes.h"
#include "shell/progress_dialog.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

class AdmixtureDialogTest : public AutosomalFilesTest {
 protected:
  void SetUp() override {
    AutosomalFilesTest::SetUp();
    ResetAutosomalState();
    g_language = kLanguageEnglish;
  }
  void TearDown() override {
    ResetProgressState();
    ResetAutosomalState();
    AutosomalFilesTest::TearDown();
  }
  FakeDialogView& Open() {
    view = std::make_unique<FakeDialogView>(AdmixtureTemplate(), dialog);
    view->Init();
    return *view;
  }
  uint32_t Stored(const char* name) {
    uint32_t value = 0;
    EXPECT_TRUE(ReadSettingNumber(settings, name, value)) << name;
    return value;
  }

  MemorySettingsStore settings;
  FakeFileDialog files;
  AdmixtureDialog dialog{settings, files};
  std::unique_ptr<FakeDialogView> view;
};

TEST_F(AdmixtureDialogTest, StoredSettingsAreTakenOnlyWithinTheirRanges) {
  WriteSettingText(settings, "StazaUzorka", "/data/me.txt");
  WriteSettingDouble(settings, "GranicaPromene", 1e-10);
  WriteSettingNumber(settings, "UreditiIshode", 0);
  WriteSettingNumber(settings, "BrojHromozoma", 5);
  WriteSettingNumber(settings, "ProracunOds", 1);
  WriteSettingNumber(settings, "PocDelaHrom", 200);
  WriteSettingNumber(settings, "KrajDelaHrom", 100);
  FakeDialogView& v = Open();
  EXPECT_EQ(v.caption(), "Admixture Calculator");
  EXPECT_EQ(v.GetText(kIdAdmixtureSamplePath), "/data/me.txt");
  EXPECT_EQ(v.GetText(kIdAdmixtureThreshold), "1.00e-10");
  EXPECT_EQ(v.GetText(kIdAdmixtureChromosome), "5");
  EXPECT_EQ(v.GetText(kIdAdmixtureWindowStart), "200");
  EXPECT_TRUE(v.IsChecked(kIdAdmixtureWindowOnly) && v.IsEnabled(kIdAdmixtureWindowEnd));
  EXPECT_FALSE(v.IsChecked(kIdAdmixtureSort));
  EXPECT_EQ(v.focus(), kIdOk);

  WriteSettingDouble(settings, "GranicaPromene", 2e-4);
  WriteSettingNumber(settings, "BrojHromozoma", 30);
  g_chromosomePainting.changeThreshold = 3e-6;
  g_chromosomePainting.chromosomeNumber = 0;
  FakeDialogView& again = Open();
  EXPECT_EQ(again.GetText(kIdAdmixtureThreshold), "3.00e-06");
  EXPECT_EQ(again.GetText(kIdAdmixtureChromosome), "0");
  EXPECT_FALSE(again.IsEnabled(kIdAdmixtureWindowOnly) || again.IsEnabled(kIdAdmixtureWindowStart));
}

TEST_F(AdmixtureDialogTest, OkClampsTypedNumbersAndStoresThem) {
  FakeDialogView& v = Open();
  v.Type(kIdAdmixtureSamplePath, "me.csv");
  v.Type(kIdAdmixtureCalculatorPath, "K6.par");
  v.Type(kIdAdmixtureThreshold, "1e-12");
  v.Type(kIdAdmixtureChromosome, "25", true);
  EXPECT_EQ(v.GetText(kIdAdmixtureChromosome), "22");
  EXPECT_TRUE(v.IsEnabled(kIdAdmixtureWindowOnly));
  EXPECT_FALSE(v.IsEnabled(kIdAdmixtureWindowStart));
  v.Click(kIdAdmixtureWindowOnly);
  EXPECT_TRUE(v.IsEnabled(kIdAdmixtureWindowStart));
  v.Type(kIdAdmixtureWindowStart, "400000000");
  v.Type(kIdAdmixtureWindowEnd, "1000");
  v.Click(kIdOk);
  ASSERT_TRUE(v.ended());
  EXPECT_EQ(v.result(), kIdOk);
  const CProracunPoreklaOdsecaka& data = g_chromosomePainting;
  EXPECT_EQ(data.samplePath, "me.csv");
  EXPECT_EQ(data.calculatorPath, "K6.par");
  EXPECT_EQ(data.changeThreshold, 1e-10);
  EXPECT_EQ(data.chromosomeNumber, 22);
  EXPECT_EQ(data.segmentStart, 300000000);
  EXPECT_EQ(data.segmentEnd, 1000);
  EXPECT_EQ(Stored("BrojHromozoma"), 22u);
  EXPECT_EQ(Stored("PocDelaHrom"), 300000000u);
  double stored = 0;
  EXPECT_TRUE(ReadSettingDouble(settings, "GranicaPromene", stored) && stored == 1e-10);

  // Text that is no number keeps the value; chromosome 0 leaves the window alone.
  FakeDialogView& next = Open();
  next.Type(kIdAdmixtureThreshold, "abc");
  next.Type(kIdAdmixtureChromosome, "-3", true);
  EXPECT_FALSE(next.IsEnabled(kIdAdmixtureWindowOnly));
  next.Type(kIdAdmixtureWindowStart, "5");
  next.Click(kIdOk);
  EXPECT_EQ(data.changeThreshold, 1e-10);
  EXPECT_EQ(data.chromosomeNumber, 0);
  EXPECT_EQ(data.segmentStart, 300000000);
  EXPECT_EQ(Stored("PocDelaHrom"), 300000000u);
}

TEST_F(AdmixtureDialogTest, CancelAndCancelledBrowsingChangeNothing) {
  files.answers = {std::string("/picked/genome.txt"), std::nullopt};
  FakeDialogView& v = Open();
  v.Click(kIdAdmixtureSampleBrowse);
  EXPECT_EQ(v.GetText(kIdAdmixtureSamplePath), "/picked/genome.txt");
  EXPECT_EQ(files.requests[0].filter, "*.csv;*.txt;*.zip;*.gz;*.");
  EXPECT_EQ(files.requests[0].title, "Input file of sample genome");
  v.Click(kIdAdmixtureCalculatorBrowse);
  EXPECT_EQ(v.GetText(kIdAdmixtureCalculatorPath), "");
  EXPECT_EQ(files.requests[1].filter, "*.par;*.txt;*.");
  v.Type(kIdAdmixtureChromosome, "7", true);
  v.Click(kIdCancel);
  EXPECT_EQ(v.result(), kIdCancel);
  EXPECT_EQ(g_chromosomePainting.chromosomeNumber, 0);
  EXPECT_TRUE(g_chromosomePainting.samplePath.empty());
  EXPECT_FALSE(settings.KeyExists());
}

// The whole road: the dialog, the worker behind the progress dialog, the
// shares in its result box and in the process-wide object afterwards.
TEST_F(AdmixtureDialogTest, OkRunsTheCalculationBehindTheProgressDialog) {
  std::string snps, sample = "RSID,CHROMOSOME,POSITION,RESULT\n";
  for (int i = 0; i < 200; ++i) {
    const std::string name = "rs" + std::to_string(i);
    snps += name + ",1," + std::to_string(1000 * (i + 1)) + ",0,AB,0.9,0.2\n";
    sample += "\"" + name + "\",\"1\",\"" + std::to_string(1000 * (i + 1)) + "\",\"" + (i % 5 == 0 ? "AG" : "GG") + "\"\n";
  }
  const std::string calculator = Write("calc.txt", TwoPopulationCalculator(snps));
  const std::string genome = Write("me.csv", sample);
  g_chromosomePainting.paintingReady = 1;

  FakeToolServices tool;
  tool.host.scripts[kAdmixtureTemplateId] = [&](FakeDialogView& v) {
    v.Type(kIdAdmixtureSamplePath, genome);
    v.Type(kIdAdmixtureCalculatorPath, calculator);
    v.Click(kIdOk);
  };
  OpenAdmixture(tool.Services());
  EXPECT_EQ(g_chromosomePainting.paintingReady, 0);
  EXPECT_FALSE(tool.mainWindow.enabled);
  tool.ui.RunPending();

  FakeDialogView& progress = *tool.host.modeless.back()->view;
  EXPECT_EQ(progress.caption(), TextById(kTextProgressCaption) + " - Admixture Calculator");
  EXPECT_EQ(progress.GetText(kIdStatusLine1), "SNPs: 200 , calc,  \"me.csv\"");
  EXPECT_EQ(progress.GetText(kIdRunningResults).substr(0, 6), "P1:\t\t9");
  EXPECT_EQ(tool.beeper.beeps, 1);
  ASSERT_EQ(g_chromosomePainting.proportions.size(), 2u);
  EXPECT_GT(g_chromosomePainting.proportions[0], 0.9);
  EXPECT_EQ(g_chromosomePainting.snps.size(), 200u);
  progress.Click(kIdOk);
  EXPECT_TRUE(tool.mainWindow.enabled);

  // A failed load says why in the status line and shows no shares.
  Write("me.csv", "nothing we know\n");
  OpenAdmixture(tool.Services());
  tool.ui.RunPending();
  FakeDialogView& failed = *tool.host.modeless.back()->view;
  EXPECT_EQ(failed.GetText(kIdStatusLine2).rfind("me.csv: not a raw genotype file this program knows; ", 0), 0u);
  EXPECT_EQ(failed.GetText(kIdRunningResults), "");
  EXPECT_TRUE(g_chromosomePainting.snps.empty());
}

}  // namespace
}  // namespace varnik
