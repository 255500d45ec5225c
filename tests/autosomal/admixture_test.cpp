#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>

#include "autosomal/admixture_data.h"
#include "autosomal/admixture_em.h"
#include "autosomal_simulator.h"
#include "autosomal_test_support.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

TEST(AdmixtureEm, OneStepMatchesTheHandComputedExpectations) {
  // K = 2.  SNP 0: homozygous for the second allele, f = (0.9, 0.1).
  // SNP 1: heterozygous, f = (0.5, 0.2).  SNP 2: unusable.
  AdmixtureEm em({AdmixtureEm::kSecondTwice, AdmixtureEm::kHeterozygous, AdmixtureEm::kUnusable},
                 {0.9, 0.1, 0.5, 0.2, 0.5, 0.5}, 2);
  std::vector<double> q = {0.5, 0.5};
  // From q = (1/2, 1/2): SNP 0 gives (0.9, 0.1); SNP 1 gives the mean of
  // (0.25, 0.1) / 0.35 and (0.25, 0.4) / 0.65.
  const double het0 = (0.25 / 0.35 + 0.25 / 0.65) / 2;
  EXPECT_DOUBLE_EQ(em.Step(0, 2, 1, q), 2 * std::fabs((0.9 + het0) / 2 - 0.5));
  EXPECT_DOUBLE_EQ(q[0], (0.9 + het0) / 2);
  EXPECT_DOUBLE_EQ(q[0] + q[1], 1.0);
  // A stride that visits only the unusable SNP leaves q alone.
  const std::vector<double> before = q;
  EXPECT_EQ(em.Step(2, 2, 38, q), 100.0);
  EXPECT_EQ(q, before);
}

// A calculator of K populations over `n` SNPs on chromosome 1 (positions
// 1000, 2000, ...), every SNP homozygous for the allele frequent in
// population 1.
CProracunPoreklaOdsecaka PopulationOneSample(int n, int k = 2) {
  CProracunPoreklaOdsecaka data;
  for (int p = 0; p < k; ++p) data.populationNames.push_back("P" + std::to_string(p + 1));
  for (int i = 0; i < n; ++i) {
    CPodaciSNPaZaPorekloOdsecaka snp;
    snp.snpName = "rs" + std::to_string(i);
    snp.chromosome = 1;
    snp.position = 1000 * (i + 1);
    snp.refAllele1 = 'A';
    snp.refAllele2 = 'B';
    snp.sampleAllele1 = snp.sampleAllele2 = 'B';
    snp.frequencies.assign(k, 0.3);
    snp.frequencies[0] = 0.9;
    data.snps.push_back(snp);
  }
  return data;
}

class LastTexts : public ProgressSink {
 public:
  void SetStatusLine(int line, std::string_view text) override { (line == 1 ? line1 : line2) = text; }
  void SetRunningResults(std::string_view text) override { results = text; }
  std::string line1, line2, results;
};

TEST(ComputeAdmixture, ConvergesToThePopulationWhoseAllelesTheSampleCarries) {
  CProracunPoreklaOdsecaka data = PopulationOneSample(300);
  data.samplePath = "/data/sample";
  LastTexts texts;
  int beeps = 0;
  AdmixtureRunContext context;
  context.progress = &texts;
  context.language = kLanguageEnglish;
  context.beep = [&beeps] { ++beeps; };
  ASSERT_TRUE(data.ComputeAdmixture(-1, context));
  EXPECT_GT(data.proportions[0], 0.9999);
  EXPECT_EQ(texts.results, "P1:\t\t100.0000%\r\nP2:\t\t0.0000%\r\n");
  // A file name without an extension is shown with a bare dot.
  EXPECT_EQ(texts.line1, "SNPs: 300,  \"sample.\"");
  EXPECT_EQ(texts.line2.find("     E = "), texts.line2.find_first_not_of("0123456789"));
  EXPECT_EQ(beeps, 1);
}

TEST(ComputeAdmixture, WindowsOfFewerThanAHundredSnpsAreRefused) {
  for (const int last : {99, 100}) {
    CProracunPoreklaOdsecaka data = PopulationOneSample(300);
    data.chromosomeNumber = 1;
    data.segmentOnly = 1;
    data.segmentStart = 1000 * last;  // either order
    data.segmentEnd = 1000;
    std::string refusal;
    LastTexts texts;
    AdmixtureRunContext context;
    context.progress = &texts;
    context.language = kLanguageEnglish;
    context.showRefusal = [&refusal](const std::string& text) { refusal = text; };
    const bool ran = data.ComputeAdmixture(0, context);
    EXPECT_EQ(ran, last == 100);
    if (last == 99) {
      EXPECT_EQ(refusal,
                "Number of SNPs on segment is too little for calculation. \r\nThere should be at least 100, and now "
                "is 99.");
      EXPECT_EQ(texts.results, refusal);
    } else {
      EXPECT_EQ(texts.line1, "SNPs: 100,  Chromosome: 1 (100000 - 1000)");
    }
  }
}

