#include "predictor/predictor_model.h"

namespace varnik {

MarkerSetMaskBits MarkerSetMask(int32_t set) {
  MarkerSetMaskBits mask{};
  auto range = [&mask](int32_t first, int32_t last) {
    for (int32_t c = first; c <= last; ++c) mask[c] = true;
  };
  auto list = [&mask](std::initializer_list<int32_t> columns) {
    for (int32_t c : columns) mask[c] = true;
  };
  switch (set) {
    case kSetColumns29To101: range(29, 101); break;
    case kSet12Markers: range(0, 10); break;
    case kSet25Markers: range(0, 19); break;
    case kSet37Markers: range(0, 29); break;
    case kSet67Markers: range(0, 57); break;
    case kSet111Markers: range(0, 101); break;
    case kSet23Kit: list({25, 26, 48, 68, 72, 96}); [[fallthrough]];
    case kSet17Kit: list({0, 1, 2, 3, 4, 7, 8, 9, 10, 11, 16, 17, 21, 23, 29, 94}); break;
    case kSetFirstTwelvePlus: range(0, 10); list({15, 16, 21, 22, 29}); break;
    default: break;
  }
  return mask;
}

int32_t CHistogramUklapanja::CountAt(int64_t x) const {
  const int64_t i = x - start;
  if (i < 0 || i >= static_cast<int64_t>(counts.size())) return 0;
  return counts[static_cast<std::size_t>(i)];
}

int32_t CHistogramUklapanja::SmoothedCount(int64_t x) const {
  const int64_t n = static_cast<int64_t>(counts.size());
  const int64_t i = x - start;
  if (i < 0 || i >= n) return 0;
  if (counts[i] != 0) return counts[i];
  auto half = [](int32_t count) { return count / 2 > 1 ? count / 2 : 1; };
  auto searchDown = [&]() -> int32_t {
    for (int64_t j = i - 1; j >= 0; --j)
      if (counts[j] != 0) return half(counts[j]);
    return 0;
  };
  auto searchUp = [&]() -> int32_t {
    for (int64_t j = i + 1; j < n; ++j)
      if (counts[j] != 0) return half(counts[j]);
    return 0;
  };
  const bool lowerIsNearer = i <= n - 1 - i;
  const int32_t first = lowerIsNearer ? searchDown() : searchUp();
  if (first != 0) return first;
  return lowerIsNearer ? searchUp() : searchDown();
}

void CHistogramUklapanja::Recount() {
  total = 0;
  for (int32_t c : counts) total += c;
}

bool IsSnpAncestor(const CPredvigjacMuskihLoz2& model, int32_t from, int32_t ancestor) {
  const int64_t size = static_cast<int64_t>(model.snpTree.size());
  int32_t node = from;
  for (int64_t steps = 0; steps <= size && node >= 0 && node < size; ++steps) {
    if (node == ancestor) return true;
    node = model.snpTree[node].parent;
  }
  return false;
}

const std::string& BranchName(const COgranakLoze2& branch, int32_t language) {
  static const std::string kEmpty;
  if (branch.names.empty()) return kEmpty;
  const std::size_t i = language < 0 ? 0 : static_cast<std::size_t>(language);
  return i < branch.names.size() ? branch.names[i] : branch.names.back();
}

}  // namespace varnik
