#include "tmrca/prepare_markers.h"

#include <algorithm>

#include "common/format.h"
#include "texts/text_table.h"
#include "tmrca/marker_model_table.h"
#include "ystr/markers.h"

namespace varnik {
namespace {

// DYS389II minus DYS389I plus 13, in codes: (II + 18) - (I + 18) + 13 + 18.
constexpr int32_t kDys389CodeShift = 31;
// Codes below this one are unknown or the low tail: no typed DYS389I.
constexpr int32_t kLowestRepeatCode = 22;

// Gives the DYS389II record the code `code` again and matches it to the
// states (no match: unknown).
void Recode(CSTROznaka& record, int32_t code, int32_t descendant) {
  const int32_t state = StateOfCode(record, code);
  if (descendant < 0) {
    record.ancestorCode = code;
    record.ancestorState = state;
  } else {
    record.descendantCodes[static_cast<std::size_t>(descendant)] = code;
    record.descendantStates[static_cast<std::size_t>(descendant)] = state;
  }
}

// The number by which the user knows descendant `d` (0-based in the list):
// its line in the input, which descendants dropped for too few markers do
// not change.
int32_t DescendantNumber(const TmrcaHaplotypes& haplotypes, std::size_t d) {
  const int32_t line = haplotypes[d + 1].lineNumber;
  return line > 0 ? line : static_cast<int32_t>(d) + 1;
}

}  // namespace

bool PrepareMarkers(const TmrcaHaplotypes& haplotypes, int32_t markerChoice, int32_t order,
                    std::vector<CSTROznaka>& records, std::string& error, int32_t language) {
  records.clear();
  error.clear();
  if (haplotypes.empty()) {
    error = TextById(kTextNoData, language);
    return false;
  }
  const bool takeSingle = markerChoice == kSingleCopyMarkersOnly || markerChoice == kSingleAndMultiCopyMarkers;
  const bool takeMulti = markerChoice == kSingleAndMultiCopyMarkers || markerChoice == kMultiCopyMarkersOnly;
  const CPodaciHaplovrsteZaProracunStarosti& ancestor = haplotypes[0];
  const std::size_t descendants = haplotypes.size() - 1;

  int32_t columns = 0;
  for (std::size_t d = 1; d < haplotypes.size(); ++d) columns = std::max(columns, haplotypes[d].columnCount());
  columns = std::min(columns, kFtdnaColumnCount);
  int32_t dys389i = -1, dys389ii = -1;
  bool dys389Twice = false;
  std::vector<int32_t> codes(descendants);
  for (int32_t c = 0; c < columns; ++c) {
    int32_t k = 0;
    for (std::size_t d = 1; d < haplotypes.size() && k == 0; ++d) k = haplotypes[d].CopiesOf(c);
    if (k == 0) continue;
    const int32_t marker = MarkerIdentity(c, 0);
    for (int32_t j = 0; j < k; ++j) {
      for (std::size_t d = 0; d < descendants; ++d) {
        const CPodaciHaplovrsteZaProracunStarosti& h = haplotypes[d + 1];
        const int32_t value = h.CopiesOf(c) != 0 ? h.ValueOf(c, j) : 0;
        codes[d] = value > 0 ? value + kStateCodeOffset : kUnknownCode;
      }
      const int32_t ancestorValue = ancestor.ValueOf(c, j);
      const int32_t ancestorCode = ancestorValue >= 0 ? ancestorValue + kStateCodeOffset : kUnknownCode;
      CSTROznaka record;
      int32_t errorIndex = 0;
      // A typed value outside the marker's states is an error in the
      // ancestor as in a descendant; only a missing ancestor value (or 0)
      // stays unknown.
      if (!SetUpMarker(record, marker, ancestorCode, codes, 0.0, true, true, errorIndex) &&
          (errorIndex >= 0 || (errorIndex == -1 && ancestorValue > 0))) {
        const bool inAncestor = errorIndex < 0;
        const std::string who =
            inAncestor ? TextById(kTextAncestorHaplotype, language)
                       : Format("%s %d", TextById(kTextDescendantHaplotype, language).c_str(),
                                DescendantNumber(haplotypes, static_cast<std::size_t>(errorIndex)));
        const int32_t value =
            inAncestor ? ancestorValue : haplotypes[static_cast<std::size_t>(errorIndex) + 1].ValueOf(c, j);
        const std::string what = Format(TextById(kTextIncorrectValue, language).c_str(), value);
        error = Format("%s: %s %s", who.c_str(), what.c_str(), std::string(ColumnHeader(c, true)).c_str());
        records.clear();
        return false;
      }
      if ((takeSingle && k == 1) || (takeMulti && k > 1)) {
        const int32_t position = static_cast<int32_t>(records.size());
        if (marker == kDys389i || marker == kDys389ii) {
          int32_t& remembered = marker == kDys389i ? dys389i : dys389ii;
          if (remembered >= 0) dys389Twice = true;
          remembered = position;
        }
        records.push_back(std::move(record));
      }
    }
  }

  const auto fail = [&](std::string message) {
    records.clear();
    error = std::move(message);
    return false;
  };
  if (dys389Twice) return fail(TextById(kTextDys389Multiple, language));
  if (dys389ii >= 0 && dys389i < 0) return fail(TextById(kTextDys389IIWithoutI, language));
  if (dys389ii >= 0) {
    CSTROznaka& first = records[static_cast<std::size_t>(dys389i)];
    CSTROznaka& second = records[static_cast<std::size_t>(dys389ii)];
    // A DYS389II that is no state of the model (missing, or 0 typed) stays
    // unknown; converting it would turn "unknown" into a real value.
    if (second.ancestorState < 0) {
      Recode(second, kUnknownCode, -1);
    } else if (first.ancestorCode < kLowestRepeatCode) {
      return fail(Format("%s. %s", TextById(kTextAncestorHaplotype, language).c_str(),
                         TextById(kTextDys389IIWithoutI, language).c_str()));
    } else {
      Recode(second, second.ancestorCode - first.ancestorCode + kDys389CodeShift, -1);
    }
    for (std::size_t d = 0; d < descendants; ++d) {
      if (second.descendantStates[d] < 0) {
        Recode(second, kUnknownCode, static_cast<int32_t>(d));
      } else if (first.descendantCodes[d] < kLowestRepeatCode) {
        return fail(Format("%s %d. %s", TextById(kTextDescendantHaplotype, language).c_str(),
                           DescendantNumber(haplotypes, d), TextById(kTextDys389IIWithoutI, language).c_str()));
      } else {
        Recode(second, second.descendantCodes[d] - first.descendantCodes[d] + kDys389CodeShift,
               static_cast<int32_t>(d));
      }
    }
  }

  // FTDNA order limited to its first 12, 25, 37 or 67 markers.
  constexpr int32_t kLimits[] = {12, 25, 37, 67};
  if (order >= 1 && order <= 4) {
    const auto first = std::find_if(records.begin(), records.end(),
                                    [&](const CSTROznaka& r) { return r.marker >= kLimits[order - 1]; });
    records.erase(first, records.end());
  }
  if (records.empty()) return fail(TextById(kTextNoData, language));
  return true;
}

std::string WarnFewValues(const std::vector<CSTROznaka>& records, int32_t language) {
  std::vector<std::string> names;
  for (const CSTROznaka& record : records) {
    if (record.ancestorState < 0 || record.descendantStates.size() <= 3) continue;
    const auto known = std::count_if(record.descendantStates.begin(), record.descendantStates.end(),
                                     [](int32_t s) { return s >= 0; });
    if (known != 1 && known != 2) continue;
    std::string name = MarkerDisplayName(record.marker, language);
    if (!names.empty() && names.back() == name) continue;
    names.push_back(std::move(name));
    if (names.size() > 4) break;
  }
  if (names.empty()) return {};
  std::string list;
  for (std::size_t i = 0; i < names.size() && i < 4; ++i) list += (i == 0 ? "" : ", ") + names[i];
  if (names.size() > 4) list += "...";
  return Format(TextById(kTextFewDescendantValues, language).c_str(), list.c_str());
}

}  // namespace varnik
