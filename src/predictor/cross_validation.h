// Cross-validation of the model builder on labelled men: the men are split
// into folds, whole groups (source studies) at a time when they have
// groups; each fold is predicted by a model trained on all other folds.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "predictor/labelled_haplotypes.h"
#include "predictor/model_builder.h"

namespace varnik {

// Bands of the number of typed marker values: 1-5, 6-8, 9-16, 17 and more.
inline constexpr int32_t kTypedBands = 4;
int32_t TypedBand(int32_t typedValues);

struct CIshodUnakrsneProvere {
  int32_t folds = 0;
  int32_t groups = 0;  // distinct groups, 0 when the men had none
  // Per band: men predicted, right at the first letter of the haplogroup,
  // right at the full label (the branch name).
  std::array<int32_t, kTypedBands> men{};
  std::array<int32_t, kTypedBands> letterRight{};
  std::array<int32_t, kTypedBands> labelRight{};
  // Men of 6 or more typed values by (true letter, predicted letter); "-"
  // when no branch fitted at all.
  std::map<std::pair<std::string, std::string>, int32_t> confusion;
};

// The index of the branch that the predictor lists first: the largest
// probability among branches with a fitness above 0, then the largest
// fitness, then model order; -1 when none fits.
int32_t TopBranch(const std::vector<double>& probability, const std::vector<double>& fitness);

// Fold of every man: groups (largest first) go to the fold that has the
// fewest men so far; without groups (all empty) man i goes to fold i mod
// `folds`.  False when there are fewer groups or men than folds.
bool AssignFolds(const std::vector<std::string>& groups, int32_t folds, std::vector<int32_t>& foldOf,
                 std::string& error);

// Trains on all folds but one and predicts that one, for every fold.
// `progress` (may be empty) hears of each fold as it starts.
bool CrossValidate(const std::vector<CUzorakSaOgrankom>& samples, const std::vector<std::string>& groups,
                   int32_t folds, const CPostavkeUcenja& options, CIshodUnakrsneProvere& result, std::string& error,
                   const std::function<void(int32_t fold)>& progress = {});

// The report: accuracy by band, then the confusion table of letters.
std::string FormatCrossValidation(const CIshodUnakrsneProvere& result);

}  // namespace varnik
