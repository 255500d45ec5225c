#include "autosomal/genome_comparison.h"

#include <gtest/gtest.h>

#include <atomic>

#include "autosomal/comparison_draw.h"
#include "autosomal_test_support.h"
#include "common/utf.h"
#include "platform/recording_canvas.h"

namespace varnik {
namespace {

using Comparison = CPoregjenjeUzoraka;

class GenomeComparisonTest : public AutosomalFilesTest {
 protected:
  CUzorakZaPoregjenje ReadSample(const std::string& name, const std::string& bytes, bool expectOk = true) {
    CUzorakZaPoregjenje sample;
    error.clear();
    EXPECT_EQ(ReadComparisonSample(Write(name, bytes), sample, 0, context, error), expectOk) << error;
    return sample;
  }
  std::string error;
};

// A sample on chromosome 1 with one SNP every 1000 bp from position 1000
// and 0.01 cM per SNP, genotypes two letters each, in one block.
CUzorakZaPoregjenje MakeSample(const std::vector<std::string>& genotypes, double cmPerSnp = 0.01) {
  CUzorakZaPoregjenje sample;
  for (std::size_t i = 0; i < genotypes.size(); ++i) {
    CSNP snp;
    snp.name = "rs" + std::to_string(i + 1);
    snp.chromosome = 1;
    snp.position = static_cast<int32_t>(1000 * (i + 1));
    snp.allele1 = static_cast<char16_t>(genotypes[i][0]);
    snp.allele2 = static_cast<char16_t>(genotypes[i][1]);
    snp.mapPosition[0] = cmPerSnp * static_cast<double>(i);
    sample.snps.push_back(snp);
  }
  sample.chromosomes = IndexChromosomes(sample.snps);
  AssignBlocks(sample.snps, sample.chromosomes);
  return sample;
}

std::vector<std::string> Repeat(const std::string& genotype, int n) { return std::vector<std::string>(n, genotype); }

TEST_F(GenomeComparisonTest, ReadsEachLayoutAndSkipsUnusableLines) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"tabs.txt",
       "# rsid\tchromosome\tposition\tgenotype\n"
       "rs1\t1\t100\tAG\nrs2\tX\t200\tAA\nrs3\t1\t300\t--\nrs4\t2\t400\tCT\nrs5\tMT\t500\tA\nrs6\t0\t50\tTT\n"},
      {"spaces.txt", "rs1 1 100 AG\nrs2 X 200 AA\nrs3 1 300 --\nrs4 2 400 CT\nrs5 MT 500 A\nrs6 0 50 TT\n"},
      {"ftdna.csv",
       "RSID,CHROMOSOME,POSITION,RESULT\r\n\"rs1\",\"1\",\"100\",\"AG\"\r\n\"rs2\",\"X\",\"200\",\"AA\"\r\n"
       "\"rs3\",\"1\",\"300\",\"--\"\r\n\"rs4\",\"2\",\"400\",\"CT\"\r\n\"rs5\",\"MT\",\"500\",\"A\"\r\n"
       "\"rs6\",\"0\",\"50\",\"TT\"\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CUzorakZaPoregjenje sample = ReadSample(c.name, c.bytes);
    ASSERT_EQ(sample.snps.size(), 3u);
    EXPECT_EQ(sample.snps[0].name, "rs1");
    EXPECT_EQ(sample.snps[0].allele1, u'A');
    EXPECT_EQ(sample.snps[0].allele2, u'B');
    EXPECT_EQ(sample.snps[1].chromosome, 2);
    EXPECT_EQ(sample.snps[1].position, 400);
    EXPECT_EQ(sample.snps[1].allele1, u'B');
    EXPECT_EQ(sample.snps[1].allele2, u'A');
    EXPECT_EQ(sample.snps[2].chromosome, 0);
  }
}

