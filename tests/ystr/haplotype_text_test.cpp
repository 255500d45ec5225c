#include "ystr/haplotype_text.h"

#include <gtest/gtest.h>

#include "haplotype_test_support.h"

namespace varnik {
namespace {

using testing::kMissing;
using testing::Parse;
using testing::V;
using namespace std::string_view_literals;

TEST(InputLines, BlanksAreTrimmedAndCommaFieldsMarked) {
  EXPECT_EQ(NormalizeBlanks("\t 13  24\r\n15 \n"), "13 24 15");
  EXPECT_EQ(SplitInputLines("13 24\r\n\r\n  \n 14\t15 \r16"), (std::vector<std::string>{"13 24", "14 15", "16"}));
  EXPECT_EQ(MarkCommaFields(",13, ,14,"), "$,13 , $,14 ,");
  EXPECT_EQ(Parse(MarkCommaFields("13,24,,15,15.2"), true).haplotype,
            (Haplotype{V(13), V(24), kMissing, V(15), V(15, 2)}));
}

TEST(ParseHaplotypeLine, JoinsCopiesAndReadsMissingValuesFractionsAndName) {
  const auto example = Parse("13 24 13 10 15-18 12 $ 10 14 16 30; Sample 7");
  ASSERT_EQ(example.result, 1);
  EXPECT_EQ(example.markerCount, 11);
  ASSERT_EQ(example.haplotype.size(), 12u);
  EXPECT_EQ(example.haplotype[5], V(18, 0, 1));
  EXPECT_EQ(example.haplotype[7], kMissing);
  EXPECT_EQ(example.name, "Sample 7");
  EXPECT_EQ(Parse("13;\tJovan  x-1 ;2 ").name, "Jovan x-1 ;2");
  EXPECT_EQ(Parse("15 - 17 12").haplotype, Parse("15-17 12").haplotype);
  EXPECT_EQ(Parse("15--17 12").haplotype, (Haplotype{V(15), V(17, 0, 2), V(12)}));
  EXPECT_EQ(Parse("13-$ 14").haplotype, (Haplotype{V(13), {-1, 0, 1}, V(14)}));
  // Regression: "500.2" was read as a value rather than as missing.
  for (const char* same : {"13 / 200", "13 _ 200", "13 500 200", "13 500.2 200"}) {
    EXPECT_EQ(Parse(same).haplotype, (Haplotype{V(13), kMissing, V(200)})) << same;
  }
  EXPECT_EQ(Parse("14 15.25 15,2").haplotype, (Haplotype{V(14), V(15, 25), V(15, 2)}));
}

TEST(ParseHaplotypeLine, AnyOtherTextMakesTheLineBadAndLeavesItEmpty) {
  const auto line = Parse("13 24 x 15; name");
  EXPECT_EQ(line.result, 0);
  EXPECT_EQ(line.position, 6u);
  EXPECT_TRUE(line.haplotype.empty());
  for (const std::string_view bad : {
           "13 201"sv, "13 99999999999999999999999"sv, "13 4294967309"sv,  // regression: digit runs overflowed
           "14 23 15.02 10"sv, "14 23 15.0 10"sv, "14 23 15. 10"sv, "14 23 15,"sv,
           "13 24 15a"sv, "13 +24"sv, "13 24 ДЫС"sv, "13\0 24"sv,
           "-13 24"sv, " - $ 24"sv}) {  // regression: a join needs a column before it
    EXPECT_EQ(Parse(bad).result, 0) << bad;
    EXPECT_TRUE(Parse(bad).haplotype.empty()) << bad;
  }
  for (const char* empty : {"", "$ $ $", "0 0", "; name only"}) {  // no value above zero
    EXPECT_EQ(Parse(empty).result, 0) << empty;
    EXPECT_EQ(Parse(empty, false, 1).result, 1) << empty;
  }
}

TEST(ParseHaplotypeLine, ColumnsFromThe103rdOnAreCountedButNotStored) {
  std::string line;
  for (int i = 0; i < 101; ++i) line += "12 ";
  const auto parsed = Parse(line + "13-14 15-16 17");  // columns 102, 103 and 104
  ASSERT_EQ(parsed.result, 1);
  EXPECT_EQ(parsed.markerCount, 104);
  ASSERT_EQ(parsed.haplotype.size(), 103u);
  EXPECT_EQ(parsed.haplotype.back(), V(14, 0, 1));
}

TEST(FormatHaplotype, LeavesOutMissingCopiesAndOptionallyFractions) {
  EXPECT_EQ(FormatHaplotype({V(15), V(15, 0, 1), {-1, 0, 2}, V(17, 0, 3), kMissing}, true), "15-15-17 $");
  EXPECT_EQ(FormatHaplotype({V(14), V(15, 2), V(16, 25)}, false), "14 15 16");
  Haplotype haplotype = Parse("13 24 15-17 16 $").haplotype;
  KeepFirstMarkers(haplotype, 2);
  EXPECT_EQ(FormatHaplotype(haplotype, true), "13 24 15-17");
  KeepFirstMarkers(haplotype, -1);
  EXPECT_TRUE(haplotype.empty());
}

}  // namespace
}  // namespace varnik
