// varnik-tmrca-calibration: checks the age estimator on simulated star
// genealogies of known age.  Reports how often the true age lies between
// the 5% and 95% points of the computed cumulative distribution, and the
// median ratio of the half point to the true age.
//
// usage: varnik-tmrca-calibration [SETS] [SEED]
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "star_genealogy.h"
#include "tmrca/age_computation.h"
#include "tmrca/prepare_markers.h"
#include "tmrca/tmrca_input.h"

namespace {

using namespace varnik;

// First generation (1-based) whose cumulative probability reaches `level`.
int Quantile(const CNizVerovatnoca& distribution, double level) {
  for (std::size_t i = 0; i < distribution.cumulative.size(); ++i) {
    if (distribution.cumulative[i] >= level) return static_cast<int>(i) + 1;
  }
  return static_cast<int>(distribution.cumulative.size());
}

}  // namespace

int main(int argc, char** argv) {
  const int sets = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  std::mt19937_64 random(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20240601);
  std::uniform_int_distribution<int> descendantsOf(5, 20), generationsOf(5, 60), panelOf(0, 1);
  int covered = 0, done = 0;
  std::vector<double> ratios, printedRatios;
  std::atomic<int> stop{0};
  for (int s = 0; s < sets; ++s) {
    const int markers = panelOf(random) == 0 ? 37 : 67;
    const int generations = generationsOf(random);
    const datagen::StarGenealogy genealogy =
        datagen::SimulateStarGenealogy(random, markers, descendantsOf(random), generations);
    TmrcaInputText input;
    input.ancestor = genealogy.founder;
    for (const std::string& line : genealogy.descendants) input.descendants += line + "\n";
    TmrcaHaplotypes haplotypes;
    std::vector<std::string> names;
    std::string error;
    std::vector<CSTROznaka> records;
    if (!ReadTmrcaInput(input, haplotypes, names, error, 1) ||
        !PrepareMarkers(haplotypes, kSingleAndMultiCopyMarkers, 0, records, error, 1)) {
      std::fprintf(stderr, "set %d: %s\n", s, error.c_str());
      continue;
    }
    CNizVerovatnoca distribution;
    distribution.Initialise(600);
    if (!ComputeAgeDistribution(kSingleAndMultiCopyMarkers, records, distribution, 0, stop, {})) continue;
    ++done;
    const int low = Quantile(distribution, 0.05), high = Quantile(distribution, 0.95);
    if (generations >= low && generations <= high) ++covered;
    // The half point counts from 0 at the first generation.
    ratios.push_back((distribution.halfPoint + 1.0) / generations);
    printedRatios.push_back(distribution.halfPoint / generations);
  }
  if (done == 0) return 1;
  const auto median = [](std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  };
  std::printf("sets: %d (5 to 20 descendants, 37 or 67 markers, 5 to 60 generations, ancestor known)\n", done);
  std::printf("true age between the 5%% and 95%% points: %d of %d (%.1f%%)\n", covered, done, 100.0 * covered / done);
  std::printf("median ratio of half point (as generation number) to true age: %.3f\n", median(ratios));
  std::printf("median ratio of the report's half point to true age: %.3f\n", median(printedRatios));
  return 0;
}
