#include "autosomal/admixture_em.h"

#include <algorithm>
#include <cmath>

#include "autosomal/admixture_data.h"

namespace varnik {

namespace {

// q stays fixed during a pass, so each SNP's expectation q_k (f_k a + b)
// is summed as q_k (sum_i f_ik a_i + sum_i b_i): the pass accumulates the
// frequencies weighted by a per-SNP coefficient and multiplies by q once
// at the end.  With S = sum_j q_j f_j and R = sum_j q_j (1 - f_j):
//   second allele twice: a = 1/S,           b = 0
//   first allele twice:  a = -1/R,          b = 1/R
//   heterozygous:        a = (1/S - 1/R)/2, b = 1/(2R)
// that is a = cs/S + cr/R and b = cb/R with these coefficients:
struct Coefficients {
  double cs, cr, cb;
};
constexpr Coefficients kCoefficients[4] = {{0, 0, 0}, {1, 0, 0}, {0, -1, 1}, {0.5, -0.5, 0.5}};

constexpr int kTile = 256;

// The sums of SNPs [begin, end) of a layout of `size` SNPs whose
// frequencies are stored population by population.
struct Sums {
  std::vector<double>& weighted;  // sum_i f_ik a_i
  double constant = 0.0;          // sum_i b_i
  int count = 0;                  // SNPs that carry information
};

// One SNP, with a genotype that no population can give (a frequency of
// exactly 0 or 1 in a calculator taken as it stands) passed over.
void AddOne(uint8_t genotype, const double* f, std::size_t step, int k, double second, double first, Sums& sums) {
  const Coefficients& c = kCoefficients[genotype];
  if ((c.cs != 0 && !(second > 0.0)) || (c.cr != 0 && !(first > 0.0))) return;
  const double a = (c.cs != 0 ? c.cs / second : 0.0) + (c.cr != 0 ? c.cr / first : 0.0);
  if (c.cb != 0) sums.constant += c.cb / first;
  for (int p = 0; p < k; ++p) sums.weighted[p] += f[p * step] * a;
  ++sums.count;
}

// Where the processor has them, wider vectors with fused multiply-add.
#if defined(__x86_64__) && defined(__linux__) && defined(__GNUC__)
#define VARNIK_VECTOR_CLONES __attribute__((target_clones("avx2", "fma", "default")))
#else
#define VARNIK_VECTOR_CLONES
#endif

VARNIK_VECTOR_CLONES
void AccumulateRange(const uint8_t* genotypes, const double* frequencies, std::size_t size, std::size_t begin,
                     std::size_t end, int k, const double* q, double total, Sums& sums) {
  double second[kTile], weight[kTile], cs[kTile], cr[kTile], cb[kTile];
  for (std::size_t tile = begin; tile < end; tile += kTile) {
    const int n = static_cast<int>(std::min<std::size_t>(kTile, end - tile));
    for (int i = 0; i < n; ++i) {
      const Coefficients& c = kCoefficients[genotypes[tile + i]];
      cs[i] = c.cs;
      cr[i] = c.cr;
      cb[i] = c.cb;
      second[i] = 0.0;
    }
    for (int p = 0; p < k; ++p) {
      const double share = q[p];
      const double* f = frequencies + p * size + tile;
#pragma omp simd
      for (int i = 0; i < n; ++i) second[i] += share * f[i];
    }
    int bad = 0;
    double constant = 0.0;
#pragma omp simd reduction(| : bad) reduction(+ : constant)
    for (int i = 0; i < n; ++i) {
      // One division gives both 1/S and 1/R.
      const double s = second[i], r = total - s;
      bad |= !(s > 0.0) | !(r > 0.0);
      const double inverse = 1.0 / (s * r);
      const double overSecond = r * inverse, overFirst = s * inverse;
      weight[i] = cs[i] * overSecond + cr[i] * overFirst;
      constant += cb[i] * overFirst;
    }
    if (bad != 0) {
      // Rare: some SNP here has S or R of 0; go one by one.
      for (int i = 0; i < n; ++i) {
        AddOne(genotypes[tile + i], frequencies + tile + i, size, k, second[i], total - second[i], sums);
      }
      continue;
    }
    sums.constant += constant;
    sums.count += n;
    for (int p = 0; p < k; ++p) {
      const double* f = frequencies + p * size + tile;
      double sum = 0.0;
#pragma omp simd reduction(+ : sum)
      for (int i = 0; i < n; ++i) sum += f[i] * weight[i];
      sums.weighted[p] += sum;
    }
  }
}

}  // namespace

AdmixtureEm::Genotype AdmixtureEm::Classify(const CPodaciSNPaZaPorekloOdsecaka& snp) {
  const uint32_t a1 = snp.sampleAllele1, a2 = snp.sampleAllele2;
  const auto known = [&snp](uint32_t a) { return a == snp.refAllele1 || a == snp.refAllele2; };
  // A letter that is neither calculator allele (an insertion, a deletion, a
  // damaged file) says nothing about this SNP's frequencies.
  if (!known(a1) || !known(a2)) return kUnusable;
  if (a1 != a2) return kHeterozygous;
  return a1 == snp.refAllele2 ? kSecondTwice : kFirstTwice;
}

AdmixtureEm::AdmixtureEm(const std::vector<CPodaciSNPaZaPorekloOdsecaka>& snps, int first, int last, int k) : k_(k) {
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
    : k_(k), genotypes_(std::move(genotypes)), frequencies_(std::move(frequencies)) {}

int AdmixtureEm::UsableCount() const {
  return static_cast<int>(std::count_if(genotypes_.begin(), genotypes_.end(), [](uint8_t g) { return g != kUnusable; }));
}

void AdmixtureEm::LayOut(int stride) {
  layout_.stride = stride;
  layout_.groupStart.assign(stride + 1, 0);
  std::vector<int> order;
  for (int group = 0; group < stride; ++group) {
    layout_.groupStart[group] = static_cast<int>(order.size());
    for (int i = group; i < SnpCount(); i += stride) {
      if (genotypes_[i] != kUnusable) order.push_back(i);
    }
  }
  layout_.groupStart[stride] = static_cast<int>(order.size());
  const std::size_t size = order.size();
  layout_.genotypes.resize(size);
  layout_.frequencies.resize(size * k_);
  for (std::size_t j = 0; j < size; ++j) {
    layout_.genotypes[j] = genotypes_[order[j]];
    const double* f = frequencies_.data() + static_cast<std::size_t>(order[j]) * k_;
    for (int p = 0; p < k_; ++p) layout_.frequencies[p * size + j] = f[p];
  }
}

double AdmixtureEm::Step(int first, int last, int stride, std::vector<double>& q) {
  const int k = k_;
  double total = 0.0;
  for (int p = 0; p < k; ++p) total += q[p];
  std::vector<double> weighted(k, 0.0);
  Sums sums{weighted};
  const bool toEnd = last >= SnpCount() - 1;
  if (toEnd && stride == 1 && first == 0) {
    // A full pass: every SNP, in the order of whatever layout is current.
    if (layout_.stride == 0) LayOut(1);
    AccumulateRange(layout_.genotypes.data(), layout_.frequencies.data(), layout_.Size(), 0, layout_.Size(), k,
                    q.data(), total, sums);
  } else if (toEnd && first >= 0 && first < stride) {
    // A block pass: one group of the layout for this stride.
    if (layout_.stride != stride) LayOut(stride);
    AccumulateRange(layout_.genotypes.data(), layout_.frequencies.data(), layout_.Size(), layout_.groupStart[first],
                    layout_.groupStart[first + 1], k, q.data(), total, sums);
  } else {
    // Any other range goes SNP by SNP through the table as prepared.
    for (int i = std::max(first, 0); i <= last && i < SnpCount(); i += std::max(stride, 1)) {
      if (genotypes_[i] == kUnusable) continue;
      const double* f = frequencies_.data() + static_cast<std::size_t>(i) * k;
      double second = 0.0;
      for (int p = 0; p < k; ++p) second += q[p] * f[p];
      AddOne(genotypes_[i], f, 1, k, second, total - second, sums);
    }
  }
  lastStepVisited_ = sums.count;
  if (sums.count == 0) return 100.0;
  double change = 0.0;
  const double inverse = 1.0 / sums.count;
  for (int p = 0; p < k; ++p) {
    const double updated = q[p] * (weighted[p] + sums.constant) * inverse;
    change += std::fabs(updated - q[p]);
    q[p] = updated;
  }
  return change;
}

}  // namespace varnik
