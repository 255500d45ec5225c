#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "common/wide_number.h"
#include "tmrca/marker_model_table.h"
#include "tmrca/mutation_model.h"

namespace varnik {
namespace {

CSTROznaka Marker(int32_t marker) {
  CSTROznaka record;
  int32_t error = 0;
  SetUpMarker(record, marker, 0, {}, 0.0, true, true, error);
  return record;
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
  EXPECT_EQ(MarkerModel(111), nullptr);
}

// The product as defined: per element the non-zero products, sorted, added
// smallest first.
void AdvanceByDefinition(CSTROznaka& r) {
  const int32_t n = r.oneStep.side;
  std::vector<double> next(static_cast<std::size_t>(n * n), 0.0);
  for (int32_t i = 0; i < n; ++i) {
    for (int32_t j = 0; j < n; ++j) {
      std::vector<double> terms;
      for (int32_t k = 0; k < n; ++k) {
        if (r.oneStep.at(i, k) != 0.0 && r.gStep.at(k, j) != 0.0) terms.push_back(r.oneStep.at(i, k) * r.gStep.at(k, j));
      }
      std::sort(terms.begin(), terms.end());
      double sum = 0.0;
      for (const double t : terms) sum += t;
      next[static_cast<std::size_t>(i * n + j)] = sum;
    }
  }
  r.gStep.values = next;
}

TEST(MutationModel, AdvanceGenerationAddsEveryElementsProductsSmallestFirst) {
  // Markers of every kind over 120 generations, bit for bit; also with lent work.
  GenerationWork work;
  for (int32_t marker = 0; marker < 111; marker += 11) {
    CSTROznaka fast = Marker(marker), defined = fast;
    work = {};
    for (int g = 2; g <= 120; ++g) {
      AdvanceGeneration(fast, g % 2 == 0 ? &work : nullptr);
      AdvanceByDefinition(defined);
      ASSERT_EQ(fast.gStep.values, defined.gStep.values) << marker << " g=" << g;
    }
  }
}

TEST(TmrcaWideNumber, KeepsNormalFormAndRangeBeyondDoubles) {
  EXPECT_EQ(CRazlomljenBroj(250.0).exponent(), 3);
  CRazlomljenBroj tiny(1.0);
  for (int i = 0; i < 100; ++i) tiny *= CRazlomljenBroj(1e-10);
  EXPECT_EQ(tiny.exponent(), -999);
  EXPECT_NEAR((tiny / Power(CRazlomljenBroj(1e-10), 100)).ToDouble(), 1.0, 1e-12);
  EXPECT_DOUBLE_EQ((CRazlomljenBroj(0.25) - CRazlomljenBroj(0.5)).ToDouble(), -0.25);
  EXPECT_EQ(tiny + CRazlomljenBroj(1.0), CRazlomljenBroj(1.0));  // far below the last digit
  EXPECT_LT(tiny, CRazlomljenBroj(1e-300));
}

}  // namespace
}  // namespace varnik
