// varnik-cli search: the haplotype search over the sample collections, with
// the text the search dialog shows.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <strings.h>

#include "cli/subcommands.h"
#include "predictor/haplotype_search.h"
#include "texts/text_table.h"
#include "ystr/markers.h"

namespace varnik::cli {
namespace {

constexpr const char* kUsage =
    "usage: varnik-cli search [--order 0..5] [--min-common N] [--max-diff PERCENT] [--max-shown N] [--rank 0..2] "
    "[--constraint COLUMN=RANGE ...] [--collections I,J,...] [--collections-dir DIR] [--comma] [--lang sr|en|ru] "
    "\"HAPLOTYPE\"";

// "DYS456=12~15": the column by its long header (any letter case) and the
// range in the dialog's grammar.
bool ParseConstraint(const std::string& text, CSettingConstraint& constraint) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos) return false;
  const std::string header = text.substr(0, equals);
  constraint.column = -1;
  for (int32_t column = 0; column < kFtdnaColumnCount; ++column) {
    if (strcasecmp(std::string(ColumnHeader(column, true)).c_str(), header.c_str()) == 0) constraint.column = column;
  }
  ParseRangeText(text.substr(equals + 1), constraint.low, constraint.high);
  return constraint.column >= 0 && (constraint.low >= 0 || constraint.high >= 0);
}

bool ParseCollections(const std::string& text, std::vector<bool>& selection) {
  selection.assign(kCollectionCount, false);
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    int index = 0;
    if (!ParseInt(text.substr(start, comma - start), 0, kCollectionCount - 1, index)) return false;
    selection[static_cast<std::size_t>(index)] = true;
    start = comma + 1;
  }
  return true;
}

}  // namespace

int RunSearch(Args& args) {
  int language = kLanguageEnglish;
  if (!ParseLanguage(args.TakeOption("--lang"), language)) return Fail("--lang takes sr, en or ru");
  CPoregjenjeHaplovrst engine;
  CPostavkePretrage& settings = engine.settings;
  int order = 0;
  if (const auto v = args.TakeOption("--order"); v && !ParseInt(*v, 0, 5, order)) return Fail("--order takes 0 to 5");
  if (const auto v = args.TakeOption("--min-common"); v && !ParseInt(*v, 5, 60, settings.minCommonMarkers)) {
    return Fail("--min-common takes 5 to 60");
  }
  if (const auto v = args.TakeOption("--max-shown"); v && !ParseInt(*v, 10, 500, settings.maxShown)) {
    return Fail("--max-shown takes 10 to 500");
  }
  if (const auto v = args.TakeOption("--rank"); v && !ParseInt(*v, 0, 2, settings.rankingMethod)) {
    return Fail("--rank takes 0 to 2");
  }
  if (const auto v = args.TakeOption("--max-diff")) {
    char* end = nullptr;
    const double percent = std::strtod(v->c_str(), &end);
    if (v->empty() || *end != '\0' || !(percent >= 1 && percent <= 70)) return Fail("--max-diff takes 1 to 70 (percent)");
    settings.maxDifferenceRatio = percent / 100;
  }
  std::vector<CSettingConstraint> constraints;
  while (const auto v = args.TakeOption("--constraint")) {
    CSettingConstraint constraint;
    if (!ParseConstraint(*v, constraint)) {
      return Fail("--constraint takes COLUMN=RANGE, e.g. DYS456=16 or DYS385=11~14 (ranges n, a~b, ~b, a~)");
    }
    constraints.push_back(constraint);
  }
  if (!constraints.empty()) {
    settings.constraints = constraints;
    if (settings.constraints.size() < kMinConstraintSlots) settings.constraints.resize(kMinConstraintSlots);
  }
  if (const auto v = args.TakeOption("--collections"); v && !ParseCollections(*v, settings.collections)) {
    return Fail("--collections takes list indexes 0 to 9 separated by commas");
  }
  if (const auto v = args.TakeOption("--collections-dir")) engine.collectionsFolder = *v;
  const bool comma = args.TakeFlag("--comma");
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  if (args.rest().size() != 1) return Fail(kUsage);

  std::string output;
  Haplotype haplotype;
  if (!SearchCollections(engine, args.rest()[0], order, language, comma, output, haplotype)) return Fail(output);
  for (const auto& read : engine.lastReads()) {
    const char* file = SampleCollections()[static_cast<std::size_t>(read.collection)].fileName;
    if (!read.result.opened) {
      std::fprintf(stderr, "varnik-cli: collection not found: %s\n", file);
    } else if (!read.result.ok) {
      std::fprintf(stderr, "varnik-cli: collection %s stops at %s\n", file, read.result.error.c_str());
    }
  }
  PrintText(output);
  return 0;
}

}  // namespace varnik::cli
