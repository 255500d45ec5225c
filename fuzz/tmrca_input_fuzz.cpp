// Descendant and ancestor input of the age estimator: the first byte picks
// the input order and the minimum of markers.
#include "fuzz_support.h"
#include "tmrca/tmrca_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace varnik;
  if (size == 0) return 0;
  const auto parts = fuzz::Parts(fuzz::AsText(data + 1, size - 1), 2);
  TmrcaInputText input;
  input.order = data[0] % 10;
  input.minimumMarkers = (data[0] >> 4) * 7;
  input.descendants = std::string(parts[0]);
  input.ancestor = std::string(parts[1]);
  TmrcaHaplotypes haplotypes;
  std::vector<std::string> names;
  std::string error;
  if (!ReadTmrcaInput(input, haplotypes, names, error, 1)) {
    fuzz::Check(!error.empty(), "a refused input says why");
    return 0;
  }
  CompleteAncestor(haplotypes, (data[0] & 2) != 0);
  return 0;
}
