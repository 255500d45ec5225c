#include "tmrca/age_distribution.h"

#include <algorithm>

namespace varnik {

void CNizVerovatnoca::Clear() {
  raw.clear();
  probability.clear();
  cumulative.clear();
  halfPoint = 0.0;
  beyondRange = false;
}

void CNizVerovatnoca::Initialise(int32_t generations) {
  Clear();
  raw.assign(static_cast<std::size_t>(std::max(generations, 0)), CRazlomljenBroj());
}

void NormaliseAgeDistribution(CNizVerovatnoca& distribution, int32_t withoutAncestor) {
  const std::vector<CRazlomljenBroj>& raw = distribution.raw;
  const std::size_t n = raw.size();
  distribution.probability.assign(n, 0.0);
  distribution.cumulative.assign(n, 0.0);
  distribution.halfPoint = 0.0;
  distribution.beyondRange = false;
  if (n == 0) return;
  // A range of generations without an ancestor that covers everything
  // leaves no generation to share the probability.
  const std::size_t w = static_cast<std::size_t>(std::clamp<int64_t>(withoutAncestor, 0, static_cast<int64_t>(n)));
  const CRazlomljenBroj floor = raw[n - 1];
  CRazlomljenBroj sum;
  for (std::size_t i = w; i < n; ++i) {
    const CRazlomljenBroj above = raw[i] - floor;
    if (above >= CRazlomljenBroj()) sum += above;
  }
  const bool uniform = sum.IsZero();
  distribution.beyondRange = uniform || (n >= 2 && raw[n - 1] > raw[n - 2]);

  double running = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    double p = 0.0;
    if (i >= w) {
      if (uniform) {
        p = 1.0 / static_cast<double>(n - w);
      } else {
        const CRazlomljenBroj above = raw[i] - floor;
        p = above > CRazlomljenBroj() ? (above / sum).ToDouble() : 0.0;
      }
    }
    distribution.probability[i] = p;
    running += p;
    distribution.cumulative[i] = running;
    const double before = i == 0 ? 0.0 : distribution.cumulative[i - 1];
    if (running >= 0.5 && (i == 0 || before < 0.5)) {
      if (i == 0) {
        distribution.halfPoint = 0.0;
      } else {
        distribution.halfPoint = static_cast<double>(i);
        if (running - before >= 1e-6) distribution.halfPoint += (0.5 - before) / (running - before);
      }
    }
  }
}

}  // namespace varnik
