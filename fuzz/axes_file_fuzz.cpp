// Computed-axes files (.ose).  A set that reads writes back to bytes that
// read to the same samples.
#include "fuzz_support.h"
#include "plot/axes_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace varnik;
  ComputedAxesSet set;
  ComputedAxesReadOptions options;
  options.keepCoefficients = true;
  std::string error;
  if (!ReadComputedAxes(fuzz::AsText(data, size), set, options, &error)) {
    fuzz::Check(!error.empty(), "a failed read says why");
    return 0;
  }
  const std::string written = WriteComputedAxes(set);
  ComputedAxesSet again;
  fuzz::Check(ReadComputedAxes(written, again, options, &error), "a written set reads");
  fuzz::Check(WriteComputedAxes(again) == written, "a written set writes back the same bytes");
  return 0;
}
