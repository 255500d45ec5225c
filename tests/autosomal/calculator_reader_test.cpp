#include <gtest/gtest.h>

#include "autosomal/admixture_data.h"
#include "autosomal/autosomal_test_support.h"

namespace varnik {
namespace {

using CalculatorReaderTest = AutosomalFilesTest;

TEST_F(CalculatorReaderTest, TextCalculatorClampsSwapsAndLeavesOutOtherAllelePairs) {
  const std::string snps =
      "rs1,1,100,0.5,AB,0,1\n"
      "rs2,1,200,0.6,BA,0.0005,0.99999\n"
      "rs3,1,300,0.7,CT,0.5,0.5\n"
      "rs4,2,400,0.8,AB,0.00001,0.000005\n";
  // Saved by an editor that ends lines in CR LF, the calculator reads the same.
  for (const char* end : {"\n", "\r\n"}) {
    std::string text = TwoPopulationCalculator(snps);
    if (std::string(end) == "\r\n") {
      std::string crlf;
      for (const char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
      text = crlf;
    }
    ASSERT_TRUE(data.ReadTextCalculator(Write("calc.txt", text), context)) << data.lastError;
    ASSERT_EQ(data.populationNames, (std::vector<std::string>{"P1", "P2"}));
    EXPECT_EQ(data.populationColours, (std::vector<uint32_t>{0x0000FF, 0xFF0000}));
    ASSERT_EQ(data.snps.size(), 3u);
    const auto& rs1 = data.snps[0];
    const auto& rs2 = data.snps[1];
    const auto& rs4 = data.snps[2];
    EXPECT_EQ(rs1.frequencies, (std::vector<double>{0.001, 0.999}));
    EXPECT_EQ(rs2.refAllele1, uint32_t{'A'});
    EXPECT_EQ(rs2.refAllele2, uint32_t{'B'});
    EXPECT_NEAR(rs2.frequencies[0], 0.9995, 1e-12);
    EXPECT_NEAR(rs2.frequencies[1], 0.001, 1e-12);
    EXPECT_EQ(rs4.snpName, "rs4");
    EXPECT_EQ(rs4.chromosome, 2);
    EXPECT_EQ(rs4.frequencies, (std::vector<double>{0.001, 0.001}));
    data = CProracunPoreklaOdsecaka();
  }
}

TEST_F(CalculatorReaderTest, TextCalculatorFailuresNameTheLineAndTheReason) {
  struct Case {
    std::string text;
    const char* message;
  } cases[] = {
      {"", "calc.txt: the first line must give the number of populations"},
      {"1\nP1,1,2,3\n", "calc.txt, line 1: the first line must give the number of populations"},
      {"2\nP1,1,2,3\nP2,1,2\n", "calc.txt, line 3: a population line must have a name and three colour numbers"},
      {"2\nP1,1,2,3\n", "calc.txt, line 2: a population line"},
      {TwoPopulationCalculator("rs1,1,100,0.5,AB,NA,0.5\n"), "calc.txt, line 4: field 6: the value is missing"},
      {TwoPopulationCalculator("rs1,1,100,0.5,AB,0.5\n"), "calc.txt, line 4: a SNP line must have 7 fields"},
      {TwoPopulationCalculator("rs1,X,100,0.5,AB,0.5,0.5\n"), "calc.txt, line 4: field 2: \"X\" is not a number"},
      {TwoPopulationCalculator("rs1,1,100,0.5,ABC,0.5,0.5\n"), "line 4: the allele pair \"ABC\" must have two"},
      {TwoPopulationCalculator("rs1,1,100,0.5,AB,0.5,nan\n"), "line 4: field 7: \"nan\" is not a number"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(data.ReadTextCalculator(Write("calc.txt", c.text), context)) << c.text;
    EXPECT_NE(data.lastError.find(c.message), std::string::npos) << data.lastError;
  }
}

TEST_F(CalculatorReaderTest, ParCalculatorKeepsFrequencyLinesAlignedWithTheSnpsItKeeps) {
  Write("w.txt", "P1\nP2\n");
  Write("w.alleles", "rs1 A G\nrs2 C T\nrs3 A D\nrs4 G A\n");
  Write("w.2.F", "0.1 0.2\n0.3 0.4\n0.5 0.5\n0.7 0.8\n");
  Write("w.par", "1D-7\n2\ngenotype.txt\n4\nw.txt\nw.2.F\nw.alleles\nverbose\ngenomewide\n");
  // A sample with an X line, unordered positions and a SNP the calculator lacks.
  Write("s.txt", "# sample\nrs4\t2\t50\tAG\nrs2\t1\t900\tCC\nrs1\t1\t100\tGG\nrs9\t1\t5\tAA\nrs2\tX\t7\tTT\n");
  ASSERT_TRUE(Load("w.par", "s.txt")) << data.lastError;
  ASSERT_EQ(data.populationColours.size(), 2u);
  EXPECT_EQ(data.populationColours[1], ProgressPopulationPalette(1));
  ASSERT_EQ(data.snps.size(), 3u);
  EXPECT_EQ(data.snps[0].snpName, "rs1");
  EXPECT_EQ(data.snps[1].snpName, "rs2");
  EXPECT_EQ(data.snps[2].snpName, "rs4");
  EXPECT_EQ(data.snps[1].position, 900);
  EXPECT_EQ(data.snps[1].sampleAllele1, u'B');
  EXPECT_EQ(data.snps[0].frequencies, (std::vector<double>{0.1, 0.2}));
  // "G A" is swapped to A/B code order with the complement frequencies.
  EXPECT_EQ(data.snps[2].refAllele1, uint32_t{'A'});
  EXPECT_NEAR(data.snps[2].frequencies[0], 0.3, 1e-12);
  EXPECT_NEAR(data.snps[2].frequencies[1], 0.2, 1e-12);
  EXPECT_EQ(data.calculatorDisplayName, "w");

  Write("w.2.F", "0.1 0.2\n0.3 0.4\n");
  EXPECT_FALSE(Load("w.par", "s.txt"));
  EXPECT_NE(data.lastError.find("w.2.F: the file ends after 2 lines, but there are 4 SNPs"), std::string::npos)
      << data.lastError;
  EXPECT_TRUE(data.snps.empty());
  Write("w.2.F", "0.1 0.2\n0.3\n");
  EXPECT_FALSE(Load("w.par", "s.txt"));
  EXPECT_NE(data.lastError.find("w.2.F, line 2: 2 frequencies expected, 1 found"), std::string::npos);
  Write("short.PAR", "1\n2\n3\n");
  EXPECT_FALSE(Load("short.PAR", "s.txt"));
  EXPECT_NE(data.lastError.find("short.PAR: the calculator file must have at least 7 lines"), std::string::npos);
}

TEST_F(CalculatorReaderTest, ParseNumberOrMissingFollowsTheCalculatorNumberRule) {
  struct Case {
    const char* text;
    bool ok;
    bool missing;
    double value;
  } cases[] = {{"", false, false, 0}, {"NA", true, true, 0},     {"N", true, true, 0},
               {"0.25", true, false, 0.25}, {" +1e-3x", true, false, 0.001}, {"x1", false, false, 0},
               {"++1", false, false, 0}};
  for (const Case& c : cases) {
    double value = -1;
    bool missing = false;
    EXPECT_EQ(ParseNumberOrMissing(c.text, value, missing), c.ok) << c.text;
    if (!c.ok) continue;
    EXPECT_EQ(missing, c.missing) << c.text;
    if (!c.missing) {
      EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    }
  }
  EXPECT_EQ(StripQuotes("\"rs1\""), "rs1");
  EXPECT_EQ(StripQuotes("\"AA"), "AA");
  EXPECT_EQ(StripQuotes("\""), "");
}

// Every cut of a calculator and a sample fails cleanly or loads.
TEST_F(CalculatorReaderTest, EveryCutOfTheInputsLoadsOrFailsCleanly) {
  const std::string calculator = TwoPopulationCalculator("rs1,1,100,0.5,AB,0.2,0.7\nrs2,1,200,0.6,BA,0.4,0.9\n");
  const std::string sample = "RSID,CHROMOSOME,POSITION,RESULT\r\n\"rs1\",\"1\",\"100\",\"AG\"\r\n\"rs2\",\"1\",\"200\",\"CC\"\r\n";
  Write("s.csv", sample);
  for (std::size_t cut = 0; cut <= calculator.size(); ++cut) {
    Write("c.txt", calculator.substr(0, cut));
    if (!Load("c.txt", "s.csv")) {
      EXPECT_FALSE(data.lastError.empty()) << cut;
    }
  }
  Write("c.txt", calculator);
  for (std::size_t cut = 0; cut <= sample.size(); ++cut) {
    Write("s.csv", sample.substr(0, cut));
    if (!Load("c.txt", "s.csv")) {
      EXPECT_FALSE(data.lastError.empty()) << cut;
    }
  }
}

}  // namespace
}  // namespace varnik
