// Labelled training input of the model builder.
#include "fuzz_support.h"
#include "predictor/labelled_haplotypes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace varnik;
  std::vector<CUzorakSaOgrankom> samples;
  std::string error;
  if (!ParseLabelledHaplotypes(fuzz::AsText(data, size), samples, error)) {
    fuzz::Check(!error.empty(), "a refused input says why");
  }
  return 0;
}
