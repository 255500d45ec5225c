// Per-marker parameters of the STR mutation model: the mutation rate per
// generation and the accepted repeat counts of every marker identity
// (EOznaka), with the codes of the two tail states.
//
// A state code is a repeat count plus 18; 0 means unknown.  The two tail
// states stand for "one below the lowest accepted count or less" and "one
// above the highest or more"; their codes lie below 22 and above 68, so they
// never equal the code of an accepted repeat count.
#pragma once

#include <cstdint>

namespace varnik {

inline constexpr int32_t kStateCodeOffset = 18;  // code = repeat count + 18
inline constexpr int32_t kUnknownCode = 0;

struct MarkerModelRow {
  double rate;          // mutations per generation, before division by the mean step
  int32_t lowest;       // lowest accepted repeat count
  int32_t highest;      // highest accepted repeat count
  int32_t lowTailCode;
  int32_t highTailCode;
};

// The row of a marker identity 0..110; nullptr for any other value.
const MarkerModelRow* MarkerModel(int32_t marker);

}  // namespace varnik
