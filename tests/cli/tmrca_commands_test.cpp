#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "cli/cli_test_support.h"
#include "cli/subcommands.h"
#include "common/binary_io.h"
#include "common/format.h"
#include "tmrca/transition_table_file.h"
#include "texts/text_table.h"

namespace varnik::cli {
namespace {

std::string Temp(const std::string& name, const std::string& content = {}) {
  const auto path = std::filesystem::temp_directory_path() / ("varnik_cli_" + name);
  if (!content.empty()) WriteFileAtomically(path.string(), content);
  return path.string();
}

TEST(CliTmrca, PrintsTheReportWritesTheGraphAndRefusesBadArguments) {
  const std::string file =
      Temp("tmrca.txt", "13 24 14 11 11-14 12 12 12 13 13 29\r\n13 24 14 11 11-14 12 12 12 13 13 30\n");
  const std::string svg = Temp("tmrca.svg");
  const CliResult r = RunCli(RunTmrca, {"--descendants", file, "--ancestor", "13 24 14 11 11-14 12 12 12 13 13 29",
                                      "--svg", svg, "--graph", "1", "--without", "2"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind(Format("%s: 2\n", TextById(250, 1).c_str()), 0), 0u) << r.out;
  EXPECT_NE(r.out.find(Format("%s=3 ", TextById(232, 1).c_str())), std::string::npos);
  EXPECT_EQ(r.out.find(Format("%s=2 ", TextById(232, 1).c_str())), std::string::npos);
  EXPECT_TRUE(std::filesystem::file_size(svg) > 0);
  EXPECT_EQ(RunCli(RunTmrca, {"--descendants", file, "--lang", "sr", "--markers", "0"}).out.rfind(TextById(250, 0), 0), 0u);
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--descendants", file, "--order", "10"}, {"--descendants", file, "--graph", "1"}, {},
           {"--descendants", Temp("no_such_file")}, {"--descendants", Temp("tmrca_bad.txt", "13 24 14\n13 2x\n")}}) {
    EXPECT_EQ(RunCli(RunTmrca, args).status, 1) << args.size();
  }
  for (const char* name : {"tmrca.txt", "tmrca.svg", "tmrca_bad.txt"}) std::filesystem::remove(Temp(name));
}

TEST(CliTmrca, TheTypingOrderOfCopiesAndLongFilesDoNotChangeTheResult) {
  const std::string a = "13 24 14 11 11-14 12 12 12 13 13 29";
  const std::string b = "13 24 14 11 14-11 12 12 12 13 13 29";
  const std::string alike = RunCli(RunTmrca, {"--descendants", Temp("alike.txt", a + "\n" + a + "\n")}).out;
  ASSERT_NE(alike.find(Format("%s 50%%=", TextById(235, 1).c_str())), std::string::npos) << alike;
  EXPECT_EQ(RunCli(RunTmrca, {"--descendants", Temp("crossed.txt", a + "\n" + b + "\n")}).out, alike);
  // The second man's line starts beyond two million characters.
  EXPECT_EQ(RunCli(RunTmrca, {"--descendants", Temp("long.txt", a + std::string(2100000, '\n') + b)}).out, alike);
  for (const char* name : {"alike.txt", "crossed.txt", "long.txt"}) std::filesystem::remove(Temp(name));
}

TEST(CliTmrca, TransitionTableWritesTheFile) {
  const std::string out = Temp("tables.dat");
  ASSERT_EQ(RunCli(RunTransitionTable, {"--generations", "2", "--out", out}).status, 0);
  CTablicePrelazaka table;
  ASSERT_TRUE(table.Open(out));
  EXPECT_EQ(table.generations(), 2);
  EXPECT_EQ(RunCli(RunTransitionTable, {"--generations", "0", "--out", out}).status, 1);
  EXPECT_EQ(RunCli(RunTransitionTable, {"--generations", "2"}).status, 1);
  // Standard output takes the same bytes; a full device gives the reason.
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(out, bytes));
  const CliResult piped = RunCli(RunTransitionTable, {"--generations", "2", "--out", "-"});
  EXPECT_EQ(piped.status, 0);
  EXPECT_TRUE(piped.out == bytes);
  if (std::filesystem::is_character_file("/dev/full")) {
    const CliResult full = RunCli(RunTransitionTable, {"--generations", "1", "--out", "/dev/full"});
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find(std::make_error_code(std::errc::no_space_on_device).message()), std::string::npos);
    EXPECT_TRUE(full.out.empty());
  }
  std::filesystem::remove(out);
}

}  // namespace
}  // namespace varnik::cli
