#include "predictor/result_text.h"

#include <algorithm>
#include <numeric>

#include "common/format.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

constexpr double kBatchProbabilityCut = 0.998;
constexpr std::size_t kBatchMaxLines = 12;

}  // namespace

std::string CTekstIshoda::Text() const {
  std::string text = warnings;
  for (const std::string& line : lines) text += line;
  return text;
}

std::string CTekstIshoda::BatchText() const {
  std::string text = warnings;
  double sum = 0.0;
  for (std::size_t i = 0; i < lines.size() && i < kBatchMaxLines && sum < kBatchProbabilityCut; ++i) {
    text += lines[i];
    sum += probabilities[i];
  }
  return text;
}

CTekstIshoda FormatResults(const CPredvigjacMuskihLoz2& model, const CIshodPredvidjanja& scores, int32_t language) {
  CTekstIshoda out;
  std::vector<int32_t> kept;
  for (std::size_t b = 0; b < scores.fitness.size(); ++b) {
    if (scores.fitness[b] > 0) kept.push_back(static_cast<int32_t>(b));
  }
  std::stable_sort(kept.begin(), kept.end(), [&scores](int32_t a, int32_t b) {
    if (scores.probability[a] != scores.probability[b]) return scores.probability[a] > scores.probability[b];
    return scores.fitness[a] > scores.fitness[b];
  });

  if (!kept.empty()) {
    const int32_t top = kept.front();
    const double relative = scores.relativeFitness[top];
    const double unsupported = scores.unsupportedRatio[top];
    if (scores.fitness[top] < 0.03) {
      out.warnings = Format("%s\r\n\r\n", TextById(kTextWarnFitnessTooSmall, language).c_str());
    } else if (scores.fitness[top] < 0.3 || (relative >= 0 && relative < model.warnFitness) ||
               (unsupported >= 0 && unsupported < 0.8)) {
      out.warnings = Format("%s\r\n\r\n", TextById(kTextWarnFitnessSmall, language).c_str());
    }
  }

  const std::string& probabilityLabel = TextById(kTextProbability, language);
  const std::string& fitnessLabel = TextById(kTextFitness, language);
  std::vector<double> shown;
  for (int32_t b : kept) {
    const double p = scores.probability[b];
    const double f = scores.fitness[b];
    const std::string& name = scores.names[b];
    if (scores.relativeFitness[b] >= 0) {
      out.lines.push_back(Format("%s = %.2f%%\t%s=%.2f [%.2f]   \t%s\r\n", probabilityLabel.c_str(), p * 100,
                                 fitnessLabel.c_str(), f * 100, scores.relativeFitness[b], name.c_str()));
    } else {
      out.lines.push_back(Format("%s = %.2f%%\t%s = %.2f      \t%s\r\n", probabilityLabel.c_str(), p * 100,
                                 fitnessLabel.c_str(), f * 100, name.c_str()));
    }
    out.branches.push_back(b);
    out.probabilities.push_back(p);
    shown.push_back(p);
  }

  std::sort(shown.begin(), shown.end());
  const double remainder = 1.0 - std::accumulate(shown.begin(), shown.end(), 0.0);
  if (remainder > 0.001) {
    out.closingLine = Format("%s: %.2f%%\r\n\r\n", TextById(kTextUnsupportedSubclade, language).c_str(), remainder * 100);
  } else if (scores.chosenSet < 0) {
    out.closingLine = Format("%s\r\n\r\n", TextById(kTextUnsupportedNotCalculated, language).c_str());
  }
  return out;
}

std::string PredictionOutput(const CTekstIshoda& text, const CIshodPredvidjanja& scores, int32_t language,
                             bool batch) {
  std::string output = text.closingLine;
  if (scores.removedValues != 0) output += TextById(kTextWarnValuesNotUsed, language) + "\r\n";
  output += batch ? text.BatchText() : text.Text();
  return output;
}

}  // namespace varnik
