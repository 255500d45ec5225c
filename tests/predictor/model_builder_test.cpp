#include <gtest/gtest.h>

#include <cmath>

#include "predictor/labelled_haplotypes.h"
#include "predictor/model_builder.h"
#include "predictor/model_file.h"
#include "predictor/scoring.h"
#include "predictor_models.h"
#include "ystr_simulator.h"

namespace varnik {
namespace {

TEST(PredictorLabelledHaplotypes, ReadsNamesPathsAndHaplotypes) {
  std::vector<CUzorakSaOgrankom> samples;
  std::string error;
  ASSERT_TRUE(ParseLabelledHaplotypes("# comment\n\nR1a-Z280=Р1а-З280 | M417>Z280 | 13 25 16 10 11-14 12 12 10 13 11 30\r\n"
                                      "I1 | - | 13 22 14 10 13-14 11 14 11 12 11 28\n",
                                      samples, error))
      << error;
  ASSERT_EQ(samples.size(), 2u);
  EXPECT_EQ(samples[0].haplotype[11].value, 17);  // DYS389II 30 held as 30 - 13
  EXPECT_TRUE(samples[1].snpPath.empty());
  EXPECT_EQ(FormatLabelledHaplotype(samples[0]),
            "R1a-Z280=Р1а-З280 | M417>Z280 | 13 25 16 10 11-14 12 12 10 13 11 30");
  EXPECT_FALSE(ParseLabelledHaplotypes("R1a | M417\n", samples, error));
  EXPECT_FALSE(ParseLabelledHaplotypes("R1a | M417>>Z280 | 13\n", samples, error));
  EXPECT_FALSE(ParseLabelledHaplotypes("R1a | M417 | 13 x 14\n", samples, error));
}

std::vector<CUzorakSaOgrankom> Parse(const char* text) {
  std::vector<CUzorakSaOgrankom> samples;
  std::string error;
  EXPECT_TRUE(ParseLabelledHaplotypes(text, samples, error)) << error;
  return samples;
}

TEST(PredictorModelBuilder, FrequenciesTreeAndSuperGroupsFollowTheSamples) {
  const auto samples = Parse(
      "A | M1>M2 | 13 24 14\n"
      "A | M1>M2 | 13 24 15\n"
      "A | M1>M2 | 13 24 14\n"
      "A | M1>M2 | 13 24 14\n"
      "B | M1>M3 | 14 23 14\n"
      "B | M1>M3 | 14 23 14\n");
  CPostavkeUcenja options;
  options.smoothing = 0.0;
  options.fitStatistics = false;
  CPredvigjacMuskihLoz2 m;
  std::string error;
  ASSERT_TRUE(BuildPredictorModel(samples, options, m, error));
  ASSERT_EQ(m.branches.size(), 2u);
  EXPECT_NEAR(LnValueProbability(m.branches[0], 2, 14, 0, 0, m.lnFloor), std::log(0.75), 1e-12);
  EXPECT_NEAR(LnValueProbability(m.branches[0], 2, 15, 0, 0, m.lnFloor), std::log(0.25), 1e-12);
  EXPECT_EQ(LnValueProbability(m.branches[0], 2, 16, 0, 0, m.lnFloor), m.lnFloor);
  // SNP tree M1 > M2, M1 > M3; the super-group sits at M1 and pools both
  // branches alike: DYS393 13 has 0.5.
  ASSERT_EQ(m.snpTree.size(), 3u);
  EXPECT_EQ(m.snpTree[0].group, 0);
  ASSERT_EQ(m.parentGroups.size(), 1u);
  EXPECT_NEAR(LnValueProbability(m.parentGroups[0], 0, 13, 0, 0, m.lnFloor), std::log(0.5), 1e-12);
  ASSERT_EQ(m.branches[0].parentLinks.size(), 1u);
  EXPECT_GT(m.branches[0].parentLinks[0].expectedUpRatio, 0.5);

  CPredvigjacMuskihLoz2 empty;
  EXPECT_FALSE(BuildPredictorModel({}, options, empty, error));
}

TEST(PredictorModelBuilder, PairJoinsCatchValuesThatTravelTogether) {
  // In A, DYS390 25 comes with DYS19 15 and 23 with 14.
  std::string text;
  for (int i = 0; i < 6; ++i) text += "A | M1 | 13 25 15\nA | M1 | 13 23 14\n";
  CPostavkeUcenja options;
  options.fitStatistics = false;
  CPredvigjacMuskihLoz2 m;
  std::string error;
  ASSERT_TRUE(BuildPredictorModel(Parse(text.c_str()), options, m, error));
  const auto& joins = m.branchJoins[0];
  const uint32_t together = EncodeItem(1, 0, 25, 0) | (uint32_t{EncodeItem(2, 0, 15, 0)} << 16);
  EXPECT_NE(std::find(joins.items.begin(), joins.items.end(), together), joins.items.end());
  // The join lifts the likelihood of the pairs seen and lowers the others.
  CIshodPredvidjanja seen = ScoreHaplotype(m, -1, Parse("X | - | 13 25 15\n")[0].haplotype, 1);
  CIshodPredvidjanja mixed = ScoreHaplotype(m, -1, Parse("X | - | 13 25 14\n")[0].haplotype, 1);
  EXPECT_GT(seen.fitness[0], mixed.fitness[0]);
}

// The shipped models' recipe on a few simulated lineages: the builder's
// model predicts held-out men well, and survives its file.
TEST(PredictorModelBuilder, SimulatedModelPredictsHeldOutMenAndRoundTripsThroughItsFile) {
  const auto training = datagen::PredictorSamples(3, 5, 25);
  CPredvigjacMuskihLoz2 built;
  std::string error;
  ASSERT_TRUE(BuildPredictorModel(training, datagen::PredictorOptions(3), built, error));
  CPredvigjacMuskihLoz2 read;
  ASSERT_TRUE(ReadPredictorModel(SerializePredictorModel(built), read));
  EXPECT_EQ(read.branches[0].fitStats.size(), 3u);
  EXPECT_GE(read.branches[0].fitStats[2].ownHistogram.start, 0);

  const auto heldOut = datagen::PredictorSamples(3, 77, 5);
  int correct = 0;
  for (const auto& sample : heldOut) {
    const Haplotype h = datagen::CutToMarkerSet(sample.haplotype, kSet67Markers);
    const CIshodPredvidjanja a = ScoreHaplotype(built, -1, h, 1);
    const CIshodPredvidjanja b = ScoreHaplotype(read, -1, h, 1);
    ASSERT_EQ(a.chosenSet, b.chosenSet);
    for (std::size_t k = 0; k < a.probability.size(); ++k) {
      // Joint probabilities are stored as float32 in memory and file alike.
      ASSERT_EQ(a.probability[k], b.probability[k]);
      ASSERT_EQ(a.fitness[k], b.fitness[k]);
    }
    std::size_t best = 0;
    for (std::size_t k = 1; k < a.probability.size(); ++k) {
      if (a.probability[k] > a.probability[best]) best = k;
    }
    correct += a.names[best] == sample.branch;
  }
  EXPECT_GE(correct, static_cast<int>(heldOut.size() * 8 / 10));
}

}  // namespace
}  // namespace varnik
