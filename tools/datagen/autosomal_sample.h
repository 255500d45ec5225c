// A simulated person's genotypes on the panel's SNPs as the autosomal
// computations hold them after loading, without writing files: the ground
// truth of the admixture and painting tests and benchmarks.  Header only,
// for programs that link the core.
#pragma once

#include "autosomal/admixture_data.h"
#include "autosomal_simulator.h"

namespace varnik::datagen {

inline CProracunPoreklaOdsecaka SimulatedSample(const SimulatedPanel& panel, const SimulatedPerson& person) {
  CProracunPoreklaOdsecaka data;
  data.populationNames = panel.populations;
  data.snps.reserve(panel.snps.size());
  for (std::size_t i = 0; i < panel.snps.size(); ++i) {
    CPodaciSNPaZaPorekloOdsecaka snp;
    snp.snpName = panel.snps[i].name;
    snp.chromosome = panel.snps[i].chromosome;
    snp.position = panel.snps[i].position;
    snp.geneticPosition = panel.snps[i].cm;
    snp.refAllele1 = panel.snps[i].allele1;
    snp.refAllele2 = panel.snps[i].allele2;
    snp.sampleAllele1 = person.alleles[2 * i];
    snp.sampleAllele2 = person.alleles[2 * i + 1];
    for (std::size_t p = 0; p < panel.populations.size(); ++p) snp.frequencies.push_back(panel.Frequency(i, p));
    data.snps.push_back(std::move(snp));
  }
  return data;
}

}  // namespace varnik::datagen
