#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>

#include "autosomal/painting.h"
#include "autosomal_simulator.h"
#include "autosomal_test_support.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

CPodaciSNPaZaPorekloOdsecaka Snp(int chromosome, int position, double cm = 0.0) {
  CPodaciSNPaZaPorekloOdsecaka snp;
  snp.snpName = "rs" + std::to_string(chromosome) + "_" + std::to_string(position);
  snp.chromosome = chromosome;
  snp.position = position;
  snp.geneticPosition = cm;
  snp.refAllele1 = 'A';
  snp.refAllele2 = 'B';
  snp.sampleAllele1 = snp.sampleAllele2 = 'B';
  return snp;
}

TEST(PaintingBlocks, SmallBlocksJoinANeighbourOnTheirChromosome) {
  // Chromosome 1: 1000 SNPs, a gap, `middle` SNPs, a smaller gap, 1000 SNPs;
  // chromosome 2: 50 SNPs alone.
  struct Case {
    int middle;
    std::vector<int32_t> marks;  // of the first SNP of each group
  } cases[] = {{300, {0, 1, 1, 2}}, {301, {0, 1, 2, 3}}, {1, {0, 1, 1, 2}}};
  for (const Case& c : cases) {
    CProracunPoreklaOdsecaka data;
    int position = 0;
    for (int i = 0; i < 1000; ++i) data.snps.push_back(Snp(1, position += 100));
    position += 1000000;
    for (int i = 0; i < c.middle; ++i) data.snps.push_back(Snp(1, position += 100));
    position += 900000;
    for (int i = 0; i < 1000; ++i) data.snps.push_back(Snp(1, position += 100));
    for (int i = 0; i < 50; ++i) data.snps.push_back(Snp(2, 100 * (i + 1)));
    data.BuildChromosomeRuns();
    data.MarkPaintingBlocks();
    const std::vector<std::size_t> firsts = {0, 1000, 1000 + static_cast<std::size_t>(c.middle),
                                             2000 + static_cast<std::size_t>(c.middle)};
    for (std::size_t g = 0; g < firsts.size(); ++g) {
      EXPECT_EQ(data.snps[firsts[g]].paintMark, c.marks[g]) << "middle " << c.middle << ", group " << g;
    }
    EXPECT_EQ(data.snps.back().paintMark, c.marks.back());
  }
}

TEST(PaintingBlocks, ASmallBlockJoinsTheSideWithTheSmallerGap) {
  CProracunPoreklaOdsecaka data;
  int position = 0;
  for (int i = 0; i < 1000; ++i) data.snps.push_back(Snp(1, position += 100));
  position += 800000;  // smaller than the gap after the middle block
  for (int i = 0; i < 200; ++i) data.snps.push_back(Snp(1, position += 100));
  position += 1000000;
  for (int i = 0; i < 1000; ++i) data.snps.push_back(Snp(1, position += 100));
  data.BuildChromosomeRuns();
  data.MarkPaintingBlocks();
  EXPECT_EQ(data.snps[1000].paintMark, 0);
  EXPECT_EQ(data.snps[1200].paintMark, 1);
}

TEST(PaintingLikelihoods, FollowTheGenotypeOfEachPair) {
  CPodaciSNPaZaPorekloOdsecaka snp = Snp(1, 1);
  snp.frequencies = {0.2, 0.7};  // of allele B
  struct Case {
    char16_t a1, a2;
    bool sameOnly;
    double expected[3];  // (0,0), (0,1), (1,1)
  } cases[] = {
      {'B', 'B', false, {0.04, 0.14, 0.49}},
      {'A', 'A', false, {0.64, 0.24, 0.09}},
      {'A', 'B', false, {0.32, 0.8 * 0.7 + 0.3 * 0.2, 0.42}},
      {'A', 'B', true, {0.32, 0.0, 0.42}},
  };
  for (const Case& c : cases) {
    snp.sampleAllele1 = c.a1;
    snp.sampleAllele2 = c.a2;
    double out[3];
    SnpPairLikelihoods(snp, 2, c.sameOnly, out);
    for (int p = 0; p < 3; ++p) EXPECT_NEAR(out[p], c.expected[p], 1e-12) << static_cast<char>(c.a1) << static_cast<char>(c.a2) << p;
  }
  EXPECT_EQ(PairIndex(1, 2, 3), 4);
  EXPECT_EQ(PairIndex(2, 2, 3), 5);
}

