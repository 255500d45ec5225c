// varnik-cli admixture: the admixture calculation of a raw genotype file
// with a calculator, printed as the progress dialog shows its final state:
// the header line, the iteration line and the list of shares.
#include <string>

#include "autosomal/admixture_data.h"
#include "autosomal/admixture_dialog.h"
#include "cli/subcommands.h"
#include "common/format.h"

namespace varnik::cli {

namespace {

const char kAdmixtureUsage[] =
    "usage: varnik-cli admixture --sample FILE --calculator FILE [--chromosome N [--from BP --to BP]] "
    "[--threshold X] [--no-sort] [--lang sr|en|ru]";

// Keeps the last text of each line of the progress dialog.
class LastTexts : public ProgressSink {
 public:
  void SetStatusLine(int line, std::string_view text) override { (line == 1 ? line1 : line2) = text; }
  void SetRunningResults(std::string_view text) override { results = text; }

  std::string line1, line2, results;
};

}  // namespace

int RunAdmixture(Args& args) {
  int language = 1;
  if (!ParseLanguage(args.TakeOption("--lang"), language)) return Fail("--lang takes sr, en or ru");
  CProracunPoreklaOdsecaka data;
  const auto sample = args.TakeOption("--sample");
  const auto calculator = args.TakeOption("--calculator");
  const auto chromosome = args.TakeOption("--chromosome");
  const auto from = args.TakeOption("--from");
  const auto to = args.TakeOption("--to");
  const auto threshold = args.TakeOption("--threshold");
  const bool noSort = args.TakeFlag("--no-sort");
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  if (!sample || !calculator || !args.rest().empty()) return Fail(kAdmixtureUsage);
  data.samplePath = *sample;
  data.calculatorPath = *calculator;
  ChromosomeWindow window;
  const std::string wrong =
      ParseChromosomeWindow(chromosome, from, to, kMaxChromosomeNumber, kMaxWindowBasePairs, window);
  if (!wrong.empty()) return Fail(wrong);
  data.chromosomeNumber = window.chromosome;
  data.segmentOnly = window.windowOnly;
  data.segmentStart = window.start;
  data.segmentEnd = window.end;
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
