// varnik-cli haplotype: reads one haplotype line as the predictor does and
// shows it column by column.
#include <cstdio>
#include <string>

#include "cli/subcommands.h"
#include "common/utf.h"
#include "texts/text_table.h"
#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"
#include "ystr/markers.h"
#include "ystr/panels.h"

namespace varnik::cli {
namespace {

const char kUsage[] =
    "usage: varnik-cli haplotype [--order 0..5] [--comma] [--to-panel 0|1|2|4|5] [--lang sr|en|ru] \"TEXT\"";

// Pads to `width` characters as they show on a terminal (Cyrillic names take
// two bytes a letter).
std::string Padded(const std::string& text, std::size_t width) {
  const std::size_t length = Utf16Length(text);
  return length >= width ? text + ' ' : text + std::string(width - length, ' ');
}

std::string ValueText(const CVrednostSTRa& entry) {
  if (entry.value < 0) return "$";
  std::string text = std::to_string(entry.value);
  if (entry.fraction != 0) {
    text += '.';
    text += std::to_string(entry.fraction);
  }
  return text;
}

void PrintColumns(const Haplotype& haplotype, int language) {
  std::printf("%s%s%s%svalue\n", Padded("column", 8).c_str(), Padded("header", 14).c_str(),
              Padded("copy", 6).c_str(), Padded("marker", 16).c_str());
  int32_t column = -1;
  for (const CVrednostSTRa& entry : haplotype) {
    if (entry.copy == 0) ++column;
    const bool first = entry.copy == 0;
    const int32_t id = MarkerIdentity(column, entry.copy);
    const std::string marker = id >= 0 ? MarkerDisplayName(id, language) : "-";
    std::printf("%s%s%s%s%s\n", Padded(first ? std::to_string(column) : "", 8).c_str(),
                Padded(first ? std::string(ColumnHeader(column, true)) : "", 14).c_str(),
                Padded(std::to_string(entry.copy), 6).c_str(), Padded(marker, 16).c_str(),
                ValueText(entry).c_str());
  }
}

}  // namespace

int RunHaplotype(Args& args) {
  int language = 1;
  if (!ParseLanguage(args.TakeOption("--lang"), language)) return Fail("--lang takes sr, en or ru");
  int order = 0;
  const auto orderText = args.TakeOption("--order");
  if (orderText && !ParseInt(*orderText, 0, 5, order)) return Fail("--order takes 0 to 5");
  int toPanel = -1;
  const auto panelText = args.TakeOption("--to-panel");
  if (panelText && (!ParseInt(*panelText, 0, kPanelCount - 1, toPanel) || toPanel == kPanel19Ftdna)) {
    return Fail("--to-panel takes 0, 1, 2, 4 or 5");
  }
  const bool comma = args.TakeFlag("--comma");
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  if (args.rest().size() != 1) return Fail(kUsage);
  // The predictor reads commas only in FTDNA order.
  if (comma && order != 0) return Fail("--comma goes with FTDNA order (--order 0) only");

  const std::string line = comma ? MarkCommaFields(args.rest()[0]) : args.rest()[0];
  std::size_t position = 0;
  std::string name;
  Haplotype haplotype;
  int32_t markerCount = 0;
  if (ParseHaplotypeLine(line, position, name, haplotype, markerCount, 0, comma) != 1) {
    return Fail(TextById(kTextBadInputData, language));
  }
  const int32_t panel = PanelOfInputOrder(order);
  if ((panel >= 0 && PanelToFtdna(haplotype, panel, false) != 0) || !CopiesFitCatalogue(haplotype)) {
    return Fail(TextById(kTextBadInputData, language));
  }
  if (!Convert389(haplotype, false, false)) return Fail(TextById(kTextDys389IIWithoutI, language));

  PrintColumns(haplotype, language);
  if (!name.empty()) std::printf("name: %s\n", name.c_str());
  // Written back as it would be typed: DYS389II as FTDNA reports it.
  Haplotype typed = haplotype;
  Convert389(typed, false, true);
  std::printf("FTDNA order: %s\n", FormatHaplotype(typed, true).c_str());
  if (toPanel >= 0) {
    std::printf("panel %d: %s\n", toPanel, FormatHaplotype(FtdnaToPanel(typed, toPanel, false), true).c_str());
  }
  return 0;
}

}  // namespace varnik::cli
