#include "texts/text_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "texts/text_ids.h"

namespace varnik {
namespace {

constexpr const char* kFallback = "<no translation>";

// Every test starts in Serbian and leaves the language as it found it.
class TextTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = g_language;
    g_language = kLanguageSerbian;
  }
  void TearDown() override { g_language = saved_; }

 private:
  int32_t saved_ = 0;
};

std::vector<int32_t> IdsInOrder(const CSpisakPrevoda& table) {
  std::vector<int32_t> ids;
  for (const CPrevodNaziva& row : table.Rows()) ids.push_back(row.id);
  return ids;
}

TEST_F(TextTableTest, TextByIdFallsBackToEnglishOnlyWhereRussianIsEmpty) {
  EXPECT_EQ(TextById(kPopBantuSouthAfrica, kLanguageSerbian), "Банту ЙуАфр");
  EXPECT_EQ(TextById(kPopBantuSouthAfrica, kLanguageEnglish), "Bantu SouthAfr");
  EXPECT_EQ(TextById(kPopBantuSouthAfrica, kLanguageRussian), "Bantu SouthAfr");
  EXPECT_EQ(TextById(kPopSerbs, kLanguageRussian), "сербы");

  // Language -1 (the default) follows g_language.
  EXPECT_EQ(TextById(kTextMenuFile), "Избор");
  g_language = kLanguageRussian;
  EXPECT_EQ(TextById(kTextMenuFile), "Файл");
}

TEST_F(TextTableTest, UnknownIdOrLanguageGivesFallback) {
  for (int32_t language : {kLanguageSerbian, kLanguageEnglish, kLanguageRussian}) {
    EXPECT_EQ(TextById(374, language), kFallback) << language;
    EXPECT_EQ(TextById(-1, language), kFallback) << language;
  }
  EXPECT_EQ(TextById(kTextMenuFile, 3), kFallback);
  EXPECT_EQ(TextById(kTextMenuFile, -2), kFallback);
  g_language = 5;
  EXPECT_EQ(TextById(kTextMenuFile), kFallback);
  EXPECT_EQ(Texts().TranslateSerbianName("Срби"), kFallback);
  EXPECT_EQ(Texts().TranslateEnglishName("Serbs", 0), kFallback);
}

TEST_F(TextTableTest, TranslateSerbianNameMatchesWholeStringsOnly) {
  const CSpisakPrevoda& texts = Texts();
  EXPECT_EQ(texts.TranslateSerbianName("Срби"), "Срби");
  EXPECT_EQ(texts.TranslateSerbianName("Срби "), kFallback);
  EXPECT_EQ(texts.TranslateSerbianName("Ср"), kFallback);
  EXPECT_EQ(texts.TranslateSerbianName("срби"), kFallback);
  g_language = kLanguageRussian;
  EXPECT_EQ(texts.TranslateSerbianName("Срби"), "сербы");
  // An empty Russian text falls back to English here, unlike TranslateEnglishName.
  EXPECT_EQ(texts.TranslateSerbianName("Банту ЙуАфр"), "Bantu SouthAfr");
  EXPECT_EQ(texts.TranslateSerbianName("Европа са околином - 290к СНПова"),
            "Европа с Ближним Востоком и Северной Африкой - 290к СНПов");
}

TEST_F(TextTableTest, TranslateEnglishNameKeepsEmptyRussianAndUnknownNames) {
  const CSpisakPrevoda& texts = Texts();
  EXPECT_EQ(texts.TranslateEnglishName("Serbs", 0), "Срби");
  g_language = kLanguageRussian;
  EXPECT_EQ(texts.TranslateEnglishName("Bantu SouthAfr", 0), "");
  EXPECT_EQ(texts.TranslateEnglishName("Serbs", 0), "сербы");
  EXPECT_EQ(texts.TranslateEnglishName("Nobody", 1), "Nobody");
  EXPECT_EQ(texts.TranslateEnglishName("Nobody", 0), kFallback);
  EXPECT_EQ(texts.TranslateEnglishName("Serbs ", 1), "Serbs ");
}

TEST_F(TextTableTest, SelectionSortIsNotStableForEqualTexts) {
  // Position 0 swaps with the smallest row, which carries the first "б" behind
  // the second; a stable sort would give 3, 1, 2.
  const CSpisakPrevoda table({{1, "б", "b1", ""}, {2, "б", "b2", ""}, {3, "а", "a", ""}});
  EXPECT_EQ(IdsInOrder(table), (std::vector<int32_t>{3, 2, 1}));
  g_language = kLanguageEnglish;
  EXPECT_EQ(table.TranslateSerbianName("б"), "b2");  // the first in sorted order
}

TEST_F(TextTableTest, DuplicatedIdKeepsTheLaterRowAfterSorting) {
  const CSpisakPrevoda table({{7, "б", "first", ""}, {7, "б", "second", ""}, {8, "а", "x", ""}});
  EXPECT_EQ(table.TextById(7, kLanguageEnglish), "first");

  // Sorting compares code units: Latin sorts before Cyrillic, capitals first.
  const CSpisakPrevoda mixed({{1, "а", "", ""}, {2, "Я", "", ""}, {3, "z", "", ""}, {4, "Z", "", ""}});
  EXPECT_EQ(IdsInOrder(mixed), (std::vector<int32_t>{4, 3, 2, 1}));
}

