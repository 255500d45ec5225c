// The distribution of the age of the most recent common ancestor, in
// generations: the likelihood of the descendants' values for every number
// of generations, and the probabilities made from it.
#pragma once

#include <cstdint>
#include <vector>

#include "common/wide_number.h"

namespace varnik {

struct CNizVerovatnoca {
  std::vector<CRazlomljenBroj> raw;  // entry g - 1: likelihood for g generations
  std::vector<double> probability;   // entry g - 1: probability of g generations
  std::vector<double> cumulative;    // running sum of probability
  double halfPoint = 0.0;            // where the cumulative sum reaches 0.5, interpolated
  // The likelihood still rises at the last generation, or nothing is left
  // above its floor: the age lies beyond the computed range and the
  // probabilities are no estimate of it.
  bool beyondRange = false;

  void Clear();
  // raw gets `generations` zeros; the rest stays cleared.
  void Initialise(int32_t generations);
};

// Turns raw into probability, cumulative and the half point.  The first
// `withoutAncestor` generations get probability 0.  The likelihood of the
// oldest generation is subtracted from every entry first: it is the floor
// the likelihood approaches for very old ancestors, so removing it lets the
// distribution fall to zero at the end of the computed range.  When nothing
// is left above the floor, the generations from `withoutAncestor` on share
// the probability equally, and beyondRange is set.
void NormaliseAgeDistribution(CNizVerovatnoca& distribution, int32_t withoutAncestor);

}  // namespace varnik
