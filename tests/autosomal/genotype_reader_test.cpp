#include <gtest/gtest.h>

#include "autosomal/admixture_data.h"
#include "autosomal/autosomal_test_support.h"

namespace varnik {
namespace {

TEST(DetectGenotypeLayout, TellsTheLayoutFromTheFirstDataLines) {
  struct Case {
    const char* bytes;
    int layout;  // -1: none
  } cases[] = {
      {"# 23andMe-like\n# rsid\tchromosome\tposition\tgenotype\nrs1\t1\t100\tAA\n", kLayoutTabs},
      {"RSID,CHROMOSOME,POSITION,RESULT\r\n\"rs1\",\"1\",\"100\",\"AA\"\r\n", kLayoutCommaWithPositions},
      {"RSID,CHROMOSOME,POSITION,RESULT\nrs1,1,100,AA\n", kLayoutCommaWithPositions},
      {"SNP,Chr,Allele1,Allele2\nrs1,1,A,G\n", kLayoutCommaAlleles},
      {"\n\nrs1 1 100 AA\n", kLayoutSpaces},
      {"rs1\t1\t100\tAA\n", -1},                             // tabs without a comment
      {"# comment\nRSID,CHR,POS,RESULT\nrs1,1,100,AA\n", -1},  // the header is not the first line
      {"\"rs1\",\"1\",\"100\",\"AA\"\n", -1},                  // quoted data without a header
      {"", -1},
  };
  for (const Case& c : cases) {
    int layout = -1;
    EXPECT_EQ(DetectGenotypeLayout(c.bytes, layout), c.layout >= 0) << c.bytes;
    if (c.layout >= 0) {
      EXPECT_EQ(layout, c.layout) << c.bytes;
    }
  }
}

using GenotypeReaderTest = AutosomalFilesTest;

// The calculator's SNPs rs1-rs6, all with alleles A and B in A/B code.
std::string SixSnpCalculator() {
  std::string lines;
  for (int i = 1; i <= 6; ++i) lines += "rs" + std::to_string(i) + ",1," + std::to_string(100 * i) + ",0,AB,0.5,0.5\n";
  return TwoPopulationCalculator(lines);
}

TEST_F(GenotypeReaderTest, GenotypesAreFoldedOrientedAndTheLastOccurrenceWins) {
  Write("c.txt", SixSnpCalculator());
  // Company downloads end lines in LF alone; CR LF reads the same.
  for (const char* end : {"\n", "\r\n"}) {
    const std::string lines[] = {"# header", "rs1\t1\t100\tAA", "rs2\t1\t200\tAT", "rs3\t1\t300\tCG",
                                 "rs4\t1\t400\t--", "rs5\t1\t500\t-A", "rs6\t1\t600\tG",  "rs7\t1\t700\tAG",
                                 "rs1\t1\t100\tGA"};
    std::string sample;
    for (const std::string& line : lines) sample += line + end;
    Write("s.txt", sample);
    ASSERT_TRUE(Load("c.txt", "s.txt")) << data.lastError;
    ASSERT_EQ(data.snps.size(), 3u);
    // "GA" folds to B/A and is turned to the calculator's A/B order.
    EXPECT_EQ(data.snps[0].sampleAllele1, u'A');
    EXPECT_EQ(data.snps[0].sampleAllele2, u'B');
    EXPECT_EQ(data.snps[1].sampleAllele1, u'A');
    EXPECT_EQ(data.snps[1].sampleAllele2, u'A');
    EXPECT_EQ(data.snps[2].sampleAllele1, u'B');
    EXPECT_EQ(data.snps[2].sampleAllele2, u'B');
    EXPECT_TRUE(data.snpIndexByName.empty());
  }
}

TEST_F(GenotypeReaderTest, AlleleColumnLayoutNumbersSnpsInOrderOfMatching) {
  Write("w.txt", "P1\nP2\n");
  Write("w.alleles", "rs1 A G\nrs2 A G\nrs3 A G\n");
  Write("w.2.F", "0.1 0.2\n0.3 0.4\n0.5 0.6\n");
  Write("w.par", "a\nb\nc\nd\nw.txt\nw.2.F\nw.alleles\n");
  Write("s.csv", "SNP,Chr,Allele1,Allele2\nrs3,1,A,G\nrs8,1,A,A\nrs1,1,G,G\nrs2,1,A,A\n");
  ASSERT_TRUE(Load("w.par", "s.csv")) << data.lastError;
  ASSERT_EQ(data.snps.size(), 3u);
  EXPECT_EQ(data.snps[0].snpName, "rs3");
  EXPECT_EQ(data.snps[1].snpName, "rs1");
  EXPECT_EQ(data.snps[2].snpName, "rs2");
  EXPECT_EQ(data.snps[2].position, 2);
  // The chromosome painting needs positions, which this layout lacks.
  EXPECT_FALSE(Load("w.par", "s.csv", kLoadForPainting));
}

TEST_F(GenotypeReaderTest, UnknownLayoutsAndMissingFilesSayWhy) {
  Write("c.txt", SixSnpCalculator());
  Write("s.txt", "rs1\t1\t100\tAA\n");
  EXPECT_FALSE(Load("c.txt", "s.txt"));
  EXPECT_NE(data.lastError.find("s.txt: not a raw genotype file of a known layout"), std::string::npos);
  EXPECT_FALSE(Load("c.txt", "missing.txt"));
  EXPECT_NE(data.lastError.find("missing.txt: the file cannot be opened"), std::string::npos);
}

}  // namespace
}  // namespace varnik