// The window of SNP i, found from scratch for every SNP.
PaintingWindow BruteForceWindow(const CProracunPoreklaOdsecaka& data, int32_t i, int32_t first, int32_t last) {
  const auto& s = data.snps;
  while (first < i && s[first].paintMark != s[i].paintMark) ++first;
  while (last > i && s[last].paintMark != s[i].paintMark) --last;
  if (data.windowBySnpCount != 0) {
    return {std::max(first, i - data.halfWindowSnps), std::min(last, i + data.halfWindowSnps)};
  }
  const double half = data.windowLengthCm / 2, g = s[i].geneticPosition;
  int32_t lo = first;
  while (!(lo == i || g - s[lo + 1].geneticPosition <= half || i - lo <= data.minSideSnps)) ++lo;
  int32_t hi = i;
  while (hi < last && (s[hi].geneticPosition - g < half || hi - i < data.minSideSnps)) ++hi;
  return {lo, hi};
}

TEST(ComputeChromosomePainting, MatchesTheWideNumberProductOfEveryWindow) {
  const datagen::SimulatedPanel panel = datagen::MakePanel(7, 3000, {"Southern", "African", "East_Asian"}, 0.15);
  const datagen::SimulatedPerson person = datagen::MakePerson(panel, 3, {0.5, 0.3, 0.2}, 4.0);
  struct Case {
    int bySnpCount, half;
    double cm;
    int sameOnly;
  } cases[] = {{1, 20, 0, 0}, {0, 0, 30.0, 0}, {0, 0, 30.0, 1}, {1, 1000, 0, 0}};
  for (const Case& c : cases) {
    CProracunPoreklaOdsecaka data = SimulatedSample(panel, person);
    data.windowBySnpCount = c.bySnpCount;
    data.halfWindowSnps = c.half;
    data.windowLengthCm = c.cm;
    data.minSideSnps = 5;
    data.pairsSamePopulationOnly = c.sameOnly;
    ASSERT_TRUE(data.ComputeChromosomePainting(AdmixtureRunContext()));
    EXPECT_EQ(data.paintingReady, 1);
    std::vector<double> mean(3);
    for (const auto& run : data.chromosomeRuns) {
      for (int32_t i = run.firstSnp; i <= run.lastSnp; ++i) {
        const PaintingWindow window = BruteForceWindow(data, i, run.firstSnp, run.lastSnp);
        CVerovatnoceSpojevaSkupina product(3);
        for (int32_t m = window.first; m <= window.last; ++m) product.MultiplyBySnp(data.snps[m], c.sameOnly != 0);
        const std::vector<double> expected = product.Ancestry();
        ASSERT_EQ(data.snps[i].paintValues.size(), 3u) << i;
        for (int p = 0; p < 3; ++p) {
          ASSERT_NEAR(data.snps[i].paintValues[p], expected[p], 1e-9 * std::max(expected[p], 1e-200))
              << "case " << c.bySnpCount << "/" << c.sameOnly << ", SNP " << i << ", population " << p;
          mean[p] += expected[p] / data.snps.size();
        }
      }
    }
    for (int p = 0; p < 3; ++p) EXPECT_NEAR(data.proportions[p], mean[p], 1e-9);
  }
}

TEST(ComputeChromosomePainting, SameKindPairsOnlyGiveEachSnpToOnePopulationPair) {
  // Two SNPs per side, one population much likelier: with same-population
  // pairs only, the values are those of the pairs (0,0) and (1,1) alone.
  CProracunPoreklaOdsecaka data;
  data.populationNames = {"P1", "P2"};
  for (int i = 0; i < 5; ++i) {
    CPodaciSNPaZaPorekloOdsecaka snp = Snp(1, 1000 * (i + 1));
    snp.sampleAllele1 = 'A';
    snp.frequencies = {0.5, 0.1};
    data.snps.push_back(snp);
  }
  data.pairsSamePopulationOnly = 1;
  ASSERT_TRUE(data.ComputeChromosomePainting(AdmixtureRunContext()));
  // Every SNP is heterozygous: (0,0) has 0.5^5, (1,1) has 0.18^5.
  const double w00 = std::pow(0.5, 5), w11 = std::pow(0.18, 5);
  EXPECT_NEAR(data.snps[2].paintValues[0], w00 / (w00 + w11), 1e-12);
}

TEST(AssignGeneticPositions, TakesTheMapAndInterpolatesTheRest) {
  const std::string folder = ::testing::TempDir();
  const std::string map = folder + "/painting_map.txt";
  {
    std::ofstream out(map, std::ios::binary);
    out << "2\nP1,1,2,3\nP2,4,5,6\n"
        << "a,1,100,1.0,AB,0.5,0.5\n"
        << "c,1,300,3.0,AB,0.5,0.5\n"
        << "e,2,100,50.0,AB,0.5,0.5\n";
  }
  CProracunPoreklaOdsecaka data;
  const std::pair<const char*, int> snps[] = {{"a", 100}, {"b", 150}, {"c", 300}, {"d", 400},
                                              {"x", 50},  {"e", 100}, {"f", 200}};
  for (const auto& [name, position] : snps) {
    data.snps.push_back(Snp(name[0] < 'e' ? 1 : 2, position, 99.0));
    data.snps.back().snpName = name;
  }
  ASSERT_TRUE(data.AssignGeneticPositions(map, AdmixtureRunContext()));
  const double expected[] = {1.0, 1.5, 3.0, 3.0, 50.0, 50.0, 50.0};
  for (std::size_t i = 0; i < data.snps.size(); ++i) EXPECT_DOUBLE_EQ(data.snps[i].geneticPosition, expected[i]) << i;

  // A missing map leaves the positions alone; a stop fails.
  ASSERT_TRUE(data.AssignGeneticPositions(folder + "/no such map.txt", AdmixtureRunContext()));
  EXPECT_DOUBLE_EQ(data.snps[1].geneticPosition, 1.5);
  std::atomic<int> stop{1};
  AdmixtureRunContext stopped;
  stopped.stop = &stop;
  EXPECT_FALSE(data.AssignGeneticPositions(map, stopped));
  std::remove(map.c_str());
}

