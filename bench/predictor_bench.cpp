// Haplogroup predictor: loading the shipped models, scoring many long
// haplotypes with a large model, predicting real men with the shipped
// general model, training it on its whole panel, and the top-1 accuracy of
// the shipped models' recipe on simulated men who were not in the training
// set.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "predictor/labelled_haplotypes.h"
#include "predictor/model_builder.h"
#include "predictor/model_file.h"
#include "predictor/scoring.h"
#include "predictor/shipped_models.h"
#include "predictor_models.h"
#include "ystr_simulator.h"

namespace {

using namespace varnik;

void BM_LoadShippedModels(benchmark::State& state) {
  for (auto _ : state) {
    PredictorModels models;
    if (!LoadPredictorModels(models, VARNIK_BIN_DIR)) {
      state.SkipWithError("the shipped model files are missing");
      break;
    }
    benchmark::DoNotOptimize(models);
  }
}
BENCHMARK(BM_LoadShippedModels)->Unit(benchmark::kMillisecond);

// 60 lineages of the simulated tree, 111 markers each.
std::vector<int32_t> SixtyBranches() {
  std::vector<int32_t> branches = datagen::GeneralModelBranches();
  for (char h : {'R', 'E', 'J'}) {
    for (int32_t b : datagen::SubcladeModelBranches(h)) {
      if (std::find(branches.begin(), branches.end(), b) == branches.end()) branches.push_back(b);
    }
  }
  branches.resize(60);
  return branches;
}

void BM_Score10000Haplotypes111Markers60Branches(benchmark::State& state) {
  const datagen::YstrSimulator simulator(datagen::kLineageSeed);
  const std::vector<int32_t> branches = SixtyBranches();
  CPredvigjacMuskihLoz2 model;
  std::string error;
  BuildPredictorModel(simulator.Samples(branches, 40, 11), datagen::PredictorOptions(1), model, error);
  const auto men = simulator.Samples(branches, 10000 / 60 + 1, 12);
  for (auto _ : state) {
    for (int i = 0; i < 10000; ++i) benchmark::DoNotOptimize(ScoreHaplotype(model, -1, men[i].haplotype, 1));
  }
  state.counters["branches"] = static_cast<double>(model.branches.size());
}
BENCHMARK(BM_Score10000Haplotypes111Markers60Branches)->Unit(benchmark::kMillisecond);

// Top-1 accuracy, as counters: trained on 80 men a branch, tested on 100
// other men a branch from the same lineages.
void BM_AccuracyOnHeldOutMen(benchmark::State& state) {
  const int32_t predictor = static_cast<int32_t>(state.range(0));
  const int32_t set = static_cast<int32_t>(state.range(1));
  CPredvigjacMuskihLoz2 model;
  std::string error;
  BuildPredictorModel(datagen::PredictorSamples(predictor, datagen::kTrainingSeed, 80),
                      datagen::PredictorOptions(predictor), model, error);
  const auto men = datagen::PredictorSamples(predictor, 424242, 100);
  int correct = 0;
  for (auto _ : state) {
    correct = 0;
    for (const auto& man : men) {
      const CIshodPredvidjanja r = ScoreHaplotype(model, -1, datagen::CutToMarkerSet(man.haplotype, set), 1);
      const auto best = std::max_element(r.probability.begin(), r.probability.end()) - r.probability.begin();
      correct += r.probability[best] > 0 && r.names[best] == man.branch;
    }
  }
  state.counters["top1"] = static_cast<double>(correct) / static_cast<double>(men.size());
  state.counters["men"] = static_cast<double>(men.size());
}
BENCHMARK(BM_AccuracyOnHeldOutMen)
    ->ArgNames({"predictor", "set"})
    ->Args({0, kSet17Kit})
    ->Args({0, kSet23Kit})
    ->Args({1, kSet37Markers})
    ->Args({1, kSet67Markers})
    ->Args({1, kSet111Markers})
    ->Args({2, kSet37Markers})
    ->Args({2, kSet67Markers})
    ->Args({2, kSet111Markers})
    ->Args({3, kSet37Markers})
    ->Args({3, kSet67Markers})
    ->Args({3, kSet111Markers})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// 10,000 real men of the training panel (up to 23 markers), predicted
// with the shipped general model as the predictor's callers do it.
void BM_Predict10000PanelMenWithTheShippedGeneralModel(benchmark::State& state) {
  PredictorModels models;
  std::vector<CUzorakSaOgrankom> men;
  std::string error;
  if (!LoadPredictorModels(models, VARNIK_BIN_DIR) || !datagen::GeneralModelSamples(men, error)) {
    state.SkipWithError("the shipped general model or the training panel is missing");
    return;
  }
  men.resize(10000);
  for (auto _ : state) {
    for (const auto& man : men) benchmark::DoNotOptimize(ScoreForPrediction(models[0], -1, man.haplotype, 1));
  }
  state.counters["branches"] = static_cast<double>(models[0].branches.size());
}
BENCHMARK(BM_Predict10000PanelMenWithTheShippedGeneralModel)->Unit(benchmark::kMillisecond);

// Training the shipped general model on the whole panel, with its fit
// statistics.
void BM_TrainTheGeneralModelOnTheWholePanel(benchmark::State& state) {
  std::vector<CUzorakSaOgrankom> men;
  std::string error;
  if (!datagen::GeneralModelSamples(men, error)) {
    state.SkipWithError("the training panel is missing");
    return;
  }
  for (auto _ : state) {
    CPredvigjacMuskihLoz2 model;
    BuildPredictorModel(men, datagen::PredictorOptions(0), model, error);
    benchmark::DoNotOptimize(model);
  }
  state.counters["men"] = static_cast<double>(men.size());
}
BENCHMARK(BM_TrainTheGeneralModelOnTheWholePanel)->Unit(benchmark::kMillisecond);

}  // namespace
