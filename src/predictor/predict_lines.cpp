#include "predictor/predict_lines.h"

#include "common/binary_io.h"
#include "common/format.h"
#include "common/utf.h"
#include "platform/program_folder.h"
#include "predictor/result_text.h"
#include "predictor/scoring.h"
#include "texts/text_table.h"
#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"
#include "ystr/panels.h"

namespace varnik {

std::vector<std::string> InputLines(std::string_view input, bool batch) {
  if (batch) return SplitInputLines(input);
  std::size_t cut = 0;
  // Count characters, not bytes, and never split one.
  for (std::size_t chars = 0; cut < input.size() && chars < kSingleInputLimit; ++chars) {
    ++cut;
    while (cut < input.size() && (static_cast<uint8_t>(input[cut]) & 0xc0) == 0x80) ++cut;
  }
  return {NormalizeBlanks(input.substr(0, cut))};
}

namespace {

// The value around `position` of a line: the run of characters between
// blanks and commas (at most its first 20), or empty.
std::string ValueAt(std::string_view line, std::size_t position) {
  constexpr std::string_view kSeparators = " \t,";
  if (position >= line.size()) return {};
  std::size_t from = line.find_last_of(kSeparators, position);
  from = from == std::string_view::npos ? 0 : from + 1;
  if (from > position) from = position;
  std::size_t to = line.find_first_of(kSeparators, position);
  if (to == std::string_view::npos) to = line.size();
  // Whole characters only.
  std::size_t end = from;
  for (int chars = 0; end < to && chars < 20; ++chars) {
    ++end;
    while (end < to && (static_cast<uint8_t>(line[end]) & 0xc0) == 0x80) ++end;
  }
  return std::string(line.substr(from, end - from));
}

}  // namespace

bool ReadPredictorLine(std::string_view line, int32_t order, Haplotype& haplotype, int32_t& errorText,
                       std::string* badValue) {
  const bool ftdna = order == 0;
  const std::string prepared = ftdna ? MarkCommaFields(line) : std::string(line);
  std::size_t position = 0;
  std::string name;
  int32_t markerCount = 0;
  haplotype.clear();
  errorText = kTextBadInputData;
  if (badValue != nullptr) badValue->clear();
  if (ParseHaplotypeLine(prepared, position, name, haplotype, markerCount, 0, ftdna) != 1) {
    if (badValue != nullptr) *badValue = ValueAt(prepared, position);
    haplotype.clear();
    return false;
  }
  if ((!ftdna && PanelToFtdna(haplotype, PanelOfInputOrder(order), false) != 0) || !CopiesFitCatalogue(haplotype)) {
    haplotype.clear();
    return false;
  }
  errorText = kTextDys389IIWithoutI;
  if (!Convert389(haplotype, false, false)) {
    haplotype.clear();
    return false;
  }
  return true;
}

CIshodUnosa PredictLines(const CPredvigjacMuskihLoz2& model, const std::vector<std::string>& lines, int32_t order,
                         int32_t knownSnp, int32_t language, bool batch) {
  // Branch names exist in Serbian and English; Russian shows the English ones.
  const int32_t nameLanguage = language == kLanguageSerbian ? kLanguageSerbian : kLanguageEnglish;
  CIshodUnosa run;
  int number = 0;
  for (const std::string& line : lines) {
    if (batch) run.output += Format("%d. ----------\r\n%s\r\n", ++number, line.c_str());
    int32_t errorText = 0;
    std::string badValue;
    if (!ReadPredictorLine(line, order, run.haplotype, errorText, &badValue)) {
      run.branches.clear();
      run.names.clear();
      run.output += TextById(errorText, language);
      // Where the line could not be read, when that is known.
      if (!badValue.empty()) {
        const int lineNumber = batch ? number : 1;
        run.output += " (" + Format(TextById(kTextBadInputAt, language).c_str(), lineNumber, badValue.c_str()) + ")";
      }
      if (batch) run.output += "\r\n";
      continue;
    }
    const CIshodPredvidjanja scores = ScoreForPrediction(model, knownSnp, run.haplotype, nameLanguage);
    const CTekstIshoda text = FormatResults(model, scores, language);
    run.output += PredictionOutput(text, scores, language, batch);
    run.branches = text.branches;
    run.names.clear();
    for (int32_t b : text.branches) run.names.push_back(scores.names[static_cast<std::size_t>(b)]);
  }
  return run;
}

std::string BatchReportFileName(int32_t language) {
  return language == kLanguageEnglish ? "Batch prediction.txt" : "Mnozhestveno predvigjanje.txt";
}

bool WriteBatchReport(const std::string& output, int32_t language, ReportLocation& where) {
  return WriteReport(BatchReportFileName(language), Utf16LeWithBom(output + "\r\n\r\n\r\n"), where);
}

}  // namespace varnik
