// The catalogue of Y-STR markers: marker identities, FTDNA columns, display
// names and column headers.
//
// A marker identity (EOznaka) names one copy of one marker.  Identities run
// through the FTDNA column order; a multi-copy marker (DYS385, DYS459, DYS464,
// YCAII, CDY, DYF395S1, DYS413) takes one identity per copy, copies a, b, c, d
// in order.  An FTDNA column counts a multi-copy marker once, so the 102
// columns map onto 111 identities.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnik {

enum EOznaka : int32_t {
  kDys393, kDys390, kDys19, kDys391, kDys385a, kDys385b, kDys426, kDys388, kDys439, kDys389i,
  kDys392, kDys389ii, kDys458, kDys459a, kDys459b, kDys455, kDys454, kDys447, kDys437, kDys448,
  kDys449, kDys464a, kDys464b, kDys464c, kDys464d, kDys460, kGataH4, kYcaIIa, kYcaIIb, kDys456,
  kDys607, kDys576, kDys570, kCdyA, kCdyB, kDys442, kDys438, kDys531, kDys578, kDyf395a,
  kDyf395b, kDys590, kDys537, kDys641, kDys472, kDys406, kDys511, kDys425, kDys413a, kDys413b,
  kDys557, kDys594, kDys436, kDys490, kDys534, kDys450, kDys444, kDys481, kDys520, kDys446,
  kDys617, kDys568, kDys487, kDys572, kDys640, kDys492, kDys565, kDys710, kDys485, kDys632,
  kDys495, kDys540, kDys714, kDys716, kDys717, kDys505, kDys556, kDys549, kDys589, kDys522,
  kDys494, kDys533, kDys636, kDys575, kDys638, kDys462, kDys452, kDys445, kGataA10, kDys463,
  kDys441, kGgaat1b07, kDys525, kDys712, kDys593, kDys650, kDys532, kDys715, kDys504, kDys513,
  kDys561, kDys552, kDys726, kDys635, kDys587, kDys643, kDys497, kDys510, kDys434, kDys461,
  kDys435,
  kOznakaCount  // 111: this and every higher value names no marker
};
static_assert(kDys435 == 110);

inline constexpr int32_t kFtdnaColumnCount = 102;

// FTDNA columns that the haplotype code treats specially.
inline constexpr int32_t kColumnDys385 = 4;
inline constexpr int32_t kColumnDys389i = 8;
// Held as DYS389II minus DYS389I ("389ii-i").
inline constexpr int32_t kColumnDys389ii = 10;
inline constexpr int32_t kColumnGataH4 = 21;

// Number of copies of an FTDNA column: 1, 2 or 4; 0 outside 0..101.
constexpr int32_t CopiesInColumn(int32_t column) {
  switch (column) {
    case 4: case 12: case 22: case 27: case 32: case 40:  // DYS385 DYS459 YCAII CDY DYF395S1 DYS413
      return 2;
    case 19:  // DYS464
      return 4;
    default:
      return column >= 0 && column < kFtdnaColumnCount ? 1 : 0;
  }
}

namespace detail {
// kFirstIdentity[c]: identity of copy 0 of column c; the last entry is the
// number of identities.
constexpr auto BuildFirstIdentities() {
  std::array<int32_t, kFtdnaColumnCount + 1> first{};
  for (int32_t c = 0; c < kFtdnaColumnCount; ++c) first[c + 1] = first[c] + CopiesInColumn(c);
  return first;
}
inline constexpr auto kFirstIdentity = BuildFirstIdentities();
static_assert(kFirstIdentity[kFtdnaColumnCount] == kOznakaCount);
}  // namespace detail

// The identity of copy `copy` of FTDNA column `column`: the number of copies
// in all columns before it plus `copy`.  -1 when the column is outside 0..101
// or has no such copy.
constexpr int32_t MarkerIdentity(int32_t column, int32_t copy) {
  if (copy < 0 || copy >= CopiesInColumn(column)) return -1;
  return detail::kFirstIdentity[column] + copy;
}

// The inverse of MarkerIdentity; false (outputs untouched) for an id outside
// 0..110.
constexpr bool MarkerColumnAndCopy(int32_t id, int32_t& column, int32_t& copy) {
  if (id < 0 || id >= kOznakaCount) return false;
  int32_t c = 0;
  while (detail::kFirstIdentity[c + 1] <= id) ++c;
  column = c;
  copy = id - detail::kFirstIdentity[c];
  return true;
}

// Display name of a marker copy: the Latin form ("DYS 385a") in English, the
// Cyrillic form ("ДЫС 385а") in Serbian and Russian.  language -1 means
// g_language.  Empty for an id outside 0..110.
std::string MarkerDisplayName(int32_t id, int32_t language = -1);

// Table header of an FTDNA column, long ("DYS389ii-i") or short ("389ii-i");
// empty outside 0..101.
std::string_view ColumnHeader(int32_t column, bool longForm);

// The headers of all 102 columns in column order.
std::vector<std::string> ColumnHeaders(bool longForm);

}  // namespace varnik
