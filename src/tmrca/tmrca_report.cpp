#include "tmrca/tmrca_report.h"

#include <algorithm>
#include <cstdio>

#include "common/binary_io.h"
#include "common/format.h"
#include "common/utf.h"
#include "platform/program_folder.h"
#include "texts/text_table.h"

namespace varnik {

std::string FormatTmrcaReport(const std::vector<CSTROznaka>& records, const CNizVerovatnoca& distribution,
                              int32_t withoutAncestor, int32_t language) {
  const auto text = [language](int32_t id) { return TextById(id, language).c_str(); };
  const int32_t descendants = records.empty() ? 0 : static_cast<int32_t>(records.front().descendantStates.size());
  std::vector<int32_t> known(static_cast<std::size_t>(descendants), 0);
  int32_t different = 0, unknownAncestor = 0;
  for (std::size_t r = 0; r < records.size(); ++r) {
    const CSTROznaka& record = records[r];
    for (std::size_t d = 0; d < known.size() && d < record.descendantStates.size(); ++d) {
      if (record.descendantStates[d] >= 0) ++known[d];
    }
    if (r == 0 || record.marker != records[r - 1].marker) ++different;
    if (record.ancestorState < 0) ++unknownAncestor;
  }
  const int32_t recordCount = static_cast<int32_t>(records.size());
  int32_t total = 0, least = 0, most = 0;
  for (std::size_t d = 0; d < known.size(); ++d) {
    total += known[d];
    least = d == 0 ? known[d] : std::min(least, known[d]);
    most = d == 0 ? known[d] : std::max(most, known[d]);
  }

  std::string out = Format("%s: %d\r\n", text(kTextDescendantCount), descendants);
  out += Format(text(kTextMarkersDifferent), recordCount, different) + "\r\n";
  if (unknownAncestor != 0) out += Format("%s: %d\r\n", text(kTextUnknownAncestorValues), unknownAncestor);
  out += Format("%s: %d\r\n", text(kTextTotalValues), total);
  if (least == recordCount && most == recordCount) {
    out += Format("%s: %d\r\n\r\n", text(kTextMarkersPerHaplotype), recordCount);
  } else {
    const double average = descendants > 0 ? static_cast<double>(total) / descendants : 0.0;
    out += Format(text(kTextMarkersPerHaplotypeRange), least, most, average) + "\r\n\r\n";
  }
  if (distribution.beyondRange) {
    // A half point of a flat or still rising distribution would only name
    // the middle of the computed range.
    out += Format(text(kTextAgeBeyondRange), static_cast<int32_t>(distribution.raw.size())) + "\r\n\r\n";
  } else {
    out += Format("%s 50%%=%g\r\n\r\n", text(kTextGenerationsWith), distribution.halfPoint);
  }

  const std::size_t n = std::min(distribution.probability.size(), distribution.cumulative.size());
  bool reachedWhole = false;
  for (std::size_t i = static_cast<std::size_t>(std::max(withoutAncestor, 0)); i < n; ++i) {
    const std::string cumulative = Format("%g", distribution.cumulative[i] * 100);
    // Once the sum shows as 100% the remaining lines would all repeat it.
    if (cumulative.size() >= 3 && cumulative.compare(0, 3, "100") == 0) {
      if (reachedWhole) break;
      reachedWhole = true;
    }
    out += Format("%s=%d    %s = %g%%    %s = %s%%\r\n", text(kTextGenerations), static_cast<int32_t>(i) + 1,
                  text(kTextProbabShort), distribution.probability[i] * 100, text(kTextSumProbabShort), cumulative.c_str());
  }
  return out;
}

bool WriteTmrcaReport(const std::string& report, const std::string& path, ReportLocation* where) {
  ReportLocation place{path, false};
  const bool written = path.empty() ? WriteReport(kTmrcaReportFileName, Utf16LeWithBom(report), place)
                                    : WriteFileAtomically(path, Utf16LeWithBom(report));
  if (where != nullptr) *where = place;
  if (!written) {
    std::fputs("Izlazno spremiste se ne moze otvoriti\n", stdout);
    return false;
  }
  return true;
}

}  // namespace varnik
