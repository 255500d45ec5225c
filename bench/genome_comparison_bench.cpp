// The genome comparison on files of 700,000 SNPs, loading included: six
// files compared (the first with five relatives), and one file's runs of
// homozygosity.  The files and the map are simulated (relatives_simulator.h)
// and written into a temporary folder, which is removed at the end unless
// VARNIK_KEEP_BENCH_FILES is set (to time other tools on the same files).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "autosomal/genome_comparison.h"
#include "relatives_simulator.h"

namespace {

using namespace varnik;

constexpr int kSnps = 700000;

struct BenchFiles {
  std::filesystem::path folder;
  std::string map;
  std::vector<std::string> genomes;

  BenchFiles() {
    folder = std::filesystem::temp_directory_path() / "varnik_comparison_bench";
    std::filesystem::create_directories(folder);
    const datagen::SimulatedPanel panel = datagen::MakePanel(700, kSnps, {"Atlantic_Baltic", "Southern"}, 0.05);
    const std::vector<datagen::Relative> family = datagen::MakeFamily(panel, 5, 0.001);
    map = (folder / "map.txt").string();
    std::ofstream(map, std::ios::binary) << datagen::PanelGeneticMap(panel);
    for (const char* name : {"G1", "C1", "G1b", "G2", "H", "F1"}) {
      genomes.push_back((folder / (std::string(name) + ".txt")).string());
      std::ofstream(genomes.back(), std::ios::binary) << datagen::RelativeGenome(panel, datagen::FindRelative(family, name));
    }
  }
  ~BenchFiles() {
    if (std::getenv("VARNIK_KEEP_BENCH_FILES") != nullptr) {
      std::fprintf(stderr, "files kept in %s\n", folder.string().c_str());
    } else {
      std::filesystem::remove_all(folder);
    }
  }
};

const BenchFiles& Files() {
  static const BenchFiles files;
  return files;
}

void Run(benchmark::State& state, int mode, std::vector<std::string> genomes) {
  AdmixtureRunContext context;
  for (auto _ : state) {
    CPoregjenjeUzoraka comparison;
    comparison.mapPath = Files().map;
    int error = 0;
    if (comparison.RunGenomeComparison(mode, genomes, error, context, "") != 1) {
      state.SkipWithError(comparison.lastError.c_str());
      return;
    }
    benchmark::DoNotOptimize(comparison.results.data());
  }
}

void BM_CompareSixGenomes(benchmark::State& state) {
  Run(state, CPoregjenjeUzoraka::kModeComparison, Files().genomes);
}
BENCHMARK(BM_CompareSixGenomes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_RelatednessOneGenome(benchmark::State& state) {
  Run(state, CPoregjenjeUzoraka::kModeRelatedness, {Files().genomes[4]});
}
BENCHMARK(BM_RelatednessOneGenome)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
