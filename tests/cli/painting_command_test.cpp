#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "autosomal_simulator.h"
#include "cli/cli_test_support.h"
#include "cli/subcommands.h"
#include "common/binary_io.h"

namespace varnik::cli {
namespace {

std::string WriteText(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + "/varnik_cli_painting_" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(CliPainting, PrintsTheLegendAndWritesValuesAndDrawing) {
  const datagen::SimulatedPanel panel = datagen::MakePanel(5, 3000, {"Southern", "African", "East_Asian"}, 0.15);
  const datagen::SimulatedPerson person = datagen::MakePerson(panel, 9, {0.0, 0.7, 0.3}, 3.0);
  const std::string calculator = WriteText("calculator.txt", datagen::TextCalculator(panel));
  const std::string sample = WriteText("genome.txt", datagen::Genome23andMe(panel, person, 100, 4));
  const std::string values = ::testing::TempDir() + "/varnik_cli_painting.tsv";
  const std::string svg = ::testing::TempDir() + "/varnik_cli_painting.svg";

  const CliResult result = RunCli(RunPainting, {"--sample", sample, "--calculator", calculator, "--window-cm", "20",
                                                "--values", values, "--svg", svg, "--size", "800x600"});
  ASSERT_EQ(result.status, 0) << result.err;
  // Three lines, the largest share first.
  std::istringstream lines(result.out);
  std::string first, line;
  std::getline(lines, first);
  EXPECT_EQ(first.rfind("African (", 0), 0u) << result.out;
  int count = 1;
  while (std::getline(lines, line)) ++count;
  EXPECT_EQ(count, 3);

  const std::string table = ReadText(values);
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 3000);
  EXPECT_EQ(table.substr(0, table.find('\t')), panel.snps[0].name);
  const std::string firstLine = table.substr(0, table.find('\n'));
  EXPECT_EQ(std::count(firstLine.begin(), firstLine.end(), '\t'), 5);
  const std::string drawing = ReadText(svg);
  EXPECT_NE(drawing.find("width=\"800\""), std::string::npos);
  EXPECT_NE(drawing.find("African"), std::string::npos);

  // A base-pair window of too few SNPs is refused; so are crossed options.
  const CliResult refused = RunCli(RunPainting, {"--sample", sample, "--calculator", calculator, "--chromosome", "1",
                                                 "--from", "1", "--to", "1000"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("100"), std::string::npos) << refused.err;
  EXPECT_EQ(RunCli(RunPainting, {"--sample", sample, "--calculator", calculator, "--half-window", "20",
                                 "--window-cm", "5"})
                .status,
            1);
  std::remove(values.c_str());
  std::remove(svg.c_str());
}

}  // namespace
}  // namespace varnik::cli
