#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "cli/cli_test_support.h"
#include "cli/subcommands.h"
#include "common/binary_io.h"
#include "common/utf.h"
#include "predictor/haplotype_search.h"

namespace varnik::cli {
namespace {

class SearchCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() / ("varnik_cli_search_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(WriteFileAtomically((folder / SampleCollections()[0].fileName).string(),
                                    Utf16LeWithBom("[Srbi#Serbs]\r\n"
                                                   "A # 13 24 14 11 11-14 12 12 12 13 13 29\r\n"
                                                   "B # 13 23 14 11 11-15 12 12 12 13 13 30\r\n"
                                                   "C # 13 24 14 11 11-14 12 12 12 13 13 31\r\n")));
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::filesystem::path folder;
};

TEST_F(SearchCommand, PrintsWhatTheDialogShows) {
  CPoregjenjeHaplovrst engine;
  engine.collectionsFolder = folder.string();
  engine.settings.collections.assign(kCollectionCount, false);
  engine.settings.collections[0] = true;
  engine.settings.maxShown = 10;
  engine.settings.rankingMethod = 1;
  engine.settings.constraints = {{1, 24, 24}};
  std::string expected;
  Haplotype haplotype;
  ASSERT_TRUE(SearchCollections(engine, "13,24,14,11,11-14,12,12,12,13,13,29", 0, 2, false, expected, haplotype));
  std::string printed;
  for (const char c : expected) {
    if (c != '\r') printed += c;
  }
  const CliResult result = RunCli(RunSearch, {"--collections", "0", "--collections-dir", folder.string(),
                                              "--max-shown", "10", "--rank", "1", "--constraint", "dys390=24",
                                              "--lang", "ru", "13,24,14,11,11-14,12,12,12,13,13,29"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, printed);
  EXPECT_NE(result.out.find("] C\n"), std::string::npos);
  EXPECT_EQ(result.out.find("] B\n"), std::string::npos);
}

TEST_F(SearchCommand, RejectsBadInputWithTheDialogsMessage) {
  const struct {
    std::vector<std::string> argv;
    const char* error;
  } cases[] = {
      {{"--order", "4", "13 24 14"}, "Bad input data"},
      {{"13 24 14 11 11-14 12 12 12 $ 13 29"}, "Marker DYS 389II cannot be given without 389I."},
      {{"--constraint", "DYS999=3", "13"}, "--constraint"},
      {{"--constraint", "DYS390=x", "13"}, "--constraint"},
      {{"--collections", "0,10", "13"}, "--collections"},
      {{"--max-diff", "80", "13"}, "--max-diff"},
      {{"--min-common", "4", "13"}, "--min-common"},
      {{}, "usage"},
  };
  for (const auto& c : cases) {
    const CliResult result = RunCli(RunSearch, c.argv);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(c.error), std::string::npos) << result.err;
  }
  // A collection that is not there is a warning, on standard error too.
  const CliResult missing = RunCli(RunSearch, {"--collections", "0,5", "--collections-dir", folder.string(), "13 24"});
  EXPECT_EQ(missing.status, 0);
  EXPECT_NE(missing.out.find("Warning: some of haplotype collections"), std::string::npos);
  EXPECT_NE(missing.err.find("Haplovrste 17ozn - Italija 884.txt"), std::string::npos);
}

}  // namespace
}  // namespace varnik::cli
