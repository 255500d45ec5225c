// Raw genotype files as the genome comparison reads them.
#include "autosomal/genome_comparison.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace varnik;
  const std::string path = fuzz::WriteScratch("genome.txt", fuzz::AsText(data, size));
  CUzorakZaPoregjenje sample;
  std::string error;
  AdmixtureRunContext context;
  context.language = 1;
  if (!ReadComparisonSample(path, sample, 0, context, error)) fuzz::Check(!error.empty(), "a failed read says why");
  return 0;
}
