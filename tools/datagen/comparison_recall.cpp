// varnik-comparison-recall: how many of the DNA segments that simulated
// relatives truly share the genome comparison finds.  For each SNP density
// a family is made (relatives_simulator.h), its genotype files and the
// panel's map are written into a temporary folder, G1 is compared with six
// relatives and the child of first cousins is checked for runs of
// homozygosity.  A true segment of at least 7 cM counts as found when the
// reported runs cover at least half of its length in cM.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "autosomal/genome_comparison.h"
#include "relatives_simulator.h"

namespace {

using namespace varnik;
using namespace varnik::datagen;

constexpr double kMinTrueCm = 7.0;

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

struct Tally {
  int truth = 0, found = 0;
  int foundLong = 0;  // by runs of the rows of 7 cM or more alone
  void Add(const Tally& other) {
    truth += other.truth;
    found += other.found;
    foundLong += other.foundLong;
  }
};

// Counts the true segments the result's runs cover by half or more.
Tally Score(const SimulatedPanel& panel, const std::vector<SharedSegment>& truth,
            const CPoregjenjeUzoraka& comparison, const CPoregjenjeUzoraka::CPoregjenjeDvajuUzoraka& result) {
  Tally tally;
  for (const SharedSegment& segment : truth) {
    ++tally.truth;
    double covered = 0.0, coveredLong = 0.0;
    for (const auto& track : result.runs) {
      for (const auto& run : track) {
        const int32_t first = std::max(run.firstSnp, segment.firstSnp);
        const int32_t last = std::min(run.lastSnp, segment.lastSnp);
        if (first >= last) continue;
        const double cm = panel.snps[last].cm - panel.snps[first].cm;
        covered += cm;
        if (comparison.resultTable[run.row].minCm >= kMinTrueCm) coveredLong += cm;
      }
    }
    if (covered >= 0.5 * segment.cm) ++tally.found;
    if (coveredLong >= 0.5 * segment.cm) ++tally.foundLong;
  }
  return tally;
}

void Print(const char* label, const Tally& tally) {
  std::printf("  %-40s %3d of %3d found (%3d by the rows of 7 cM or more)\n", label, tally.found, tally.truth,
              tally.foundLong);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> densities = {300000, 30000};
  double errorRate = 0.0;
  if (argc > 1) densities = {std::atoi(argv[1])};
  if (argc > 2) errorRate = std::atof(argv[2]);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "varnik_comparison_recall";
  std::filesystem::create_directories(folder);
  for (const int density : densities) {
    const SimulatedPanel panel = MakePanel(0xC0FFEE + density, density, {"Atlantic_Baltic", "Southern"}, 0.05);
    const std::vector<Relative> family = MakeFamily(panel, 7, errorRate);
    CPoregjenjeUzoraka comparison;
    comparison.mapPath = (folder / "map.txt").string();
    WriteText(comparison.mapPath, PanelGeneticMap(panel));
    const std::vector<std::string> names = {"G1", "C1", "G1b", "G2", "H", "F1", "C2"};
    const std::vector<std::string> relations = {"", "parent", "sibling", "first cousin", "child", "grandparent",
                                                "aunt"};
    std::vector<std::string> paths;
    for (const std::string& name : names) {
      paths.push_back((folder / (name + ".txt")).string());
      WriteText(paths.back(), RelativeGenome(panel, FindRelative(family, name)));
    }
    AdmixtureRunContext context;
    context.language = 1;
    int error = 0;
    const auto start = std::chrono::steady_clock::now();
    // The first file with five others: the tool compares at most six.
    std::vector<std::string> six(paths.begin(), paths.begin() + 6);
    if (comparison.RunGenomeComparison(CPoregjenjeUzoraka::kModeComparison, six, error, context, "") != 1) {
      std::fprintf(stderr, "%s\n", comparison.lastError.c_str());
      return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d SNPs per file, genotype error rate %g (6 files compared in %.2f s)\n", density, errorRate, seconds);
    Tally total;
    const Relative& g1 = FindRelative(family, "G1");
    for (std::size_t r = 0; r < comparison.results.size(); ++r) {
      const std::string& name = names[r + 1];
      const Tally tally = Score(panel, TrueSharedSegments(panel, g1, FindRelative(family, name), kMinTrueCm),
                                comparison, comparison.results[r]);
      Print(("G1 - " + name + " (" + relations[r + 1] + ")").c_str(), tally);
      total.Add(tally);
    }
    // The aunt needs a run of her own: the first file with her.
    CPoregjenjeUzoraka aunt;
    aunt.mapPath = comparison.mapPath;
    if (aunt.RunGenomeComparison(CPoregjenjeUzoraka::kModeComparison, {paths[0], paths[6]}, error, context, "") == 1) {
      const Tally tally =
          Score(panel, TrueSharedSegments(panel, g1, FindRelative(family, "C2"), kMinTrueCm), aunt, aunt.results[0]);
      Print("G1 - C2 (aunt)", tally);
      total.Add(tally);
    }
    CPoregjenjeUzoraka roh;
    roh.mapPath = comparison.mapPath;
    if (roh.RunGenomeComparison(CPoregjenjeUzoraka::kModeRelatedness, {paths[4]}, error, context, "") == 1) {
      const Relative& h = FindRelative(family, "H");
      const Tally tally = Score(panel, TrueSharedSegments(panel, h, h, kMinTrueCm), roh, roh.results[0]);
      Print("H (child of first cousins), homozygosity", tally);
      total.Add(tally);
    }
    const auto share = [&total](int n) { return total.truth == 0 ? 0.0 : 100.0 * n / total.truth; };
    std::printf("  recall: %d of %d = %.1f%% (by the rows of 7 cM or more: %.1f%%)\n\n", total.found, total.truth,
                share(total.found), share(total.foundLong));
  }
  std::filesystem::remove_all(folder);
  return 0;
}
