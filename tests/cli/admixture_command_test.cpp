#include <gtest/gtest.h>

#include "cli/cli_test_support.h"
#include "cli/subcommands.h"
#include "compress/zlib_unpacker.h"

namespace varnik::cli {
namespace {

const std::string kBin = VARNIK_BIN_DIR;

// The shipped example genome with the example calculators, as a new user
// would run them.
TEST(AdmixtureCommand, ExampleGenomesRunWithBothExampleCalculators) {
  const CliResult text = RunCli(RunAdmixture, {"--sample", kBin + "/Primer genoma - FTDNA.csv", "--calculator",
                                                kBin + "/Poreklo odsecaka - Svet 6.txt"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out.rfind("SNPs: 60000 , Poreklo odsecaka - Svet 6,  \"Primer genoma - FTDNA.csv\"\n", 0), 0u)
      << text.out;
  // Largest share first: the example person is mostly Atlantic_Baltic.
  EXPECT_NE(text.out.find("\nAtlantic_Baltic:\t\t5"), std::string::npos) << text.out;

  const CliResult par = RunCli(RunAdmixture, {"--sample", kBin + "/Primer genoma - 23andMe.txt", "--calculator",
                                               kBin + "/Svet6.par", "--chromosome", "2", "--no-sort", "--lang", "ru"});
  ASSERT_EQ(par.status, 0) << par.err;
  EXPECT_NE(par.out.find("Хромосома: 2"), std::string::npos) << par.out;
  EXPECT_NE(par.out.find("\nAtlantic_Baltic:"), par.out.find("\nSouth_Asian:"));
  EXPECT_LT(par.out.find("\nAtlantic_Baltic:"), par.out.find("\nSouth_Asian:"));
}

// The packed examples hold the same people as the plain ones: the shares
// agree, only the file's name in the header differs.
TEST(AdmixtureCommand, PackedExampleGenomesGiveThePlainOnesShares) {
  RegisterUnpacker();
  const std::string calculator = kBin + "/Poreklo odsecaka - Svet 6.txt";
  const struct {
    const char *plain, *packed;
  } pairs[] = {{"Primer genoma - FTDNA.csv", "Primer genoma - pet stubaca.zip"},
               {"Primer genoma - 23andMe.txt", "Primer genoma - sa zaglavljem.csv.gz"}};
  for (const auto& pair : pairs) {
    const CliResult plain = RunCli(RunAdmixture, {"--sample", kBin + "/" + pair.plain, "--calculator", calculator});
    const CliResult packed = RunCli(RunAdmixture, {"--sample", kBin + "/" + pair.packed, "--calculator", calculator});
    ASSERT_EQ(packed.status, 0) << packed.err;
    EXPECT_EQ(packed.out.substr(packed.out.find('\n')), plain.out.substr(plain.out.find('\n'))) << pair.packed;
    EXPECT_EQ(packed.out.rfind("SNPs: 60000 ", 0), 0u) << packed.out;
  }
}

TEST(AdmixtureCommand, BadArgumentsAndRefusedRunsExitWithTheReason) {
  const std::string sample = kBin + "/Primer genoma - FTDNA.csv";
  const std::string calculator = kBin + "/Poreklo odsecaka - Svet 6.txt";
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--sample", sample}, "usage: varnik-cli admixture"},
      {{"--sample", sample, "--calculator", calculator, "--from", "1", "--to", "9"}, "--chromosome 1 to 22"},
      {{"--sample", sample, "--calculator", calculator, "--threshold", "0.5"}, "--threshold takes"},
      {{"--sample", sample, "--calculator", calculator, "--chromosome", "1", "--from", "1", "--to", "9"},
       "Number of SNPs on segment is too little"},
      {{"--sample", calculator, "--calculator", calculator}, "not a raw genotype file this program knows"},
      {{"--sample", sample, "--calculator", sample}, "line 1: the first line must give the number of populations"},
  };
  for (const Case& c : cases) {
    const CliResult result = RunCli(RunAdmixture, c.args);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace varnik::cli
