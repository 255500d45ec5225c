// The expectation-maximisation step of the admixture estimate, over SNPs
// prepared once per run.
//
// With q the ancestry shares and f_k the frequency of the calculator's
// second allele in population k, a copy of the second allele comes from
// population k with probability P1_k = q_k f_k / sum_j q_j f_j, and a copy
// of the first allele with P2_k = q_k (1 - f_k) / sum_j q_j (1 - f_j).  The
// expected share of k at a SNP is P1_k for a genotype homozygous for the
// second allele, P2_k for one homozygous for the first, and their mean for
// a heterozygous one.  One step averages these over the visited SNPs.
//
// Block passes visit every B-th SNP.  So that each pass reads memory in
// order, the usable SNPs are laid out again whenever B changes, those of
// each residue class modulo B side by side, with the frequencies of one
// population contiguous so that the sums over SNPs run on vectors.
#pragma once

#include <cstdint>
#include <vector>

namespace varnik {

struct CPodaciSNPaZaPorekloOdsecaka;

class AdmixtureEm {
 public:
  enum Genotype : uint8_t {
    kUnusable = 0,  // a genotype the calculator's alleles cannot explain
    kSecondTwice = 1,
    kFirstTwice = 2,
    kHeterozygous = 3,
  };

  AdmixtureEm() = default;
  // Prepares SNPs [first, last] of `snps` for a run with K populations.
  AdmixtureEm(const std::vector<CPodaciSNPaZaPorekloOdsecaka>& snps, int first, int last, int k);
  // Prepares a table directly (tests and benchmarks): a genotype per SNP
  // and K frequencies per SNP.
  AdmixtureEm(std::vector<uint8_t> genotypes, std::vector<double> frequencies, int k);

  // One pass over SNPs first, first + stride, ... up to last (indexes of
  // the prepared table): replaces q by the new shares and returns the sum
  // of the absolute changes, or 100 with q unchanged when no usable SNP
  // was visited.
  double Step(int first, int last, int stride, std::vector<double>& q);
  // SNPs that the last step visited and that carried information: those
  // whose genotype the current shares and frequencies make possible.
  int LastStepVisited() const { return lastStepVisited_; }

  int SnpCount() const { return static_cast<int>(genotypes_.size()); }
  // SNPs whose genotype the calculator's alleles can explain.
  int UsableCount() const;
  static Genotype Classify(const CPodaciSNPaZaPorekloOdsecaka& snp);

 private:
  // The usable SNPs grouped by residue modulo `stride`.
  struct Layout {
    int stride = 0;
    std::vector<int> groupStart;  // stride + 1 offsets
    std::vector<uint8_t> genotypes;
    std::vector<double> frequencies;  // population by population: [k * size + i]
    std::size_t Size() const { return genotypes.size(); }
  };
  void LayOut(int stride);

  int k_ = 0;
  std::vector<uint8_t> genotypes_;
  std::vector<double> frequencies_;  // K per SNP, in table order
  Layout layout_;
  int lastStepVisited_ = 0;
};

}  // namespace varnik
