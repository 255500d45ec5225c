#include <gtest/gtest.h>

#include "autosomal/admixture_data.h"
#include "autosomal/autosomal_test_support.h"
#include "autosomal/genome_comparison.h"

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
      // Layouts told from a header line that names the columns.
      {"# comment\nRSID,CHR,POS,RESULT\nrs1,1,100,AA\n", kLayoutCommaHeader},
      {"# MyHeritage-like\r\n\"RSID\",\"CHROMOSOME\",\"POSITION\",\"RESULT\"\r\n\"rs1\",\"1\",\"100\",\"AA\"\r\n",
       kLayoutCommaHeader},
      {"\"RSID\",\"CHROMOSOME\",\"POSITION\",\"RESULT\"\n\"rs1\",\"1\",\"100\",\"AA\"\n", kLayoutCommaHeader},
      {"#x\n\nrsid,chromosome,position,result\nrs1,1,100,AA\n", kLayoutCommaHeader},
      {"#AncestryDNA-like\nrsid\tchromosome\tposition\tallele1\tallele2\nrs1\t1\t100\tA\tG\n", kLayoutTabAlleles},
      {"#rsid\tchromosome\tposition\tallele1\tallele2\nrs1\t1\t100\tA\tG\n", kLayoutTabAlleles},
      {"rsid\tchromosome\tposition\tgenotype\nrs1\t1\t100\tAA\n", kLayoutTabs},
      {"# rsid\tchromosome\tposition\tresult\nrs1\t1\t100\tAA\n", kLayoutTabs},
      // Nothing that names no columns.
      {"\"rs1\",\"1\",\"100\",\"AA\"\n", -1},  // quoted data without a header
      {"rs1\t1\t100\tA\tG\n", -1},
      {"# comment\nname,chromosome\nrs1,1\n", -1},
      {"rsid,chromosome,position,allele1,allele2\nrs1,1,100,A,G\n", -1},
      {"#rsid\tchromosome\tposition\tgenotype\n#only comments\n", -1},
      {"\x1f\x8b\x08\x00garbage", -1},
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

// One person's six SNPs in every layout with positions: rs4 is a no-call
// and rs5 lies on chromosome X.
struct LayoutFile {
  const char* name;
  std::string bytes;
};
std::vector<LayoutFile> OnePersonInEveryLayout() {
  struct Snp {
    const char *name, *chromosome, *position, *alleles;
  } snps[] = {{"rs1", "1", "100", "AA"}, {"rs2", "1", "200", "AG"}, {"rs3", "1", "300", "CT"},
              {"rs4", "1", "400", "--"}, {"rs5", "X", "500", "AA"}, {"rs6", "1", "600", "GG"}};
  std::string quoted = "RSID,CHROMOSOME,POSITION,RESULT\r\n", tabs = "# raw data\n# rsid\tchromosome\tposition\tgenotype\n";
  std::string spaces, alleles = "#AncestryDNA-like\r\n#more\r\nrsid\tchromosome\tposition\tallele1\tallele2\r\n";
  std::string commented = "# MyHeritage-like\n\"RSID\",\"CHROMOSOME\",\"POSITION\",\"RESULT\"\n";
  std::string lower = "##fileformat\nrsid,chromosome,position,result\n";
  for (const Snp& s : snps) {
    const std::string n = s.name, c = s.chromosome, p = s.position, g = s.alleles;
    quoted += "\"" + n + "\",\"" + c + "\",\"" + p + "\",\"" + g + "\"\r\n";
    tabs += n + "\t" + c + "\t" + p + "\t" + g + "\n";
    spaces += n + " " + c + " " + p + " " + g + "\n";
    const std::string a1 = g[0] == '-' ? "0" : g.substr(0, 1), a2 = g[1] == '-' ? "0" : g.substr(1, 1);
    alleles += n + "\t" + (c == "X" ? "23" : c) + "\t" + p + "\t" + a1 + "\t" + a2 + "\r\n";
    commented += "\"" + n + "\",\"" + c + "\",\"" + p + "\",\"" + g + "\"\n";
    lower += n + "," + c + "," + p + "," + g + "\n";
  }
  return {{"quoted.csv", quoted}, {"tabs.txt", tabs},           {"spaces.txt", spaces},
          {"alleles.txt", alleles}, {"commented.csv", commented}, {"lower.csv", lower}};
}

TEST_F(GenotypeReaderTest, EveryLayoutReadsTheSameGenotypes) {
  Write("c.txt", SixSnpCalculator());
  for (const LayoutFile& file : OnePersonInEveryLayout()) {
    Write(file.name, file.bytes);
    ASSERT_TRUE(Load("c.txt", file.name)) << file.name << ": " << data.lastError;
    std::string read;
    for (const auto& snp : data.snps) read += snp.snpName + ":" + char(snp.sampleAllele1) + char(snp.sampleAllele2) + " ";
    // "CT" folds to B/A and is turned to the calculator's A/B order.
    EXPECT_EQ(read, "rs1:AA rs2:AB rs3:AB rs5:AA rs6:BB ") << file.name;

    CUzorakZaPoregjenje sample;
    std::string error;
    ASSERT_TRUE(ReadComparisonSample((folder_ / file.name).string(), sample, 0, context, error)) << error;
    std::string compared;
    for (const CSNP& snp : sample.snps) {
      compared += snp.name + ":" + std::to_string(snp.chromosome) + ":" + std::to_string(snp.position) + ":" +
                  char(snp.allele1) + char(snp.allele2) + " ";
    }
    // The comparison leaves out no-calls and chromosome X.
    EXPECT_EQ(compared, "rs1:1:100:AA rs2:1:200:AB rs3:1:300:BA rs6:1:600:BB ") << file.name;
  }
  // Chromosomes written "chr1" are data, not header lines.
  std::string chr = OnePersonInEveryLayout()[3].bytes;
  for (std::size_t at = chr.find("\t1\t"); at != std::string::npos; at = chr.find("\t1\t", at + 5)) {
    chr.replace(at, 3, "\tchr1\t");
  }
  Write("chr.txt", chr);
  ASSERT_TRUE(Load("c.txt", "chr.txt")) << data.lastError;
  EXPECT_EQ(data.snps.size(), 5u);
}

TEST_F(GenotypeReaderTest, UnknownLayoutsAndMissingFilesSayWhy) {
  Write("c.txt", SixSnpCalculator());
  Write("s.txt", "rs1\t1\t100\tAA\n");
  EXPECT_FALSE(Load("c.txt", "s.txt"));
  EXPECT_NE(data.lastError.find("s.txt: not a raw genotype file this program knows"), std::string::npos);
  EXPECT_FALSE(Load("c.txt", "missing.txt"));
  EXPECT_NE(data.lastError.find("missing.txt: the file cannot be opened"), std::string::npos);
}

}  // namespace
}  // namespace varnik