TEST_F(GenomeComparisonTest, RefusesLayoutThreeUnknownFilesAndBadLineEnds) {
  ReadSample("alleles.csv", "RSID,CHROMOSOME,ALLELE1,ALLELE2\nrs1,1,A,G\nrs2,1,C,C\n", false);
  EXPECT_NE(error.find("alleles.csv"), std::string::npos);
  EXPECT_NE(error.find("no SNP positions"), std::string::npos);
  ReadSample("nothing.txt", "hello\n", false);
  EXPECT_NE(error.find("not a raw genotype file"), std::string::npos);
  ReadSample("cr.txt", "# c\nrs1\t1\t100\tAG\nrs2\t1\t200\tAG\rrs3\t1\t300\tAA\n", false);
  EXPECT_NE(error.find("line 3"), std::string::npos);
  ReadSample("missing.txt", "", false);
}

TEST_F(GenomeComparisonTest, SampleOnChromosomeXOnlyYieldsNoSnps) {
  const CUzorakZaPoregjenje sample = ReadSample("x.txt", "# x\nrs1\tX\t100\tAG\nrs2\tX\t200\tAA\n");
  EXPECT_TRUE(sample.snps.empty());
}

TEST_F(GenomeComparisonTest, PreparationSortsDropsDuplicatesAndMovesFurtherSamplesToTheFirstsPositions) {
  Comparison comparison;
  comparison.samples.resize(2);
  const auto snp = [](const char* name, int chromosome, int position) {
    CSNP s;
    s.name = name;
    s.chromosome = chromosome;
    s.position = position;
    return s;
  };
  comparison.samples[0].snps = {snp("rs3", 2, 50), snp("rs1", 1, 300), snp("rs2", 1, 100), snp("rs2b", 1, 100)};
  comparison.samples[1].snps = {snp("rs1", 1, 999), snp("rs9", 1, 5), snp("rs3", 7, 1), snp("rs2b", 1, 1)};
  comparison.PrepareSamples(Comparison::kModeComparison);
  const auto& first = comparison.samples[0].snps;
  ASSERT_EQ(first.size(), 3u);
  EXPECT_EQ(first[0].name, "rs2");
  EXPECT_EQ(first[1].name, "rs1");
  EXPECT_EQ(first[2].name, "rs3");
  // rs9 is not in the first sample, and rs2b left it as a duplicate.
  const auto& second = comparison.samples[1].snps;
  ASSERT_EQ(second.size(), 2u);
  EXPECT_EQ(second[0].name, "rs1");
  EXPECT_EQ(second[0].position, 300);
  EXPECT_EQ(second[1].chromosome, 2);
  EXPECT_EQ(second[1].position, 50);
  ASSERT_EQ(comparison.samples[0].chromosomes.size(), 2u);
  EXPECT_EQ(comparison.samples[0].chromosomes[1].firstSnp, 2);
}

TEST(GenomeComparisonBlocks, ANewBlockBeginsAfterAGapOfMoreThanSeventyAverageSpacings) {
  std::vector<CSNP> snps;
  // Chromosome 1: 699 SNPs 1 bp apart and one at 1400: the average spacing
  // is 1400 / 700 = 2, so the gap of 701 bp (more than 140) starts a block.
  for (int i = 1; i <= 699; ++i) snps.push_back(CSNP{"", 0, 0, 1, 0, i, {}});
  snps.push_back(CSNP{"", 0, 0, 1, 0, 1400, {}});
  // Chromosome 2: even spacing, one block, numbered on from chromosome 1.
  for (int i = 1; i <= 50; ++i) snps.push_back(CSNP{"", 0, 0, 2, 0, 1000 * i, {}});
  AssignBlocks(snps, IndexChromosomes(snps));
  EXPECT_EQ(snps[0].block, 0);
  EXPECT_EQ(snps[698].block, 0);
  EXPECT_EQ(snps[699].block, 1);
  EXPECT_EQ(snps[700].block, 2);
  EXPECT_EQ(snps.back().block, 2);
}

