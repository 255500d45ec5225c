// The admixture computation and the loading of its inputs:
// - the slowest of the 156 HGDP Europeans (64,397 SNPs, K = 6, change limit
//   1e-7), when the shared reference data is present;
// - a simulated person of 64,000 SNPs and K = 6, and one of 170,000 SNPs and
//   K = 9;
// - loading a 170,000-SNP text calculator and a 23andMe-layout genome of
//   960,000 lines (peak memory: run under /usr/bin/time -v with
//   --benchmark_filter=Load).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "autosomal/admixture_data.h"
#include "autosomal/admixture_em.h"
#include "autosomal/hgdp_panel.h"
#include "autosomal_sample.h"
#include "autosomal_simulator.h"

namespace varnik {
namespace {

CProracunPoreklaOdsecaka Simulated(int snpCount, const std::vector<std::string>& names,
                                   const std::vector<double>& mixture) {
  const datagen::SimulatedPanel panel = datagen::MakePanel(41, snpCount, names, 0.12);
  return datagen::SimulatedSample(panel, datagen::MakePerson(panel, 42, mixture, 6.0));
}

// Keeps the final iteration line ("N     E = change").
class IterationLine : public ProgressSink {
 public:
  void SetStatusLine(int line, std::string_view text) override {
    if (line == 2) last = text;
  }
  void SetRunningResults(std::string_view) override {}
  std::string last;
};

void Compute(benchmark::State& state, const CProracunPoreklaOdsecaka& prepared) {
  IterationLine line;
  AdmixtureRunContext context;
  context.progress = &line;
  for (auto _ : state) {
    state.PauseTiming();
    CProracunPoreklaOdsecaka data = prepared;
    state.ResumeTiming();
    benchmark::DoNotOptimize(data.ComputeAdmixture(-1, context));
  }
  state.counters["iterations"] = std::atof(line.last.c_str());
}

void BM_AdmixtureSlowestHgdpPerson(benchmark::State& state) {
  static CProracunPoreklaOdsecaka slowest;
  static bool ready = false;
  if (!ready) {
    HgdpPanel panel;
    if (!panel.Read()) {
      state.SkipWithError("no HGDP reference panel");
      return;
    }
    const CProracunPoreklaOdsecaka calculator = panel.Calculator();
    double worst = -1;
    for (int person = 0; person < panel.people; ++person) {
      CProracunPoreklaOdsecaka data = calculator;
      panel.SetGenotypes(person, data);
      CProracunPoreklaOdsecaka run = data;
      const std::clock_t start = std::clock();
      run.ComputeAdmixture(-1, AdmixtureRunContext{});
      const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
      if (seconds > worst) {
        worst = seconds;
        slowest = std::move(data);
      }
    }
    ready = true;
  }
  Compute(state, slowest);
}
BENCHMARK(BM_AdmixtureSlowestHgdpPerson)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_AdmixtureSimulated64kK6(benchmark::State& state) {
  static const CProracunPoreklaOdsecaka data =
      Simulated(64000, {"Atlantic_Baltic", "Southern", "West_Asian", "South_Asian", "East_Asian", "African"},
                {0.55, 0.3, 0.15, 0, 0, 0});
  Compute(state, data);
}
BENCHMARK(BM_AdmixtureSimulated64kK6)->Unit(benchmark::kMillisecond);

void BM_AdmixtureSimulated170kK9(benchmark::State& state) {
  static const CProracunPoreklaOdsecaka data =
      Simulated(170000,
                {"Atlantic_Baltic", "Southern", "West_Asian", "South_Asian", "East_Asian", "African", "Siberian",
                 "Amerindian", "Caucasus_Gedrosia"},
                {0.4, 0.3, 0.1, 0.1, 0, 0, 0.05, 0, 0.05});
  Compute(state, data);
}
BENCHMARK(BM_AdmixtureSimulated170kK9)->Unit(benchmark::kMillisecond);

void BM_LoadCalculatorAndGenome(benchmark::State& state) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "varnik_admixture_bench";
  std::filesystem::create_directories(folder);
  const std::vector<std::string> names = {"Atlantic_Baltic", "Southern",   "West_Asian", "South_Asian",      "East_Asian",
                                          "African",         "Siberian", "Amerindian", "Caucasus_Gedrosia"};
  const datagen::SimulatedPanel panel = datagen::MakePanel(43, 170000, names, 0.12);
  const datagen::SimulatedPerson person = datagen::MakePerson(panel, 44, std::vector<double>(9, 1.0 / 9), 6.0);
  std::ofstream(folder / "calculator.txt", std::ios::binary) << datagen::TextCalculator(panel);
  std::ofstream(folder / "genome.txt", std::ios::binary) << datagen::Genome23andMe(panel, person, 790000, 45);
  for (auto _ : state) {
    CProracunPoreklaOdsecaka data;
    data.calculatorPath = (folder / "calculator.txt").string();
    data.samplePath = (folder / "genome.txt").string();
    if (!data.LoadAdmixtureInputs(kLoadForAdmixture, AdmixtureRunContext{})) state.SkipWithError("load failed");
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadCalculatorAndGenome)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnik

namespace varnik {
namespace {

// One full pass and one block pass (stride 38) over 64,000 SNPs, K = 6:
// the cost of visiting a SNP.
void BM_AdmixtureEmPass(benchmark::State& state) {
  const int stride = static_cast<int>(state.range(0));
  const datagen::SimulatedPanel panel = datagen::MakePanel(46, 64000, {"A", "B", "C", "D", "E", "F"}, 0.12);
  const datagen::SimulatedPerson person = datagen::MakePerson(panel, 47, {0.5, 0.3, 0.2, 0, 0, 0}, 6.0);
  std::vector<uint8_t> genotypes;
  for (std::size_t i = 0; i < panel.snps.size(); ++i) {
    const char a = person.alleles[2 * i], b = person.alleles[2 * i + 1];
    genotypes.push_back(a != b ? AdmixtureEm::kHeterozygous
                               : a == panel.snps[i].allele2 ? AdmixtureEm::kSecondTwice : AdmixtureEm::kFirstTwice);
  }
  AdmixtureEm em(genotypes, panel.frequencies, 6);
  std::vector<double> q(6, 1.0 / 6);
  const int last = em.SnpCount() - 1;
  int block = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(em.Step(block, last, stride, q));
    block = (block + 1) % stride;
  }
  state.SetItemsProcessed(state.iterations() * (last + 1) / stride);
}
BENCHMARK(BM_AdmixtureEmPass)->Arg(1)->Arg(38);

}  // namespace
}  // namespace varnik
