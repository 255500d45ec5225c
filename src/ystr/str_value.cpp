#include "ystr/str_value.h"

namespace varnik {

int32_t FindColumn(const Haplotype& haplotype, int32_t column) {
  if (column < 0) return -1;
  int32_t seen = 0;
  for (std::size_t i = 0; i < haplotype.size(); ++i) {
    if (haplotype[i].copy != 0) continue;
    if (seen == column) return static_cast<int32_t>(i);
    ++seen;
  }
  return -1;
}

int32_t ColumnCount(const Haplotype& haplotype) {
  int32_t count = 0;
  for (const CVrednostSTRa& entry : haplotype) count += entry.copy == 0 ? 1 : 0;
  return count;
}

}  // namespace varnik