TEST_F(GenomeComparisonTest, ReadsTheThreeMapLayoutsAndInterpolates) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"PolozajiSNPov.txt", "name,chromosome,position,cM1,cM2,cM3\r\nm2,1,2000,5.0,N,1\r\nm1,1,1000,1.0,N,1\r\n"
                            "mx,X,10,1,1,1\r\nm3,2,500,0.5,0.5,0.5\r\n"},
      {"plink.map", "1 m1 1.0 1000\n1\tm2\t5.0\t2000\n1 gone 3.0 -1500\n2 m3 0.5 500\n"},
      {"rates.txt", "Chromosome Position(bp) Rate(cM/Mb) Map(cM)\nchr1 1000 4.0 1.0\nchr1 2000 0 5.0\nchr2 500 0 0.5\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Comparison comparison;
    comparison.mapPath = Write(c.name, c.bytes);
    ASSERT_TRUE(comparison.ReadGeneticMap(context)) << comparison.lastError;
    ASSERT_EQ(comparison.geneticMap.size(), 3u);
    CUzorakZaPoregjenje sample;
    for (int position : {500, 1000, 1250, 2000, 3000}) sample.snps.push_back(CSNP{"", 0, 0, 1, 0, position, {}});
    sample.snps.push_back(CSNP{"", 0, 0, 3, 0, 10, {}});
    sample.chromosomes = IndexChromosomes(sample.snps);
    comparison.AssignMapPositions(sample, false);
    const double expected[] = {1.0, 1.0, 2.0, 5.0, 5.0, 0.0};
    for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(sample.snps[i].mapPosition[0], expected[i]) << i;
  }
}

TEST_F(GenomeComparisonTest, MalformedMapsFailWithTheLine) {
  const std::pair<std::string, std::string> cases[] = {
      {"m1,1,1000,abc,1,1\n", "line 1"},
      {"m1,1,1000,1\n", "line 1"},
      {"1 m1 1.0\n", "line 1"},
      {"1 m1 x 1000\n", "line 1"},
      {"header only\n", "no positions"},
  };
  for (const auto& [bytes, expected] : cases) {
    Comparison comparison;
    comparison.mapPath = Write("bad.map", bytes);
    EXPECT_FALSE(comparison.ReadGeneticMap(context)) << bytes;
    EXPECT_NE(comparison.lastError.find(expected), std::string::npos) << comparison.lastError;
    EXPECT_TRUE(comparison.geneticMap.empty());
  }
}

TEST(GenomeComparisonCompare, IdenticalSamplesGiveOneRunPerBlock) {
  Comparison comparison;
  CUzorakZaPoregjenje a = MakeSample(Repeat("AB", 600));
  a.snps[300].block = 1;  // a second block from SNP 300 on
  for (int i = 301; i < 600; ++i) a.snps[i].block = 1;
  Comparison::CPoregjenjeDvajuUzoraka result;
  comparison.CompareTwoSamples(result, a, CUzorakZaPoregjenje(a));
  EXPECT_EQ(result.identical, 600);
  EXPECT_EQ(result.halfIdentical + result.different, 0);
  ASSERT_EQ(result.runs[0].size(), 2u);
  EXPECT_EQ(result.runs[0][0].snpCount, 300);
  EXPECT_EQ(result.runs[0][1].firstSnp, 300);
  // 300 SNPs and 2.99 cM: the row of (200, 4.0) needs 4 cM, (100, 2.0) fits.
  EXPECT_EQ(result.runs[0][0].row, 3);
}

TEST(GenomeComparisonCompare, OppositeHomozygotesBreakBothTracks) {
  std::vector<std::string> genotypesA = Repeat("AA", 300), genotypesB = Repeat("AA", 300);
  genotypesB[150] = "BB";
  Comparison comparison;
  Comparison::CPoregjenjeDvajuUzoraka result;
  comparison.CompareTwoSamples(result, MakeSample(genotypesA, 0.05), MakeSample(genotypesB, 0.05));
  EXPECT_EQ(result.different, 1);
  for (int t = 0; t < 2; ++t) {
    EXPECT_EQ(result.marks[t][150], Comparison::kBreaksRun);
    ASSERT_EQ(result.runs[t].size(), 2u) << t;
    EXPECT_EQ(result.runs[t][0].lastSnp, 149);
    EXPECT_EQ(result.runs[t][1].firstSnp, 151);
  }
}

