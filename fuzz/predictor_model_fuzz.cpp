// Predictor model files of every version.  A model that reads writes back
// (as version 15) to bytes that read to the same model, and scores a
// haplotype without faults.
#include "fuzz_support.h"
#include "predictor/model_file.h"
#include "predictor/scoring.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace varnik;
  CPredvigjacMuskihLoz2 model;
  if (!ReadPredictorModel(fuzz::AsText(data, size), model)) return 0;
  const std::string written = SerializePredictorModel(model);
  CPredvigjacMuskihLoz2 again;
  fuzz::Check(ReadPredictorModel(written, again), "a written model reads");
  fuzz::Check(SerializePredictorModel(again) == written, "a written model writes back the same bytes");
  PrepareForScoring(again);
  Haplotype haplotype;
  for (int32_t column = 0; column < 12; ++column) haplotype.push_back({12 + column % 5, 0, 0});
  ScoreHaplotype(again, -1, haplotype, 1);
  return 0;
}
