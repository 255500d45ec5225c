#include "ystr/markers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "texts/text_table.h"
#include "ystr/panels.h"

namespace varnik {
namespace {

TEST(MarkerIdentity, CountsTheCopiesOfEarlierColumnsAndInvertsInOrder) {
  EXPECT_EQ(MarkerIdentity(19, 3), 24);  // DYS 464d
  EXPECT_EQ(MarkerIdentity(20, 0), 25);
  EXPECT_EQ(MarkerIdentity(101, 0), 110);
  for (const auto& [column, copy] : {std::pair{4, 2}, {0, 1}, {102, 0}, {-1, 0}, {0, -1}}) {
    EXPECT_EQ(MarkerIdentity(column, copy), -1) << column << "/" << copy;
  }
  int32_t column = 7;
  int32_t copy = 7;
  EXPECT_FALSE(MarkerColumnAndCopy(111, column, copy));
  EXPECT_FALSE(MarkerColumnAndCopy(-1, column, copy));

  // The inverse visits every column and copy in order.
  int32_t expectedColumn = 0;
  int32_t expectedCopy = 0;
  for (int32_t id = 0; id < kOznakaCount; ++id) {
    ASSERT_TRUE(MarkerColumnAndCopy(id, column, copy));
    ASSERT_EQ(std::pair(column, copy), std::pair(expectedColumn, expectedCopy)) << id;
    if (++expectedCopy == CopiesInColumn(column)) {
      ++expectedColumn;
      expectedCopy = 0;
    }
  }
  EXPECT_EQ(expectedColumn, kFtdnaColumnCount);
}

TEST(MarkerDisplayName, IsLatinInEnglishAndCyrillicInSerbianAndRussian) {
  EXPECT_EQ(MarkerDisplayName(110, kLanguageEnglish), "DYS 435");
  EXPECT_EQ(MarkerDisplayName(kDys464d, kLanguageEnglish), "DYS 464d");
  EXPECT_EQ(MarkerDisplayName(kDys464d, kLanguageRussian), "ДЫС 464г");
  EXPECT_EQ(MarkerDisplayName(kDys389ii, kLanguageSerbian), "ДЫС 389ИИ");
  EXPECT_EQ(MarkerDisplayName(kYcaIIb, kLanguageRussian), "ЫЦА ИИб");
  EXPECT_EQ(MarkerDisplayName(kDyf395b, kLanguageSerbian), "ДЫФ 395б");
  EXPECT_EQ(MarkerDisplayName(kGataA10, kLanguageRussian), "GATA A10");  // keeps its Latin form
  EXPECT_EQ(MarkerDisplayName(111, kLanguageEnglish), "");

  const int32_t saved = g_language;
  g_language = kLanguageRussian;
  EXPECT_EQ(MarkerDisplayName(kDys385a), "ДЫС 385а");
  g_language = saved;
}

TEST(ColumnHeaders, ColumnTenIsHeadedAsTheDys389Difference) {
  const auto longHeaders = ColumnHeaders(true);
  const auto shortHeaders = ColumnHeaders(false);
  ASSERT_EQ(longHeaders.size(), 102u);
  ASSERT_EQ(shortHeaders.size(), 102u);
  EXPECT_EQ(longHeaders[10], "DYS389ii-i");
  EXPECT_EQ(shortHeaders[10], "389ii-i");
  EXPECT_EQ(longHeaders[37], "DYF406S1");  // shown as "DYS 406"
  EXPECT_EQ(shortHeaders[2], "D19");
}

TEST(Panels, HoldDistinctMarkersWithDys385AsTwoEntries) {
  const std::size_t sizes[kPanelCount] = {17, 17, 17, 19, 23, 23};
  for (int32_t panel = 0; panel < kPanelCount; ++panel) {
    const auto entries = Panel(panel);
    ASSERT_EQ(entries.size(), sizes[panel]) << panel;
    std::set<int32_t> ids;
    for (const PanelEntry& entry : entries) ids.insert(MarkerIdentity(entry.column, entry.copy));
    EXPECT_EQ(ids.size(), entries.size()) << panel;
    EXPECT_FALSE(ids.contains(-1)) << panel;
    EXPECT_TRUE(ids.contains(kDys385a) && ids.contains(kDys385b)) << panel;
  }
  // 19 markers: the 17 in FTDNA order with DYS426 and DYS388 after DYS385b.
  const auto seventeen = Panel(kPanel17Ftdna);
  const auto nineteen = Panel(kPanel19Ftdna);
  EXPECT_TRUE(std::equal(seventeen.begin(), seventeen.begin() + 6, nineteen.begin()));
  EXPECT_TRUE(nineteen[6] == (PanelEntry{5, 0}) && nineteen[7] == (PanelEntry{6, 0}));
  EXPECT_TRUE(std::equal(seventeen.begin() + 6, seventeen.end(), nineteen.begin() + 8));
  // Input orders skip the 19-marker panel.
  EXPECT_EQ(PanelOfInputOrder(0), -1);
  EXPECT_EQ(PanelOfInputOrder(3), kPanel17Ftdna);
  EXPECT_EQ(PanelOfInputOrder(4), kPanel23Kit);
}

}  // namespace
}  // namespace varnik