TEST(GenomeComparisonCompare, HalfIdenticalSnpsContinueTheLongerTrackAndBreakTheOther) {
  // 120 identical SNPs, one half-identical, 119 identical: track 1 (not
  // shorter) goes on through it, track 2 breaks there.
  std::vector<std::string> genotypesA = Repeat("AB", 240), genotypesB = Repeat("AB", 240);
  genotypesB[120] = "AA";
  Comparison comparison;
  Comparison::CPoregjenjeDvajuUzoraka result;
  comparison.CompareTwoSamples(result, MakeSample(genotypesA, 0.05), MakeSample(genotypesB, 0.05));
  EXPECT_EQ(result.halfIdentical, 1);
  ASSERT_EQ(result.runs[0].size(), 1u);
  EXPECT_EQ(result.runs[0][0].snpCount, 240);
  EXPECT_EQ(result.marks[1][120], Comparison::kBreaksRun);
  ASSERT_EQ(result.runs[1].size(), 2u);
  EXPECT_EQ(result.runs[1][1].snpCount, 119);
}

TEST(GenomeComparisonCompare, RunsTakeTheFirstRowTheyMeetAndShortOnesAreMarked) {
  struct Case {
    int snps;
    double totalCm;
    int32_t row;  // -1: too short
  };
  const Case cases[] = {{499, 12.0, 1}, {500, 12.0, 0}, {99, 30.0, -1}, {600, 3.0, 3}, {150, 1.0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.snps);
    // One opposite homozygote after the run ends it.
    std::vector<std::string> genotypesA = Repeat("AA", c.snps + 1), genotypesB = Repeat("AA", c.snps + 1);
    genotypesB.back() = "BB";
    Comparison comparison;
    Comparison::CPoregjenjeDvajuUzoraka result;
    comparison.CompareTwoSamples(result, MakeSample(genotypesA, c.totalCm / (c.snps - 1)),
                                 MakeSample(genotypesB, c.totalCm / (c.snps - 1)));
    if (c.row < 0) {
      EXPECT_TRUE(result.runs[0].empty());
      EXPECT_EQ(result.marks[0][0], Comparison::kTooShort);
    } else {
      ASSERT_EQ(result.runs[0].size(), 1u);
      EXPECT_EQ(result.runs[0][0].row, c.row);
      EXPECT_EQ(result.marks[0][c.snps - 1], 0);
    }
  }
}

TEST(GenomeComparisonCompare, RelatednessFindsRunsOfHomozygosity) {
  std::vector<std::string> genotypes = Repeat("AA", 700);
  genotypes[600] = "AB";
  Comparison comparison;
  const CUzorakZaPoregjenje sample = MakeSample(genotypes, 0.02);
  Comparison::CPoregjenjeDvajuUzoraka result;
  comparison.CompareTwoSamples(result, sample, sample);
  EXPECT_EQ(result.identical, 699);
  EXPECT_EQ(result.different, 1);
  ASSERT_EQ(result.runs[0].size(), 1u);
  EXPECT_EQ(result.runs[0][0].snpCount, 600);
  EXPECT_EQ(result.runs[0][0].row, 0);  // 600 SNPs, 11.98 cM
  EXPECT_TRUE(result.runs[1].empty());
  EXPECT_EQ(result.marks[0][650], Comparison::kTooShort);
}

