#include "tmrca/mutation_model.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "tmrca/marker_model_table.h"

namespace varnik {
namespace {

// Sorts a handful of values ascending; the product lists of AdvanceGeneration
// have at most a dozen entries, where insertion sort beats std::sort.
void SortSmall(double* values, int count) {
  for (int i = 1; i < count; ++i) {
    const double v = values[i];
    int j = i - 1;
    while (j >= 0 && values[j] > v) {
      values[j + 1] = values[j];
      --j;
    }
    values[j + 1] = v;
  }
}

// Sorting networks for the product lists of AdvanceGeneration: the same
// ascending order as a sort, found without a branch on the values.  The
// comparators of Batcher's odd-even merge sort on 16 wires; a network for
// fewer wires keeps those between its wires, the missing ones acting as
// values larger than any.
struct Comparator {
  uint8_t low, high;
};
struct Network {
  std::array<Comparator, 63> comparators{};
  int count = 0;
};

constexpr int kNetworkWires = 16;

constexpr Network BuildNetwork(int wires) {
  Network net;
  for (int p = 1; p < kNetworkWires; p += p) {
    for (int k = p; k > 0; k /= 2) {
      for (int j = k % p; j + k < kNetworkWires; j += k + k) {
        for (int i = 0; i < k && i < kNetworkWires - j - k; ++i) {
          const int a = i + j, b = i + j + k;
          if (a / (p + p) == b / (p + p) && b < wires) {
            net.comparators[static_cast<std::size_t>(net.count++)] = {static_cast<uint8_t>(a), static_cast<uint8_t>(b)};
          }
        }
      }
    }
  }
  return net;
}

template <int C>
inline void SortByNetwork(double* t) {
  static constexpr Network kNet = BuildNetwork(C);
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC unroll 64
#endif
  for (int m = 0; m < kNet.count; ++m) {
    double& x = t[kNet.comparators[static_cast<std::size_t>(m)].low];
    double& y = t[kNet.comparators[static_cast<std::size_t>(m)].high];
    // Two separate selections, which compile to a minimum and a maximum
    // instruction instead of a branch.
    const double a = x, b = y;
    const double low = b < a ? b : a;
    const double high = a < b ? b : a;
    x = low;
    y = high;
  }
}

// One row of one-step x g-step, for a row of C non-zero one-step entries
// (columns `k`, values `w`).  Products with a zero g-step entry stand in the
// list as zeros: they sort first and add nothing, so every sum is the one
// of the non-zero products added smallest first.
template <int C>
void AdvanceRow(const int32_t* k, const double* w, const CKvadratnaMatrica& current, double* out) {
  const int32_t n = current.side;
  const double* rows[C];
  for (int m = 0; m < C; ++m) rows[m] = current.values.data() + current.rowOffsets[static_cast<std::size_t>(k[m])];
  for (int32_t j = 0; j < n; ++j) {
    double t[C];
    for (int m = 0; m < C; ++m) t[m] = w[m] * rows[m][j];
    SortByNetwork<C>(t);
    double sum = 0.0;
    for (int m = 0; m < C; ++m) sum += t[m];
    out[j] = sum;
  }
}

template <int... C>
bool AdvanceRowFor(int count, const int32_t* k, const double* w, const CKvadratnaMatrica& current, double* out,
                   std::integer_sequence<int, C...>) {
  return ((count == C + 1 ? (AdvanceRow<C + 1>(k, w, current, out), true) : false) || ...);
}

// False, with nothing written, for rows of more entries than the networks
// have wires; those are sorted the general way.
bool AdvanceRowWithNetwork(int count, const int32_t* k, const double* w, const CKvadratnaMatrica& current,
                           double* out) {
  return AdvanceRowFor(count, k, w, current, out, std::make_integer_sequence<int, kNetworkWires>());
}

}  // namespace

void CKvadratnaMatrica::Create(int32_t n) {
  side = n < 0 ? 0 : n;
  rowOffsets.resize(static_cast<std::size_t>(side));
  for (int32_t i = 0; i < side; ++i) rowOffsets[static_cast<std::size_t>(i)] = i * side;
  values.assign(static_cast<std::size_t>(side) * static_cast<std::size_t>(side), 0.0);
}

int32_t StateOfCode(const CSTROznaka& record, int32_t code) {
  const auto it = std::find(record.states.begin(), record.states.end(), code);
  return it == record.states.end() ? -1 : static_cast<int32_t>(it - record.states.begin());
}

int32_t StepCount(const CSTROznaka& record, int32_t codeA, int32_t codeB) {
  const std::size_t n = record.states.size();
  const auto inner = [&](int32_t code) {
    if (n >= 3) {
      if (code == record.states.front()) return record.states[1] - 1;
      if (code == record.states.back()) return record.states[n - 2] + 1;
    }
    return code;
  };
  const int32_t difference = inner(codeA) - inner(codeB);
  return difference < 0 ? -difference : difference;
}

bool SetUpMarker(CSTROznaka& record, int32_t marker, int32_t ancestorCode, const std::vector<int32_t>& descendantCodes,
                 double rateOverride, bool acceptUnknownDescendants, bool divideByMeanStep, int32_t& errorIndex) {
  record.ancestorCode = ancestorCode;
  record.descendantCodes = descendantCodes;
  record.states.clear();
  const MarkerModelRow* row = MarkerModel(marker);
  if (row == nullptr) {
    errorIndex = -2;
    return false;
  }
  record.marker = marker;
  record.rate = rateOverride != 0.0 ? rateOverride : row->rate;
  record.states.push_back(row->lowTailCode);
  for (int32_t count = row->lowest; count <= row->highest; ++count) record.states.push_back(count + kStateCodeOffset);
  record.states.push_back(row->highTailCode);
  if (divideByMeanStep) {
    // The table counts repeat changes; a mutation moves 1 repeat, 2 repeats,
    // or (rarely) up to 5, taken here as four far states of 5 repeats.
    record.rate /= record.oneStepShare * 1 + record.twoStepShare * 2 + record.farStepWeight * 4 * 5;
  }

  record.ancestorState = StateOfCode(record, ancestorCode);
  record.descendantStates.assign(descendantCodes.size(), -1);
  for (std::size_t d = 0; d < descendantCodes.size(); ++d) {
    record.descendantStates[d] = StateOfCode(record, descendantCodes[d]);
  }

  bool ok = true;
  errorIndex = 0;
  if (record.ancestorState < 0) {
    errorIndex = -1;
    ok = false;
  }
  for (std::size_t d = 0; d < descendantCodes.size(); ++d) {
    if (record.descendantStates[d] >= 0) continue;
    if (!acceptUnknownDescendants || descendantCodes[d] != kUnknownCode) {
      errorIndex = static_cast<int32_t>(d);
      return false;
    }
  }
  BuildOneStepMatrix(record);
  ResetGenerations(record);
  return ok;
}

void BuildOneStepMatrix(CSTROznaka& record) {
  const int32_t n = static_cast<int32_t>(record.states.size());
  record.oneStep.Create(n);
  std::vector<int32_t> one, two, far;
  for (int32_t i = 0; i < n; ++i) {
    one.clear();
    two.clear();
    far.clear();
    for (int32_t j = 0; j < n; ++j) {
      const int32_t k = StepCount(record, record.states[i], record.states[j]);
      if (k == 1) {
        one.push_back(j);
      } else if (k == 2) {
        two.push_back(j);
      } else if (k >= 3 && k <= 5) {
        far.push_back(j);
      }
    }
    const double divisor =
        record.oneStepShare + record.twoStepShare + static_cast<double>(far.size()) * record.farStepWeight;
    record.oneStep.at(i, i) = 1.0 - record.rate;
    for (const int32_t j : one) {
      record.oneStep.at(i, j) = record.rate * record.oneStepShare / divisor / static_cast<double>(one.size());
    }
    for (const int32_t j : two) {
      record.oneStep.at(i, j) = record.rate * record.twoStepShare / divisor / static_cast<double>(two.size());
    }
    for (const int32_t j : far) record.oneStep.at(i, j) = record.rate * record.farStepWeight / divisor;
  }
}

void ResetGenerations(CSTROznaka& record) { record.gStep = record.oneStep; }

void AdvanceGeneration(CSTROznaka& record, GenerationWork* work) {
  const CKvadratnaMatrica& one = record.oneStep;
  const CKvadratnaMatrica& current = record.gStep;
  const int32_t n = one.side;
  if (current.side != n) return;  // a record whose matrices do not match is left alone
  GenerationWork own;
  GenerationWork& w = work != nullptr ? *work : own;
  if (w.rowStart.size() != static_cast<std::size_t>(n) + 1) {
    // The one-step matrix is banded: only a few k of each row contribute.
    w.rowStart.assign(1, 0);
    w.column.clear();
    w.weight.clear();
    for (int32_t i = 0; i < n; ++i) {
      for (int32_t k = 0; k < n; ++k) {
        if (one.at(i, k) != 0.0) {
          w.column.push_back(k);
          w.weight.push_back(one.at(i, k));
        }
      }
      w.rowStart.push_back(static_cast<int32_t>(w.column.size()));
    }
  }
  // Every element is written below.
  w.buffer.resize(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
  std::vector<double> terms;
  for (int32_t i = 0; i < n; ++i) {
    const int count = w.rowStart[static_cast<std::size_t>(i) + 1] - w.rowStart[static_cast<std::size_t>(i)];
    const int32_t* k = w.column.data() + w.rowStart[static_cast<std::size_t>(i)];
    const double* weight = w.weight.data() + w.rowStart[static_cast<std::size_t>(i)];
    double* row = w.buffer.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(n);
    if (AdvanceRowWithNetwork(count, k, weight, current, row)) continue;
    terms.resize(static_cast<std::size_t>(count));
    for (int32_t j = 0; j < n; ++j) {
      int used = 0;
      for (int m = 0; m < count; ++m) {
        const double g = current.at(k[m], j);
        if (g != 0.0) terms[static_cast<std::size_t>(used++)] = weight[m] * g;
      }
      if (used > 16) {
        std::sort(terms.begin(), terms.begin() + used);
      } else {
        SortSmall(terms.data(), used);
      }
      double sum = 0.0;
      for (int t = 0; t < used; ++t) sum += terms[static_cast<std::size_t>(t)];
      row[j] = sum;
    }
  }
  // The old values become the buffer of the next call.
  record.gStep.values.swap(w.buffer);
}

}  // namespace varnik
