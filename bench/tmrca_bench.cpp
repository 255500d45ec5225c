// Age computation over 500 descendants with all 111 marker copies, 600
// generations: with the ancestor known, and with every ancestral value
// unknown.  Peak memory: run under /usr/bin/time -v.
#include <benchmark/benchmark.h>

#include <atomic>
#include <random>
#include <string>

#include "tmrca/age_computation.h"
#include "tmrca/marker_model_table.h"
#include "tmrca/prepare_markers.h"
#include "tmrca/tmrca_input.h"
#include "ystr/markers.h"

namespace varnik {
namespace {

constexpr int kDescendants = 500;
constexpr int kGenerations = 600;

// A founder in the middle of every marker's range and descendants about 40
// generations later, each marker changed by a random walk at its own rate.
TmrcaInputText MakeInput() {
  std::mt19937 random(7);
  std::vector<int> founder(kOznakaCount);
  for (int m = 0; m < kOznakaCount; ++m) {
    const MarkerModelRow* row = MarkerModel(m);
    founder[m] = (row->lowest + row->highest) / 2;
  }
  const auto line = [&](const std::vector<int>& values) {
    std::string text;
    for (int c = 0; c < kFtdnaColumnCount; ++c) {
      for (int j = 0; j < CopiesInColumn(c); ++j) {
        int value = values[MarkerIdentity(c, j)];
        // Column 10 is typed as DYS389II: DYS389I plus the modelled difference minus 13.
        if (c == kColumnDys389ii) value += values[kDys389i] - 13;
        if (c != 0 || j != 0) text += j == 0 ? ' ' : '-';
        text += std::to_string(value);
      }
    }
    return text;
  };
  TmrcaInputText input;
  input.ancestor = line(founder);
  for (int d = 0; d < kDescendants; ++d) {
    std::vector<int> values = founder;
    for (int m = 0; m < kOznakaCount; ++m) {
      std::bernoulli_distribution mutate(MarkerModel(m)->rate * 40);
      if (mutate(random)) values[m] += random() % 2 == 0 ? 1 : -1;
    }
    input.descendants += line(values) + "\n";
  }
  return input;
}

std::vector<CSTROznaka> MakeRecords(bool unknownAncestor) {
  TmrcaInputText input = MakeInput();
  if (unknownAncestor) input.ancestor.clear();
  TmrcaHaplotypes haplotypes;
  std::vector<std::string> names;
  std::string error;
  std::vector<CSTROznaka> records;
  if (!ReadTmrcaInput(input, haplotypes, names, error, 1)) return records;
  CompleteAncestor(haplotypes, unknownAncestor);
  if (!PrepareMarkers(haplotypes, kSingleAndMultiCopyMarkers, 0, records, error, 1)) records.clear();
  return records;
}

void Run(benchmark::State& state, bool unknownAncestor) {
  std::vector<CSTROznaka> records = MakeRecords(unknownAncestor);
  if (records.size() != kOznakaCount) {
    state.SkipWithError("input was not read");
    return;
  }
  std::atomic<int> stop{0};
  for (auto _ : state) {
    CNizVerovatnoca distribution;
    distribution.Initialise(kGenerations);
    const bool ok = ComputeAgeDistribution(kSingleAndMultiCopyMarkers, records, distribution, 0, stop, {});
    benchmark::DoNotOptimize(ok);
    state.counters["half_point"] = distribution.halfPoint;
  }
}

void BM_Tmrca500x111KnownAncestor(benchmark::State& state) { Run(state, false); }
void BM_Tmrca500x111UnknownAncestor(benchmark::State& state) { Run(state, true); }

BENCHMARK(BM_Tmrca500x111KnownAncestor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Tmrca500x111UnknownAncestor)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace varnik
