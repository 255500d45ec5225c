#include "predictor/haplotype_search.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "common/binary_io.h"
#include "common/utf.h"
#include "platform/dialog_settings.h"
#include "platform/fakes.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

constexpr const char* kMan17Kit = "16 13 24 29 17 14 11 14 13 11 12 23 13 12 15 12 19";

class HaplotypeSearchDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCollectionComparison();
    folder = std::filesystem::temp_directory_path() / ("varnik_search_dialog_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    g_poregjenjeHaplovrst.collectionsFolder = folder.string();
    ASSERT_TRUE(WriteFileAtomically((folder / SampleCollections()[7].fileName).string(),
                                    Utf16LeWithBom("[Bugari#Bulgarians]\r\n"
                                                   "14 11 14 13 29 24 11 13 13 15 12 12 19 16 17 23 12 Man\r\n")));
  }
  void TearDown() override {
    std::filesystem::remove_all(folder);
    ResetCollectionComparison();
  }
  void Open(int32_t language = kLanguageEnglish) {
    dialog = std::make_unique<CPretragaHaplovrstDialog>(host, store, g_poregjenjeHaplovrst, &cursor, language);
    view = std::make_unique<FakeDialogView>(HaplotypeSearchTemplate(), *dialog);
    view->Init();
  }
  std::string Results() { return view->GetText(kIdSearchResults); }

  std::filesystem::path folder;
  MemorySettingsStore store;
  FakeWaitCursor cursor;
  FakeDialogHost host;
  std::unique_ptr<CPretragaHaplovrstDialog> dialog;
  std::unique_ptr<FakeDialogView> view;
};

TEST_F(HaplotypeSearchDialogTest, OpensWithStoredSettingsAndWritesThemOnSearch) {
  WriteSettingNumber(store, "Poredak", 1);
  WriteSettingNumber(store, "Pretr_NajmZajed", 17);
  WriteSettingNumber(store, "Pretr_NajvPecat", 3);  // below 10: ignored
  WriteSettingDouble(store, "Pretr_KolicnNajvRazl", 0.25);
  WriteSettingNumber(store, "Pretr_NacinRegjanja", 2);
  WriteSettingConstraints(store, "Pretr_Ogranicenja", {{23, 16, 16}, {4, 20, -1}}, 2);
  Open();
  EXPECT_EQ(view->caption(), "Haplotype search");
  EXPECT_EQ(view->GetSelection(kIdSearchOrder), 1);
  EXPECT_EQ(view->GetText(kIdMinCommon), "17");
  EXPECT_EQ(view->GetText(kIdMaxShown), "100");
  EXPECT_EQ(view->GetText(kIdMaxDiff), "25.00");
  EXPECT_EQ(view->GetSelection(kIdRanking), 2);
  EXPECT_EQ(view->ItemCount(kIdConstraintColumn[0]), kFtdnaColumnCount + 1);
  EXPECT_EQ(view->ItemText(kIdConstraintColumn[0], 24), "DYS456");
  EXPECT_EQ(view->GetSelection(kIdConstraintColumn[0]), 24);
  EXPECT_EQ(view->GetText(kIdConstraintRange[0]), "16");
  EXPECT_EQ(view->GetText(kIdConstraintRange[1]), "20~");
  EXPECT_EQ(view->GetText(kIdConstraintRange[2]), "");
  EXPECT_FALSE(view->IsEnabled(kIdConstraintRange[2]));
  EXPECT_EQ(view->focus(), kIdSearchInput);

  view->Type(kIdMinCommon, "3", true);  // below 5: the previous value comes back
  EXPECT_EQ(view->GetText(kIdMinCommon), "17");
  view->Type(kIdMaxDiff, "30", true);
  view->Select(kIdSearchOrder, 0);
  view->Select(kIdRanking, 1);
  view->Click(kIdOk);
  uint32_t number = 0;
  double ratio = 0;
  EXPECT_TRUE(ReadSettingNumber(store, "Poredak", number) && number == 0);
  EXPECT_TRUE(ReadSettingNumber(store, "Pretr_NacinRegjanja", number) && number == 1);
  EXPECT_TRUE(ReadSettingDouble(store, "Pretr_KolicnNajvRazl", ratio) && ratio == 0.3);
  std::vector<CSettingConstraint> constraints;
  int32_t count = 0;
  ASSERT_TRUE(ReadSettingConstraints(store, "Pretr_Ogranicenja", constraints, count));
  EXPECT_EQ(constraints[1], (CSettingConstraint{4, 20, -1}));  // "20~" stays open upwards
  EXPECT_EQ(Results(), "Bad input data");
  EXPECT_EQ(cursor.begun, 1);
}

