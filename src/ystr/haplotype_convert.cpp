#include "ystr/haplotype_convert.h"

#include <algorithm>

#include "ystr/markers.h"
#include "ystr/panels.h"

namespace varnik {
namespace {

// Index of copy `copy` of `column`, or -1.
int32_t FindCopy(const Haplotype& haplotype, int32_t column, int32_t copy) {
  const int32_t start = FindColumn(haplotype, column);
  if (start < 0) return -1;
  for (std::size_t i = static_cast<std::size_t>(start); i < haplotype.size(); ++i) {
    if (i > static_cast<std::size_t>(start) && haplotype[i].copy == 0) break;
    if (haplotype[i].copy == copy) return static_cast<int32_t>(i);
  }
  return -1;
}

}  // namespace

bool Convert389(Haplotype& haplotype, bool addThirteen, bool toSumForm) {
  const int32_t second = FindColumn(haplotype, kColumnDys389ii);
  if (second < 0 || haplotype[second].value < 1) return true;
  const int32_t first = FindColumn(haplotype, kColumnDys389i);
  const int32_t dys389i = haplotype[first].value;
  int32_t& dys389ii = haplotype[second].value;
  if (dys389i < 1) return false;
  if (toSumForm) {
    // Column 10 holds a difference here, which may well be below DYS389I.
    dys389ii += dys389i;
    return true;
  }
  if (dys389ii < dys389i) return false;
  dys389ii -= dys389i;
  if (addThirteen) dys389ii += 13;
  return true;
}

int PanelToFtdna(Haplotype& haplotype, int32_t panel, bool dropFractions) {
  const auto entries = Panel(panel);
  if (entries.empty() || haplotype.size() != entries.size()) return 1;
  int32_t lastColumn = 0;
  for (const PanelEntry& entry : entries) lastColumn = std::max(lastColumn, entry.column);

  Haplotype out;
  out.reserve(static_cast<std::size_t>(lastColumn) + 2);
  for (int32_t column = 0; column <= lastColumn; ++column) {
    const std::size_t start = out.size();
    out.push_back(CVrednostSTRa{});
    // Panel items of this column in typing order: copy 0 first, then DYS385b.
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].column != column) continue;
      CVrednostSTRa value = haplotype[i];
      value.copy = entries[i].copy;
      if (entries[i].copy == 0) {
        out[start] = value;
      } else if (value.value >= 1) {
        out.push_back(value);
      }
    }
  }
  if (dropFractions) {
    for (CVrednostSTRa& value : out) value.fraction = 0;
  }
  const int32_t gata = FindColumn(out, kColumnGataH4);
  if (gata >= 0 && out[gata].value >= 1) --out[gata].value;
  haplotype = std::move(out);
  return 0;
}

Haplotype FtdnaToPanel(const Haplotype& haplotype, int32_t panel, bool dropFractions) {
  Haplotype out;
  if (panel == kPanel19Ftdna) return out;
  for (const PanelEntry& entry : Panel(panel)) {
    const int32_t at = FindCopy(haplotype, entry.column, entry.copy);
    CVrednostSTRa value = at >= 0 ? haplotype[at] : CVrednostSTRa{};
    if (entry.column == kColumnGataH4 && value.value >= 1) ++value.value;
    if (dropFractions) value.fraction = 0;
    value.copy = 0;
    out.push_back(value);
  }
  return out;
}

}  // namespace varnik
