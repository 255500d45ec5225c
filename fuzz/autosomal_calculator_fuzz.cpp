// Calculators: the input is a text calculator, or (first byte odd) the
// ".par" file and its three files, NUL-separated; each is loaded with a
// small sample.
#include "autosomal/admixture_data.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace varnik;
  if (size == 0) return 0;
  static const std::string sample =
      fuzz::WriteScratch("sample.txt", "# sample\nrs1\t1\t100\tAG\nrs2\t1\t200\tCC\nrs3\t2\t300\tTT\n");
  const std::string_view input = fuzz::AsText(data + 1, size - 1);
  CProracunPoreklaOdsecaka load;
  load.samplePath = sample;
  // A looser convergence takes every path of the iteration in fewer passes.
  load.changeThreshold = 1e-4;
  if ((data[0] & 1) != 0) {
    const auto parts = fuzz::Parts(input, 4);
    fuzz::WriteScratch("p.txt", parts[1]);
    fuzz::WriteScratch("p.F", parts[2]);
    fuzz::WriteScratch("p.alleles", parts[3]);
    load.calculatorPath = fuzz::WriteScratch("p.par", parts[0]);
  } else {
    load.calculatorPath = fuzz::WriteScratch("calculator.txt", input);
  }
  AdmixtureRunContext context;
  context.language = 1;
  if (!load.LoadAdmixtureInputs(kLoadForAdmixture, context)) {
    fuzz::Check(!load.lastError.empty() && load.snps.empty(), "a failed load says why and keeps nothing");
    return 0;
  }
  for (const CPodaciSNPaZaPorekloOdsecaka& snp : load.snps) {
    fuzz::Check(snp.frequencies.size() == load.populationNames.size(), "every SNP has K frequencies");
  }
  load.ComputeAdmixture(-1, context);
  return 0;
}
