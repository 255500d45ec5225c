#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "cli/cli_test_support.h"
#include "cli/subcommands.h"
#include "common/binary_io.h"
#include "predictor/predict_lines.h"

namespace varnik::cli {
namespace {

TEST(CliPredictor, TrainsAModelPredictsWithItAndRefusesBadArguments) {
  const std::string prefix = (std::filesystem::temp_directory_path() / "varnik_cli_predictor_").string();
  const std::string input = prefix + "samples.txt";
  const std::string model = prefix + "model.dat";
  std::string text = "# two lineages\n";
  for (int i = 0; i < 5; ++i) {
    text += "R1a | M207>M417 | 13 25 16 10 11-14 12 12 10 13 11 30\n";
    text += "R1b | M207>M269 | 13 24 14 11 11-14 12 12 12 13 13 29\n";
  }
  ASSERT_TRUE(WriteFileAtomically(input, text));
  const auto trained = StatusAndOut(RunTrainModel, {"--input", input, "--out", model, "--sets", "1", "--min-markers", "5"});
  ASSERT_EQ(trained.first, 0);
  EXPECT_EQ(trained.second, "10 samples, 2 branches, 1 super-groups, 3 SNPs: " + model + "\n");

  const auto [status, out] = StatusAndOut(RunPredict, {"--model", model, "13 25 16 10 11-14 12 12 10 13 11 30"});
  EXPECT_EQ(status, 0);
  EXPECT_LT(out.find("\tR1a\n"), out.find("\tR1b\n")) << out;
  // Known SNP M269 leaves R1b alone.
  const auto restricted = StatusAndOut(RunPredict, {"--model", model, "--snp", "M269", "13 25 16 10 11-14 12 12 10 13 11 30"});
  EXPECT_EQ(restricted.second.find("\tR1a\n"), std::string::npos) << restricted.second;

  EXPECT_EQ(StatusAndOut(RunPredict, {"--model", model, "--snp", "M999", "13 25"}).first, 1);
  EXPECT_EQ(StatusAndOut(RunPredict, {"--model", model + ".missing", "13 25"}).first, 1);
  EXPECT_EQ(StatusAndOut(RunPredict, {"--predictor", "4", "13"}).first, 1);
  EXPECT_EQ(StatusAndOut(RunPredict, {"--predictor", "1", "--model", model, "13"}).first, 1);
  EXPECT_EQ(StatusAndOut(RunTrainModel, {"--input", input, "--out", model, "--sets", "9"}).first, 1);
  EXPECT_EQ(StatusAndOut(RunTrainModel, {"--input", model + ".missing", "--out", model}).first, 1);
  for (const std::string& path : {input, model}) std::remove(path.c_str());
}

// Inputs are never cut inside a line: a file over the limit is refused
// with its size named, and a single prediction reads its first 4,999
// characters as one line, where a batch reads every line.
TEST(CliPredictor, InputLimitsRefuseOrCutWhereTheySay) {
  const std::string path = (std::filesystem::temp_directory_path() / "varnik_cli_limit.txt").string();
  ASSERT_TRUE(WriteFileAtomically(path, std::string(101, '1')));
  std::string text, error;
  EXPECT_TRUE(ReadTextFile(path, 101, text, &error));
  EXPECT_EQ(text.size(), 101u);
  EXPECT_FALSE(ReadTextFile(path, 100, text, &error));
  EXPECT_EQ(error, path + " is larger than the limit of 100 bytes");
  EXPECT_FALSE(ReadTextFile(path + ".missing", 100, text, &error));
  EXPECT_EQ(error, "cannot read " + path + ".missing");
  std::remove(path.c_str());

  const std::string input = std::string(4990, '1') + "\r\n" + std::string(20, '2');
  const std::vector<std::string> single = InputLines(input, false);
  ASSERT_EQ(single.size(), 1u);
  // The line end counts as two of the 4,999 and becomes one blank.
  EXPECT_EQ(single[0], std::string(4990, '1') + " " + std::string(7, '2'));
  const std::vector<std::string> batch = InputLines(input, true);
  ASSERT_EQ(batch.size(), 2u);
  EXPECT_EQ(batch[1], std::string(20, '2'));
}

}  // namespace
}  // namespace varnik::cli
