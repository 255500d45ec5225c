// The chromosome painting: speed on a genome-wide panel, and accuracy on
// simulated people whose ancestry tracts are known.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "autosomal/painting.h"
#include "autosomal_sample.h"

namespace {

using varnik::CProracunPoreklaOdsecaka;
namespace datagen = varnik::datagen;

const std::vector<std::string> kTwelve = {"Atlantic_Baltic", "Southern",   "West_Asian",   "South_Asian",
                                          "East_Asian",      "African",    "Siberian",     "Amerindian",
                                          "Australasian",    "Caucasus_Gedrosia", "Oceanian", "Arctic"};

// 600,000 SNPs, K = 12; range(0): 0 the 250-SNP half window, 1 a 7 cM window.
void BM_Painting600kSnpsK12(benchmark::State& state) {
  static const datagen::SimulatedPanel panel = datagen::MakePanel(600, 600000, kTwelve, 0.12);
  static const datagen::SimulatedPerson person =
      datagen::MakePerson(panel, 1, {0.3, 0.2, 0.1, 0.1, 0.1, 0.05, 0.05, 0.04, 0.03, 0.01, 0.01, 0.01}, 4.0);
  static CProracunPoreklaOdsecaka data = datagen::SimulatedSample(panel, person);
  data.windowBySnpCount = state.range(0) == 0 ? 1 : 0;
  for (auto _ : state) {
    data.ComputeChromosomePainting(varnik::AdmixtureRunContext());
    benchmark::DoNotOptimize(data.proportions.data());
  }
  state.counters["snps"] = static_cast<double>(data.snps.size());
}
BENCHMARK(BM_Painting600kSnpsK12)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// The share of SNPs whose likeliest population is one of their two true
// ancestries.  range(0): the person (tract length and mixture);
// range(1): 0 the 250-SNP half window, 1 a 7 cM window.  The panel is the
// shipped example's: K = 6, 60,000 SNPs.
void BM_PaintingAccuracy(benchmark::State& state) {
  static const datagen::SimulatedPanel panel = datagen::MakePanel(
      0x5657E7A6, 60000, {"Atlantic_Baltic", "Southern", "West_Asian", "South_Asian", "East_Asian", "African"}, 0.12);
  struct Person {
    double generations;  // tracts of 100 / generations cM on average
    std::vector<double> proportions;
  };
  static const Person kPeople[] = {
      {5.0, {0.5, 0.3, 0.2, 0.0, 0.0, 0.0}},  {2.5, {0.5, 0.3, 0.2, 0.0, 0.0, 0.0}},
      {1.7, {0.5, 0.3, 0.2, 0.0, 0.0, 0.0}},  {2.5, {0.0, 0.0, 0.35, 0.45, 0.2, 0.0}},
      {2.5, {0.25, 0.0, 0.0, 0.25, 0.25, 0.25}},
  };
  const Person& who = kPeople[state.range(0)];
  const datagen::SimulatedPerson person =
      datagen::MakePerson(panel, 100 + state.range(0), who.proportions, who.generations);
  CProracunPoreklaOdsecaka data = datagen::SimulatedSample(panel, person);
  data.windowBySnpCount = state.range(1) == 0 ? 1 : 0;
  for (auto _ : state) data.ComputeChromosomePainting(varnik::AdmixtureRunContext());
  std::size_t right = 0;
  for (std::size_t i = 0; i < data.snps.size(); ++i) {
    const std::vector<double>& v = data.snps[i].paintValues;
    const int best = static_cast<int>(std::max_element(v.begin(), v.end()) - v.begin());
    if (best == person.tracts[2 * i] || best == person.tracts[2 * i + 1]) ++right;
  }
  state.counters["tract_cM"] = 100.0 / who.generations;
  state.counters["accuracy"] = static_cast<double>(right) / data.snps.size();
}
BENCHMARK(BM_PaintingAccuracy)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
