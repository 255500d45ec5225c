// The predictor dialog's computation: haplotype lines in, result text out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/program_folder.h"
#include "predictor/predictor_model.h"
#include "ystr/str_value.h"

namespace varnik {

// A single prediction reads at most this many characters of the input.
inline constexpr std::size_t kSingleInputLimit = 4999;

struct CIshodUnosa {
  std::string output;               // the text for the result box
  Haplotype haplotype;              // the last line's haplotype; empty after a faulty last line
  std::vector<int32_t> branches;    // model indexes of the last result list, best first
  std::vector<std::string> names;   // their names
};

// The lines of the input box: for a single prediction its first 4,999
// characters as one line, for a batch every non-empty line.
std::vector<std::string> InputLines(std::string_view input, bool batch);

// Reads one line in input order `order` (0 FTDNA, 1..5 the panel orders) into
// FTDNA order with column 10 in difference form.  On failure the haplotype is
// empty, `errorText` names the text that reports it and `badValue` (when
// given) the value that could not be read, or nothing when no single value
// is at fault.
bool ReadPredictorLine(std::string_view line, int32_t order, Haplotype& haplotype, int32_t& errorText,
                       std::string* badValue = nullptr);

// Predicts every line with `model`.  A batch gives each line a numbered
// header and cuts each result list; faulty lines are reported and skipped.
CIshodUnosa PredictLines(const CPredvigjacMuskihLoz2& model, const std::vector<std::string>& lines, int32_t order,
                         int32_t knownSnp, int32_t language, bool batch);

// "Batch prediction.txt" in English, "Mnozhestveno predvigjanje.txt" otherwise.
std::string BatchReportFileName(int32_t language);
// Writes the batch report into the program folder, or the user's report
// folder when the program folder is not writable (`where`): FF FE, the
// output in UTF-16LE, then "\r\n" and "\r\n\r\n".  False when it cannot
// be written.
bool WriteBatchReport(const std::string& output, int32_t language, ReportLocation& where);

}  // namespace varnik
