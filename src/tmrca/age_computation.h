// The age computation: for every number of generations g from 1 to G, the
// likelihood that the descendants' values arose from the ancestor's in g
// generations, normalised into the age distribution.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tmrca/age_distribution.h"
#include "tmrca/mutation_model.h"

namespace varnik {

// Receives the progress line ("37%": the whole percentage of generations
// done) each time its text changes.
using TmrcaProgress = std::function<void(const std::string& text)>;

// Fills distribution.raw (which must hold G entries, G being the number of
// generations to compute) and then normalises it with `withoutAncestor`.
// `markerChoice` 0 takes single-copy markers, 1 both kinds, 2 multi-copy
// markers.  The records' g-step matrices are used as working space.
//
// The stop flag is polled once per generation; a stop returns false with
// raw filled up to the last generation done and probability and cumulative
// empty.  False also for records that do not fit together (different
// numbers of descendants, or states and matrices that disagree).
bool ComputeAgeDistribution(int32_t markerChoice, std::vector<CSTROznaka>& records, CNizVerovatnoca& distribution,
                            int32_t withoutAncestor, const std::atomic<int>& stop, const TmrcaProgress& progress);

}  // namespace varnik
