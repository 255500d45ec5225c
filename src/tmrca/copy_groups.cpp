#include "tmrca/copy_groups.h"

#include <algorithm>
#include <numeric>
#include <set>
#include <utility>

namespace varnik {

CopyGroups GroupCopies(const std::vector<CSTROznaka>& records) {
  CopyGroups out;
  const int32_t n = static_cast<int32_t>(records.size());
  int32_t start = 0;
  while (start < n) {
    int32_t end = start + 1;
    while (end < n && records[end].marker == records[start].marker) ++end;
    const int32_t length = end - start;
    if (length == 1) {
      out.singles.push_back(start);
    } else if (length <= kMaxGroupCopies) {
      CopyGroup group;
      for (int32_t r = start; r < end; ++r) group.records.push_back(r);
      out.groups.push_back(std::move(group));
    }
    start = end;
  }
  return out;
}

std::vector<COdregjivanjeSpojevaPreslikavanja> CopyAssignments(const std::vector<int32_t>& ancestor,
                                                                const std::vector<int32_t>& descendant) {
  std::vector<COdregjivanjeSpojevaPreslikavanja> out;
  const std::size_t k = ancestor.size();
  if (k == 0 || k != descendant.size() || k > static_cast<std::size_t>(kMaxGroupCopies)) return out;
  std::array<uint8_t, kMaxGroupCopies> permutation{};
  std::iota(permutation.begin(), permutation.begin() + static_cast<std::ptrdiff_t>(k), uint8_t{0});
  std::set<std::vector<std::pair<int32_t, int32_t>>> seen;
  do {
    // The pairing as a sorted list of (ancestor value, descendant value).
    std::vector<std::pair<int32_t, int32_t>> pairs(k);
    for (std::size_t j = 0; j < k; ++j) pairs[j] = {ancestor[j], descendant[permutation[j]]};
    std::sort(pairs.begin(), pairs.end());
    if (!seen.insert(std::move(pairs)).second) continue;
    COdregjivanjeSpojevaPreslikavanja assignment;
    assignment.copyOf = permutation;
    out.push_back(assignment);
  } while (std::next_permutation(permutation.begin(), permutation.begin() + static_cast<std::ptrdiff_t>(k)));
  return out;
}

}  // namespace varnik
