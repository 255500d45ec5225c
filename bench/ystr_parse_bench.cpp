// Reading haplotype lines: 100,000 lines of 111 marker values (all 102 FTDNA
// columns with their copies), as a batch prediction of a large project would.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"
#include "ystr/markers.h"

namespace {

constexpr int kLineCount = 100000;

std::vector<std::string> MakeLines() {
  std::mt19937 random(42);
  std::uniform_int_distribution<int> repeats(9, 34);
  std::uniform_int_distribution<int> rare(0, 99);
  std::vector<std::string> lines;
  lines.reserve(kLineCount);
  for (int n = 0; n < kLineCount; ++n) {
    std::string line;
    for (int32_t column = 0; column < varnik::kFtdnaColumnCount; ++column) {
      if (column > 0) line += ' ';
      for (int32_t copy = 0; copy < varnik::CopiesInColumn(column); ++copy) {
        if (copy > 0) line += '-';
        const int pick = rare(random);
        if (column == varnik::kColumnDys389i) {
          line += "13";
        } else if (column == varnik::kColumnDys389ii) {
          line += "29";
        } else if (pick == 0) {
          line += '$';
        } else {
          line += std::to_string(repeats(random));
          if (pick == 1) line += ".2";
        }
      }
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

const std::vector<std::string>& Lines() {
  static const std::vector<std::string> lines = MakeLines();
  return lines;
}

void ParseLines(benchmark::State& state, bool commaFields) {
  const auto& lines = Lines();
  varnik::Haplotype haplotype;
  std::string name;
  int64_t values = 0;
  for (auto _ : state) {
    for (const std::string& line : lines) {
      std::size_t position = 0;
      int32_t markers = 0;
      const std::string marked = commaFields ? varnik::MarkCommaFields(line) : std::string();
      const int result = varnik::ParseHaplotypeLine(commaFields ? marked : line, position, name, haplotype, markers,
                                                    0, commaFields);
      if (result != 1 || haplotype.size() != 111 || !varnik::Convert389(haplotype, false, false)) {
        state.SkipWithError("a benchmark line did not parse");
        return;
      }
      values += static_cast<int64_t>(haplotype.size());
    }
  }
  state.counters["lines"] = benchmark::Counter(static_cast<double>(lines.size()) * state.iterations(),
                                               benchmark::Counter::kIsRate);
  benchmark::DoNotOptimize(values);
}

// 100,000 lines of 111 values per iteration.
void BM_ParseHaplotypeLines(benchmark::State& state) { ParseLines(state, false); }
// The same lines as the predictor reads FTDNA input: comma fields marked first.
void BM_ParseHaplotypeLinesCommaMode(benchmark::State& state) { ParseLines(state, true); }

BENCHMARK(BM_ParseHaplotypeLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseHaplotypeLinesCommaMode)->Unit(benchmark::kMillisecond);

}  // namespace
