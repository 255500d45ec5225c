// Reading the age estimator's input: the descendants' haplotypes (one a
// line) and the ancestral haplotype, checked and prepared column by column;
// and completing the ancestral haplotype from the descendants.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ystr/str_value.h"

namespace varnik {

// Most descendants one computation takes.
inline constexpr int32_t kMaxTmrcaDescendants = 500;
// Longest descendants text the dialog's box takes, in UTF-16 code units.
inline constexpr std::size_t kMaxTmrcaDescendantsText = 2097152;

// Input orders of the estimator: 0 FTDNA order, 1..4 FTDNA order limited to
// the first 12, 25, 37 or 67 markers, 5..9 the 17- and 23-marker panels.
inline constexpr int32_t kTmrcaOrderCount = 10;

// One haplotype prepared for the computation.
struct CPodaciHaplovrsteZaProracunStarosti {
  Haplotype values;                  // FTDNA column order
  std::vector<int32_t> columnStarts; // index in values of each column's first copy
  std::vector<int32_t> copyCounts;   // usable copies per column; 0 when the column has no value of 1 or more
  std::vector<int32_t> unused;       // kept for the record layout; empty here
  int32_t lineNumber = 0;            // a descendant's number in the input (from 1); 0 for the ancestor
  friend bool operator==(const CPodaciHaplovrsteZaProracunStarosti&,
                         const CPodaciHaplovrsteZaProracunStarosti&) = default;

  int32_t columnCount() const { return static_cast<int32_t>(columnStarts.size()); }
  // Copy count of `column`, 0 beyond the last column.
  int32_t CopiesOf(int32_t column) const;
  // Repeat count of copy `copy` of `column`; -1 when there is none.
  int32_t ValueOf(int32_t column, int32_t copy) const;
};

// Entry 0 is the ancestral haplotype (possibly empty), entries 1..D the
// descendants in input order.
using TmrcaHaplotypes = std::vector<CPodaciHaplovrsteZaProracunStarosti>;

// The typed input, as the dialog holds it.
struct TmrcaInputText {
  std::string descendants;  // one haplotype a line
  std::string ancestor;     // one line, may be empty
  int32_t order = 0;        // 0..9, see kTmrcaOrderCount
  int32_t minimumMarkers = 0;  // descendants with fewer values are dropped; 0 = no limit
};

// Reads and checks the input: every line, whatever its length.  The values
// of each multi-copy column are put in ascending order.  On failure `error`
// holds the message the dialog shows, in `language` (-1: the interface
// language).
bool ReadTmrcaInput(const TmrcaInputText& input, TmrcaHaplotypes& haplotypes, std::vector<std::string>& lineNames,
                    std::string& error, int32_t language = -1);

// Column bookkeeping of a haplotype: copies below 1 are removed inside each
// column (an emptied column keeps one entry, 0 if a 0 was removed, else
// missing), copy indices are renumbered, starts and counts are built, and
// trailing columns without a usable copy are dropped.
CPodaciHaplovrsteZaProracunStarosti PrepareHaplotype(const Haplotype& typed);

// Builds the ancestral haplotype anew for the descendants' columns: a
// column the old ancestor gives is kept, others are filled with the most
// frequent descendant value (or missing when unknown ancestral values are
// allowed).  True when entry 0 changed.
bool CompleteAncestor(TmrcaHaplotypes& haplotypes, bool allowUnknown);

// The value taken for an ancestral copy: the smallest of the repeat counts
// that share the highest frequency when there is such a tie; otherwise the
// rounded mean of all counted values.  Values below 0 are not counted; -1
// when nothing is counted.
int32_t MostFrequentValue(const std::vector<int32_t>& repeatCounts);

// The ancestral haplotype as text, in the typed order (panels for orders
// 5..9), as the dialog writes it back into the ancestor box.
std::string FormatAncestor(const CPodaciHaplovrsteZaProracunStarosti& ancestor, int32_t order);

}  // namespace varnik