// Two people on two chromosomes, the map in the program's own layout.
class GenomeComparisonRunTest : public GenomeComparisonTest {
 protected:
  void SetUp() override {
    GenomeComparisonTest::SetUp();
    std::string map = "name,chromosome,position,cM1,cM2,cM3\n";
    std::string a = "# a\n", b = "# b\n";
    for (int i = 0; i < 600; ++i) {
      const std::string name = "rs" + std::to_string(i);
      const int chromosome = i < 400 ? 1 : 2;
      const int position = 1000 + 1000 * (i % 400);
      map += name + "," + std::to_string(chromosome) + "," + std::to_string(position) + "," +
             std::to_string(0.03 * (i % 400)) + ",0,0\n";
      if (i != 200) a += name + "\t" + std::to_string(chromosome) + "\t" + std::to_string(position) + "\tAG\n";
      b += name + "\t" + std::to_string(chromosome) + "\t" + std::to_string(position) + "\t" +
           (i == 200 ? "CC" : i % 2 ? "AA" : "AG") + "\n";
      if (i == 199) a += "rs200\t1\t201000\tAA\n";
    }
    comparison.mapPath = Write("map.txt", map);
    pathA = Write("a.txt", a);
    pathB = Write("b.txt", b);
  }
  Comparison comparison;
  std::string pathA, pathB;
};

TEST_F(GenomeComparisonRunTest, ReportTextAndBytes) {
  int error = 99;
  const std::string report = (folder_ / "report.txt").string();
  ASSERT_EQ(comparison.RunGenomeComparison(Comparison::kModeComparison, {pathA, pathB}, error, context, report), 1);
  // Track 1 goes through every half-identical SNP, track 2 breaks at each;
  // the opposite homozygotes at rs200 break both.
  const std::string expected =
      "Comparison of genomes\r\n"
      "\"a.txt\" (600 SNPs)\r\n"
      "\"b.txt\" (600 SNPs)\r\n"
      "Total: 17.88 cM ; 0.60 M\r\n"
      "Total comparable: 600 SNPs\r\n"
      "Equal: 299 (49.8333%)\r\n"
      "Semiequal: 300 (50.0000%)\r\n"
      "Different: 1 (0.1667%)\r\n"
      "Total of differences: 302 of 2*600=1200 (25.1667%)\r\n"
      "\r\n===== Extent = 3, >= 200 SNPs, >= 4.00 cM    Total: 11.94 cM ; 0.40 M\r\n"
      "1. Chromosome 1: [rs0 (1000) - rs199 (200000)]  SNPs: 200 Length: 5.97 cM ; 0.20 M\r\n"
      "2. Chromosome 2: [rs400 (1000) - rs599 (200000)]  SNPs: 200 Length: 5.97 cM ; 0.20 M\r\n"
      "\r\n===== Extent = 4, >= 100 SNPs, >= 2.00 cM    Total: 5.94 cM ; 0.20 M\r\n"
      "1. Chromosome 1: [rs201 (202000) - rs399 (400000)]  SNPs: 199 Length: 5.94 cM ; 0.20 M\r\n";
  const std::string text = comparison.FormatComparisonReport(1);
  EXPECT_EQ(text, expected);
  std::string bytes;
  std::string readError;
  ASSERT_TRUE(ReadAutosomalFile(report, bytes, readError, 1));
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2));
  EXPECT_EQ(bytes, Utf16LeWithBom(text));
}

TEST_F(GenomeComparisonRunTest, FailuresReportWhichInputFailed) {
  int error = 99;
  EXPECT_EQ(comparison.RunGenomeComparison(Comparison::kModeComparison, {pathA, pathA + ".none"}, error, context, ""), 0);
  EXPECT_EQ(error, 1);
  EXPECT_NE(comparison.lastError.find("a.txt.none"), std::string::npos);

  comparison.mapPath += ".none";
  EXPECT_EQ(comparison.RunGenomeComparison(Comparison::kModeComparison, {pathA, pathB}, error, context, ""), 0);
  EXPECT_EQ(error, Comparison::kErrorGeneticMap);

  std::atomic<int> stop{1};
  context.stop = &stop;
  EXPECT_EQ(comparison.RunGenomeComparison(Comparison::kModeRelatedness, {pathA}, error, context, ""), 0);
  EXPECT_EQ(error, Comparison::kErrorStopped);
  EXPECT_FALSE(comparison.HasResults());
}

