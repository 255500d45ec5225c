// The model builder's options and the labelled input, shared by
// train-model and cross-validate.
#pragma once

#include <string>
#include <vector>

#include "cli/args.h"
#include "predictor/labelled_haplotypes.h"
#include "predictor/model_builder.h"

namespace varnik::cli {

// The usage text of the options below.
inline constexpr const char* kTrainingOptionsUsage =
    "[--csv [--label-column N] [--snp-column N] [--group-column N]] [--min-men N] [--restrict23] [--sets 3,4,5] "
    "[--min-markers N] [--keep-fractions] [--smoothing X] [--ancestral-men X] [--max-joins N] [--parent-correction X] [--no-stats]";

// Where and how the labelled men are read.
struct TrainingInput {
  bool csv = false;
  int label = 0;  // table columns counted from 1; 0 finds them by name
  int snp = 0;
  int group = 0;
  int minMen = 1;  // labels of fewer men join the label above
};

// Takes the builder's options and the input options from `args`; false
// with a message in `error` for a bad value.
bool TakeTrainingOptions(Args& args, CPostavkeUcenja& options, TrainingInput& input, std::string& error);

// Reads the labelled men of `path`: a table with --csv, otherwise one man a
// line (labelled_haplotypes.h), which has no groups.  `groups` gets one
// entry per man.
bool ReadLabelledInput(const std::string& path, const TrainingInput& input, std::vector<CUzorakSaOgrankom>& samples,
                       std::vector<std::string>& groups, std::string& error);

}  // namespace varnik::cli
