// varnik-cli text and menu.
#include <cstdio>

#include "cli/subcommands.h"
#include "texts/text_table.h"

namespace varnik::cli {

int RunText(Args& args) {
  int language = 1;
  const auto lang = args.TakeOption("--lang");
  if (!ParseLanguage(lang, language)) return Fail("--lang takes sr, en or ru");
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  int id = 0;
  if (args.rest().size() != 1 || !ParseInt(args.rest()[0], -2147483647, 2147483647, id)) {
    return Fail("usage: varnik-cli text ID [--lang sr|en|ru]");
  }
  std::fputs(TextById(id, language).c_str(), stdout);
  std::fputs("\n", stdout);
  return 0;
}

int RunMenu(Args&) { return Fail("menu: not available"); }

}  // namespace varnik::cli
