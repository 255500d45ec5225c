#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "cli/cli_test_support.h"
#include "cli/subcommands.h"
#include "common/binary_io.h"

namespace varnik::cli {
namespace {

class CliPredictor : public ::testing::Test {
 protected:
  void SetUp() override {
    // Named after the test, because the tests run in parallel.
    const std::string prefix = (std::filesystem::temp_directory_path() / "varnik_cli_predictor_").string() +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    input_ = prefix + "_samples.txt";
    model_ = prefix + "_model.dat";
    batch_ = prefix + "_batch.txt";
    std::string text = "# two lineages\n";
    for (int i = 0; i < 5; ++i) {
      text += "R1a | M207>M417 | 13 25 16 10 11-14 12 12 10 13 11 30\n";
      text += "R1b | M207>M269 | 13 24 14 11 11-14 12 12 12 13 13 29\n";
    }
    ASSERT_TRUE(WriteFileAtomically(input_, text));
    ASSERT_TRUE(WriteFileAtomically(batch_, "13 25 16 10 11-14 12 12 10 13 11 30\nbad line\n13,24,14,11,11-14\n"));
  }
  void TearDown() override {
    for (const std::string& path : {input_, model_, batch_}) std::remove(path.c_str());
  }
  std::string input_, model_, batch_;
};

TEST_F(CliPredictor, TrainsAModelAndPredictsWithIt) {
  const auto trained = StatusAndOut(RunTrainModel, {"--input", input_, "--out", model_, "--sets", "1", "--min-markers", "5"});
  ASSERT_EQ(trained.first, 0);
  EXPECT_EQ(trained.second, "10 samples, 2 branches, 1 super-groups, 3 SNPs: " + model_ + "\n");

  const auto [status, out] = StatusAndOut(RunPredict, {"--model", model_, "13 25 16 10 11-14 12 12 10 13 11 30"});
  EXPECT_EQ(status, 0);
  EXPECT_LT(out.find("\tR1a\n"), out.find("\tR1b\n")) << out;

  // Known SNP M269 leaves R1b alone.
  const auto restricted = StatusAndOut(RunPredict, {"--model", model_, "--snp", "M269", "13 25 16 10 11-14 12 12 10 13 11 30"});
  EXPECT_EQ(restricted.second.find("\tR1a\n"), std::string::npos) << restricted.second;
  EXPECT_EQ(StatusAndOut(RunPredict, {"--model", model_, "--snp", "M999", "13 25"}).first, 1);
}

TEST_F(CliPredictor, BatchReportsBadLinesAndGoesOn) {
  ASSERT_EQ(StatusAndOut(RunTrainModel, {"--input", input_, "--out", model_}).first, 0);
  const auto [status, out] = StatusAndOut(RunPredict, {"--model", model_, "--batch", batch_});
  EXPECT_EQ(status, 0);
  EXPECT_NE(out.find("2. ----------\nbad line\nBad input data\n3. ----------\n"), std::string::npos) << out;
  EXPECT_EQ(out.rfind("1. ----------\n13 25 16", 0), 0u) << out;
}

TEST_F(CliPredictor, RefusesBadArguments) {
  EXPECT_EQ(StatusAndOut(RunPredict, {"--model", model_ + ".missing", "13 25"}).first, 1);
  EXPECT_EQ(StatusAndOut(RunPredict, {"--predictor", "4", "13"}).first, 1);
  EXPECT_EQ(StatusAndOut(RunPredict, {"--predictor", "1", "--model", model_, "13"}).first, 1);
  EXPECT_EQ(StatusAndOut(RunTrainModel, {"--input", input_, "--out", model_, "--sets", "9"}).first, 1);
  EXPECT_EQ(StatusAndOut(RunTrainModel, {"--input", batch_, "--out", model_}).first, 1);  // not labelled
}

}  // namespace
}  // namespace varnik::cli
