#include "predictor_models.h"

#include <cstdio>

#include "predictor/model_file.h"
#include "predictor/shipped_models.h"
#include "ystr_simulator.h"

namespace varnik::datagen {
namespace {

constexpr int32_t kTrainingPerBranch = 80;

}  // namespace

std::vector<CUzorakSaOgrankom> PredictorSamples(int32_t predictor, uint64_t sampleSeed, int32_t perBranch) {
  static const YstrSimulator simulator(kLineageSeed);
  constexpr char kHaplogroups[] = {'R', 'E', 'J'};
  const std::vector<int32_t> branches =
      predictor == 0 ? GeneralModelBranches() : SubcladeModelBranches(kHaplogroups[(predictor - 1) % 3]);
  return simulator.Samples(branches, perBranch, sampleSeed + 1000 * static_cast<uint64_t>(predictor));
}

CPostavkeUcenja PredictorOptions(int32_t predictor) {
  CPostavkeUcenja options;
  if (predictor == 0) {
    // Laboratory kits: the haplotype is cut to the 23-marker kit.
    options.restrictTo23 = 1;
    options.statSets = {kSet17Kit, kSet23Kit};
    options.minMarkersForStats = 12;
  } else {
    options.statSets = {kSet37Markers, kSet67Markers, kSet111Markers};
    options.minMarkersForStats = 30;
  }
  return options;
}

bool WritePredictorModels(const std::string& folder) {
  for (int32_t p = 0; p < kPredictorCount; ++p) {
    CPredvigjacMuskihLoz2 model;
    std::string error;
    const std::string path = folder + "/" + PredictorFileName(p);
    if (!BuildPredictorModel(PredictorSamples(p, kTrainingSeed, kTrainingPerBranch), PredictorOptions(p), model,
                             error) ||
        !SavePredictorModel(path, model)) {
      std::fprintf(stderr, "varnik-datagen: cannot write %s %s\n", path.c_str(), error.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace varnik::datagen