TEST_F(GenomeComparisonRunTest, ChromosomeAndWindowRestrictTheComparison) {
  comparison.chromosomeNumber = 2;
  comparison.segmentOnly = 1;
  comparison.segmentStart = 300000;
  comparison.segmentEnd = 51000;
  int error = 0;
  ASSERT_EQ(comparison.RunGenomeComparison(Comparison::kModeComparison, {pathA, pathB}, error, context, ""), 1);
  const auto& snps = comparison.samples[0].snps;
  ASSERT_EQ(snps.size(), 150u);
  EXPECT_EQ(snps.front().chromosome, 2);
  EXPECT_EQ(snps.front().position, 51000);
  EXPECT_EQ(snps.back().position, 200000);
  comparison.chromosomeNumber = 3;
  EXPECT_EQ(comparison.RunGenomeComparison(Comparison::kModeComparison, {pathA, pathB}, error, context, ""), 0);
  EXPECT_NE(comparison.lastError.find("chromosome 3"), std::string::npos);
}

TEST_F(GenomeComparisonRunTest, DrawingShowsBandsRowsAndColouredMarks) {
  int error = 0;
  ASSERT_EQ(comparison.RunGenomeComparison(Comparison::kModeComparison, {pathA, pathB}, error, context, ""), 1);
  RecordingCanvas canvas({265, 250});  // 200 columns, 200 pixels of height
  DrawGenomeComparison(canvas, comparison);
  // Two bands of (200 - 6) / 2 = 97 pixels; one result, rows of 96 (even).
  EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"1", "2"}));
  int lines = 0;
  bool sawRun = false, sawBreak = false;
  for (const DrawOp& op : canvas.ops()) {
    if (op.kind == DrawOp::kText) {
      EXPECT_EQ(op.state.font.weight, 700);
      EXPECT_EQ(op.state.textColor, kWhite);
      EXPECT_FALSE(op.state.opaqueBackground);
      EXPECT_EQ(op.from.x, 10);
      continue;
    }
    ASSERT_EQ(op.kind, DrawOp::kLine);
    ++lines;
    EXPECT_EQ(op.to.y - op.from.y, 48);
    const bool upper = op.from.y == 25 || op.from.y == 25 + 97 + 6;
    EXPECT_TRUE(upper || op.from.y == 25 + 48 || op.from.y == 25 + 97 + 6 + 48) << op.from.y;
    // Row 2 (200, 4.0) of the first result: its green at lightness 0.76.
    if (*op.state.pen == WithLightness({0, 255, 0}, 0.4 + 0.6 * 3 / 5)) sawRun = true;
    if (*op.state.pen == Color{64, 64, 64}) sawBreak = true;
  }
  EXPECT_EQ(lines, 2 * 2 * 200);
  EXPECT_TRUE(sawRun);
  EXPECT_TRUE(sawBreak);

  // Too small a window draws nothing.
  RecordingCanvas tiny({60, 40});
  DrawGenomeComparison(tiny, comparison);
  EXPECT_TRUE(tiny.ops().empty());
}

TEST(GenomeComparisonDraw, LightnessKeepsTheHue) {
  EXPECT_EQ(WithLightness({255, 0, 0}, 0.5), (Color{255, 0, 0}));
  EXPECT_EQ(WithLightness({0, 255, 0}, 1.0), kWhite);
  EXPECT_EQ(WithLightness({0, 0, 255}, 0.75), (Color{128, 128, 255}));
  EXPECT_EQ(WithLightness({255, 128, 0}, 0.25), (Color{128, 64, 0}));
}

}  // namespace
}  // namespace varnik
