// varnik-cli text and menu.
#include <cstdio>
#include <map>
#include <string>

#include "shell/main_window.h"
#include "shell/menu.h"

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

namespace {

// Collects what the main window logic sets on the menu.
class MenuRecorder : public MainWindowHost {
 public:
  void SetPopupText(int position, std::string_view text) override { popups[position] = std::string(text); }
  bool SetMenuItemText(int id, std::string_view text) override {
    items[id] = std::string(text);
    return true;
  }
  void CheckMenuItem(int id, bool checked) override { checks[id] = checked; }
  void SetTitle(std::string_view) override {}
  void Repaint() override {}
  void Destroy() override {}

  std::map<int, std::string> popups;
  std::map<int, std::string> items;
  std::map<int, bool> checks;
};

}  // namespace

int RunMenu(Args& args) {
  // The window shows the menu in Serbian at start and in Russian after the
  // switch; English exists in the table, so it is offered as well.
  const auto lang = args.TakeOption("--lang");
  int language = 0;
  if (lang && !ParseLanguage(lang, language)) return Fail("--lang takes sr, ru or en");
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  if (!args.rest().empty()) return Fail("usage: varnik-cli menu [--lang sr|ru]");

  const int32_t saved = g_language;
  g_language = language;
  MenuRecorder recorder;
  EmptyPlot plot;
  EmptyChromosomePainting painting;
  NoTools tools;
  MainWindow window(recorder, plot, painting, tools);
  window.OnCreate();
  g_language = saved;

  const auto& menu = MainMenu();
  for (std::size_t p = 0; p < menu.size(); ++p) {
    std::printf("%s\n", recorder.popups[static_cast<int>(p)].c_str());
    for (const MenuItem& item : menu[p].items) {
      if (item.id == 0) {
        std::printf("    ----------------\n");
        continue;
      }
      bool checked = item.checked;
      if (const auto found = recorder.checks.find(item.id); found != recorder.checks.end()) checked = found->second;
      std::string text = recorder.items.count(item.id) ? recorder.items[item.id] : item.placeholder;
      // Show a tab as the gap before the shortcut and line breaks as spaces.
      for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
      }
      std::printf("  %s %s%s\n", checked ? "[x]" : "   ", text.c_str(), item.grayed ? "  (disabled)" : "");
    }
  }
  return 0;
}

}  // namespace varnik::cli
