// Shared helpers of the haplotype tests.
#pragma once

#include <string>
#include <string_view>

#include "ystr/haplotype_text.h"

namespace varnik::testing {

struct Parsed {
  int result = -1;
  Haplotype haplotype;
  std::string name;
  int32_t markerCount = -1;
  std::size_t position = 0;
};

inline Parsed Parse(std::string_view line, bool commaMode = false, int resultIfEmpty = 0) {
  Parsed p;
  p.result = ParseHaplotypeLine(line, p.position, p.name, p.haplotype, p.markerCount, resultIfEmpty, commaMode);
  return p;
}

inline CVrednostSTRa V(int32_t value, int32_t fraction = 0, int32_t copy = 0) { return {value, fraction, copy}; }
inline constexpr CVrednostSTRa kMissing{};

}  // namespace varnik::testing
