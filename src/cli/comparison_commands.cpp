// varnik-cli compare-genomes and relatedness: the genome comparison of two to
// six raw genotype files, or the runs of homozygosity of one to six, printed
// as the report file holds them and optionally drawn into an SVG file.
#include <cstdio>
#include <string>
#include <vector>

#include "autosomal/admixture_dialog.h"
#include "autosomal/comparison_draw.h"
#include "autosomal/genome_comparison.h"
#include "cli/subcommands.h"
#include "common/binary_io.h"
#include "common/format.h"
#include "platform/svg_canvas.h"

namespace varnik::cli {

namespace {

int RunComparison(Args& args, int mode) {
  const bool comparison = mode == CPoregjenjeUzoraka::kModeComparison;
  const std::string usage =
      std::string("usage: varnik-cli ") +
      (comparison ? "compare-genomes FILE FILE [FILE...]" : "relatedness FILE [FILE...]") +
      " [--map FILE] [--chromosome N [--from BP --to BP]] [--svg OUT [--size WxH]] [--lang sr|en|ru]";
  int language = 1;
  if (!ParseLanguage(args.TakeOption("--lang"), language)) return Fail("--lang takes sr, en or ru");
  const auto map = args.TakeOption("--map");
  const auto chromosome = args.TakeOption("--chromosome");
  const auto from = args.TakeOption("--from");
  const auto to = args.TakeOption("--to");
  const auto svg = args.TakeOption("--svg");
  const auto size = args.TakeOption("--size");
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  const std::vector<std::string>& files = args.rest();
  const std::size_t fewest = comparison ? 2 : 1;
  if (files.size() < fewest || files.size() > CPoregjenjeUzoraka::kMaxSamples) {
    return Fail(Format("%s\n(%zu to 6 files)", usage.c_str(), fewest));
  }

  CPoregjenjeUzoraka data;
  if (map) data.mapPath = *map;
  ChromosomeWindow window;
  const std::string wrong =
      ParseChromosomeWindow(chromosome, from, to, kMaxChromosomeNumber, kMaxWindowBasePairs, window);
  if (!wrong.empty()) return Fail(wrong);
  data.chromosomeNumber = window.chromosome;
  data.segmentOnly = window.windowOnly;
  data.segmentStart = window.start;
  data.segmentEnd = window.end;
  int width = 1000, height = 700;
  if (size && !svg) return Fail("--size goes with --svg");
  if (size && !ParsePair(*size, 'x', 1, 20000, width, height)) return Fail("--size takes WIDTHxHEIGHT, as 1000x700");

  AdmixtureRunContext context;
  context.language = language;
  int error = 0;
  if (data.RunGenomeComparison(mode, files, error, context, "") != 1) return Fail(data.lastError);
  if (!data.runNotice.empty()) std::fputs(data.runNotice.c_str(), stderr);
  PrintText(data.FormatComparisonReport(language));
  if (svg) {
    SvgCanvas canvas({width, height});
    DrawGenomeComparison(canvas, data);
    return WriteOutput(*svg, canvas.Finish());
  }
  return 0;
}

}  // namespace

int RunCompareGenomes(Args& args) { return RunComparison(args, CPoregjenjeUzoraka::kModeComparison); }

int RunRelatedness(Args& args) { return RunComparison(args, CPoregjenjeUzoraka::kModeRelatedness); }

}  // namespace varnik::cli
