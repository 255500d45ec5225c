// varnik-cli painting: the chromosome painting of a raw genotype file with
// a calculator.  Prints the overall shares as the legend lists them; writes
// the local ancestry of every SNP as a table, and the painting as the main
// window draws it into an SVG file.
#include <cstdio>
#include <string>

#include "autosomal/admixture_dialog.h"
#include "autosomal/painting.h"
#include "autosomal/painting_dialog.h"
#include "cli/autosomal_inputs.h"
#include "cli/subcommands.h"
#include "common/binary_io.h"
#include "common/format.h"
#include "platform/svg_canvas.h"
#include "texts/text_table.h"

namespace varnik::cli {

namespace {

const char kPaintingUsage[] =
    "usage: varnik-cli painting --sample FILE --calculator FILE [--half-window N | --window-cm X [--min-side N]] "
    "[--chromosome N [--from BP --to BP]] [--same-population-only] [--levelling N] [--svg OUT [--size WxH]] "
    "[--values OUT.tsv] [--lang sr|en|ru]";

// One line per SNP with values: name, chromosome, position, the K values.
std::string ValuesTable(const CProracunPoreklaOdsecaka& data) {
  std::string table;
  const std::size_t k = data.populationNames.size();
  for (const CPodaciSNPaZaPorekloOdsecaka& snp : data.snps) {
    if (snp.paintValues.size() != k) continue;
    table += Format("%s\t%d\t%d", snp.snpName.c_str(), snp.chromosome, snp.position);
    for (const double v : snp.paintValues) table += Format("\t%.6f", v);
    table += "\n";
  }
  return table;
}

}  // namespace

int RunPainting(Args& args) {
  int language = 1;
  if (!ParseLanguage(args.TakeOption("--lang"), language)) return Fail("--lang takes sr, en or ru");
  const AutosomalInputOptions inputs = TakeAutosomalInputs(args);
  const auto halfWindow = args.TakeOption("--half-window");
  const auto windowCm = args.TakeOption("--window-cm");
  const auto minSide = args.TakeOption("--min-side");
  const bool sameOnly = args.TakeFlag("--same-population-only");
  const auto levelling = args.TakeOption("--levelling");
  const auto svg = args.TakeOption("--svg");
  const auto size = args.TakeOption("--size");
  const auto values = args.TakeOption("--values");
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  if (!inputs.sample || !inputs.calculator || !args.rest().empty()) return Fail(kPaintingUsage);

  CProracunPoreklaOdsecaka data;
  if (const auto error = ApplyAutosomalInputs(inputs, data)) return Fail(*error);
  if (halfWindow && windowCm) return Fail("--half-window and --window-cm exclude each other");
  if (minSide && !windowCm) return Fail("--min-side goes with --window-cm");
  if (halfWindow && !ParseInt(*halfWindow, kMinHalfWindowSnps, kMaxHalfWindowSnps, data.halfWindowSnps)) {
    return Fail("--half-window takes 10 to 1000");
  }
  if (windowCm) {
    data.windowBySnpCount = 0;
    if (!ScanDouble(*windowCm, data.windowLengthCm) || data.windowLengthCm < kMinWindowLengthCm ||
        data.windowLengthCm > kMaxWindowLengthCm) {
      return Fail("--window-cm takes 0.1 to 40");
    }
  }
  if (minSide && !ParseInt(*minSide, 0, kMaxHalfWindowSnps, data.minSideSnps)) return Fail("--min-side takes 0 to 1000");
  if (levelling) {
    if (!ParseInt(*levelling, kLevellingMin, kLevellingMax, data.levellingFactor)) {
      return Fail("--levelling takes 5 to 500");
    }
    data.drawLevelled = 1;
  }
  data.pairsSamePopulationOnly = sameOnly ? 1 : 0;
  int width = 1200, height = 800;
  if (size && !svg) return Fail("--size goes with --svg");
  if (size && !ParsePair(*size, 'x', 1, 20000, width, height)) return Fail("--size takes WIDTHxHEIGHT, as 1200x800");

  const int savedLanguage = g_language;
  g_language = language;
  LastTexts texts;
  AdmixtureRunContext context;
  context.progress = &texts;
  context.language = language;
  const bool done = data.RunChromosomePainting(context);
  std::string legend;
  if (done) {
    for (const int p : SortedOrder(data.proportions)) {
      const std::string name = Texts().TranslateEnglishName(data.populationNames[p], 1);
      legend += Format("%s (%.2f%%)\n", name.c_str(), 100.0 * data.proportions[p]);
    }
  }
  std::string drawing;
  if (done && svg) {
    SvgCanvas canvas({width, height});
    data.DrawChromosomePainting(canvas);
    drawing = canvas.Finish();
  }
  g_language = savedLanguage;
  if (!done) return Fail(data.lastError);

  if (!data.loadNotice.empty()) std::fprintf(stderr, "%s\n", data.loadNotice.c_str());
  std::fputs(legend.c_str(), stdout);
  if (values) {
    if (const int status = WriteOutput(*values, ValuesTable(data)); status != 0) return status;
  }
  return svg ? WriteOutput(*svg, drawing) : 0;
}

}  // namespace varnik::cli