TEST(ComputeChromosomePainting, RefusesABasePairWindowOfFewerThan100Snps) {
  CProracunPoreklaOdsecaka data;
  data.populationNames = {"P1", "P2"};
  for (int i = 0; i < 500; ++i) {
    data.snps.push_back(Snp(1, 1000 * (i + 1)));
    data.snps.back().frequencies = {0.4, 0.6};
  }
  data.chromosomeNumber = 1;
  data.segmentOnly = 1;
  data.segmentStart = 1000;
  data.segmentEnd = 99000;  // 99 SNPs
  std::string shown;
  AdmixtureRunContext context;
  context.language = 1;
  context.showRefusal = [&](const std::string& text) { shown = text; };
  EXPECT_FALSE(data.ComputeChromosomePainting(context));
  EXPECT_EQ(data.paintingReady, 0);
  EXPECT_NE(shown.find("99"), std::string::npos);
  data.segmentEnd = 100000;
  EXPECT_TRUE(data.ComputeChromosomePainting(context));
  EXPECT_EQ(data.snps[99].paintValues.size(), 2u);
  EXPECT_TRUE(data.snps[100].paintValues.empty());
}

TEST(ComputeChromosomePainting, AStopEndsTheRunWithThePaintingOfWhatWasDone) {
  CProracunPoreklaOdsecaka data;
  data.populationNames = {"P1", "P2"};
  for (int i = 0; i < 200; ++i) {
    data.snps.push_back(Snp(1 + i / 100, 1000 * (i + 1)));
    data.snps.back().frequencies = {0.9, 0.1};
  }
  std::atomic<int> stop{1};
  AdmixtureRunContext context;
  context.stop = &stop;
  int beeps = 0;
  context.beep = [&] { ++beeps; };
  EXPECT_TRUE(data.ComputeChromosomePainting(context));
  EXPECT_EQ(data.paintingReady, 1);
  EXPECT_EQ(beeps, 1);
  EXPECT_TRUE(data.snps[0].paintValues.empty());
  EXPECT_EQ(data.proportions, std::vector<double>({0.0, 0.0}));
}

TEST(Levelling, StepsByTenWithinFiveTo500) {
  struct Case {
    int32_t from;
    bool up;
    int32_t to;
    bool changed;
  } cases[] = {{50, true, 60, true},   {495, true, 500, true}, {500, true, 500, false},
               {50, false, 40, true},  {12, false, 5, true},   {5, false, 5, false}};
  for (const Case& c : cases) {
    CProracunPoreklaOdsecaka data;
    data.levellingFactor = c.from;
    EXPECT_EQ(c.up ? data.StepLevellingUp() : data.StepLevellingDown(), c.changed) << c.from;
    EXPECT_EQ(data.levellingFactor, c.to) << c.from;
  }
}

// The share of SNPs whose likeliest population is one of their two true
// ancestries, for tracts of about 30 cM.
TEST(ComputeChromosomePainting, FindsTheTrueAncestryOfSimulatedTracts) {
  const datagen::SimulatedPanel panel =
      datagen::MakePanel(21, 20000, {"Atlantic_Baltic", "East_Asian", "African", "South_Asian"}, 0.12);
  const datagen::SimulatedPerson person = datagen::MakePerson(panel, 5, {0.4, 0.3, 0.2, 0.1}, 3.0);
  CProracunPoreklaOdsecaka data = SimulatedSample(panel, person);
  data.halfWindowSnps = 40;
  ASSERT_TRUE(data.ComputeChromosomePainting(AdmixtureRunContext()));
  int right = 0;
  for (std::size_t i = 0; i < data.snps.size(); ++i) {
    const std::vector<double>& v = data.snps[i].paintValues;
    const int best = static_cast<int>(std::max_element(v.begin(), v.end()) - v.begin());
    if (best == person.tracts[2 * i] || best == person.tracts[2 * i + 1]) ++right;
  }
  EXPECT_GE(right, 0.9 * data.snps.size());
}

}  // namespace
}  // namespace varnik
