#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "cli/cli_test_support.h"
#include "cli/subcommands.h"
#include "common/binary_io.h"
#include "plot/axes_file.h"
#include "plot/plot_state.h"
#include "shell/app_state.h"
#include "texts/text_table.h"

namespace varnik::cli {
namespace {

// Two groups on three axes; no samples with `empty`.
std::string WriteSet(const std::string& name, bool empty = false) {
  ComputedAxesSet set;
  set.name = TextById(kTextDataSetEurope290k, kLanguageSerbian);
  set.header.computationKind = 3;
  for (int32_t id : {kPopSerbs, kPopFrench}) set.groups.push_back({TextById(id, kLanguageSerbian), "", 0x0000FF, 0, 1});
  set.samples.resize(3);
  for (int i = 0; i < 3; ++i) {
    set.samples[i].name = "S" + std::to_string(i);
    set.samples[i].group = i / 2;
  }
  for (int a = 0; a < 3; ++a) set.axes.push_back({{}, 0.25 / (a + 1), {0.0 + a, 1.0, 2.0 * a}});
  if (empty) {
    set.samples.clear();
    for (AxisRecord& axis : set.axes) axis.values.clear();
  }
  const std::string path = ::testing::TempDir() + "/varnik_cli_" + name;
  EXPECT_TRUE(WriteComputedAxesFile(path, set));
  return path;
}

TEST(CliAxes, SummarisesTheSetInTheChosenLanguage) {
  const std::string path = WriteSet("summary.ose");
  const CliResult r = RunCli(RunAxes, {path});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Set: Europe with Near East and North Africa - 290k SNPs\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("    2  12.500%"), std::string::npos) << r.out;
  EXPECT_NE(RunCli(RunAxes, {path, "--lang", "ru"}).out.find("Европа с Ближним Востоком"), std::string::npos);
  EXPECT_EQ(g_language, kLanguageSerbian);
  EXPECT_EQ(RunCli(RunAxes, {}).status, 1);
}

TEST(CliPlot, DrawsThePlotIntoAnSvgFileAndLeavesNoState) {
  const std::string path = WriteSet("plot.ose");
  const std::string svg = ::testing::TempDir() + "/varnik_cli_plot.svg";
  const CliResult r = RunCli(RunPlot, {path, "--svg", svg, "--axes", "3,1", "--flip-h", "--size", "400x300",
                                 "--sample-names"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string text;
  ASSERT_TRUE(ReadWholeFile(svg, text));
  EXPECT_NE(text.find("Axis 3/1 of 3 with square participation 8.333% / 25.000%"), std::string::npos);
  EXPECT_NE(text.find(">S2<"), std::string::npos);
  EXPECT_TRUE(g_plotPoints.empty() && g_dataSetName.empty() && !g_flipHorizontal && !g_showSampleNames);
  EXPECT_EQ(RunCli(RunPlot, {path}).status, 1);                                 // no --svg
  EXPECT_EQ(RunCli(RunPlot, {path, "--svg", svg, "--axes", "1,4"}).status, 1);  // only three axes
  EXPECT_EQ(RunCli(RunPlot, {path, "--svg", svg, "--size", "300"}).status, 1);

  // Standard output as the SVG file; a full device reports why it failed.
  const CliResult out = RunCli(RunPlot, {path, "--svg", "-"});
  ASSERT_EQ(out.status, 0) << out.err;
  EXPECT_EQ(out.out.rfind("<?xml", 0), 0u) << out.out.substr(0, 40);
  if (std::filesystem::is_character_file("/dev/full")) {
    const CliResult full = RunCli(RunPlot, {path, "--svg", "/dev/full"});
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("cannot write /dev/full: " + std::make_error_code(std::errc::no_space_on_device).message()),
              std::string::npos) << full.err;
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
  }
}

TEST(CliPlot, ASetWithoutSamplesIsSaidToHaveNone) {
  const CliResult r = RunCli(RunPlot, {WriteSet("empty.ose", true), "--svg", ::testing::TempDir() + "/varnik_empty.svg"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("the set has no samples to plot"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace varnik::cli
