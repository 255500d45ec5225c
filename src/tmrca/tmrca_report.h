// The result text of an age computation and its file "TMRCA_results.txt".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/program_folder.h"
#include "tmrca/age_distribution.h"
#include "tmrca/mutation_model.h"

namespace varnik {

inline constexpr char kTmrcaReportFileName[] = "TMRCA_results.txt";

// The report: the numbers of descendants, markers and values, the half
// point, and one line per generation from `withoutAncestor` on, up to the
// first generation whose cumulative probability shows as 100%.  Lines end
// with "\r\n".  Words in `language` (-1: the interface language), numbers
// with a decimal point.
std::string FormatTmrcaReport(const std::vector<CSTROznaka>& records, const CNizVerovatnoca& distribution,
                              int32_t withoutAncestor, int32_t language = -1);

// Writes the report to `path` as UTF-16LE with the mark FF FE; by default
// to TMRCA_results.txt in the program folder, or in the user's report
// folder when the program folder is not writable (`where`, when given,
// receives the place).  On failure prints the output store message on
// standard output and returns false.
bool WriteTmrcaReport(const std::string& report, const std::string& path = {}, ReportLocation* where = nullptr);

}  // namespace varnik
