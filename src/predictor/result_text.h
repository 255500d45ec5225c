// The result text of a prediction: ranked branch lines, warnings and the
// closing line about unsupported subclades.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "predictor/predictor_model.h"
#include "predictor/scoring.h"

namespace varnik {

struct CTekstIshoda {
  std::string warnings;             // "%s\r\n\r\n" per warning, shown before the lines
  std::vector<std::string> lines;   // one per listed branch, best first, each ending "\r\n"
  std::vector<int32_t> branches;    // model index of each line's branch
  std::vector<double> probabilities;  // probability of each line's branch
  std::string closingLine;          // may be empty

  // The warnings and every line.
  std::string Text() const;
  // The warnings and the first lines, as many as it takes for their
  // probabilities to reach 0.998, at most 12: the batch prediction's cut.
  std::string BatchText() const;
};

// Lists the branches with a fitness above 0, by probability, then fitness,
// then model order; the labels and warnings are in `language`.
CTekstIshoda FormatResults(const CPredvigjacMuskihLoz2& model, const CIshodPredvidjanja& scores, int32_t language);

// The text that one prediction adds to the output: the closing line, then,
// when values were left out (by restrictTo23, or as unknown to every
// branch), the warning about unused values, then the result lines (all of
// them, or with `batch` the batch cut).
std::string PredictionOutput(const CTekstIshoda& text, const CIshodPredvidjanja& scores, int32_t language,
                             bool batch);

}  // namespace varnik
