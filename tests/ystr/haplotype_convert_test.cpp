#include "ystr/haplotype_convert.h"

#include <gtest/gtest.h>

#include "haplotype_test_support.h"
#include "ystr/markers.h"
#include "ystr/panels.h"

namespace varnik {
namespace {

using testing::kMissing;
using testing::Parse;
using testing::V;

constexpr CVrednostSTRa kAbsent{-2, -2, -2};

// The entry at (column, copy) of a converted haplotype, or kAbsent.
CVrednostSTRa At(const Haplotype& haplotype, int32_t column, int32_t copy = 0) {
  const int32_t start = FindColumn(haplotype, column);
  for (int32_t i = start; start >= 0 && i < static_cast<int32_t>(haplotype.size()); ++i) {
    if (i > start && haplotype[i].copy == 0) break;
    if (haplotype[i].copy == copy) return haplotype[i];
  }
  return kAbsent;
}

// `count` distinct values 10, 11, ...
Haplotype DistinctValues(int count) {
  std::string line;
  for (int i = 0; i < count; ++i) line += std::to_string(10 + i) + " ";
  return Parse(line).haplotype;
}

TEST(Convert389, StoresTheDifferenceGivesBackTheSumAndNeedsDys389i) {
  // Regression: the sum form compared the stored difference with DYS389I and
  // refused DYS389I 14 with DYS389II 27.
  for (const auto& [dys389i, dys389ii] : {std::pair{13, 29}, {14, 27}}) {
    const std::string line = "13 24 14 11 11-14 12 12 12 " + std::to_string(dys389i) + " 13 " + std::to_string(dys389ii);
    Haplotype haplotype = Parse(line).haplotype, plusThirteen = haplotype;
    ASSERT_TRUE(Convert389(haplotype, false, false));
    EXPECT_EQ(At(haplotype, kColumnDys389ii).value, dys389ii - dys389i);
    ASSERT_TRUE(Convert389(haplotype, false, true));
    EXPECT_EQ(At(haplotype, kColumnDys389ii).value, dys389ii);
    ASSERT_TRUE(Convert389(plusThirteen, true, false));
    EXPECT_EQ(At(plusThirteen, kColumnDys389ii).value, dys389ii - dys389i + 13);
  }
  // Without a usable DYS389I it fails; an absent DYS389II is left alone.
  for (const char* line : {"13 24 14 11 11-14 12 12 12 13 13 12", "13 24 14 11 11-14 12 12 12 $ 13 29",
                           "13 24 14 11 11-14 12 12 12 13 13", "13 24 14 11 11-14 12 12 12 $ 13 $"}) {
    const bool hasDys389ii = Parse(line).markerCount == 11 && Parse(line).haplotype.back().value > 0;
    Haplotype haplotype = Parse(line).haplotype;
    EXPECT_EQ(Convert389(haplotype, false, false), !hasDys389ii) << line;
    EXPECT_EQ(haplotype, Parse(line).haplotype) << line;
  }
}

TEST(PanelToFtdna, PlacesTheTwentyThreeKitValuesInTheirColumns) {
  Haplotype haplotype = DistinctValues(23);
  ASSERT_EQ(PanelToFtdna(haplotype, kPanel23Kit, true), 0);
  EXPECT_EQ(ColumnCount(haplotype), 97);  // up to DYS643, column 96
  const auto panel = Panel(kPanel23Kit);
  for (std::size_t i = 0; i < panel.size(); ++i) {
    const int32_t typed = 10 + static_cast<int32_t>(i);
    const int32_t expected = panel[i].column == kColumnGataH4 ? typed - 1 : typed;
    EXPECT_EQ(At(haplotype, panel[i].column, panel[i].copy), V(expected, 0, panel[i].copy)) << i;
  }
  for (const int32_t absent : {5, 6, 12, 13, 14, 15, 95}) EXPECT_EQ(At(haplotype, absent), kMissing) << absent;
  EXPECT_EQ(At(haplotype, 12, 1), kAbsent);  // an absent multi-copy column is one missing entry
}

TEST(PanelToFtdna, LeavesALineOfTheWrongSizeOrAnUnknownPanelAsTyped) {
  Haplotype haplotype = DistinctValues(22);
  EXPECT_EQ(PanelToFtdna(haplotype, kPanel23Kit, true), 1);
  EXPECT_EQ(PanelToFtdna(haplotype, 6, true), 1);  // unknown panels have no entries
  EXPECT_EQ(PanelToFtdna(haplotype, -1, true), 1);
  EXPECT_EQ(haplotype, DistinctValues(22));
}

TEST(PanelToFtdna, KeepsTheSecondDys385OnlyAboveZeroAndFractionsUnlessDropped) {
  // 17 markers in FTDNA order; DYS385 typed as a join, GATA H4 as 1.
  for (const char* line : {"13 24 14 11 11-$ 12 13 13 29 17 15 19 1 15 12 11.2", "13 24 14 11 11 0 12 13 13 29 17 15 19 1 15 12 11.2"}) {
    Haplotype kept = Parse(line).haplotype;
    Haplotype dropped = kept;
    ASSERT_EQ(PanelToFtdna(kept, kPanel17Ftdna, false), 0) << line;
    ASSERT_EQ(PanelToFtdna(dropped, kPanel17Ftdna, true), 0) << line;
    EXPECT_EQ(At(kept, kColumnDys385), V(11)) << line;
    EXPECT_EQ(At(kept, kColumnDys385, 1), kAbsent) << line;
    EXPECT_EQ(At(kept, kColumnGataH4), V(0)) << line;
    EXPECT_EQ(At(kept, 94), V(11, 2)) << line;  // DYS635
    EXPECT_EQ(At(dropped, 94), V(11)) << line;
  }
}

TEST(FtdnaToPanel, GivesBackTheTypedLineAndFillsAbsentMarkers) {
  for (const int32_t panel : {kPanel17Kit, kPanel17Ascending, kPanel17Ftdna, kPanel23Kit, kPanel23Ftdna}) {
    const Haplotype typed = DistinctValues(static_cast<int>(Panel(panel).size()));
    Haplotype ftdna = typed;
    ASSERT_EQ(PanelToFtdna(ftdna, panel, false), 0) << panel;
    EXPECT_EQ(FtdnaToPanel(ftdna, panel, false), typed) << panel;
  }
  // Absent markers are filled in; the 19-marker panel is never written.
  const Haplotype shortLine = Parse("13 24 14 11 11-14.2 12 12 12 13 13 16").haplotype;
  EXPECT_EQ(FormatHaplotype(FtdnaToPanel(shortLine, kPanel17Ftdna, true), true),
            "13 24 14 11 11 14 12 13 13 16 $ $ $ $ $ $ $");
  EXPECT_EQ(FtdnaToPanel(shortLine, kPanel17Ftdna, false)[5], V(14, 2));
  EXPECT_TRUE(FtdnaToPanel(shortLine, kPanel19Ftdna, false).empty());
}

}  // namespace
}  // namespace varnik
