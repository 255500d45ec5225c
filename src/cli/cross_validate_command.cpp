// varnik-cli cross-validate: how well the model builder's models predict
// labelled men they were not trained on; and the training options and
// labelled input that it shares with train-model.
#include <chrono>
#include <cstdio>
#include <sstream>

#include "cli/subcommands.h"
#include "cli/training_options.h"
#include "predictor/cross_validation.h"
#include "predictor/labelled_table.h"

namespace varnik::cli {
namespace {

// Training files: far more than any real project's haplotypes.
constexpr std::size_t kMaxTrainingFileBytes = std::size_t{256} << 20;

bool ParseDouble(const std::string& text, double low, double high, double& value) {
  std::istringstream in(text);
  in >> value;
  return in && in.eof() && value >= low && value <= high;
}

}  // namespace

bool TakeTrainingOptions(Args& args, CPostavkeUcenja& options, TrainingInput& input, std::string& error) {
  auto fail = [&error](const char* message) {
    error = message;
    return false;
  };
  input.csv = args.TakeFlag("--csv");
  const std::pair<const char*, int*> columns[] = {
      {"--label-column", &input.label}, {"--snp-column", &input.snp}, {"--group-column", &input.group}};
  for (const auto& [name, column] : columns) {
    if (const auto text = args.TakeOption(name)) {
      if (!input.csv) return fail("the column options need --csv");
      if (!ParseInt(*text, 1, 10000, *column)) return fail("a column is counted from 1 to 10000");
    }
  }
  int number = 0;
  if (const auto text = args.TakeOption("--min-men")) {
    if (!ParseInt(*text, 1, 1000000, input.minMen)) return fail("--min-men takes 1 to 1000000");
  }
  options.restrictTo23 = args.TakeFlag("--restrict23") ? 1 : 0;
  if (args.TakeFlag("--keep-fractions")) options.ignoreFractions = 0;
  if (args.TakeFlag("--no-stats")) options.fitStatistics = false;
  if (options.restrictTo23 == 1) {
    options.statSets = {kSet17Kit, kSet23Kit};
    options.minMarkersForStats = 12;
  }
  if (const auto sets = args.TakeOption("--sets")) {
    options.statSets.clear();
    std::string item;
    std::istringstream in(*sets);
    while (std::getline(in, item, ',')) {
      int set = 0;
      if (!ParseInt(item, 0, 8, set)) return fail("--sets takes marker sets 0 to 8 separated by commas");
      options.statSets.push_back(set);
    }
    if (options.statSets.empty()) return fail("--sets takes marker sets 0 to 8 separated by commas");
  }
  if (const auto text = args.TakeOption("--min-markers")) {
    if (!ParseInt(*text, 1, 1000, number)) return fail("--min-markers takes 1 to 1000");
    options.minMarkersForStats = number;
  }
  if (const auto text = args.TakeOption("--max-joins")) {
    if (!ParseInt(*text, 0, 10000, number)) return fail("--max-joins takes 0 to 10000");
    options.maxPairJoins = number;
  }
  if (const auto text = args.TakeOption("--smoothing")) {
    if (!ParseDouble(*text, 0.0, 1.0, options.smoothing)) return fail("--smoothing takes 0 to 1");
  }
  if (const auto text = args.TakeOption("--ancestral-men")) {
    if (!ParseDouble(*text, 0.0, 1000.0, options.ancestralMen)) return fail("--ancestral-men takes 0 to 1000");
  }
  if (const auto text = args.TakeOption("--parent-correction")) {
    if (!ParseDouble(*text, 0.0, 1.0, options.parentCorrection)) return fail("--parent-correction takes 0 to 1");
  }
  return true;
}

bool ReadLabelledInput(const std::string& path, const TrainingInput& input, std::vector<CUzorakSaOgrankom>& samples,
                       std::vector<std::string>& groups, std::string& error) {
  std::string text;
  if (!ReadTextFile(path, kMaxTrainingFileBytes, text)) {
    error = "cannot read " + path;
    return false;
  }
  if (input.csv) {
    CTabelaUzoraka table;
    if (!ParseLabelledTable(text, {input.label, input.snp, input.group}, table, error)) {
      error = path + ": " + error;
      return false;
    }
    if (table.skipped > 0) {
      std::fprintf(stderr, "%s: %d rows without a usable label or typed marker were skipped\n", path.c_str(),
                   table.skipped);
    }
    samples = std::move(table.samples);
    groups = std::move(table.groups);
  } else {
    if (!ParseLabelledHaplotypes(text, samples, error)) {
      error = path + ": " + error;
      return false;
    }
    groups.assign(samples.size(), std::string());
  }
  if (input.minMen > 1) MergeRareBranches(samples, input.minMen);
  return true;
}

int RunCrossValidate(Args& args) {
  const auto inputPath = args.TakeOption("--input");
  int folds = 5;
  const auto foldsText = args.TakeOption("--folds");
  if (foldsText && !ParseInt(*foldsText, 2, 100, folds)) return Fail("--folds takes 2 to 100");
  CPostavkeUcenja options;
  TrainingInput input;
  std::string error;
  if (!TakeTrainingOptions(args, options, input, error)) return Fail(error);
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  if (!inputPath || !args.rest().empty()) {
    return Fail(std::string("usage: varnik-cli cross-validate --input FILE [--folds 5] ") + kTrainingOptionsUsage);
  }
  std::vector<CUzorakSaOgrankom> samples;
  std::vector<std::string> groups;
  if (!ReadLabelledInput(*inputPath, input, samples, groups, error)) return Fail(error);

  const auto start = std::chrono::steady_clock::now();
  CIshodUnakrsneProvere result;
  auto progress = [folds](int32_t fold) { std::fprintf(stderr, "fold %d of %d\n", fold + 1, folds); };
  if (!CrossValidate(samples, groups, folds, options, result, error, progress)) return Fail(error);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%zu labelled men, %.1f s\n%s", samples.size(), seconds, FormatCrossValidation(result).c_str());
  return 0;
}

}  // namespace varnik::cli
