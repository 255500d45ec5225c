// The haplotype search: reading the ten shipped collections, one search over
// all of them, and one search over a synthetic collection of a million
// samples (streamed: the peak resident size must not grow with the file).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "common/format.h"
#include "common/utf.h"
#include "predictor/haplotype_search.h"

namespace {

using namespace varnik;

// A Serbian man of the common Dinaric I2 lineage, 17-marker kit order.
constexpr const char* kQuery17Kit = "15 13 24 31 17 16 14 15 13 10 11 21 11 12 16 10 20";

double PeakResidentMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_ReadAllShippedCollections(benchmark::State& state) {
  int64_t samples = 0;
  for (auto _ : state) {
    samples = 0;
    for (const CZbirkaUzoraka& c : SampleCollections()) {
      const CIshodCitanjaZbirke read = ReadCollection(std::string(VARNIK_BIN_DIR) + "/" + c.fileName, c.format, 1,
                                                      [](const CUzorakZbirke& s) { benchmark::DoNotOptimize(&s); });
      if (!read.ok) {
        state.SkipWithError((std::string("cannot read ") + c.fileName).c_str());
        return;
      }
      samples += read.samples;
    }
  }
  state.counters["samples"] = static_cast<double>(samples);
}
BENCHMARK(BM_ReadAllShippedCollections)->Unit(benchmark::kMillisecond);

void BM_SearchAllShippedCollections(benchmark::State& state) {
  CPoregjenjeHaplovrst engine;
  engine.collectionsFolder = VARNIK_BIN_DIR;
  std::string output;
  Haplotype haplotype;
  for (auto _ : state) {
    if (!SearchCollections(engine, kQuery17Kit, 1, 1, false, output, haplotype)) {
      state.SkipWithError("the query cannot be read");
      return;
    }
  }
  for (const auto& read : engine.lastReads()) {
    if (!read.result.ok) state.SkipWithError("a shipped collection is missing or fails");
  }
  state.counters["output_kb"] = static_cast<double>(output.size()) / 1024.0;
}
BENCHMARK(BM_SearchAllShippedCollections)->Unit(benchmark::kMillisecond);

// Removes the temporary folder when the program ends.
struct TemporaryFolder {
  std::string path;
  ~TemporaryFolder() { std::filesystem::remove_all(path); }
};

// A million 17-marker samples (format 2) around the query's values, written
// once to a temporary folder as collection 6.
std::string MillionSampleFolder() {
  static const TemporaryFolder folder{[] {
    const auto path = std::filesystem::temp_directory_path() / ("varnik_bench_million_" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    std::ofstream out(path / SampleCollections()[6].fileName, std::ios::binary);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> step(-2, 2);
    const int modal[17] = {13, 24, 16, 10, 15, 16, 11, 13, 11, 31, 15, 14, 20, 12, 15, 10, 21};
    std::string text = "\xFF\xFE";
    for (int i = 0; i < 1000000; ++i) {
      std::string line;
      for (int k = 0; k < 17; ++k) line += Format("%d\t", modal[k] + (k == 9 ? 0 : step(random) / 2));
      line += Format("Sample %d\r\n", i);
      const std::u16string units = Utf8ToUtf16(line);
      for (const char16_t u : units) {
        text += static_cast<char>(u & 0xFF);
        text += static_cast<char>(u >> 8);
      }
      if (text.size() > (1u << 20)) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        text.clear();
      }
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return path.string();
  }()};
  return folder.path;
}

void BM_SearchMillionSamples(benchmark::State& state) {
  CPoregjenjeHaplovrst engine;
  engine.collectionsFolder = MillionSampleFolder();
  engine.settings.collections.assign(kCollectionCount, false);
  engine.settings.collections[6] = true;
  std::string output;
  Haplotype haplotype;
  const double before = PeakResidentMb();
  for (auto _ : state) {
    SearchCollections(engine, "13 24 16 10 15 16 11 13 11 31 15 14 20 12 15 10 21", 3, 1, false, output, haplotype);
  }
  const auto& reads = engine.lastReads();
  state.counters["samples"] = reads.empty() ? 0 : static_cast<double>(reads.front().result.samples);
  state.counters["peak_rss_growth_mb"] = PeakResidentMb() - before;
  state.counters["peak_rss_mb"] = PeakResidentMb();
}
BENCHMARK(BM_SearchMillionSamples)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
