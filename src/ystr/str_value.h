// One typed Y-STR value and the haplotype, a sequence of them.
#pragma once

#include <cstdint>
#include <vector>

namespace varnik {

struct CVrednostSTRa {
  int32_t value = -1;    // repeat count; -1 when missing
  int32_t fraction = 0;  // fractional part as typed: 2 for ".2", 25 for ".25"; 0 for none
  int32_t copy = 0;      // 0 starts an FTDNA column; 1, 2, ... are further copies of it
  friend bool operator==(const CVrednostSTRa&, const CVrednostSTRa&) = default;
};

// Entries in FTDNA column order: the n-th entry with copy 0 is column n, and
// entries with a higher copy index belong to the column before them.  Column
// 10 holds DYS389II minus DYS389I once the line has been through Convert389.
using Haplotype = std::vector<CVrednostSTRa>;

// Index of the entry that starts `column`, or -1 when the haplotype is shorter.
int32_t FindColumn(const Haplotype& haplotype, int32_t column);

// Number of columns (entries with copy 0).
int32_t ColumnCount(const Haplotype& haplotype);

}  // namespace varnik