TEST(ComputeAdmixture, RunsThatCannotStartSayWhy) {
  CProracunPoreklaOdsecaka data = PopulationOneSample(150);
  AdmixtureRunContext context;
  context.language = kLanguageEnglish;
  EXPECT_FALSE(data.ComputeAdmixture(4, context));
  EXPECT_EQ(data.lastError, "there is no chromosome 5: the sample's SNPs lie on 1 chromosomes");
  // Genotypes of letters neither calculator allele has (insertions and
  // deletions) leave nothing to compute with; the run must not go on for ever.
  for (CPodaciSNPaZaPorekloOdsecaka& snp : data.snps) snp.sampleAllele1 = snp.sampleAllele2 = 'D';
  data.samplePath = "s.txt";
  EXPECT_FALSE(data.ComputeAdmixture(-1, context));
  EXPECT_EQ(data.lastError,
            "s.txt: no SNP of the sample that is in the calculator has a genotype of the calculator's alleles (only "
            "insertions, deletions or other letters)");
  // Frequencies of 0 in every population (a ".par" calculator keeps them
  // as they stand) rule out a sample homozygous for the second allele.
  for (CPodaciSNPaZaPorekloOdsecaka& snp : data.snps) {
    snp.sampleAllele1 = snp.sampleAllele2 = 'B';
    snp.frequencies.assign(2, 0.0);
  }
  EXPECT_FALSE(data.ComputeAdmixture(-1, context));
  EXPECT_EQ(data.lastError.substr(0, 58), "s.txt: no SNP of the sample has a genotype that the calcul");
  data.snps.clear();
  EXPECT_FALSE(data.ComputeAdmixture(-1, context));
  EXPECT_EQ(data.lastError, "s.txt: no SNP of the sample is in the calculator");
}

// The stop flag is read before each sweep, so the sweep under way ends:
// 38 block passes and two full passes.
TEST(ComputeAdmixture, StopEndsTheRunWithTheSharesReachedSoFar) {
  const std::vector<std::string> names = {"P1", "P2", "P3"};
  const datagen::SimulatedPanel panel = datagen::MakePanel(3, 2000, names, 0.12);
  CProracunPoreklaOdsecaka data = SimulatedSample(panel, datagen::MakePerson(panel, 4, {0.5, 0.3, 0.2}, 6.0));
  std::atomic<int> stop{0};
  class StopAtFirstReport : public LastTexts {
   public:
    explicit StopAtFirstReport(std::atomic<int>& stop) : stop_(stop) {}
    void SetRunningResults(std::string_view text) override {
      LastTexts::SetRunningResults(text);
      stop_ = 1;
    }
    std::atomic<int>& stop_;
  } texts(stop);
  int beeps = 0;
  AdmixtureRunContext context;
  context.stop = &stop;
  context.progress = &texts;
  context.language = kLanguageEnglish;
  context.beep = [&beeps] { ++beeps; };
  EXPECT_FALSE(data.ComputeAdmixture(-1, context));
  EXPECT_EQ(texts.line2.substr(0, 11), "40     E = ");
  EXPECT_EQ(texts.line1, "SNPs: 2000");
  EXPECT_EQ(texts.results.substr(0, 3), "P1:");
  EXPECT_EQ(beeps, 0);
}

TEST(FormatProportions, SortedListsKeepEqualSharesInCalculatorOrder) {
  CProracunPoreklaOdsecaka data;
  data.populationNames = {"A", "B", "C", "D"};
  data.proportions = {0.2, 0.5, 0.2, 1.0000001};
  EXPECT_EQ(data.FormatProportions(false), "A:\t\t20.0000%\r\nB:\t\t50.0000%\r\nC:\t\t20.0000%\r\nD:\t\t100.0000%\r\n");
  EXPECT_EQ(data.FormatProportions(true), "D:\t\t100.0000%\r\nB:\t\t50.0000%\r\nA:\t\t20.0000%\r\nC:\t\t20.0000%\r\n");
}

// People of known ancestry from the simulator: the estimate against the
// shares their simulated chromosomes really carry.
TEST(ComputeAdmixture, RecoversTheAncestryOfSimulatedPeople) {
  const std::vector<std::string> names = {"Atlantic_Baltic", "Southern", "West_Asian", "East_Asian"};
  const datagen::SimulatedPanel panel = datagen::MakePanel(7, 30000, names, 0.12);
  const std::vector<std::vector<double>> mixtures = {
      {1, 0, 0, 0}, {0.5, 0.5, 0, 0}, {0.6, 0.25, 0.15, 0}, {0.1, 0.2, 0.3, 0.4}};
  double worst = 0.0;
  for (std::size_t m = 0; m < mixtures.size(); ++m) {
    const datagen::SimulatedPerson person = datagen::MakePerson(panel, 100 + m, mixtures[m], 6.0);
    CProracunPoreklaOdsecaka data = SimulatedSample(panel, person);
    ASSERT_TRUE(data.ComputeAdmixture(-1, AdmixtureRunContext{}));
    // Extrapolation never leaves a share outside [0, 1].
    double sum = 0.0;
    for (const double share : data.proportions) {
      EXPECT_GE(share, 0.0);
      sum += share;
    }
    EXPECT_NEAR(sum, 1.0, 1e-9);
    const std::vector<double> truth = person.RealisedShares(names.size());
    std::printf("simulated person %zu, error per population (percentage points):", m + 1);
    for (std::size_t p = 0; p < names.size(); ++p) {
      std::printf(" %.2f", 100 * (data.proportions[p] - truth[p]));
      worst = std::max(worst, std::fabs(data.proportions[p] - truth[p]));
    }
    std::printf("\n");
  }
  EXPECT_LT(worst, 0.02);
}

}  // namespace
}  // namespace varnik
