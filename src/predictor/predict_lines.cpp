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

bool ReadPredictorLine(std::string_view line, int32_t order, Haplotype& haplotype, int32_t& errorText) {
  const bool ftdna = order == 0;
  const std::string prepared = ftdna ? MarkCommaFields(line) : std::string(line);
  std::size_t position = 0;
  std::string name;
  int32_t markerCount = 0;
  haplotype.clear();
  errorText = kTextBadInputData;
  if (ParseHaplotypeLine(prepared, position, name, haplotype, markerCount, 0, ftdna) != 1) {
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
    if (!ReadPredictorLine(line, order, run.haplotype, errorText)) {
      run.branches.clear();
      run.names.clear();
      run.output += TextById(errorText, language);
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
