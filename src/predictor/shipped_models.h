// The four predictors that ship with the program, read from their model
// files in the program folder.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "predictor/predictor_model.h"

namespace varnik {

inline constexpr int32_t kPredictorCount = 4;

// File name of predictor 0 (general, 23 or 17 markers), 1 (R1a), 2 (E) or
// 3 (J); empty outside 0..3.
std::string PredictorFileName(int32_t predictor);
// Id of the predictor's name in the text table; -1 outside 0..3.
int32_t PredictorTextId(int32_t predictor);

using PredictorModels = std::array<CPredvigjacMuskihLoz2, kPredictorCount>;

// Loads all four from `folder` (the program folder when empty).  False as
// soon as one fails; the models are then not to be used.
bool LoadPredictorModels(PredictorModels& models, const std::string& folder = "");

}  // namespace varnik
