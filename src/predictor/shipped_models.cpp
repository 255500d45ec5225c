#include "predictor/shipped_models.h"

#include "platform/program_folder.h"
#include "predictor/model_file.h"
#include "texts/text_ids.h"

namespace varnik {

std::string PredictorFileName(int32_t predictor) {
  switch (predictor) {
    case 0: return "VarnikGeneralPredictor_23_STR.dat";
    case 1: return "UcestanostiSTRov R1a.dat";
    case 2: return "UcestanostiSTRov E.dat";
    case 3: return "UcestanostiSTRov J.dat";
    default: return "";
  }
}

int32_t PredictorTextId(int32_t predictor) {
  constexpr int32_t kIds[kPredictorCount] = {kTextPredictorGeneral, kTextPredictorR1a, kTextPredictorE, kTextPredictorJ};
  return predictor >= 0 && predictor < kPredictorCount ? kIds[predictor] : -1;
}

bool LoadPredictorModels(PredictorModels& models, const std::string& folder) {
  for (int32_t i = 0; i < kPredictorCount; ++i) {
    const std::string name = PredictorFileName(i);
    const std::string path = folder.empty() ? DataFile(name) : folder + "/" + name;
    if (!LoadPredictorModel(path, models[i])) return false;
  }
  return true;
}

}  // namespace varnik
