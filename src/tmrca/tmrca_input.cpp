#include "tmrca/tmrca_input.h"

#include <algorithm>
#include <map>

#include "common/format.h"
#include "texts/text_table.h"
#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"
#include "ystr/markers.h"
#include "ystr/panels.h"

namespace varnik {
namespace {

// Panel of input orders 5..9; -1 for the FTDNA orders.
int32_t PanelOfTmrcaOrder(int32_t order) {
  constexpr int32_t kPanels[] = {kPanel17Kit, kPanel17Ascending, kPanel17Ftdna, kPanel23Kit, kPanel23Ftdna};
  return order >= 5 && order <= 9 ? kPanels[order - 5] : -1;
}

// The copies of a marker cannot be told apart, so each multi-copy column is
// held with its values in ascending order: the typing order then changes
// neither the pairings nor the most frequent value of each copy.
void SortCopies(CPodaciHaplovrsteZaProracunStarosti& haplotype) {
  for (int32_t c = 0; c < haplotype.columnCount(); ++c) {
    const int32_t copies = haplotype.copyCounts[static_cast<std::size_t>(c)];
    if (copies < 2) continue;
    const auto first = haplotype.values.begin() + haplotype.columnStarts[static_cast<std::size_t>(c)];
    std::stable_sort(first, first + copies, [](const CVrednostSTRa& a, const CVrednostSTRa& b) {
      return a.value != b.value ? a.value < b.value : a.fraction < b.fraction;
    });
    for (int32_t k = 0; k < copies; ++k) first[k].copy = k;
  }
}

// Number of entries whose repeat count is 0 or more.
int32_t KnownValues(const CPodaciHaplovrsteZaProracunStarosti& haplotype) {
  return static_cast<int32_t>(std::count_if(haplotype.values.begin(), haplotype.values.end(),
                                            [](const CVrednostSTRa& v) { return v.value >= 0; }));
}

}  // namespace

int32_t CPodaciHaplovrsteZaProracunStarosti::CopiesOf(int32_t column) const {
  return column >= 0 && column < columnCount() ? copyCounts[column] : 0;
}

int32_t CPodaciHaplovrsteZaProracunStarosti::ValueOf(int32_t column, int32_t copy) const {
  if (column < 0 || column >= columnCount() || copy < 0) return -1;
  const std::size_t at = static_cast<std::size_t>(columnStarts[column]) + static_cast<std::size_t>(copy);
  const std::size_t end = column + 1 < columnCount() ? static_cast<std::size_t>(columnStarts[column + 1]) : values.size();
  return at < end ? values[at].value : -1;
}

CPodaciHaplovrsteZaProracunStarosti PrepareHaplotype(const Haplotype& typed) {
  CPodaciHaplovrsteZaProracunStarosti out;
  std::size_t i = 0;
  while (i < typed.size()) {
    // One column: its first entry and the joined copies after it.
    std::size_t end = i + 1;
    while (end < typed.size() && typed[end].copy != 0) ++end;
    const int32_t start = static_cast<int32_t>(out.values.size());
    bool removedZero = false;
    int32_t copy = 0;
    for (std::size_t k = i; k < end; ++k) {
      if (typed[k].value < 1) {
        removedZero = removedZero || typed[k].value == 0;
        continue;
      }
      CVrednostSTRa entry = typed[k];
      entry.copy = copy++;
      out.values.push_back(entry);
    }
    if (copy == 0) out.values.push_back(CVrednostSTRa{removedZero ? 0 : -1, 0, 0});
    out.columnStarts.push_back(start);
    out.copyCounts.push_back(out.values[static_cast<std::size_t>(start)].value < 1 ? 0 : copy);
    i = end;
  }
  while (!out.copyCounts.empty() && out.copyCounts.back() == 0) {
    out.values.resize(static_cast<std::size_t>(out.columnStarts.back()));
    out.columnStarts.pop_back();
    out.copyCounts.pop_back();
  }
  return out;
}

bool ReadTmrcaInput(const TmrcaInputText& input, TmrcaHaplotypes& haplotypes, std::vector<std::string>& lineNames,
                    std::string& error, int32_t language) {
  haplotypes.clear();
  lineNames.clear();
  error.clear();
  // Whole lines only: a text box limits what can be typed, and a file is
  // read whole or refused by its reader.
  std::vector<std::string> lines = SplitInputLines(input.descendants);
  lines.insert(lines.begin(), input.ancestor);
  const int32_t panel = PanelOfTmrcaOrder(input.order);

  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int32_t number = static_cast<int32_t>(i);
    std::size_t position = 0;
    std::string name;
    Haplotype typed;
    int32_t markerCount = 0;
    if (ParseHaplotypeLine(lines[i], position, name, typed, markerCount, i == 0 ? 1 : 0, false) == 0) {
      error = i == 0 ? Format("%s: %s.", TextById(kTextAncestorHaplotype, language).c_str(),
                              TextById(kTextErrorInData, language).c_str())
                     : Format("%s %d: %s.", TextById(kTextDescendantHaplotype, language).c_str(), number,
                              TextById(kTextErrorInData, language).c_str());
      return false;
    }
    lineNames.push_back(name);
    // A panel line is rewritten in FTDNA order; an ancestor of another length
    // stays as typed.  Column 10 keeps DYS389II as typed.
    if (panel >= 0 && PanelToFtdna(typed, panel, true) != 0 && i != 0) {
      error = TextById(kTextBadInputData, language);
      return false;
    }
    CPodaciHaplovrsteZaProracunStarosti prepared = PrepareHaplotype(typed);
    if (prepared.columnCount() > kFtdnaColumnCount) {
      error = i == 0 ? Format("%s: %s", TextById(kTextAncestorHaplotype, language).c_str(),
                              TextById(kTextErrorTooMuchData, language).c_str())
                     : Format("%s %d: %s", TextById(kTextDescendantHaplotype, language).c_str(), number,
                              TextById(kTextErrorTooMuchData, language).c_str());
      return false;
    }
    SortCopies(prepared);
    prepared.lineNumber = number;
    haplotypes.push_back(std::move(prepared));
  }