TEST_F(HaplotypeSearchDialogTest, ConstraintRowsFollowTheirMarkerAndRange) {
  Open();
  view->Select(kIdConstraintColumn[3], 24);
  EXPECT_TRUE(view->IsEnabled(kIdConstraintRange[3]));
  view->Type(kIdConstraintRange[3], "15~12", true);
  EXPECT_EQ(view->GetText(kIdConstraintRange[3]), "12~15");
  EXPECT_EQ(g_poregjenjeHaplovrst.settings.constraints[3], (CSettingConstraint{23, 12, 15}));
  view->Type(kIdConstraintRange[3], "12~x", true);
  EXPECT_EQ(view->GetText(kIdConstraintRange[3]), "");
  view->Type(kIdConstraintRange[3], "~15", true);
  view->Select(kIdConstraintColumn[3], 0);
  EXPECT_EQ(view->GetText(kIdConstraintRange[3]), "");
  EXPECT_FALSE(view->IsEnabled(kIdConstraintRange[3]));
  EXPECT_EQ(g_poregjenjeHaplovrst.settings.constraints[3], (CSettingConstraint{-1, -1, -1}));
}

TEST_F(HaplotypeSearchDialogTest, SearchReadsTheChosenOrderAndShowsTheMatches) {
  Open();
  view->Select(kIdSearchOrder, 1);
  // Two lines read as one haplotype.
  std::string man = kMan17Kit;
  view->Type(kIdSearchInput, man.substr(0, 20) + "\r\n" + man.substr(20));
  view->Click(kIdOk);
  EXPECT_NE(Results().find("1. 0/17 (0) [Number of generations with 50% = 0.00] Man\r\n"), std::string::npos)
      << Results();
  EXPECT_NE(Results().find("Bulgarians\r\n"), std::string::npos);
  EXPECT_EQ(dialog->haplotype().size(), 96u);  // FTDNA order up to DYS635, DYS385 with two copies

  view->Select(kIdSearchOrder, 4);  // a 23-marker order: 17 values are too few
  view->Click(kIdOk);
  EXPECT_EQ(Results(), "Bad input data");
  view->Select(kIdSearchOrder, 0);
  view->Type(kIdSearchInput, "13 24 14 11 11-14 12 12 12 $ 13 29");
  view->Click(kIdOk);
  EXPECT_EQ(Results(), "Marker DYS 389II cannot be given without 389I.");

  view->Click(kIdSearchTemplate17);
  EXPECT_EQ(view->GetText(kIdSearchInput).substr(0, 12), "? ? ? ? ?-? ");
  view->Click(kIdSearchManual);
  EXPECT_EQ(Results().substr(0, 27), "Dialog for Search of my col");
  const std::string manual = Results();
  EXPECT_EQ(std::count(manual.begin(), manual.end(), '\n'), 14);  // eight paragraphs
}

TEST_F(HaplotypeSearchDialogTest, CollectionChooserStoresOnlyOnOk) {
  host.scripts[kCollectionChooserTemplate] = [](FakeDialogView& chooser) {
    EXPECT_EQ(chooser.caption(), "Selection of haplotype collections");
    EXPECT_EQ(chooser.GetText(kIdCollectionBox0 + 3), "Collection of 404 haplotypes from Montenegro, 17 markers (2010.)");
    EXPECT_TRUE(chooser.IsChecked(kIdCollectionBox0 + 9));
    chooser.Click(kIdAllOff);
    chooser.SetChecked(kIdCollectionBox0 + 7, true);
    chooser.Click(kIdOk);
  };
  Open();
  view->Click(kIdChooseCollections);
  std::vector<bool> expected(kCollectionCount, false);
  expected[7] = true;
  EXPECT_EQ(g_poregjenjeHaplovrst.settings.collections, expected);

  host.scripts[kCollectionChooserTemplate] = [](FakeDialogView& chooser) {
    chooser.Click(kIdAllOn);
    chooser.Click(kIdCancel);
  };
  view->Click(kIdChooseCollections);
  EXPECT_EQ(g_poregjenjeHaplovrst.settings.collections, expected);
  // Only the chosen collection is searched, so nothing is missing.
  view->Select(kIdSearchOrder, 1);
  view->Type(kIdSearchInput, kMan17Kit);
  view->Click(kIdOk);
  EXPECT_EQ(Results().find("Warning"), std::string::npos);
}

}  // namespace
}  // namespace varnik
