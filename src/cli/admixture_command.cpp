// varnik-cli admixture: the admixture calculation of a raw genotype file
// with a calculator, printed as the progress dialog shows its final state:
// the header line, the iteration line and the list of shares.
#include <string>

#include "autosomal/admixture_data.h"
#include "autosomal/admixture_dialog.h"
#include "cli/autosomal_inputs.h"
#include "cli/subcommands.h"
#include "common/format.h"

namespace varnik::cli {

namespace {

const char kAdmixtureUsage[] =
    "usage: varnik-cli admixture --sample FILE --calculator FILE [--chromosome N [--from BP --to BP]] "
    "[--threshold X] [--no-sort] [--lang sr|en|ru]";

}  // namespace

AutosomalInputOptions TakeAutosomalInputs(Args& args) {
  AutosomalInputOptions options;
  options.sample = args.TakeOption("--sample");
  options.calculator = args.TakeOption("--calculator");
  options.chromosome = args.TakeOption("--chromosome");
  options.from = args.TakeOption("--from");
  options.to = args.TakeOption("--to");
  return options;
}

std::optional<std::string> ApplyAutosomalInputs(const AutosomalInputOptions& options, CProracunPoreklaOdsecaka& data) {
  data.samplePath = options.sample.value_or("");
  data.calculatorPath = options.calculator.value_or("");
  ChromosomeWindow window;
  const std::string wrong = ParseChromosomeWindow(options.chromosome, options.from, options.to, kMaxChromosomeNumber,
                                                  kMaxWindowBasePairs, window);
  if (!wrong.empty()) return wrong;
  data.chromosomeNumber = window.chromosome;
  data.segmentOnly = window.windowOnly;
  data.segmentStart = window.start;
  data.segmentEnd = window.end;
  return std::nullopt;
}

int RunAdmixture(Args& args) {
  int language = 1;
  if (!ParseLanguage(args.TakeOption("--lang"), language)) return Fail("--lang takes sr, en or ru");
  CProracunPoreklaOdsecaka data;
  const AutosomalInputOptions inputs = TakeAutosomalInputs(args);
  const auto threshold = args.TakeOption("--threshold");
  const bool noSort = args.TakeFlag("--no-sort");
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  if (!inputs.sample || !inputs.calculator || !args.rest().empty()) return Fail(kAdmixtureUsage);
  if (const auto error = ApplyAutosomalInputs(inputs, data)) return Fail(*error);
  if (threshold && (!ScanDouble(*threshold, data.changeThreshold) || data.changeThreshold < kMinChangeThreshold ||
                    data.changeThreshold > kMaxChangeThreshold)) {
    return Fail("--threshold takes 1e-10 to 1e-4");
  }

  LastTexts texts;
  AdmixtureRunContext context;
  context.progress = &texts;
  context.language = language;
  context.sortResults = !noSort;
  if (!data.RunAdmixture(context)) return Fail(data.lastError);
  PrintText(texts.line1 + "\r\n" + texts.line2 + "\r\n" + texts.results);
  return 0;
}

}  // namespace varnik::cli
