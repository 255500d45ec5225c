// Genetic maps in their three layouts.
#include "autosomal/genome_comparison.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace varnik;
  std::vector<CSNP> map;
  std::string error;
  AdmixtureRunContext context;
  context.language = 1;
  if (!ReadGeneticMapBytes("map.txt", fuzz::AsText(data, size), map, context, error)) {
    fuzz::Check(!error.empty(), "a failed map says why");
  }
  return 0;
}
