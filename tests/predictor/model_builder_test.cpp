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

std::vector<CUzorakSaOgrankom> Parse(const std::string& text) {
  std::vector<CUzorakSaOgrankom> samples;
  std::string error;
  EXPECT_TRUE(ParseLabelledHaplotypes(text, samples, error)) << error;
  return samples;
}

TEST(PredictorLabelledHaplotypes, ReadsNamesPathsAndHaplotypes) {
  const auto samples = Parse("# comment\n\nR1a-Z280=Р1а-З280 | M417>Z280 | 13 25 16 10 11-14 12 12 10 13 11 30\r\n"
                             "I1 | - | 13 22 14 10 13-14 11 14 11 12 11 28\n");
  ASSERT_EQ(samples.size(), 2u);
  EXPECT_EQ(samples[0].haplotype[11].value, 17);  // DYS389II 30 held as 30 - 13
  EXPECT_TRUE(samples[1].snpPath.empty());
  EXPECT_EQ(FormatLabelledHaplotype(samples[0]), "R1a-Z280=Р1а-З280 | M417>Z280 | 13 25 16 10 11-14 12 12 10 13 11 30");
  std::vector<CUzorakSaOgrankom> bad;
  std::string error;
  EXPECT_FALSE(ParseLabelledHaplotypes("R1a | M417>>Z280 | 13\n", bad, error));
  EXPECT_FALSE(ParseLabelledHaplotypes("R1a | M417 | 13 x 14\n", bad, error));
}

TEST(PredictorModelBuilder, FrequenciesTreeAndSuperGroupsFollowTheSamples) {
  CPostavkeUcenja options;
  options.smoothing = 0.0;
  options.fitStatistics = false;
  CPredvigjacMuskihLoz2 m;
  std::string error;
  ASSERT_TRUE(BuildPredictorModel(Parse("A | M1>M2 | 13 24 14\nA | M1>M2 | 13 24 15\nA | M1>M2 | 13 24 14\n"
                                        "A | M1>M2 | 13 24 14\nB | M1>M3 | 14 23 14\nB | M1>M3 | 14 23 14\n"),
                                  options, m, error));
  ASSERT_EQ(m.branches.size(), 2u);
  EXPECT_NEAR(LnValueProbability(m.branches[0], 2, 14, 0, 0, m.lnFloor), std::log(0.75), 1e-12);
  EXPECT_NEAR(LnValueProbability(m.branches[0], 2, 15, 0, 0, m.lnFloor), std::log(0.25), 1e-12);
  // SNP tree M1 > M2, M1 > M3; the super-group sits at M1 and pools both
  // branches alike: DYS393 13 has 0.5.
  ASSERT_EQ(m.snpTree.size(), 3u);
  EXPECT_EQ(m.snpTree[0].group, 0);
  ASSERT_EQ(m.parentGroups.size(), 1u);
  EXPECT_NEAR(LnValueProbability(m.parentGroups[0], 0, 13, 0, 0, m.lnFloor), std::log(0.5), 1e-12);
  EXPECT_EQ(m.branches[0].parentLinks.size(), 1u);
  EXPECT_FALSE(BuildPredictorModel({}, options, m, error));
}

// The shipped models' recipe on a few simulated lineages: the builder's
// model predicts held-out men well, and survives its file.
TEST(PredictorModelBuilder, SimulatedModelPredictsHeldOutMenAndRoundTripsThroughItsFile) {
  CPredvigjacMuskihLoz2 built;
  std::string error;
  ASSERT_TRUE(BuildPredictorModel(datagen::PredictorSamples(3, 5, 25), datagen::PredictorOptions(3), built, error));
  CPredvigjacMuskihLoz2 read;
  ASSERT_TRUE(ReadPredictorModel(SerializePredictorModel(built), read));
  EXPECT_GE(read.branches[0].fitStats.at(2).ownHistogram.start, 0);
  const auto heldOut = datagen::PredictorSamples(3, 77, 5);
  int correct = 0;
  for (const auto& sample : heldOut) {
    const Haplotype h = datagen::CutToMarkerSet(sample.haplotype, kSet67Markers);
    const CIshodPredvidjanja a = ScoreHaplotype(built, -1, h, 1);
    const CIshodPredvidjanja b = ScoreHaplotype(read, -1, h, 1);
    // Joint probabilities are stored as float32 in memory and file alike.
    ASSERT_EQ(a.chosenSet, b.chosenSet);
    ASSERT_EQ(a.probability, b.probability);
    ASSERT_EQ(a.fitness, b.fitness);
    const auto best = std::max_element(a.probability.begin(), a.probability.end()) - a.probability.begin();
    correct += a.names[best] == sample.branch;
  }
  EXPECT_GE(correct, static_cast<int>(heldOut.size() * 8 / 10));
}

}  // namespace
}  // namespace varnik
