// Batch prediction through the predictor dialog: 10,000 lines of 67 markers
// with the R1a subclade model, including the report file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/fakes.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "predictor/predictor_dialog.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

// Lines of 67 FTDNA columns around an R1a-like modal haplotype.
std::string BatchInput(int lines) {
  const int modal[67] = {13, 25, 16, 11, 11, 14, 12, 12, 10, 13, 17, 30, 16, 9,  10, 11, 11, 24, 14,
                         20, 32, 12, 15, 15, 16, 11, 12, 19, 23, 16, 16, 18, 19, 35, 38, 14, 11, 11,
                         8,  17, 17, 8,  11, 10, 8,  11, 10, 12, 22, 22, 15, 10, 12, 12, 13, 8,  14,
                         23, 21, 12, 12, 11, 13, 11, 11, 12, 13};
  std::mt19937 random(7);
  std::uniform_int_distribution<int> step(-1, 1);
  std::string text;
  for (int n = 0; n < lines; ++n) {
    for (int c = 0; c < 67; ++c) {
      const int v = modal[c] + (random() % 8 == 0 ? step(random) : 0);
      if (c != 0) text += (c == 5 || c == 13 || c == 20 || c == 23 || c == 28 || c == 33 || c == 41) ? '-' : ' ';
      text += std::to_string(v);
    }
    text += "\r\n";
  }
  return text;
}

void BM_BatchPrediction10000x67(benchmark::State& state) {
  PredictorModels models;
  if (!LoadPredictorModels(models, VARNIK_BIN_DIR)) {
    state.SkipWithError("shipped models not found");
    return;
  }
  const auto folder = std::filesystem::temp_directory_path() / "varnik_predictor_dialog_bench";
  std::filesystem::create_directories(folder);
  SetProgramFolder(folder.string());
  MemorySettingsStore settings;
  WriteSettingNumber(settings, "Predvigjac3", 1);  // R1a subclades
  CPredvigjacDialog dialog(models, settings, nullptr, kLanguageEnglish);
  FakeDialogView view(PredictorTemplate(), dialog);
  view.Init();
  view.SetText(kIdPredictorInput, BatchInput(10000));
  for (auto _ : state) {
    view.Click(kIdBatch);
    benchmark::DoNotOptimize(view.GetText(kIdPredictorResults).size());
  }
  state.counters["output_MB"] = static_cast<double>(view.GetText(kIdPredictorResults).size()) / 1e6;
  SetProgramFolder("");
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_BatchPrediction10000x67)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace varnik