TEST_F(TextTableTest, ProgramTableHoldsEveryIdOnceExceptTheTwoDuplicates) {
  const std::vector<CPrevodNaziva> rows = FillTexts();
  ASSERT_EQ(rows.size(), 376u);
  std::map<int32_t, int> count;
  int emptyRussian = 0;
  for (const CPrevodNaziva& row : rows) {
    ++count[row.id];
    EXPECT_FALSE(row.serbian.empty()) << row.id;
    EXPECT_FALSE(row.english.empty()) << row.id;
    if (row.russian.empty()) ++emptyRussian;
  }
  EXPECT_EQ(emptyRussian, 198);
  ASSERT_EQ(count.size(), 374u);
  EXPECT_EQ(count.begin()->first, kTextFirst);
  EXPECT_EQ(count.rbegin()->first, kTextLast);
  for (const auto& [id, n] : count) EXPECT_EQ(n, (id == 197 || id == 314) ? 2 : 1) << id;

  const std::vector<CPrevodNaziva>& sorted = Texts().Rows();
  EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                             [](const CPrevodNaziva& a, const CPrevodNaziva& b) { return a.serbian < b.serbian; }));
}

TEST_F(TextTableTest, DuplicatedIdsResolveToTheIntendedRows) {
  std::vector<std::string> russian197;
  for (const CPrevodNaziva& row : Texts().Rows()) {
    if (row.id == kTextCalculation) russian197.push_back(row.russian);
  }
  EXPECT_EQ(russian197, (std::vector<std::string>{"", "Расчет"}));
  EXPECT_EQ(TextById(kTextCalculation, kLanguageRussian), "Расчет");
  EXPECT_EQ(TextById(kTextCalculation, kLanguageSerbian), "Прорачун");
  EXPECT_EQ(TextById(kCompEastAsian, kLanguageEnglish), "East_Asian");
  EXPECT_EQ(TextById(kCompEastAsian, kLanguageSerbian), "Источна Азия");
}

TEST_F(TextTableTest, OnlyThreeRussianTextsEndInALineBreak) {
  EXPECT_EQ(TextById(kPopNorthItalians, kLanguageRussian), "северные итальянцы\r\n");
  EXPECT_EQ(TextById(kPopChuvash, kLanguageRussian), "чуваши\r\n");
  EXPECT_EQ(TextById(kTextPredictorTitle, kLanguageRussian), "Прогнозёр гаплогруппы - Варник\r\n");
  std::vector<int32_t> withBreaks;
  for (const CPrevodNaziva& row : FillTexts()) {
    const std::string all = row.serbian + row.english + row.russian;
    if (all.find_first_of("\r\n") != std::string::npos) withBreaks.push_back(row.id);
  }
  EXPECT_EQ(withBreaks, (std::vector<int32_t>{kPopNorthItalians, kPopChuvash, kTextPredictorTitle}));
}

TEST_F(TextTableTest, SampleOfTextsMatchExactly) {
  struct Expected {
    int32_t id;
    int32_t language;
    const char* text;
  };
  const Expected samples[] = {
      {kPopMontenegrins, kLanguageEnglish, "Black Mountain"},
      {kPopMaltese, kLanguageRussian, "Мальта"},
      {kPopCroatsNorthwest, kLanguageSerbian, "Хрвати сѣверозападни"},
      {kTextPlotAxes, kLanguageRussian, "Оси"},
      {kTextPlotSquareParticipation, kLanguageEnglish, "with square participation"},
      {kTextOf, kLanguageEnglish, "of"},
      {kTextMenuLoadAxes, kLanguageEnglish, "Load calculated autosomal PCA chart"},
      {kTextProgressCaption, kLanguageSerbian, "Праћење прорачуна"},
      {kTextOnlyFirstMarkers, kLanguageRussian, "только первых %d маркеров."},
      {kTextFromFirstGeneration, kLanguageSerbian, ", почев од првога колѣна"},
      {kTextErrorDescendantCount, kLanguageEnglish,
       "Error: number of descendant haplotypes must not be less than 1 or bigger than %d. Now is %d."},
      {kTextFewDescendantValues, kLanguageEnglish,
       "Some markers (%s) have too few descendant values. This can negatively affect accuracy of result."},
      {kTextWarnUnknownAncestorValues, kLanguageRussian,
       "Option 'Allowed unknown ancestor values' is not recommended for more than two input descendant "
       "haplotypes."},
      {kTextWarnFitnessSmall, kLanguageEnglish,
       "Warning: Values of fitness (or relative fitness) are rather small, so results are not too confident. "
       "It is possible that its haplogroup is not supported by current version of predictor (so called "
       "\"FALSE POSITIVE\"), or haplotype really belongs to some supported haplogroup, but it is rare or too "
       "distant branch, which is not sufficiently represented in samples used by predictor."},
      {kTextInputDataExample, kLanguageEnglish, "Input data. For example"},
      {kTextSegmentSnpsAtLeast, kLanguageEnglish, "There should be at least %d, and now is %d."},
      {kTextCollectionMontenegro, kLanguageEnglish, "Collection of 404 haplotypes from Montenegro, 17 markers (2010.)"},
      {kTextDataSetEurope290k, kLanguageEnglish, "Europe with Near East and North Africa - 290k SNPs"},
  };
  for (const Expected& sample : samples) {
    EXPECT_EQ(TextById(sample.id, sample.language), sample.text) << "id " << sample.id;
  }
}

}  // namespace
}  // namespace varnik
