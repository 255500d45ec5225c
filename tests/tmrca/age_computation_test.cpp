#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "tmrca/age_computation.h"
#include "tmrca/marker_model_table.h"
#include "ystr/markers.h"

namespace varnik {
namespace {

// A record from repeat counts (0: unknown).
CSTROznaka Rec(int32_t marker, int32_t ancestor, const std::vector<int32_t>& descendants) {
  std::vector<int32_t> codes;
  for (const int32_t v : descendants) codes.push_back(v > 0 ? v + 18 : 0);
  CSTROznaka record;
  int32_t error = 0;
  SetUpMarker(record, marker, ancestor > 0 ? ancestor + 18 : 0, codes, 0.0, true, true, error);
  return record;
}

// P^g of a record's one-step matrix by plain multiplication.
struct Powers {
  explicit Powers(const CSTROznaka& r) : n(r.oneStep.side), one(r.oneStep.values), current(one) {}
  void Next() {
    std::vector<double> next(current.size(), 0.0);
    for (int i = 0; i < n; ++i)
      for (int k = 0; k < n; ++k)
        for (int j = 0; j < n; ++j) next[i * n + j] += one[i * n + k] * current[k * n + j];
    current = next;
  }
  double P(int i, int j) const { return current[i * n + j]; }
  int n;
  std::vector<double> one, current;
};

int S(const CSTROznaka& r, int32_t value) { return StateOfCode(r, value + 18); }

std::vector<double> RawOf(std::vector<CSTROznaka> records, int generations = 30, int choice = 1) {
  CNizVerovatnoca distribution;
  distribution.Initialise(generations);
  std::atomic<int> stop{0};
  EXPECT_TRUE(ComputeAgeDistribution(choice, records, distribution, 0, stop, {}));
  std::vector<double> raw;
  for (const auto& value : distribution.raw) raw.push_back(value.ToDouble());
  return raw;
}

void ExpectClose(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t g = 0; g < actual.size(); ++g) EXPECT_NEAR(actual[g], expected[g], 1e-12 * expected[g]) << g;
}

TEST(TmrcaGroups, TwoCopiesCountTheCrossedPairingUnlessTheAncestorRepeats) {
  const CSTROznaka a = Rec(kDys385a, 15, {17});
  Powers p(a);
  std::vector<double> crossed, direct;
  for (int g = 1; g <= 30; ++g, p.Next()) {
    crossed.push_back(p.P(S(a, 15), S(a, 15)) * p.P(S(a, 17), S(a, 17)) +
                      p.P(S(a, 15), S(a, 17)) * p.P(S(a, 17), S(a, 15)));
    direct.push_back(p.P(S(a, 15), S(a, 15)) * p.P(S(a, 15), S(a, 17)));
  }
  // Ancestor 15-17: descendant 17-15 and 15-17 get the same factor.
  ExpectClose(RawOf({Rec(kDys385a, 15, {17}), Rec(kDys385a, 17, {15})}), crossed);
  ExpectClose(RawOf({Rec(kDys385a, 15, {15}), Rec(kDys385a, 17, {17})}), crossed);
  // Ancestor 15-15: only the direct pairing.
  ExpectClose(RawOf({Rec(kDys385a, 15, {15}), Rec(kDys385a, 15, {17})}), direct);
}

TEST(TmrcaGroups, FourCopiesSumOverDistinctPairings) {
  std::vector<CSTROznaka> records;
  const int32_t ancestor[] = {15, 15, 17, 17}, descendant[] = {15, 16, 17, 17};
  for (int j = 0; j < 4; ++j) records.push_back(Rec(kDys464a, ancestor[j], {descendant[j]}));
  Powers p(records[0]);
  std::vector<double> expected;
  for (int g = 1; g <= 30; ++g, p.Next()) {
    const auto P = [&](int a, int d) { return p.P(S(records[0], a), S(records[0], d)); };
    // Which two descendant values go with the ancestor's two 15s.
    expected.push_back(P(15, 15) * P(15, 16) * P(17, 17) * P(17, 17) + P(15, 15) * P(15, 17) * P(17, 16) * P(17, 17) +
                       P(15, 16) * P(15, 17) * P(17, 15) * P(17, 17) + P(15, 17) * P(15, 17) * P(17, 15) * P(17, 16));
  }
  ExpectClose(RawOf(records), expected);
}

TEST(TmrcaSingles, KnownAndUnknownAncestorFactors) {
  const std::vector<CSTROznaka> records = {Rec(kDys393, 13, {13, 14, 0}), Rec(kDys390, 0, {24, 25, 25})};
  const CSTROznaka &a = records[0], &b = records[1];
  Powers p1(a), p2(b);
  std::vector<double> expected;
  for (int g = 1; g <= 30; ++g, p1.Next(), p2.Next()) {
    double mean = 0.0;
    for (int s = 0; s < p2.n; ++s) mean += p2.P(s, S(b, 24)) * p2.P(s, S(b, 25)) * p2.P(s, S(b, 25));
    expected.push_back(p1.P(S(a, 13), S(a, 13)) * p1.P(S(a, 13), S(a, 14)) * mean / p2.n);
  }
  ExpectClose(RawOf(records), expected);
  ExpectClose(RawOf(records, 30, 2), std::vector<double>(30, 1.0));  // multi-copy markers only
}

TEST(TmrcaComputation, ReportsProgressStopsWhenAskedAndRefusesMisfits) {
  std::vector<CSTROznaka> records = {Rec(kDys393, 13, {14})};
  CNizVerovatnoca distribution;
  distribution.Initialise(600);
  std::atomic<int> stop{0};
  std::vector<std::string> texts;
  EXPECT_FALSE(ComputeAgeDistribution(0, records, distribution, 0, stop, [&](const std::string& text) {
    texts.push_back(text);
    if (text == "10%") stop = 1;
  }));
  EXPECT_EQ(texts, (std::vector<std::string>{"0%", "1%", "2%", "3%", "4%", "5%", "6%", "7%", "8%", "9%", "10%"}));
  EXPECT_TRUE(distribution.probability.empty());
  EXPECT_FALSE(distribution.raw[59].IsZero());  // generation 60 gave "10%" and was finished
  EXPECT_TRUE(distribution.raw[60].IsZero());

  stop = 0;
  records.push_back(Rec(kDys390, 24, {24, 25}));  // descendant counts differ
  EXPECT_FALSE(ComputeAgeDistribution(1, records, distribution, 0, stop, {}));
}

CNizVerovatnoca Normalised(const std::vector<double>& raw, int32_t w) {
  CNizVerovatnoca d;
  for (const double v : raw) d.raw.push_back(CRazlomljenBroj(v));
  NormaliseAgeDistribution(d, w);
  return d;
}

TEST(TmrcaNormalisation, SubtractsTheFloorSkipsWAndInterpolatesTheHalfPoint) {
  const struct {
    std::vector<double> raw;
    int32_t w;
    std::vector<double> probability;
    double half;
  } cases[] = {
      {{1, 3, 2, 1}, 0, {0, 2.0 / 3, 1.0 / 3, 0}, 1.75},
      {{5, 1, 3, 1}, 1, {0, 0, 1, 0}, 2.5},               // the first w get nothing
      {{7, 7, 7, 7, 7}, 2, {0, 0, 1.0 / 3, 1.0 / 3, 1.0 / 3}, 3.5},  // flat: uniform from w
  };
  for (const auto& c : cases) {
    const CNizVerovatnoca d = Normalised(c.raw, c.w);
    ASSERT_EQ(d.probability.size(), c.probability.size());
    for (std::size_t i = 0; i < c.probability.size(); ++i) EXPECT_NEAR(d.probability[i], c.probability[i], 1e-15) << i;
    EXPECT_DOUBLE_EQ(d.halfPoint, c.half);
  }
  EXPECT_EQ(Normalised({5, 1, 3, 1}, 1).cumulative, (std::vector<double>{0, 0, 1, 1}));
  // A likelihood that is flat or still rising at the end gives no estimate.
  EXPECT_FALSE(Normalised({1, 3, 2, 1}, 0).beyondRange);
  EXPECT_TRUE(Normalised({7, 7, 7, 7, 7}, 2).beyondRange);
  EXPECT_TRUE(Normalised({1, 2, 3, 4}, 0).beyondRange);
  EXPECT_TRUE(Normalised({}, 0).probability.empty());
}

}  // namespace
}  // namespace varnik
