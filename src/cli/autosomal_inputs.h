// What the autosomal subcommands share: the options that name the inputs
// and the chromosome window (admixture_command.cpp), and a progress sink
// that keeps the last texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "autosomal/admixture_data.h"
#include "cli/args.h"

namespace varnik::cli {

struct AutosomalInputOptions {
  std::optional<std::string> sample, calculator, chromosome, from, to;
};

// Takes --sample, --calculator, --chromosome, --from and --to.
AutosomalInputOptions TakeAutosomalInputs(Args& args);
// Puts the options into `data`; returns the reason when one is out of range.
std::optional<std::string> ApplyAutosomalInputs(const AutosomalInputOptions& options, CProracunPoreklaOdsecaka& data);

// Keeps the last text of each line of the progress dialog.
class LastTexts : public ProgressSink {
 public:
  void SetStatusLine(int line, std::string_view text) override { (line == 1 ? line1 : line2) = text; }
  void SetRunningResults(std::string_view text) override { results = text; }

  std::string line1, line2, results;
};

}  // namespace varnik::cli