  // Every haplotype that has a column must give it the same number of copies.
  int32_t columns = 0;
  for (const auto& h : haplotypes) columns = std::max(columns, h.columnCount());
  for (int32_t c = 0; c < columns; ++c) {
    int32_t first = -1;
    for (std::size_t h = 0; h < haplotypes.size(); ++h) {
      const int32_t count = haplotypes[h].CopiesOf(c);
      if (count == 0) continue;
      if (first < 0) {
        first = static_cast<int32_t>(h);
      } else if (count != haplotypes[static_cast<std::size_t>(first)].CopiesOf(c)) {
        const std::string message =
            first > 0 ? Format(TextById(kTextErrorDescendantsMismatch, language).c_str(), first, static_cast<int32_t>(h))
                      : Format(TextById(kTextErrorAncestorMismatch, language).c_str(), static_cast<int32_t>(h));
        error = Format("%s %s.", message.c_str(), std::string(ColumnHeader(c, true)).c_str());
        return false;
      }
    }
  }

  int32_t removed = 0;
  if (input.minimumMarkers != 0) {
    for (std::size_t h = haplotypes.size() - 1; h >= 1; --h) {
      if (KnownValues(haplotypes[h]) < input.minimumMarkers) {
        haplotypes.erase(haplotypes.begin() + static_cast<std::ptrdiff_t>(h));
        lineNames.erase(lineNames.begin() + static_cast<std::ptrdiff_t>(h));
        ++removed;
      }
    }
  }
  const int32_t descendants = static_cast<int32_t>(haplotypes.size()) - 1;
  if (descendants < 1 || descendants > kMaxTmrcaDescendants) {
    error = Format(TextById(kTextErrorDescendantCount, language).c_str(), kMaxTmrcaDescendants, descendants);
    // Too few left because the minimum-markers condition took them away.
    if (descendants < 1 && removed > 0) {
      error += "\r\n" + Format(TextById(kTextMinMarkersRemovedAll, language).c_str(), input.minimumMarkers, removed,
                                descendants);
    }
    return false;
  }
  return true;
}

int32_t MostFrequentValue(const std::vector<int32_t>& repeatCounts) {
  std::map<int32_t, int32_t> frequency;
  double sum = 0.0;
  int32_t counted = 0;
  for (const int32_t value : repeatCounts) {
    if (value < 0) continue;
    ++frequency[value];
    sum += value;
    ++counted;
  }
  if (counted == 0) return -1;
  int32_t candidate = -1, candidateCount = 0;
  bool shared = false;
  for (const auto& [value, count] : frequency) {
    if (count > candidateCount) {
      candidate = value;
      candidateCount = count;
      shared = false;
    } else if (count == candidateCount) {
      shared = true;
    }
  }
  if (shared) return candidate;
  // Without a tie the rounded mean is taken, which stays close to the most
  // frequent value but also reflects the spread of the others.
  return static_cast<int32_t>(sum / counted + 0.5);
}

bool CompleteAncestor(TmrcaHaplotypes& haplotypes, bool allowUnknown) {
  if (haplotypes.empty()) return false;
  const CPodaciHaplovrsteZaProracunStarosti& old = haplotypes[0];
  int32_t columns = 0;
  for (std::size_t d = 1; d < haplotypes.size(); ++d) columns = std::max(columns, haplotypes[d].columnCount());

  CPodaciHaplovrsteZaProracunStarosti fresh;
  for (int32_t c = 0; c < columns; ++c) {
    int32_t k = 0;
    for (std::size_t d = 1; d < haplotypes.size() && k == 0; ++d) k = haplotypes[d].CopiesOf(c);
    fresh.columnStarts.push_back(static_cast<int32_t>(fresh.values.size()));
    fresh.copyCounts.push_back(k);
    if (k == 0) {
      fresh.values.push_back(CVrednostSTRa{});
      continue;
    }
    const int32_t oldCount = old.CopiesOf(c);
    for (int32_t j = 0; j < k; ++j) {
      if (j < oldCount) {
        // The typed ancestor gives this column (the copy counts agree after
        // ReadTmrcaInput; a shorter column is completed below).
        fresh.values.push_back(old.values[static_cast<std::size_t>(old.columnStarts[c] + j)]);
        continue;
      }
      int32_t value = -1;
      if (!allowUnknown) {
        std::vector<int32_t> counts;
        for (std::size_t d = 1; d < haplotypes.size(); ++d) {
          if (haplotypes[d].CopiesOf(c) != 0) counts.push_back(haplotypes[d].ValueOf(c, j));
        }
        value = MostFrequentValue(counts);
      }
      fresh.values.push_back(CVrednostSTRa{value, 0, j});
    }
  }
  if (fresh == old) return false;
  haplotypes[0] = std::move(fresh);
  return true;
}

std::string FormatAncestor(const CPodaciHaplovrsteZaProracunStarosti& ancestor, int32_t order) {
  const int32_t panel = PanelOfTmrcaOrder(order);
  if (panel >= 0) return FormatHaplotype(FtdnaToPanel(ancestor.values, panel, true), false);
  return FormatHaplotype(ancestor.values, false);
}

}  // namespace varnik
