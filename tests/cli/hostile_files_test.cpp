// Hostile and degenerate inputs of the command line, made in the tests: each
// is refused with a message and exit status 1, never read into a crash, a
// wrong result or a huge allocation.  CI runs these under AddressSanitizer
// and UndefinedBehaviorSanitizer with the other core tests.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "cli/cli_test_support.h"
#include "cli/subcommands.h"
#include "common/binary_io.h"
#include "plot/axes_file.h"
#include "predictor/model_file.h"
#include "predictor/model_layouts.h"
#include "texts/text_table.h"

namespace varnik::cli {
namespace {

std::string TempFile(const std::string& name, std::string_view content) {
  const std::string path = (std::filesystem::temp_directory_path() / ("varnik_hostile_" + name)).string();
  EXPECT_TRUE(WriteFileAtomically(path, content));
  return path;
}

// Two branches over DYS393 with fit statistics for the 12-marker set.
CPredvigjacMuskihLoz2 SmallModel() {
  CPredvigjacMuskihLoz2 m;
  m.branches = {test::Branch("A", {{0, 13, {0.8, 0.2}}}), test::Branch("B", {{0, 13, {0.2, 0.8}}})};
  m.branchJoins.resize(2);
  m.statSets = {kSet12Markers};
  m.minSetOverlap = 0.05;
  for (COgranakLoze2& b : m.branches) b.fitStats = {{0.5, 0.1, {40, {4, 0, 6}, 10}, {10, {3, 2}, 5}, 0.5}};
  return m;
}

TEST(CliHostileFiles, ModelsWithNumbersTheScoringCannotUseAreRefused) {
  using Damage = void (*)(CPredvigjacMuskihLoz2&);
  const std::vector<std::pair<const char*, Damage>> damages = {
      {"nan fitness", [](CPredvigjacMuskihLoz2& m) { m.branches[0].fitStats[0].meanFitness = std::nan(""); }},
      {"nan prior", [](CPredvigjacMuskihLoz2& m) { m.branches[0].fitStats[0].priorRatio = std::nan(""); }},
      {"huge histogram", [](CPredvigjacMuskihLoz2& m) { m.branches[1].fitStats[0].otherHistogram.start = 0x7fffffff; }},
      {"infinite lnP", [](CPredvigjacMuskihLoz2& m) { m.branches[0].markers[0].copies[0].classes[0].lnP[0] = HUGE_VAL; }},
      {"positive lnP", [](CPredvigjacMuskihLoz2& m) { m.branches[1].markers[0].copies[0].classes[0].lnP[1] = 1e300; }},
      {"no distributions", [](CPredvigjacMuskihLoz2& m) { for (auto& b : m.branches) b.markers.clear(); }},
  };
  const std::string good = TempFile("model_good.dat", SerializePredictorModel(SmallModel()));
  ASSERT_EQ(RunCli(RunPredict, {"--model", good, "13 24"}).status, 0);
  for (const auto& [name, damage] : damages) {
    CPredvigjacMuskihLoz2 model = SmallModel();
    damage(model);
    const std::string path = TempFile("model.dat", SerializePredictorModel(model));
    const CliResult r = RunCli(RunPredict, {"--model", path, "13 24"});
    EXPECT_EQ(r.status, 1) << name << ": " << r.out;
    EXPECT_NE(r.err.find("cannot read the model file"), std::string::npos) << name;
    std::filesystem::remove(path);
  }
  std::filesystem::remove(good);
}

TEST(CliHostileFiles, AModelOfMillionsOfEmptyBranchesIsRefused) {
  // Version 1, K branches of 16 zero bytes each: 32 MiB of file.
  ByteWriter head;
  head.WriteI32(1);
  head.WriteI32(2 * 1024 * 1024 - 1);
  std::string bytes = head.str();
  bytes.resize(std::size_t{32} << 20, '\0');
  const std::string path = TempFile("branches.dat", bytes);
  EXPECT_EQ(RunCli(RunPredict, {"--model", path, "13 24"}).status, 1);
  std::filesystem::remove(path);
}

TEST(CliHostileFiles, EmptyBatchesAndColumnsOfTooManyCopiesAreBadInput) {
  const std::string model = TempFile("batch_model.dat", SerializePredictorModel(SmallModel()));
  for (const std::string& content : {std::string(), std::string("\xEF\xBB\xBF"), std::string("\xFF\xFE"),
                                     std::string(" \r\n\t\n\n")}) {
    const std::string batch = TempFile("batch.txt", content);
    const CliResult r = RunCli(RunPredict, {"--model", model, "--batch", batch});
    EXPECT_EQ(r.status, 1) << content.size() << r.out << r.err;
    EXPECT_NE(r.err.find("holds no haplotype lines"), std::string::npos) << r.err;
  }

  std::string copies = "13 24 14 11 11";
  for (int i = 0; i < 43000; ++i) copies += "-13";
  const std::string bad = TextById(kTextBadInputData, kLanguageEnglish);
  for (const std::string& line : {copies, std::string("13 24 14 11 11-14-15"), std::string("13-14 24")}) {
    EXPECT_EQ(RunCli(RunPredict, {"--model", model, line}).status, 1) << line.substr(0, 30);
    const CliResult shown = RunCli(RunHaplotype, {line});
    EXPECT_EQ(shown.status, 1) << line.substr(0, 30);
    EXPECT_NE(shown.err.find(bad), std::string::npos);
  }
  // A batch reports such a line as bad and goes on.
  const std::string batch = TempFile("batch.txt", copies + "\n13 24\n");
  const CliResult r = RunCli(RunPredict, {"--model", model, "--batch", batch});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\n" + bad + " (line 1, value \"11-13-13-13-13-13-13\")\n2. ----------\n"), std::string::npos)
      << r.out.substr(r.out.size() - 200);
  std::filesystem::remove(model);
  std::filesystem::remove(batch);
}

TEST(CliHostileFiles, ASetWithAWeightThatIsNoNumberIsRefused) {
  ComputedAxesSet set;
  set.groups.push_back({"G", "", 0x0000FF, 0, 1});
  set.samples.resize(2);
  for (CUzorak& sample : set.samples) sample.group = 0;
  set.axes = {{{}, 0.5, {0.0, 1.0}}, {{}, std::nan(""), {1.0, 0.0}}};
  const std::string path = TempFile("weight.ose", WriteComputedAxes(set));
  for (const std::vector<std::string>& args : {std::vector<std::string>{path}, {path, "--svg", "-"}}) {
    const CliResult r = RunCli(args.size() == 1 ? RunAxes : RunPlot, args);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("axis 2 has a weight that is not a finite number"), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("nan"), std::string::npos);
  }
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace varnik::cli
