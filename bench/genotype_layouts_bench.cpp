// Reading a raw genotype file of 700,000 SNPs in every layout, plain,
// gzipped and zipped: the file read whole, unpacked, its layout told and
// every line turned into a SNP (the genome comparison's reader, which keeps
// every SNP; the admixture's reader does the same work per line and looks
// each name up in the calculator).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "autosomal/genome_comparison.h"
#include "autosomal_simulator.h"
#include "compress/zlib_unpacker.h"
#include "genome_layouts.h"

namespace {

using namespace varnik;

constexpr int kPanelSnps = 20000;
constexpr int kExtraSnps = 680000;

struct LayoutFiles {
  std::filesystem::path folder;
  // [layout][packing]: plain, gzip, zip
  std::vector<std::vector<std::string>> paths;

  LayoutFiles() {
    RegisterUnpacker();
    folder = std::filesystem::temp_directory_path() / "varnik_layouts_bench";
    std::filesystem::create_directories(folder);
    const datagen::SimulatedPanel panel = datagen::MakePanel(18, kPanelSnps, {"Southern", "African"}, 0.1);
    const datagen::SimulatedPerson person = datagen::MakePerson(panel, 3, {0.5, 0.5}, 5.0);
    const std::string tabs = datagen::Genome23andMe(panel, person, kExtraSnps, 9);
    for (const datagen::GenomeLayout layout : datagen::kAllGenomeLayouts) {
      const std::string text = datagen::GenomeInLayout(tabs, layout);
      const std::string stem = (folder / datagen::GenomeLayoutName(layout)).string();
      std::ofstream(stem + ".txt", std::ios::binary) << text;
      WritePackedFile(Packing::kGzip, stem + ".txt.gz", {{"", text}});
      WritePackedFile(Packing::kZip, stem + ".zip", {{"genome.txt", text}});
      paths.push_back({stem + ".txt", stem + ".txt.gz", stem + ".zip"});
    }
  }
  ~LayoutFiles() { std::filesystem::remove_all(folder); }
};

const LayoutFiles& Files() {
  static const LayoutFiles files;
  return files;
}

void BM_ReadGenotypeFile(benchmark::State& state) {
  const auto layout = static_cast<std::size_t>(state.range(0));
  const auto packing = static_cast<std::size_t>(state.range(1));
  const std::string& path = Files().paths[layout][packing];
  state.SetLabel(std::string(datagen::GenomeLayoutName(datagen::kAllGenomeLayouts[layout])) +
                 (packing == 1 ? " .gz" : packing == 2 ? " .zip" : " plain") + ", " +
                 std::to_string(std::filesystem::file_size(path) >> 10) + " KiB");
  AdmixtureRunContext context;
  std::size_t snps = 0;
  for (auto _ : state) {
    CUzorakZaPoregjenje sample;
    std::string error;
    if (!ReadComparisonSample(path, sample, 0, context, error)) state.SkipWithError(error.c_str());
    snps = sample.snps.size();
    benchmark::DoNotOptimize(sample.snps.data());
  }
  state.counters["snps"] = static_cast<double>(snps);
}
BENCHMARK(BM_ReadGenotypeFile)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
