#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "cli/cli_test_support.h"
#include "cli/subcommands.h"
#include "common/binary_io.h"

namespace varnik::cli {
namespace {

TEST(CliCrossValidate, ReadsATableFoldsItByGroupAndTrainsFromItToo) {
  const std::string prefix = (std::filesystem::temp_directory_path() / "varnik_cli_cross_").string();
  const std::string input = prefix + "men.csv";
  const std::string model = prefix + "model.dat";
  std::string text = "Study;Haplogroup;DYS393;DYS390;DYS19;DYS391;DYS385a;DYS385b\n";
  for (int g = 0; g < 3; ++g) {
    for (int i = 0; i < 4; ++i) {
      text += std::to_string(g) + ";R1a;13;25;16;11;11;14\n" + std::to_string(g) + ";J2;12;23;14;10;13;17\n";
    }
  }
  ASSERT_TRUE(WriteFileAtomically(input, text));
  const CliResult run = RunCli(RunCrossValidate, {"--input", input, "--csv", "--group-column", "1", "--folds", "3"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("3 folds by group (3 groups)"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("24      100.0%  100.0%"), std::string::npos) << run.out;
  EXPECT_NE(run.err.find("fold 3 of 3"), std::string::npos);

  const auto trained = StatusAndOut(RunTrainModel, {"--input", input, "--out", model, "--csv", "--no-stats"});
  EXPECT_EQ(trained.first, 0);
  EXPECT_EQ(trained.second.rfind("24 samples, 2 branches", 0), 0u) << trained.second;
  // A model on standard output is the same bytes as the file; the summary
  // goes to the error stream.
  const CliResult piped = RunCli(RunTrainModel, {"--input", input, "--out", "-", "--csv", "--no-stats"});
  ASSERT_EQ(piped.status, 0) << piped.err;
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(model, bytes));
  EXPECT_EQ(piped.out, bytes);
  EXPECT_EQ(piped.err.rfind("24 samples, 2 branches", 0), 0u) << piped.err;

  EXPECT_EQ(StatusAndOut(RunCrossValidate, {"--input", input, "--csv", "--folds", "4"}).first, 1);  // 3 groups
  EXPECT_EQ(StatusAndOut(RunCrossValidate, {"--input", input, "--group-column", "1"}).first, 1);    // needs --csv
  EXPECT_EQ(StatusAndOut(RunCrossValidate, {"--input", input, "--csv", "--folds", "1"}).first, 1);
  EXPECT_EQ(StatusAndOut(RunCrossValidate, {"--csv"}).first, 1);
  for (const std::string& path : {input, model}) std::remove(path.c_str());
}

}  // namespace
}  // namespace varnik::cli
