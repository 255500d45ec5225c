#include "texts/text_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace varnik {
namespace {

constexpr const char* kFallback = "<no translation>";

// Every test starts in Serbian and leaves the language as it found it.
class TextTableTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = g_language, g_language = kLanguageSerbian; }
  void TearDown() override { g_language = saved_; }
  int32_t saved_ = 0;
};

std::vector<int32_t> IdsInOrder(const CSpisakPrevoda& table) {
  std::vector<int32_t> ids;
  for (const CPrevodNaziva& row : table.Rows()) ids.push_back(row.id);
  return ids;
}

TEST_F(TextTableTest, TextByIdFallsBackToEnglishOnlyWhereRussianIsEmpty) {
  EXPECT_EQ(TextById(kPopBantuSouthAfrica, kLanguageRussian), "Bantu SouthAfr");
  EXPECT_EQ(TextById(kPopSerbs, kLanguageRussian), "сербы");

  // Language -1 (the default) follows g_language.
  EXPECT_EQ(TextById(kTextMenuFile), "Избор");
  g_language = kLanguageRussian;
  EXPECT_EQ(TextById(kTextMenuFile), "Файл");
}

TEST_F(TextTableTest, UnknownIdOrLanguageGivesFallback) {
  EXPECT_EQ(TextById(kTextLast + 1, kLanguageRussian), kFallback);
  EXPECT_EQ(TextById(-1, kLanguageSerbian), kFallback);
  EXPECT_EQ(TextById(kTextMenuFile, 3), kFallback);
  g_language = 5;
  EXPECT_EQ(TextById(kTextMenuFile), kFallback);
  EXPECT_EQ(Texts().TranslateSerbianName("Срби"), kFallback);
}

TEST_F(TextTableTest, TranslateSerbianNameMatchesWholeStringsOnly) {
  const CSpisakPrevoda& texts = Texts();
  EXPECT_EQ(texts.TranslateSerbianName("Срби"), "Срби");
  EXPECT_EQ(texts.TranslateSerbianName("Срби "), kFallback);
  EXPECT_EQ(texts.TranslateSerbianName("срби"), kFallback);
  g_language = kLanguageRussian;
  EXPECT_EQ(texts.TranslateSerbianName("Срби"), "сербы");
  // An empty Russian text falls back to English here, unlike TranslateEnglishName.
  EXPECT_EQ(texts.TranslateSerbianName("Банту ЙуАфр"), "Bantu SouthAfr");
}

TEST_F(TextTableTest, TranslateEnglishNameKeepsEmptyRussianAndUnknownNames) {
  const CSpisakPrevoda& texts = Texts();
  EXPECT_EQ(texts.TranslateEnglishName("Serbs", 0), "Срби");
  g_language = kLanguageRussian;
  EXPECT_EQ(texts.TranslateEnglishName("Bantu SouthAfr", 0), "");
  EXPECT_EQ(texts.TranslateEnglishName("Serbs", 0), "сербы");
  EXPECT_EQ(texts.TranslateEnglishName("Serbs ", 1), "Serbs ");
  EXPECT_EQ(texts.TranslateEnglishName("Nobody", 0), kFallback);
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
  std::map<int32_t, int> count;
  for (const CPrevodNaziva& row : FillTexts()) {
    ++count[row.id];
    EXPECT_FALSE(row.serbian.empty() || row.english.empty()) << row.id;
  }
  EXPECT_EQ(count.size(), static_cast<std::size_t>(kTextLast - kTextFirst + 1));
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
  EXPECT_EQ(TextById(kCompEastAsian, kLanguageSerbian), "Источна Азия");
}

// The program formats many texts with printf-style arguments: every
// language must ask for the same conversions in the same order.
TEST_F(TextTableTest, EveryLanguageHasTheSameFormatConversions) {
  const auto conversions = [](const std::string& text) {
    std::string out;
    for (std::size_t i = text.find('%'); i != std::string::npos; i = text.find('%', i + 2)) {
      if (i + 1 < text.size()) out += text[i + 1];
    }
    return out;
  };
  int formats = 0;
  for (const CPrevodNaziva& row : FillTexts()) {
    const std::string english = conversions(row.english);
    formats += english.find_first_of("ds") != std::string::npos;
    EXPECT_EQ(conversions(row.serbian), english) << row.id;
    EXPECT_EQ(row.russian.empty() ? english : conversions(row.russian), english) << row.id;
  }
  EXPECT_GE(formats, 3);
}

}  // namespace
}  // namespace varnik
