#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "common/wide_number.h"
#include "tmrca/marker_model_table.h"
#include "tmrca/mutation_model.h"

namespace varnik {
namespace {

constexpr double kMeanStep = 0.95 + 0.05 * 2 + 0.0004 * 4 * 5;  // 1.058

CSTROznaka Marker(int32_t marker, int32_t ancestorCode = 0, std::vector<int32_t> descendants = {}) {
  CSTROznaka record;
  int32_t error = 0;
  SetUpMarker(record, marker, ancestorCode, descendants, 0.0, true, true, error);
  return record;
}

TEST(MutationModel, EveryMarkerHasTailsAcceptedStatesAndStochasticRows) {
  for (int32_t m = 0; m < 111; ++m) {
    SCOPED_TRACE(m);
    const MarkerModelRow& row = *MarkerModel(m);
    const CSTROznaka r = Marker(m);
    const int32_t n = row.highest - row.lowest + 3;
    ASSERT_EQ(static_cast<int32_t>(r.states.size()), n);
    EXPECT_EQ(r.states.front(), row.lowTailCode);
    EXPECT_EQ(r.states.back(), row.highTailCode);
    EXPECT_LT(row.lowTailCode, 22);
    EXPECT_GT(row.highTailCode, 68);
    EXPECT_EQ(r.states[1], row.lowest + 18);
    EXPECT_EQ(r.states[n - 2], row.highest + 18);
    EXPECT_DOUBLE_EQ(r.rate, row.rate / kMeanStep);
    for (int32_t i = 0; i < n; ++i) {
      double sum = 0.0;
      for (int32_t j = 0; j < n; ++j) sum += r.oneStep.at(i, j);
      EXPECT_NEAR(sum, 1.0, 1e-15);
      EXPECT_DOUBLE_EQ(r.oneStep.at(i, i), 1.0 - r.rate);
    }
    EXPECT_EQ(r.gStep, r.oneStep);
  }
  EXPECT_EQ(MarkerModel(111), nullptr);
  EXPECT_EQ(MarkerModel(-1), nullptr);
}

TEST(MutationModel, Dys393RowsShareTheRateAsDescribed) {
  const CSTROznaka r = Marker(0);  // DYS 393: 9..18, tails 6 and 77
  const double rate = 0.000954 / kMeanStep;
  EXPECT_DOUBLE_EQ(r.oneStep.at(0, 0), 1 - 0.000954 / 1.058);
  // Repeat 13 (state 5): far states at 3, 4 and 5 repeats on both sides.
  const double d = 0.95 + 0.05 + 6 * 0.0004;
  EXPECT_DOUBLE_EQ(r.oneStep.at(5, 4), rate * 0.95 / d / 2);
  EXPECT_DOUBLE_EQ(r.oneStep.at(5, 6), rate * 0.95 / d / 2);
  EXPECT_DOUBLE_EQ(r.oneStep.at(5, 3), rate * 0.05 / d / 2);
  EXPECT_DOUBLE_EQ(r.oneStep.at(5, 0), rate * 0.0004 / d);  // the low tail counts as repeat 8, 5 away
  EXPECT_DOUBLE_EQ(r.oneStep.at(5, 10), rate * 0.0004 / d);  // repeat 18, 5 away
  EXPECT_EQ(r.oneStep.at(5, 11), 0.0);                       // the high tail counts as 19, 6 away
  // The low tail only steps up: the whole one-step share goes to repeat 9.
  const double dTail = 1.0 + 3 * 0.0004;
  EXPECT_DOUBLE_EQ(r.oneStep.at(0, 1), rate * 0.95 / dTail);
  EXPECT_DOUBLE_EQ(r.oneStep.at(0, 2), rate * 0.05 / dTail);
  EXPECT_DOUBLE_EQ(r.oneStep.at(11, 10), rate * 0.95 / dTail);  // and the high tail only down
}

TEST(MutationModel, StepCountTreatsTailsAsTheCountsNextToTheRange) {
  const CSTROznaka r = Marker(0);
  EXPECT_EQ(StepCount(r, 6, 27), 1);   // low tail to repeat 9
  EXPECT_EQ(StepCount(r, 77, 36), 1);  // high tail to repeat 18
  EXPECT_EQ(StepCount(r, 6, 77), 11);
  EXPECT_EQ(StepCount(r, 31, 29), 2);
}

TEST(MutationModel, SetUpMarkerReportsUnknownAndBadValues) {
  CSTROznaka r;
  int32_t error = 99;
  // Lowest and highest accepted repeats are states; code 0 is an unknown descendant.
  EXPECT_TRUE(SetUpMarker(r, 0, 31, {27, 36, 0}, 0.0, true, true, error));
  EXPECT_EQ(r.ancestorState, 5);
  EXPECT_EQ(r.descendantStates, (std::vector<int32_t>{1, 10, -1}));

  // One below the lowest accepted repeat is no state.
  EXPECT_FALSE(SetUpMarker(r, 0, 31, {31, 26}, 0.0, true, true, error));
  EXPECT_EQ(error, 1);
  EXPECT_FALSE(SetUpMarker(r, 0, 31, {0}, 0.0, false, true, error));
  EXPECT_EQ(error, 0);

  // An ancestor outside the range is unknown, but the record is complete.
  EXPECT_FALSE(SetUpMarker(r, 0, 40, {31}, 0.0, true, true, error));
  EXPECT_EQ(error, -1);
  EXPECT_EQ(r.ancestorState, -1);
  EXPECT_EQ(r.oneStep.side, 12);

  EXPECT_TRUE(SetUpMarker(r, 0, 31, {}, 0.01, true, false, error));
  EXPECT_DOUBLE_EQ(r.rate, 0.01);
  EXPECT_FALSE(SetUpMarker(r, 111, 31, {}, 0.0, true, true, error));
  EXPECT_EQ(error, -2);
}

// P^g by repeated squaring in long double, independent of AdvanceGeneration.
std::vector<long double> PowerBySquaring(const CKvadratnaMatrica& p, int g) {
  const std::size_t n = static_cast<std::size_t>(p.side);
  const auto multiply = [n](const std::vector<long double>& a, const std::vector<long double>& b) {
    std::vector<long double> c(n * n, 0.0L);
    for (std::size_t i = 0; i < n; ++i)
      for (std::size_t k = 0; k < n; ++k)
        for (std::size_t j = 0; j < n; ++j) c[i * n + j] += a[i * n + k] * b[k * n + j];
    return c;
  };
  std::vector<long double> result(n * n, 0.0L), base(p.values.begin(), p.values.end());
  for (std::size_t i = 0; i < n; ++i) result[i * n + i] = 1.0L;
  for (; g > 0; g >>= 1) {
    if (g & 1) result = multiply(result, base);
    base = multiply(base, base);
  }
  return result;
}

TEST(MutationModel, AdvanceGenerationMatchesMatrixPowers) {
  for (const int32_t marker : {0, 20, 67}) {  // DYS 393, DYS 449 (32 states), DYS 710 (fast)
    CSTROznaka r = Marker(marker);
    for (int g = 1; g <= 12; ++g) {
      if (g > 1) AdvanceGeneration(r);
      const std::vector<long double> expected = PowerBySquaring(r.oneStep, g);
      const int32_t n = r.gStep.side;
      for (int32_t i = 0; i < n; ++i) {
        double sum = 0.0;
        for (int32_t j = 0; j < n; ++j) {
          const long double want = expected[static_cast<std::size_t>(i * n + j)];
          ASSERT_NEAR(r.gStep.at(i, j), static_cast<double>(want), 1e-15 + 1e-12 * static_cast<double>(want))
              << marker << " g=" << g << " (" << i << "," << j << ")";
          sum += r.gStep.at(i, j);
        }
        EXPECT_NEAR(sum, 1.0, 1e-13);
      }
    }
    ResetGenerations(r);
    EXPECT_EQ(r.gStep, r.oneStep);
  }
}

TEST(TmrcaWideNumber, KeepsNormalFormAndRangeBeyondDoubles) {
  const CRazlomljenBroj a(250.0);
  EXPECT_DOUBLE_EQ(a.mantissa(), 0.25);
  EXPECT_EQ(a.exponent(), 3);
  EXPECT_EQ(CRazlomljenBroj(0.0).exponent(), 0);
  EXPECT_DOUBLE_EQ(CRazlomljenBroj(-0.03).mantissa(), -0.3);

  CRazlomljenBroj tiny(1.0);
  for (int i = 0; i < 100; ++i) tiny *= CRazlomljenBroj(1e-10);
  EXPECT_EQ(tiny.exponent(), -999);
  EXPECT_NEAR(tiny.mantissa(), 0.1, 1e-12);
  EXPECT_EQ(tiny.ToDouble(), 0.0);
  const CRazlomljenBroj power = Power(CRazlomljenBroj(1e-10), 100);
  EXPECT_EQ(power.exponent(), tiny.exponent());
  EXPECT_NEAR(power.mantissa(), tiny.mantissa(), 1e-13);
  EXPECT_NEAR((tiny / power).ToDouble(), 1.0, 1e-12);

  EXPECT_DOUBLE_EQ((CRazlomljenBroj(0.5) + CRazlomljenBroj(0.25)).ToDouble(), 0.75);
  EXPECT_DOUBLE_EQ((CRazlomljenBroj(0.25) - CRazlomljenBroj(0.5)).ToDouble(), -0.25);
  EXPECT_EQ(tiny + CRazlomljenBroj(1.0), CRazlomljenBroj(1.0));  // far below the last digit
  EXPECT_EQ(CRazlomljenBroj() + tiny, tiny);

  EXPECT_LT(tiny, CRazlomljenBroj(1e-300));
  EXPECT_LT(CRazlomljenBroj(-2.0), CRazlomljenBroj(-1.0));
  EXPECT_LT(CRazlomljenBroj(-1.0), CRazlomljenBroj());
  EXPECT_LT(CRazlomljenBroj(), tiny);
  EXPECT_FALSE(CRazlomljenBroj(0.5) < CRazlomljenBroj(0.5));
  EXPECT_EQ(Power(tiny, 0), CRazlomljenBroj(1.0));
}

}  // namespace
}  // namespace varnik
