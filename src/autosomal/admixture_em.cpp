#include "autosomal/admixture_em.h"

#include <cmath>

#include "autosomal/admixture_data.h"

namespace varnik {

AdmixtureEm::Genotype AdmixtureEm::Classify(const CPodaciSNPaZaPorekloOdsecaka& snp) {
  const uint32_t a1 = snp.sampleAllele1, a2 = snp.sampleAllele2;
  const auto known = [&snp](uint32_t a) { return a == snp.refAllele1 || a == snp.refAllele2; };
  // A letter that is neither calculator allele (an insertion, a deletion, a
  // damaged file) says nothing about this SNP's frequencies.
  if (!known(a1) || !known(a2)) return kUnusable;
  if (a1 != a2) return kHeterozygous;
  return a1 == snp.refAllele2 ? kSecondTwice : kFirstTwice;
}

AdmixtureEm::AdmixtureEm(const std::vector<CPodaciSNPaZaPorekloOdsecaka>& snps, int first, int last, int k)
    : k_(k), sums_(k) {
  const int n = last >= first ? last - first + 1 : 0;
  genotypes_.resize(n);
  frequencies_.resize(static_cast<std::size_t>(n) * k);
  for (int i = 0; i < n; ++i) {
    const CPodaciSNPaZaPorekloOdsecaka& snp = snps[first + i];
    genotypes_[i] = static_cast<int>(snp.frequencies.size()) == k ? Classify(snp) : kUnusable;
    if (genotypes_[i] == kUnusable) continue;
    for (int p = 0; p < k; ++p) frequencies_[static_cast<std::size_t>(i) * k + p] = snp.frequencies[p];
  }
}

AdmixtureEm::AdmixtureEm(std::vector<uint8_t> genotypes, std::vector<double> frequencies, int k)
    : k_(k), genotypes_(std::move(genotypes)), frequencies_(std::move(frequencies)), sums_(k) {}

double AdmixtureEm::Step(int first, int last, int stride, std::vector<double>& q) {
  const int k = k_;
  double* sums = sums_.data();
  const double* shares = q.data();
  for (int p = 0; p < k; ++p) sums[p] = 0.0;
  int count = 0;
  for (int i = first; i <= last; i += stride) {
    const uint8_t genotype = genotypes_[i];
    if (genotype == kUnusable) continue;
    const double* f = frequencies_.data() + static_cast<std::size_t>(i) * k;
    double second = 0.0, firstAllele = 0.0;
    for (int p = 0; p < k; ++p) {
      second += shares[p] * f[p];
      firstAllele += shares[p] * (1.0 - f[p]);
    }
    // A genotype that no population can give (a frequency of exactly 0 or
    // 1 in a calculator taken as it stands) carries no information.
    if (genotype == kSecondTwice) {
      if (!(second > 0.0)) continue;
      const double scale = 1.0 / second;
      for (int p = 0; p < k; ++p) sums[p] += shares[p] * f[p] * scale;
    } else if (genotype == kFirstTwice) {
      if (!(firstAllele > 0.0)) continue;
      const double scale = 1.0 / firstAllele;
      for (int p = 0; p < k; ++p) sums[p] += shares[p] * (1.0 - f[p]) * scale;
    } else {
      if (!(second > 0.0) || !(firstAllele > 0.0)) continue;
      const double scale1 = 0.5 / second, scale2 = 0.5 / firstAllele;
      for (int p = 0; p < k; ++p) sums[p] += shares[p] * (f[p] * scale1 + (1.0 - f[p]) * scale2);
    }
    ++count;
  }
  if (count == 0) return 100.0;
  double change = 0.0;
  const double inverse = 1.0 / count;
  for (int p = 0; p < k; ++p) {
    const double updated = sums[p] * inverse;
    change += std::fabs(updated - q[p]);
    q[p] = updated;
  }
  return change;
}

}  // namespace varnik
