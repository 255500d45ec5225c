#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

#include "predictor/model_layouts.h"
#include "predictor/scoring.h"

namespace varnik {
namespace {

using test::Branch;
using test::Columns;

const double kFloor = std::log(2e-5);

// Two branches over DYS393 (column 0) and DYS390 (column 1).
CPredvigjacMuskihLoz2 TwoBranches() {
  CPredvigjacMuskihLoz2 m;
  m.parentCorrection = 0;
  m.branches = {Branch("A", {{0, 12, {0.2, 0.5, 0.3}}, {1, 23, {0.5, 0.5}}}),
                Branch("B", {{0, 12, {0.1, 0.25, 0.65}}, {1, 23, {0.25, 0.75}}})};
  m.branchJoins.resize(2);
  return m;
}

TEST(PredictorScoring, LikelihoodIsTheProductOfValueProbabilitiesRestrictedByTheKnownSnp) {
  CPredvigjacMuskihLoz2 m = TwoBranches();
  const CIshodPredvidjanja r = ScoreHaplotype(m, -1, Columns({14, 24}), 1);
  const double a = 0.3 * 0.5;
  const double b = 0.65 * 0.75;
  EXPECT_NEAR(r.probability[0], a / (a + b), 1e-12);
  EXPECT_NEAR(r.fitness[1], std::sqrt(b), 1e-12);
  m.lnFloor = std::log(1e-3);
  const CIshodPredvidjanja floor = ScoreHaplotype(m, -1, Columns({20, 0}), 1);
  EXPECT_NEAR(floor.fitness[0], 1e-3, 1e-15);  // one present value (0 is not), at the floor
  EXPECT_NEAR(floor.probability[0], 0.5, 1e-12);
  EXPECT_EQ(ScoreHaplotype(m, -1, Columns({0, -1}), 1).fitness[0], 1.0);

  // A known SNP allows only the branches below it.  SNP tree root 0 > 1 > 2
  // and a separate root 3; branch C without a node.
  m.branches.push_back(Branch("C", {{0, 13, {1.0}}}));
  m.branchJoins.resize(3);
  m.snpTree = {{{"M1"}, -1, -1}, {{"M2"}, 0, -1}, {{"M3"}, 1, -1}, {{"M9"}, -1, -1}};
  m.branches[0].snpNode = 1;
  m.branches[1].snpNode = 2;
  const CIshodPredvidjanja below1 = ScoreHaplotype(m, 1, Columns({13}), 1);
  EXPECT_NEAR(below1.probability[0], 2.0 / 3, 1e-12);
  EXPECT_EQ(below1.fitness[2], 0.0);
  EXPECT_NEAR(ScoreHaplotype(m, 2, Columns({13}), 1).probability[1], 1.0, 1e-12);
  EXPECT_EQ(ScoreHaplotype(m, 3, Columns({13}), 1).fitness, std::vector<double>(3, 0.0));
}

TEST(PredictorScoring, FractionsAndColumnsOutsideThe23KitAreDroppedOnlyWhenAsked) {
  CPredvigjacMuskihLoz2 m = TwoBranches();
  Haplotype f = Columns({13});
  f[0].fraction = 2;
  EXPECT_NEAR(ScoreHaplotype(m, -1, f, 1).fitness[0], 0.5, 1e-12);
  Haplotype h = Columns({13, 24, 14, 11, 11, 12, 12});  // columns 5 and 6 lie outside the kit
  h.insert(h.begin() + 5, {14, 0, 1});                 // DYS385b
  EXPECT_EQ(ScoreHaplotype(m, -1, h, 1).removedValues, 0);
  m.ignoreFractions = 0;
  m.restrictTo23 = 1;
  EXPECT_NEAR(ScoreHaplotype(m, -1, f, 1).fitness[0], 2e-5, 1e-12);
  EXPECT_EQ(ScoreHaplotype(m, -1, h, 1).removedValues, 2);
}

uint32_t Pair(uint16_t first, uint16_t second) { return first | (uint32_t{second} << 16); }

// Branches whose distributions start, end and split into classes
// differently, so that the scoring's common table layout has cells that
// only some of them cover; column 5's values are so far apart that they are
// looked up directly.
TEST(PredictorScoring, PreparedTablesGiveEveryValuesOwnProbabilityAndAreNotUsedOnceChanged) {
  CPredvigjacMuskihLoz2 m = TwoBranches();
  m.ignoreFractions = 0;
  m.lnFloor = std::log(1e-4);
  m.branches.push_back(Branch("C", {{0, 9, {0.1, 0.2, 0.3, 0.4}}, {3, 30, {0.9, 0.1}}, {5, 9000, {0.5}}}));
  m.branches[0].markers.resize(6);
  m.branches[0].markers[5].copies = {test::Copy(10, {0.25, 0.75})};
  m.branches[2].markers[3].copies.push_back(test::Copy(31, {0.6, 0.4}));
  m.branches[0].markers[0].copies[0].classes.push_back({14, {std::log(0.7), std::log(0.3)}});
  m.branchJoins.resize(3);
  PrepareForScoring(m);
  for (int32_t column : {0, 1, 3, 5}) {
    for (int32_t copy : {0, 1}) {
      for (int32_t fraction : {0, 1, 2}) {
        for (int32_t value = 1; value <= 70; ++value) {
          Haplotype h = Columns({-1, -1, -1, -1, -1, -1});
          h[column] = {copy == 0 ? value : -1, fraction, 0};
          if (copy == 1) h.insert(h.begin() + column + 1, CVrednostSTRa{value, fraction, 1});
          const CIshodPredvidjanja r = ScoreHaplotype(m, -1, h, 1);
          for (std::size_t b = 0; b < m.branches.size(); ++b) {
            const double ln = LnValueProbability(m.branches[b], column, value, fraction, copy, m.lnFloor);
            ASSERT_EQ(r.fitness[b], std::min(1.0, std::exp(ln))) << column << " " << copy << " " << value;
          }
        }
      }
    }
  }
  m.branches[0].markers = Branch("A", {{0, 13, {0.9}}, {1, 24, {0.8}}}).markers;
  EXPECT_NEAR(ScoreHaplotype(m, -1, Columns({13, 24}), 1).fitness[0], std::sqrt(0.9 * 0.8), 1e-12);
  m.lnFloor = std::log(1e-3);
  EXPECT_NEAR(ScoreHaplotype(m, -1, Columns({40, 24}), 1).fitness[0], std::sqrt(1e-3 * 0.8), 1e-12);
}

TEST(PredictorJoins, JoinsReplaceTheProductOfTheirValues) {
  const auto L = [](float p) { return std::log(p); };
  const uint16_t v14 = EncodeItem(0, 0, 14, 0), v24 = EncodeItem(1, 0, 24, 0);
  const uint16_t v15 = EncodeItem(2, 0, 15, 0), v11 = EncodeItem(3, 0, 11, 0);
  const uint32_t j14and24 = Pair(v14, v24);
  struct Case {
    const char* what;
    std::vector<int32_t> values;
    CMegjuzavisnostiOgrankaZaUpotrebu joins;
    bool group;  // a group join of 14, 24 and 15 with 0.05
    double expected;  // the log-likelihood over all values
  };
  const Case cases[] = {
      {"both values match", {14, 24}, {{L(0.4f)}, {j14and24}}, false, L(0.4f)},
      {"one value differs", {14, 24}, {{L(0.4f)}, {Pair(v14, EncodeItem(1, 0, 23, 0))}}, false, std::log(0.15)},
      // Column 0 in two joins has its own probability taken out once; a third join is not applied.
      {"value in two joins", {14, 24, 15}, {{L(0.2f), L(0.25f), L(0.1f)}, {j14and24, Pair(v14, v15), j14and24}}, false,
       double(L(0.2f)) + L(0.25f) - std::log(0.3)},
      // Part A holds the first two joins, part B the third: a value may be paired twice per part.
      {"split", {14, 24}, {{L(0.2f), L(0.2f), L(0.2f)}, {j14and24, j14and24, j14and24}, 2}, false,
       3.0 * L(0.2f) - 2 * std::log(0.15)},
      // The first pair join uses the group once, so the second, on the same group, does not apply.
      {"group", {14, 24, 15, 11}, {{L(0.4f), L(0.35f)}, {Pair(v15, v11), Pair(v14, v11)}}, true,
       double(L(0.05f)) + L(0.4f) - std::log(0.6)},
      // Without the group join the second pair join applies; the unseen 16 takes the floor.
      {"group not applied", {14, 24, 16, 11}, {{L(0.4f), L(0.35f)}, {Pair(v15, v11), Pair(v14, v11)}}, true,
       L(0.35f) + std::log(0.5) + kFloor},
  };
  for (const Case& k : cases) {
    CPredvigjacMuskihLoz2 m;
    m.branches = {Branch("A", {{0, 14, {0.3}}, {1, 24, {0.5}}, {2, 15, {0.6}}, {3, 11, {0.9}}})};
    if (k.group) m.branches[0].groupJoins = {{3, {v14, v24, v15}, {L(0.05f)}}};
    m.branchJoins = {k.joins};
    const double fitness = ScoreHaplotype(m, -1, Columns(k.values), 1).fitness[0];
    EXPECT_NEAR(std::log(fitness) * k.values.size(), k.expected, 1e-5) << k.what;
  }
}

// Branch A under super-group 0; three typed values, one of them distinctive.
CPredvigjacMuskihLoz2 ParentModel() {
  CPredvigjacMuskihLoz2 m;
  m.parentCorrection = 0.3;
  m.branches = {Branch("A", {{0, 14, {0.9}}, {1, 24, {0.1}}, {2, 15, {0.1}}}),
                Branch("B", {{0, 14, {0.1}}, {1, 24, {0.1}}, {2, 15, {0.1}}})};
  m.branches[0].parentLinks = {{0, 0.5, 0.0}};
  m.branchJoins.resize(2);
  m.parentGroups = {Branch("G", {{0, 14, {0.1}}, {1, 24, {0.2}}, {2, 15, {0.1}}})};
  return m;
}

TEST(PredictorParentCorrection, DistinctiveValuesGainWeightAndCommonOnesLose) {
  // Distinctive: a = ln 0.9 > ln 0.2 and a - u = ln 9 >= ln 1.7, so
  // w - 1 = exp(ln 2 + ln 8 - ln 8) = 2; W = 2, c = 2, r = 0 is raised to
  // 0.7 and the distinctive share is multiplied by 2 * (2 * 0.3 / 2) + 1.
  CPredvigjacMuskihLoz2 m = ParentModel();
  m.minMarkersForStats = 3;
  const double expected = 1.6 * std::log(0.9) + 0.7 * 2 * std::log(0.1);
  const CIshodPredvidjanja r = ScoreHaplotype(m, -1, Columns({14, 24, 15}), 1);
  EXPECT_NEAR(std::log(r.fitness[0]) * 3, expected, 1e-9);
  EXPECT_NEAR(r.probability[0], std::exp(expected) / (std::exp(expected) + 1e-3), 1e-9);
  // Unsupported ratio: up = 0.9 - 0.1, down = 0.2 - 0.1; expected up-ratio 0.5.
  EXPECT_NEAR(r.unsupportedRatio[0], (0.8 / 0.9) / 0.5, 1e-9);
  EXPECT_EQ(r.unsupportedRatio[1], -1);  // no super-group

  for (int which : {0, 1}) {
    CPredvigjacMuskihLoz2 off = m;
    if (which == 0) off.branches[0].lnParentBonus = -1000;
    if (which == 1) off.parentCorrection = 0;
    EXPECT_NEAR(ScoreHaplotype(off, -1, Columns({14, 24, 15}), 1).fitness[0], std::cbrt(0.9 * 0.1 * 0.1), 1e-9);
  }
  m.minMarkersForStats = 4;  // too few values for the ratio
  EXPECT_EQ(ScoreHaplotype(m, -1, Columns({14, 24, 15}), 1).unsupportedRatio[0], -1);
}

// Every number of a result, as bits.
std::vector<uint64_t> Bits(const CIshodPredvidjanja& r) {
  std::vector<uint64_t> out = {static_cast<uint64_t>(r.chosenSet), static_cast<uint64_t>(r.removedValues)};
  for (const auto* values : {&r.probability, &r.fitness, &r.relativeFitness, &r.unsupportedRatio}) {
    for (double d : *values) out.push_back(std::bit_cast<uint64_t>(d));
  }
  return out;
}

// A prepared model scores each branch against its own super-group from
// merged per-value records; everything else goes value by value through the
// distributions.  Both must give the same bits, whatever the parent
// correction does and whichever super-group the known SNP picks.
TEST(PredictorParentCorrection, PreparedModelScoresToTheSameBits) {
  auto model = [](int variant) {
    CPredvigjacMuskihLoz2 m = ParentModel();
    m.minMarkersForStats = 3;
    m.branches.push_back(Branch("C", {{0, 13, {0.3, 0.6}}, {1, 23, {0.5, 0.3}}, {2, 14, {0.2, 0.7}}}));
    m.branches[1].parentLinks = {{1, 0.4, 0.0}};
    m.branches[2].parentLinks = {{0, 0.6, 0.0}, {1, 0.3, 0.0}};
    m.parentGroups.push_back(Branch("H", {{0, 13, {0.2, 0.3}}, {1, 23, {0.1, 0.1}}, {2, 14, {0.4, 0.05}}}));
    // Branch C lies under node 1 (group 1), which lies under node 0 (group 0).
    m.snpTree = {{{"g"}, -1, 0}, {{"h"}, 0, 1}, {{"c"}, 1, -1}};
    m.branches[2].snpNode = 2;
    m.branchJoins.resize(3);
    m.branchJoins[2].items = {Pair(EncodeItem(0, 0, 14, 0), EncodeItem(1, 0, 24, 0)),
                              Pair(EncodeItem(1, 0, 24, 0), EncodeItem(2, 0, 15, 0))};
    m.branchJoins[2].lnJoint = {-1.5f, -2.5f};
    if (variant == 1) m.branches[0].lnParentBonus = std::log(0.1);  // the correction is not limited
    if (variant == 2) m.branches[2].lnParentBonus = std::nan("");
    if (variant == 3) m.parentCorrection = 0;
    return m;
  };
  const std::vector<Haplotype> hs = {Columns({14, 24, 15}), Columns({13, 23, 15}), Columns({14, 23, 14}),
                                     Columns({14, 24, -1}), Columns({30, 24, 15})};
  for (int variant = 0; variant < 4; ++variant) {
    CPredvigjacMuskihLoz2 prepared = model(variant);
    PrepareForScoring(prepared);
    CPredvigjacMuskihLoz2 plain = model(variant);
    for (std::size_t h = 0; h < hs.size(); ++h) {
      for (int32_t snp : {-1, 0, 1, 2}) {
        EXPECT_EQ(Bits(ScoreHaplotype(prepared, snp, hs[h], 1)), Bits(ScoreHaplotype(plain, snp, hs[h], 1)))
            << variant << "/" << h << "/" << snp;
      }
    }
  }
}

// Mended: preparing a model too large for the tables used to write out of bounds.
TEST(PredictorScoring, ModelTooLargeForTablesIsScoredDirectly) {
  CPredvigjacMuskihLoz2 m = ParentModel();
  m.branches[1].markers.resize(300000);
  const CPredvigjacMuskihLoz2 plain = m;
  PrepareForScoring(m);
  EXPECT_EQ(Bits(ScoreHaplotype(m, -1, Columns({14, 24, 15}), 1)),
            Bits(ScoreHaplotype(plain, -1, Columns({14, 24, 15}), 1)));
}

TEST(PredictorParentCorrection, SuperGroupFollowsTheKnownSnp) {
  CPredvigjacMuskihLoz2 m;
  m.parentGroups.resize(3);
  // 0 (group 0) > 1 (group 1) > 2 > 3 (branch node); 4 root without group.
  m.snpTree = {{{"a"}, 4, 0}, {{"b"}, 0, 1}, {{"c"}, 1, -1}, {{"d"}, 2, -1}, {{"r"}, -1, -1}};
  COgranakLoze2 b;
  b.snpNode = 3;
  b.parentLinks = {{2, 0.5, 0}};
  EXPECT_EQ(SuperGroupOf(m, b, -1), 2);  // no known SNP: the branch's own link
  EXPECT_EQ(SuperGroupOf(m, b, 3), 1);  // nothing at or below 3: the first group above it
  EXPECT_EQ(SuperGroupOf(m, b, 4), 0);  // the last group seen before reaching 4
}

CRaspodelaUklapanjaSkupaOznak Stats() {
  CRaspodelaUklapanjaSkupaOznak s{0.5, 0.0, {40, {4, 0, 0, 6}, 10}, {10, std::vector<int32_t>(32, 0), 10}, 0.5};
  s.otherHistogram.counts[30] = 8;
  s.otherHistogram.counts[31] = 2;
  return s;
}

TEST(PredictorFitFactor, OwnAndOtherCountsGiveTheFactorExtrapolatedJustBelowTheOwnRange) {
  CRaspodelaUklapanjaSkupaOznak s = Stats();  // other spans 10..41
  EXPECT_NEAR(FitFactor(s, 0.40), 4.0 / (0.5 * 8 + 4), 1e-12);
  EXPECT_NEAR(FitFactor(s, 0.41), 2.0 / (0.5 * 2 + 2), 1e-12);
  EXPECT_NEAR(FitFactor(s, 0.43), 1.0, 1e-12);
  EXPECT_NEAR(FitFactor(s, 0.90), 1.0, 1e-12);  // beyond the own range: its last count
  EXPECT_EQ(FitFactor(s, 0.39), 0.0);            // other is not 0 there

  // Extrapolated just below the own range.
  s.otherHistogram = {10, std::vector<int32_t>(20, 0), 9};
  s.otherHistogram.counts[19] = 9;  // other spans 10..29 with a count only at 29
  // x = 36: d = 4 <= 5; past other's end, other' = 9 / 1.5^(36 - 29 + 1).
  double own = 4 / std::pow(1.5, 5);
  double other = 9 / std::pow(1.5, 8);
  EXPECT_NEAR(FitFactor(s, 0.36), own / (own + 0.5 * other), 1e-12);
  // x = 30: d = 10, but x lies beyond other's end.
  own = 4 / std::pow(1.5, 11);
  other = 9 / std::pow(1.5, 2);
  EXPECT_NEAR(FitFactor(s, 0.30), own / (own + 0.5 * other), 1e-12);

  // Other histogram without counts: inside its range the factor is
  // extrapolated only within a quarter of its width (5) of its end.
  s.otherHistogram = {10, std::vector<int32_t>(20, 0), 0};
  EXPECT_NEAR(FitFactor(s, 0.27), 1.0, 1e-12);
  EXPECT_EQ(FitFactor(s, 0.20), 0.0);
  s.ownHistogram.counts[0] = 0;  // nothing to extrapolate from
  EXPECT_EQ(FitFactor(s, 0.36), 0.0);

  // A fitness that is no number, and histograms at the edges of 32 bits.
  EXPECT_EQ(FitFactor(Stats(), std::nan("")), 0.0);
  s = Stats();
  s.ownHistogram.start = 0x7ffffffe;
  s.otherHistogram.start = 0x7ffffffe;
  EXPECT_EQ(FitFactor(s, 0.5), 0.0);
}

TEST(PredictorFitFactor, ChosenSetScalesProbabilityAndGivesRelativeFitness) {
  CPredvigjacMuskihLoz2 m = TwoBranches();
  m.statSets = {kSet12Markers, kSet17Kit};
  for (auto& b : m.branches) b.fitStats = {Stats(), Stats()};
  m.branches[1].fitStats[1].meanFitness = 0.0;
  // DYS393 only: the 12-marker set overlaps 1/11, too little.
  EXPECT_EQ(ScoreHaplotype(m, -1, Columns({13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}), 1).chosenSet, -1);
  // Typing the columns of the 17-marker kit chooses that set.
  Haplotype kit = Columns(std::vector<int32_t>(95, -1));
  for (int32_t c : {0, 1, 2, 3, 4, 7, 8, 9, 10, 11, 16, 17, 21, 23, 29, 94}) kit[c].value = 13;
  const CIshodPredvidjanja r = ScoreHaplotype(m, -1, kit, 1);
  EXPECT_EQ(r.chosenSet, 1);
  EXPECT_NEAR(r.relativeFitness[0], r.fitness[0] / 0.5, 1e-12);
  EXPECT_EQ(r.relativeFitness[1], -1);
  // Fitness is far below both histograms: the fit factor is 0.
  EXPECT_EQ(r.probability[0], 0.0);
}

TEST(PredictorMostFrequent, TakesTheBestValueAndTheMiddleOfTies) {
  CPredvigjacMuskihLoz2 m;
  COgranakLoze2 b = Branch("A", {{0, 12, {0.2, 0.4, 0.4}}, {1, 20, {0.3, 0.3, 0.3}}, {2, 10, {0.1, 0.9}}});
  b.markers[2].copies[0].classes.resize(3);
  b.markers[2].copies[0].classes[2] = {10, {std::log(0.5)}};  // 10.2 with 0.5
  m.branches = {b};
  Haplotype h = Columns({1, 1, 1, 1, -1});
  MostFrequentValues(m, 0, h, true);
  EXPECT_EQ(h[0].value, 14);  // 13 and 14 tie: index 2 / 2 = 1
  EXPECT_EQ(h[1].value, 21);  // three-way tie: the middle
  EXPECT_EQ(h[2].value, 11);  // 10 pools 0.1 + 0.5, still below 0.9
  EXPECT_EQ(h[3].value, 1);   // no data: unchanged
  EXPECT_EQ(h[4].value, -1);  // missing stays missing
}

}  // namespace
}  // namespace varnik
