#include <gtest/gtest.h>

#include "cli/cli_test_support.h"
#include "cli/subcommands.h"
#include "texts/text_table.h"

namespace varnik::cli {
namespace {

TEST(CliText, PrintsOneTextOrTheMenuInTheChosenLanguage) {
  EXPECT_EQ(StatusAndOut(RunText, {"123", "--lang", "ru"}), std::make_pair(0, std::string("Файл\n")));
  EXPECT_EQ(StatusAndOut(RunText, {"99999", "--lang=sr"}), std::make_pair(0, std::string("<no translation>\n")));
  EXPECT_EQ(StatusAndOut(RunText, {"abc"}).first, 1);
  EXPECT_EQ(StatusAndOut(RunText, {"1", "--bogus"}).first, 1);
  EXPECT_EQ(g_language, kLanguageSerbian);  // the command does not change the interface language

  const auto [status, out] = StatusAndOut(RunMenu, {"--lang", "ru"});
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out.rfind("Файл\n", 0), 0u) << out;
  EXPECT_NE(out.find("[x] Русский язык\n"), std::string::npos) << out;
  EXPECT_EQ(StatusAndOut(RunMenu, {"extra"}).first, 1);
}

}  // namespace
}  // namespace varnik::cli
