// Multi-copy markers in the age computation.  The copies of a marker such as
// DYS385 or DYS464 are reported sorted by value, not by which copy on the
// chromosome carries which value, so the computation cannot tell the copies
// apart: a descendant's copies may pair with the ancestor's copies in any
// order, and every distinct pairing counts.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tmrca/mutation_model.h"

namespace varnik {

inline constexpr int32_t kMaxGroupCopies = 8;

// Records that model one marker: a run of 2 to 8 consecutive records with
// the same marker identity.
struct CopyGroup {
  std::vector<int32_t> records;  // indices into the record list, in order
};

struct CopyGroups {
  std::vector<int32_t> singles;  // records that belong to no run
  std::vector<CopyGroup> groups;
};

// Walks the record list.  Records of a run longer than 8 are neither single
// nor in a group: they take no part.
CopyGroups GroupCopies(const std::vector<CSTROznaka>& records);

// One pairing: ancestor copy j goes with descendant copy copyOf[j].
struct COdregjivanjeSpojevaPreslikavanja {
  std::array<uint8_t, kMaxGroupCopies> copyOf{};
};

// The distinct pairings of a descendant's copies with the ancestor's: all
// permutations of the copy positions, where two permutations that pair the
// same values are listed once (equal values on several copies of the
// ancestor, or of the descendant, make orders indistinguishable).
// `ancestor` and `descendant` hold state indices, one per copy.
std::vector<COdregjivanjeSpojevaPreslikavanja> CopyAssignments(const std::vector<int32_t>& ancestor,
                                                                const std::vector<int32_t>& descendant);

}  // namespace varnik
