// One person's genotypes in every raw-file layout, plain, gzipped and
// zipped: the admixture, the painting, the genome comparison and the
// relatedness of parents give the same results from each.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "autosomal_simulator.h"
#include "cli/cli_test_support.h"
#include "cli/subcommands.h"
#include "common/binary_io.h"
#include "compress/zlib_unpacker.h"
#include "genome_layouts.h"
#include "relatives_simulator.h"

namespace varnik::cli {
namespace {

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Every command's output for the genomes "genome" and "relative" in `folder`.
std::vector<std::string> Results(const std::filesystem::path& folder, const std::filesystem::path& inputs) {
  const std::string genome = (folder / "genome").string(), relative = (folder / "relative").string();
  const std::string calculator = (inputs / "calculator.txt").string(), map = (inputs / "map.csv").string();
  const std::string values = (folder / "values.tsv").string();
  const CliResult runs[] = {
      RunCli(RunAdmixture, {"--sample", genome, "--calculator", calculator}),
      RunCli(RunAdmixture, {"--sample", genome, "--calculator", (inputs / "Sim3.par").string()}),
      RunCli(RunPainting, {"--sample", genome, "--calculator", calculator, "--window-cm", "20", "--values", values}),
      RunCli(RunCompareGenomes, {genome, relative, "--map", map}),
      RunCli(RunRelatedness, {genome, relative, "--map", map}),
  };
  std::vector<std::string> results;
  for (const CliResult& run : runs) {
    EXPECT_EQ(run.status, 0) << folder << ": " << run.err;
    results.push_back(run.out);
  }
  std::string table;
  EXPECT_TRUE(ReadWholeFile(values, table));
  results.push_back(table);
  return results;
}

TEST(CliLayouts, EveryLayoutAndPackingGivesTheSameResults) {
  RegisterUnpacker();
  const std::filesystem::path root = std::filesystem::path(::testing::TempDir()) / "varnik_cli_layouts";
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root);
  const datagen::SimulatedPanel panel = datagen::MakePanel(7, 3000, {"Southern", "African", "East_Asian"}, 0.15);
  WriteText(root / "calculator.txt", datagen::TextCalculator(panel));
  ASSERT_TRUE(datagen::WriteParCalculator(panel, root.string(), "Sim3"));
  WriteText(root / "map.csv", datagen::PanelGeneticMap(panel));
  const datagen::SimulatedPerson person = datagen::MakePerson(panel, 1, {0.2, 0.5, 0.3}, 3.0);
  const datagen::SimulatedPerson relative = datagen::MakePerson(panel, 2, {0.3, 0.4, 0.3}, 3.0);
  const std::string genomes[] = {datagen::Genome23andMe(panel, person, 200, 3),
                                 datagen::Genome23andMe(panel, relative, 200, 4)};

  std::vector<std::string> expected;
  for (const datagen::GenomeLayout layout : datagen::kAllGenomeLayouts) {
    for (const Packing packing : {Packing::kNone, Packing::kGzip, Packing::kZip}) {
      if (packing != Packing::kNone && !CanUnpack()) continue;
      const std::string variant = std::string(datagen::GenomeLayoutName(layout)) +
                                  (packing == Packing::kGzip ? "-gz" : packing == Packing::kZip ? "-zip" : "");
      const std::filesystem::path folder = root / variant;
      std::filesystem::create_directories(folder);
      for (int i = 0; i < 2; ++i) {
        const std::filesystem::path path = folder / (i == 0 ? "genome" : "relative");
        const std::string text = datagen::GenomeInLayout(genomes[i], layout);
        if (packing == Packing::kNone) {
          WriteText(path, text);
        } else {
          ASSERT_TRUE(WritePackedFile(packing, path.string(), {{"raw data.txt", text}}));
        }
      }
      const std::vector<std::string> results = Results(folder, root);
      if (expected.empty()) {
        expected = results;
        // The runs found something to agree on.
        EXPECT_EQ(expected[0].rfind("SNPs: 3000 ", 0), 0u) << expected[0];
        EXPECT_NE(expected[3].find("Total comparable: 3200 SNPs"), std::string::npos) << expected[3];
        continue;
      }
      for (std::size_t i = 0; i < results.size(); ++i) EXPECT_EQ(results[i], expected[i]) << variant << ", output " << i;
    }
  }
  std::filesystem::remove_all(root);
}

// The same genomes with every position moved, as on another genome build:
// the SNPs are still matched by name, the results stay, and the user is
// told.
TEST(CliLayouts, AnotherGenomeBuildIsToldAndMatchedByName) {
  RegisterUnpacker();
  const std::filesystem::path root = std::filesystem::path(::testing::TempDir()) / "varnik_cli_other_build";
  std::filesystem::remove_all(root);
  const datagen::SimulatedPanel panel = datagen::MakePanel(8, 2000, {"Southern", "African"}, 0.15);
  std::filesystem::create_directories(root / "same");
  std::filesystem::create_directories(root / "other");
  WriteText(root / "calculator.txt", datagen::TextCalculator(panel));
  ASSERT_TRUE(datagen::WriteParCalculator(panel, root.string(), "Sim3"));
  WriteText(root / "map.csv", datagen::PanelGeneticMap(panel));
  for (int i = 0; i < 2; ++i) {
    const std::string genome =
        datagen::Genome23andMe(panel, datagen::MakePerson(panel, 5 + i, {0.4, 0.6}, 3.0), 0, 1);
    WriteText(root / "same" / (i == 0 ? "genome" : "relative"), genome);
    // Every position 1000 base pairs further on.
    std::string moved;
    std::size_t at = 0;
    while (at < genome.size()) {
      std::string line = genome.substr(at, genome.find('\n', at) - at);
      at += line.size() + 1;
      if (line[0] != '#') {
        const std::size_t tab = line.find('\t', line.find('\t') + 1) + 1, end = line.find('\t', tab);
        line = line.substr(0, tab) + std::to_string(std::stoi(line.substr(tab, end - tab)) + 1000) + line.substr(end);
      }
      moved += line + "\n";
    }
    WriteText(root / "other" / (i == 0 ? "genome" : "relative"), moved);
  }
  const std::vector<std::string> same = Results(root / "same", root);
  const std::string genome = (root / "other" / "genome").string();
  const CliResult admixture = RunCli(RunAdmixture, {"--sample", genome, "--calculator", (root / "calculator.txt").string()});
  EXPECT_EQ(admixture.out, same[0] + "\ngenome: 2000 of 2000 SNPs found by name lie at other positions than in the "
                                     "calculator: the file is on another genome build; its SNPs are matched by name "
                                     "and take the calculator's positions\n");
  const std::string map_ = (root / "map.csv").string();
  const CliResult compared = RunCli(RunCompareGenomes, {genome, (root / "other" / "relative").string(), "--map", map_});
  EXPECT_EQ(compared.out, same[3]);
  EXPECT_NE(compared.err.find("genome: 2000 of 2000 SNPs found by name lie at other positions than in the genetic map"),
            std::string::npos)
      << compared.err;
  const CliResult related = RunCli(RunRelatedness, {genome, "--map", map_});
  EXPECT_NE(related.err.find("and 0 SNPs the map lacks are left out"), std::string::npos) << related.err;
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace varnik::cli
