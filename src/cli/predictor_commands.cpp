// varnik-cli train-model and predict: the model builder and the haplogroup
// predictor with the dialog's result texts.
#include <cstdio>
#include <string>

#include "cli/subcommands.h"
#include "cli/training_options.h"
#include "common/format.h"
#include "platform/program_folder.h"
#include "predictor/labelled_haplotypes.h"
#include "predictor/model_builder.h"
#include "predictor/model_file.h"
#include "predictor/predict_lines.h"
#include "predictor/result_text.h"
#include "predictor/scoring.h"
#include "predictor/shipped_models.h"
#include "texts/text_table.h"
#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"
#include "ystr/panels.h"

namespace varnik::cli {
namespace {

// Batch and training files: far more than any real project's haplotypes.
constexpr std::size_t kMaxInputFileBytes = std::size_t{256} << 20;

}  // namespace

int RunPredict(Args& args) {
  int language = kLanguageEnglish;
  if (!ParseLanguage(args.TakeOption("--lang"), language)) return Fail("--lang takes sr, en or ru");
  int order = 0;
  const auto orderText = args.TakeOption("--order");
  if (orderText && !ParseInt(*orderText, 0, 5, order)) return Fail("--order takes 0 to 5");
  int predictor = 0;
  const auto predictorText = args.TakeOption("--predictor");
  if (predictorText && !ParseInt(*predictorText, 0, kPredictorCount - 1, predictor)) {
    return Fail("--predictor takes 0 to 3");
  }
  const auto modelPath = args.TakeOption("--model");
  const auto snpName = args.TakeOption("--snp");
  const auto batchPath = args.TakeOption("--batch");
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  if (predictorText && modelPath) return Fail("--predictor and --model exclude each other");
  if (batchPath ? !args.rest().empty() : args.rest().size() != 1) {
    return Fail("usage: varnik-cli predict [--order 0..5] [--predictor 0..3 | --model FILE] [--snp NAME] "
                "[--batch FILE] [--lang sr|en|ru] [\"HAPLOTYPE\"]");
  }

  const std::string path = modelPath ? *modelPath : DataFile(PredictorFileName(predictor));
  CPredvigjacMuskihLoz2 model;
  if (!LoadPredictorModel(path, model)) return Fail("cannot read the model file " + path);
  int32_t snp = -1;
  if (snpName) {
    for (std::size_t n = 0; n < model.snpTree.size() && snp < 0; ++n) {
      for (const std::string& name : model.snpTree[n].names) {
        if (name == *snpName) snp = static_cast<int32_t>(n);
      }
    }
    if (snp < 0) return Fail("the model knows no SNP " + *snpName);
  }

  // The dialog's own line reader and prediction loop.
  std::string text;
  std::string error;
  if (!batchPath) {
    text = args.rest()[0];
  } else if (!ReadTextFile(*batchPath, kMaxInputFileBytes, text, &error)) {
    return Fail(error);
  }
  const std::vector<std::string> lines = InputLines(text, batchPath.has_value());
  if (lines.empty()) return Fail(*batchPath + " holds no haplotype lines");
  const CIshodUnosa run = PredictLines(model, lines, order, snp, language, batchPath.has_value());
  if (!batchPath && run.haplotype.empty()) return Fail(run.output);
  PrintText(run.output);
  return 0;
}

int RunTrainModel(Args& args) {
  const auto input = args.TakeOption("--input");
  const auto out = args.TakeOption("--out");
  CPostavkeUcenja options;
  TrainingInput training;
  std::string error;
  if (!TakeTrainingOptions(args, options, training, error)) return Fail(error);
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  if (!input || !out || !args.rest().empty()) {
    return Fail(std::string("usage: varnik-cli train-model --input FILE --out MODEL ") + kTrainingOptionsUsage);
  }
  std::vector<CUzorakSaOgrankom> samples;
  std::vector<std::string> groups;
  if (!ReadLabelledInput(*input, training, samples, groups, error)) return Fail(error);
  CPredvigjacMuskihLoz2 model;
  if (!BuildPredictorModel(samples, options, model, error)) return Fail(error);
  if (const int status = WriteOutput(*out, SerializePredictorModel(model)); status != 0) return status;
  // With the model on standard output the summary goes to the error stream.
  std::fprintf(*out == "-" ? stderr : stdout, "%zu samples, %zu branches, %zu super-groups, %zu SNPs: %s\n",
               samples.size(), model.branches.size(), model.parentGroups.size(), model.snpTree.size(), out->c_str());
  return 0;
}

}  // namespace varnik::cli
