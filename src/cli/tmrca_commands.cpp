// varnik-cli tmrca: the age estimate of the TMRCA tool from a file of
// descendant haplotypes; varnik-cli transition-table: the transition-table
// file.
#include <atomic>
#include <cstdio>
#include <string>

#include "cli/subcommands.h"
#include "platform/svg_canvas.h"
#include "texts/text_table.h"
#include "tmrca/age_graph.h"
#include "tmrca/prepare_markers.h"
#include "tmrca/tmrca_estimator.h"
#include "tmrca/tmrca_input.h"
#include "tmrca/transition_table_file.h"

namespace varnik::cli {
namespace {

const char kTmrcaUsage[] =
    "usage: varnik-cli tmrca --descendants FILE [--ancestor TEXT] [--order 0..9] [--markers 0|1|2] "
    "[--allow-unknown] [--min-markers N] [--without N] [--lang sr|en|ru] [--svg OUT [--graph 0..3]]";

// The graph control of the dialog, in pixels at the usual dialog font.
constexpr Size kGraphSize{890, 124};

void Warn(const std::string& caption, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), message.c_str());
}

}  // namespace

int RunTmrca(Args& args) {
  int language = 1;
  if (!ParseLanguage(args.TakeOption("--lang"), language)) return Fail("--lang takes sr, en or ru");
  const auto descendantsFile = args.TakeOption("--descendants");
  const auto ancestor = args.TakeOption("--ancestor");
  int order = 0, markers = kSingleAndMultiCopyMarkers, minimum = 0, without = 0, graph = 0;
  const auto orderText = args.TakeOption("--order");
  if (orderText && !ParseInt(*orderText, 0, kTmrcaOrderCount - 1, order)) return Fail("--order takes 0 to 9");
  const auto markersText = args.TakeOption("--markers");
  if (markersText && !ParseInt(*markersText, 0, 2, markers)) return Fail("--markers takes 0, 1 or 2");
  const auto minimumText = args.TakeOption("--min-markers");
  if (minimumText && !ParseInt(*minimumText, 0, 105, minimum)) return Fail("--min-markers takes 0 to 105");
  const auto withoutText = args.TakeOption("--without");
  if (withoutText && !ParseInt(*withoutText, 0, CRaspodelaStarostiNajSkorZajedPredka::kMaxGenerationsWithoutAncestor,
                               without)) {
    return Fail("--without takes 0 to 399");
  }
  const auto svg = args.TakeOption("--svg");
  const auto graphText = args.TakeOption("--graph");
  if (graphText && (!svg || !ParseInt(*graphText, 0, 3, graph))) return Fail("--graph takes 0 to 3, with --svg");
  const bool allowUnknown = args.TakeFlag("--allow-unknown");
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  if (!descendantsFile || !args.rest().empty()) return Fail(kTmrcaUsage);

  TmrcaInputText input;
  std::string error;
  if (!ReadTextFile(*descendantsFile, std::size_t{64} << 20, input.descendants, &error)) return Fail(error);
  input.ancestor = ancestor.value_or("");
  input.order = order;
  input.minimumMarkers = minimum;

  TmrcaHaplotypes haplotypes;
  std::vector<std::string> names;
  if (!ReadTmrcaInput(input, haplotypes, names, error, language)) return Fail(error);
  if (haplotypes.size() >= 4 && allowUnknown) {
    Warn(TextById(kTextWarning, language), TextById(kTextWarnUnknownAncestorValues, language));
  }
  CompleteAncestor(haplotypes, allowUnknown);
  CRaspodelaStarostiNajSkorZajedPredka estimator;
  if (!PrepareMarkers(haplotypes, markers, order, estimator.records, error, language)) return Fail(error);
  const std::string warning = WarnFewValues(estimator.records, language);
  if (!warning.empty()) Warn(TextById(kTextWarning, language), warning);

  estimator.generationsWithoutAncestor = without;
  std::atomic<int> stop{0};
  std::string report;
  if (!estimator.Run(markers, stop, {}, report, language, false)) return Fail("the computation did not finish");
  PrintText(report);

  if (svg) {
    SvgCanvas canvas(kGraphSize);
    DrawAgeGraph(canvas, Rect{0, 0, kGraphSize.width, kGraphSize.height}, estimator.distribution,
                 graph == 1 || graph == 3, graph == 2 || graph == 3);
    return WriteOutput(*svg, [&canvas](const ByteSink& sink) { return canvas.Write(sink); });
  }
  return 0;
}

int RunTransitionTable(Args& args) {
  const auto generationsText = args.TakeOption("--generations");
  const auto out = args.TakeOption("--out");
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  int generations = 0;
  if (!generationsText || !out || !args.rest().empty()) {
    return Fail("usage: varnik-cli transition-table --generations N --out FILE");
  }
  if (!ParseInt(*generationsText, 1, kMaxTransitionTableGenerations, generations)) {
    return Fail("--generations takes 1 to 600");
  }
  return WriteOutput(*out, [generations](const ByteSink& sink) { return WriteTransitionTable(sink, generations); });
}

}  // namespace varnik::cli
