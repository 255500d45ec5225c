#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/subcommands.h"
#include "cli_test_support.h"

namespace varnik::cli {
namespace {

class ComparisonCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() / "varnik_cli_comparison";
    std::filesystem::create_directories(folder_);
    std::string map = "1 m1 0 1000\n1 m2 10 301000\n";
    std::string a = "# a\n", b = "# b\n";
    for (int i = 0; i < 301; ++i) {
      const std::string line = "rs" + std::to_string(i) + "\t1\t" + std::to_string(1000 + 1000 * i) + "\t";
      a += line + "AA\n";
      b += line + (i == 150 ? "GG\n" : "AG\n");
    }
    Write("map.map", map);
    Write("a.txt", a);
    Write("b.txt", b);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  std::filesystem::path folder_;
};

TEST_F(ComparisonCommandsTest, PrintsTheReportAndDrawsIt) {
  const CliResult result = RunCli(RunCompareGenomes, {Path("a.txt"), Path("b.txt"), "--map", Path("map.map"), "--svg",
                                                      Path("out.svg"), "--size", "400x300"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.rfind("Comparison of genomes\n\"a.txt\" (301 SNPs)\n\"b.txt\" (301 SNPs)\n", 0), 0u) << result.out;
  EXPECT_NE(result.out.find("Semiequal: 300 (99.6678%)"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("1. Chromosome 1: [rs0 (1000) - rs149 (150000)]  SNPs: 150 Length: 4.97 cM"),
            std::string::npos)
      << result.out;
  EXPECT_TRUE(std::filesystem::exists(Path("out.svg")));
  // The drawing goes through the shared output writer: "-" is standard
  // output, after the report.
  const CliResult piped = RunCli(RunCompareGenomes, {Path("a.txt"), Path("b.txt"), "--map", Path("map.map"), "--svg", "-"});
  ASSERT_EQ(piped.status, 0) << piped.err;
  EXPECT_LT(piped.out.find("Semiequal: 300"), piped.out.find("<svg"));
  EXPECT_FALSE(std::filesystem::exists("-"));

  const CliResult self = RunCli(RunRelatedness, {Path("a.txt"), "--map", Path("map.map"), "--lang", "en"});
  ASSERT_EQ(self.status, 0) << self.err;
  EXPECT_NE(self.out.find("Relatedness of parents\n\"a.txt\" (301 SNPs)\nTotal: 10.00 cM ; 0.30 M\nEqual: 100.0000%"),
            std::string::npos)
      << self.out;
}

TEST_F(ComparisonCommandsTest, BadInputFailsWithTheReason) {
  struct Case {
    int (*run)(Args&);
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {RunCompareGenomes, {Path("a.txt")}, "usage"},
      {RunRelatedness, {}, "usage"},
      {RunCompareGenomes, {Path("a.txt"), Path("none.txt"), "--map", Path("map.map")}, "none.txt: the file cannot be opened"},
      {RunCompareGenomes, {Path("a.txt"), Path("b.txt"), "--map", Path("none.map")}, "none.map"},
      {RunCompareGenomes, {Path("a.txt"), Path("b.txt"), "--chromosome", "23"}, "--chromosome"},
      {RunRelatedness, {Path("a.txt"), "--from", "5", "--to", "9"}, "--chromosome"},
  };
  for (const Case& c : cases) {
    const CliResult result = RunCli(c.run, c.args);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace varnik::cli
