// Raw genotype files: layout detection, then the sample reader against a
// small calculator with and without positions from the sample.
#include "autosomal/admixture_data.h"
#include "fuzz_support.h"

namespace {

varnik::CProracunPoreklaOdsecaka SmallCalculator() {
  varnik::CProracunPoreklaOdsecaka calculator;
  calculator.populationNames = {"P1", "P2"};
  // A looser convergence takes every path of the iteration in far fewer
  // passes: the target is about reading, the run only consumes what it read.
  calculator.changeThreshold = 1e-4;
  for (int i = 1; i <= 12; ++i) {
    varnik::CPodaciSNPaZaPorekloOdsecaka snp;
    snp.snpName = "rs" + std::to_string(i);
    snp.chromosome = 1 + i % 3;
    snp.position = 100 * i;
    snp.refAllele1 = 'A';
    snp.refAllele2 = 'B';
    snp.frequencies = {0.2, 0.7};
    calculator.snps.push_back(snp);
  }
  // The name index, as a calculator reader leaves it.
  for (int i = 0; i < 12; ++i) calculator.snpIndexByName.push_back(i);
  std::sort(calculator.snpIndexByName.begin(), calculator.snpIndexByName.end(),
            [&](int a, int b) { return calculator.snps[a].snpName < calculator.snps[b].snpName; });
  return calculator;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace varnik;
  static const CProracunPoreklaOdsecaka calculator = SmallCalculator();
  if (size == 0) return 0;
  const std::string_view bytes = fuzz::AsText(data + 1, size - 1);
  int layout = -1;
  if (!DetectGenotypeLayout(bytes, layout)) return 0;
  fuzz::Check(layout >= 0 && layout <= kLayoutCommaHeader, "a known layout");
  CProracunPoreklaOdsecaka sample = calculator;
  AdmixtureRunContext context;
  if (sample.ReadSampleGenotypes("sample", bytes, layout, (data[0] & 1) != 0, context)) {
    for (const CPodaciSNPaZaPorekloOdsecaka& snp : sample.snps) fuzz::Check(snp.sampleAllele1 != 0, "only SNPs with a genotype");
    sample.ComputeAdmixture(-1, context);
  }
  return 0;
}
