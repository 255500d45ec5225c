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
  EXPECT_EQ(MarkerIdentity(101, 0), 110);
  for (const auto& [column, copy] : {std::pair{4, 2}, {0, 1}, {102, 0}, {-1, 0}, {0, -1}}) {
    EXPECT_EQ(MarkerIdentity(column, copy), -1) << column << "/" << copy;
  }
  int32_t column = 7, copy = 7;
  EXPECT_FALSE(MarkerColumnAndCopy(111, column, copy));
  EXPECT_FALSE(MarkerColumnAndCopy(-1, column, copy));
  // The inverse visits every column and copy in order.
  int32_t expectedColumn = 0, expectedCopy = 0;
  for (int32_t id = 0; id < kOznakaCount; ++id) {
    ASSERT_TRUE(MarkerColumnAndCopy(id, column, copy));
    ASSERT_EQ(std::pair(column, copy), std::pair(expectedColumn, expectedCopy)) << id;
    if (++expectedCopy == CopiesInColumn(column)) ++expectedColumn, expectedCopy = 0;
  }
  EXPECT_EQ(expectedColumn, kFtdnaColumnCount);
}

TEST(MarkerDisplayName, IsLatinInEnglishAndCyrillicInSerbianAndRussian) {
  EXPECT_EQ(MarkerDisplayName(kDys464d, kLanguageEnglish), "DYS 464d");
  EXPECT_EQ(MarkerDisplayName(kDys464d, kLanguageRussian), "ДЫС 464г");
  EXPECT_EQ(MarkerDisplayName(kDys389ii, kLanguageSerbian), "ДЫС 389ИИ");
  EXPECT_EQ(MarkerDisplayName(kYcaIIb, kLanguageRussian), "ЫЦА ИИб");
  EXPECT_EQ(MarkerDisplayName(kGataA10, kLanguageRussian), "GATA A10");  // keeps its Latin form
  EXPECT_EQ(MarkerDisplayName(111, kLanguageEnglish), "");
  EXPECT_EQ(ColumnHeaders(true)[10], "DYS389ii-i");  // the column holds the difference
  EXPECT_EQ(ColumnHeaders(false)[10], "389ii-i");
}

TEST(Panels, HoldDistinctMarkersAndTheNineteenExtendTheSeventeen) {
  for (int32_t panel = 0; panel < kPanelCount; ++panel) {
    std::set<int32_t> ids;
    for (const PanelEntry& entry : Panel(panel)) ids.insert(MarkerIdentity(entry.column, entry.copy));
    EXPECT_EQ(ids.size(), Panel(panel).size()) << panel;
    EXPECT_FALSE(ids.contains(-1)) << panel;
    EXPECT_TRUE(ids.contains(kDys385a) && ids.contains(kDys385b)) << panel;
  }
  // 19 markers: the 17 in FTDNA order with DYS426 and DYS388 after DYS385b.
  const auto seventeen = Panel(kPanel17Ftdna);
  const auto nineteen = Panel(kPanel19Ftdna);
  EXPECT_TRUE(std::equal(seventeen.begin(), seventeen.begin() + 6, nineteen.begin()));
  EXPECT_TRUE(nineteen[6] == (PanelEntry{5, 0}) && nineteen[7] == (PanelEntry{6, 0}));
  EXPECT_TRUE(std::equal(seventeen.begin() + 6, seventeen.end(), nineteen.begin() + 8));
}

}  // namespace
}  // namespace varnik
