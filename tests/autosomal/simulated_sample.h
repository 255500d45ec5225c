// A simulated person's genotypes on the SNPs of a simulated panel, as the
// admixture computation takes them after loading.  Used by the tests and
// the benchmark.
#pragma once

#include "autosomal/admixture_data.h"
#include "autosomal_simulator.h"

namespace varnik {

inline CProracunPoreklaOdsecaka SimulatedSample(const datagen::SimulatedPanel& panel,
                                                const datagen::SimulatedPerson& person) {
  CProracunPoreklaOdsecaka data;
  data.populationNames = panel.populations;
  for (std::size_t i = 0; i < panel.snps.size(); ++i) {
    CPodaciSNPaZaPorekloOdsecaka snp;
    snp.snpName = panel.snps[i].name;
    snp.chromosome = panel.snps[i].chromosome;
    snp.position = panel.snps[i].position;
    snp.refAllele1 = panel.snps[i].allele1;
    snp.refAllele2 = panel.snps[i].allele2;
    snp.sampleAllele1 = person.alleles[2 * i];
    snp.sampleAllele2 = person.alleles[2 * i + 1];
    for (std::size_t p = 0; p < panel.populations.size(); ++p) snp.frequencies.push_back(panel.Frequency(i, p));
    data.snps.push_back(snp);
  }
  return data;
}

}  // namespace varnik
