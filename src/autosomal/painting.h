// The chromosome painting: local ancestry along every chromosome.
//
// For each SNP the sample's two chromosome copies around it are assumed to
// come from a pair of the calculator's populations (k, j).  The likelihood
// of each pair over a window of neighbouring SNPs is the product of the
// per-SNP genotype likelihoods; the SNP's local ancestry is each
// population's share of the pairs, weighted by those likelihoods.
//
// Pair vectors list the K(K+1)/2 unordered pairs (k, j), k <= j, in the
// order (0,0), (0,1), ..., (0,K-1), (1,1), ..., (K-1,K-1).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "autosomal/admixture_data.h"
#include "common/wide_number.h"

namespace varnik {

// The genetic map that gives ".par" calculators their centimorgans.
inline constexpr const char* kPaintingGeneticMapFile = "Poreklo odsecaka - Svet 6.txt";

// A window or base-pair segment with fewer SNPs is refused.
inline constexpr int kPaintingMinimumWindowSnps = 100;
// A block of at most this many SNPs joins a neighbour on its chromosome.
inline constexpr int kPaintingSmallBlockSnps = 300;
// A gap wider than this many average spacings starts a new block.
inline constexpr int kPaintingBlockGapFactor = 70;
// Limits and step of `levellingFactor`.
inline constexpr int32_t kLevellingMin = 5;
inline constexpr int32_t kLevellingMax = 500;
inline constexpr int32_t kLevellingStep = 10;

inline constexpr int PairCount(int k) { return k * (k + 1) / 2; }
// Place of pair (k, j), k <= j, in a pair vector of K populations.
inline constexpr int PairIndex(int k, int j, int populations) { return k * populations - k * (k - 1) / 2 + (j - k); }

// The genotype likelihood of every pair at one SNP, in pair-vector order
// (`out` holds PairCount(k) values).  With `sameOnly` the mixed pairs are 0.
void SnpPairLikelihoods(const CPodaciSNPaZaPorekloOdsecaka& snp, int k, bool sameOnly, double* out);

// A pair vector of wide numbers: products of hundreds of likelihoods stay
// representable.  A new vector holds 1 everywhere.
class CVerovatnoceSpojevaSkupina {
 public:
  explicit CVerovatnoceSpojevaSkupina(int populations)
      : populations_(populations), values_(PairCount(populations), CRazlomljenBroj(1.0)) {}

  int populations() const { return populations_; }
  CRazlomljenBroj& operator[](int pair) { return values_[pair]; }
  const CRazlomljenBroj& operator[](int pair) const { return values_[pair]; }
  // Element by element.
  CVerovatnoceSpojevaSkupina& operator*=(const CVerovatnoceSpojevaSkupina& other);
  // Multiplies in one SNP's likelihoods.
  void MultiplyBySnp(const CPodaciSNPaZaPorekloOdsecaka& snp, bool sameOnly);
  // Each population's share of the pairs, weighted by the vector: K values
  // that sum to 1, or an empty vector when every pair is 0.
  std::vector<double> Ancestry() const;

 private:
  int populations_;
  std::vector<CRazlomljenBroj> values_;
};

// The window of SNP i: the SNPs first..last (inclusive) of its block.
struct PaintingWindow {
  int32_t first = 0;
  int32_t last = 0;
};

// The windows of the SNPs first..last, all of one block, as the painting
// chooses them from the object's window settings.
std::vector<PaintingWindow> PaintingWindows(const CProracunPoreklaOdsecaka& data, int32_t first, int32_t last);

// Whether the calculator path names a ".par" set (any letter case).
bool IsParCalculatorPath(const std::string& path);

}  // namespace varnik
