#include <gtest/gtest.h>

#include <algorithm>
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
  options.ancestralMen = 0.0;
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

// Two lineages; only the source of A typed DYS391 (column 3).
TEST(PredictorModelBuilder, AMarkerTypedForOneBranchOnlyDoesNotDecideBetweenBranches) {
  std::string text;
  for (int i = 0; i < 6; ++i) {
    text += "A | M1>M2 | 13 24 14 " + std::string(i % 2 ? "10" : "11") + "\n";
    text += "B | M1>M3 | 14 23 15 $\n";
  }
  CPostavkeUcenja options;
  options.ancestralMen = 0.0;
  options.fitStatistics = false;
  CPredvigjacMuskihLoz2 m;
  std::string error;
  ASSERT_TRUE(BuildPredictorModel(Parse(text), options, m, error)) << error;
  // B borrows DYS391 from the only branch that has it.
  for (int32_t value : {9, 10, 11, 12}) {
    EXPECT_NEAR(LnValueProbability(m.branches[1], 3, value, 0, 0, m.lnFloor),
              LnValueProbability(m.branches[0], 3, value, 0, 0, m.lnFloor), 1e-12);
  }
  // A man of B with DYS391 typed stays B's as surely as without it.
  const auto b = Parse("B | - | 14 23 15 10\nB | - | 14 23 15 $\n");
  const CIshodPredvidjanja with = ScoreHaplotype(m, -1, b[0].haplotype, 1);
  const CIshodPredvidjanja without = ScoreHaplotype(m, -1, b[1].haplotype, 1);
  EXPECT_GT(with.probability[1], 0.99);
  EXPECT_NEAR(with.probability[1], without.probability[1], 1e-3);
}

TEST(PredictorModelBuilder, PairJoinsAreOffUnlessAskedForAndChangeOnlyHaplotypesThatMeetThem) {
  // In A, DYS393 13 goes with DYS390 24 and 14 with 25: each pair is twice
  // as frequent as its single values make it.
  std::string text;
  for (int i = 0; i < 8; ++i) {
    text += i % 2 ? "A | M1>M2 | 13 24 14\n" : "A | M1>M2 | 14 25 14\n";
    text += "B | M1>M3 | 13 25 15\n";
  }
  const auto samples = Parse(text);
  CPostavkeUcenja options;
  options.fitStatistics = false;
  options.parentCorrection = 0.0;
  CPredvigjacMuskihLoz2 plain;
  std::string error;
  ASSERT_TRUE(BuildPredictorModel(samples, options, plain, error));
  for (const auto& joins : plain.branchJoins) EXPECT_TRUE(joins.items.empty());

  options.maxPairJoins = 10;
  options.minJoinCount = 2;
  CPredvigjacMuskihLoz2 joined;
  ASSERT_TRUE(BuildPredictorModel(samples, options, joined, error));
  ASSERT_EQ(joined.branchJoins[0].items.size(), 2u);
  // The join's probability is the branch's own pair of values times the
  // measured departure from independence, 2.
  const double lnA = LnValueProbability(joined.branches[0], 0, 13, 0, 0, joined.lnFloor);
  const double lnB = LnValueProbability(joined.branches[0], 1, 24, 0, 0, joined.lnFloor);
  const auto& items = joined.branchJoins[0].items;
  const auto at = std::find(items.begin(), items.end(), EncodeItem(0, 0, 13, 0) | (uint32_t{EncodeItem(1, 0, 24, 0)} << 16));
  ASSERT_NE(at, items.end());
  EXPECT_NEAR(joined.branchJoins[0].lnJoint[at - items.begin()], lnA + lnB + std::log(2.0), 1e-6);

  // 13 with 25 meets no join: the joins change no score.  13 with 24 meets
  // one: A gains exactly ln 2.
  const auto men = Parse("A | - | 13 25 14\nA | - | 13 24 14\n");
  const CIshodPredvidjanja missed = ScoreHaplotype(joined, -1, men[0].haplotype, 1);
  const CIshodPredvidjanja missedPlain = ScoreHaplotype(plain, -1, men[0].haplotype, 1);
  EXPECT_EQ(missed.probability, missedPlain.probability);
  EXPECT_EQ(missed.fitness, missedPlain.fitness);
  const CIshodPredvidjanja met = ScoreHaplotype(joined, -1, men[1].haplotype, 1);
  const CIshodPredvidjanja metPlain = ScoreHaplotype(plain, -1, men[1].haplotype, 1);
  EXPECT_NEAR(3 * std::log(met.fitness[0]) - 3 * std::log(metPlain.fitness[0]), std::log(2.0), 1e-5);
}

TEST(PredictorScoring, ValuesNoBranchKnowsAreLeftOutAndCounted) {
  CPostavkeUcenja options;
  options.fitStatistics = false;
  CPredvigjacMuskihLoz2 m;
  std::string error;
  ASSERT_TRUE(BuildPredictorModel(Parse("A | M1>M2 | 13 24 14\nA | M1>M2 | 13 24 15\nB | M1>M3 | 14 23 14\n"),
                                  options, m, error));
  // DYS391 (column 3) and a second DYS393 copy are unknown to both branches.
  const auto men = Parse("A | - | 13-14 24 14 10\nA | - | 13 24 14\n");
  Haplotype dropped = men[0].haplotype;
  EXPECT_EQ(DropUnknownValues(m, dropped), 2);
  const CIshodPredvidjanja full = ScoreForPrediction(m, -1, men[0].haplotype, 1);
  const CIshodPredvidjanja known = ScoreHaplotype(m, -1, men[1].haplotype, 1);
  EXPECT_EQ(full.removedValues, 2);
  EXPECT_EQ(full.probability, known.probability);
  EXPECT_EQ(full.fitness, known.fitness);
}

}  // namespace
}  // namespace varnik
