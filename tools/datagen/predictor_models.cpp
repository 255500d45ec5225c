#include "predictor_models.h"

#include <algorithm>
#include <cstdio>

#include "common/binary_io.h"
#include "predictor/labelled_table.h"
#include "predictor/model_file.h"
#include "predictor/shipped_models.h"
#include "ystr/markers.h"
#include "ystr_simulator.h"

namespace varnik::datagen {
namespace {

constexpr int32_t kTrainingPerBranch = 80;

// A haplogroup label with fewer men than this joins the label above it.
constexpr int32_t kMinMenPerLabel = 15;

// Lineages that the panel holds too few men of (one study each, or men
// typed in conventions that differ from today's kits), added as simulated
// men of the simulator's founders, whose values are published modal values
// (docs/PREDICTOR.md).
struct SimulatedSupplement {
  const char* branch;   // the panel's branch the men join
  const char* lineage;  // the simulator's lineage they descend from
  int32_t men;
};
constexpr SimulatedSupplement kSupplements[] = {
    {"I2a1b (M423)", "I2-M423", 60},
    {"Q (M242)", "Q", 60},
};

}  // namespace

bool GeneralModelSamples(std::vector<CUzorakSaOgrankom>& samples, std::string& error) {
  std::string text;
  if (!ReadWholeFile(kTrainingPanelPath, text)) {
    error = std::string("cannot read ") + kTrainingPanelPath;
    return false;
  }
  CTabelaUzoraka table;
  if (!ParseLabelledTable(text, {}, table, error)) return false;
  samples = std::move(table.samples);
  MergeRareBranches(samples, kMinMenPerLabel);

  // Columns the panel has typed at all; simulated men keep only these, so
  // that a marker no real man was typed for stays unknown to the model.
  std::vector<bool> typedColumns(kFtdnaColumnCount, false);
  for (const CUzorakSaOgrankom& man : samples) {
    int32_t column = -1;
    for (const CVrednostSTRa& entry : man.haplotype) {
      column += entry.copy == 0;
      if (entry.value >= 1) typedColumns[column] = true;
    }
  }
  static const YstrSimulator simulator(kLineageSeed);
  for (const SimulatedSupplement& supplement : kSupplements) {
    const auto label = std::find_if(samples.begin(), samples.end(),
                                    [&](const CUzorakSaOgrankom& man) { return man.branch == supplement.branch; });
    if (label == samples.end()) {
      error = std::string("the panel has no branch ") + supplement.branch;
      return false;
    }
    const std::vector<std::string> path = label->snpPath;
    for (CUzorakSaOgrankom& man : simulator.Samples({FindLineage(supplement.lineage)}, supplement.men,
                                                    kTrainingSeed + 7)) {
      int32_t column = -1;
      for (CVrednostSTRa& entry : man.haplotype) {
        column += entry.copy == 0;
        if (!typedColumns[column]) entry.value = -1;
      }
      man.branch = supplement.branch;
      man.snpPath = path;
      samples.push_back(std::move(man));
    }
  }
  return true;
}

std::vector<CUzorakSaOgrankom> PredictorSamples(int32_t predictor, uint64_t sampleSeed, int32_t perBranch) {
  static const YstrSimulator simulator(kLineageSeed);
  constexpr char kHaplogroups[] = {'R', 'E', 'J'};
  const std::vector<int32_t> branches =
      predictor == 0 ? GeneralModelBranches() : SubcladeModelBranches(kHaplogroups[(predictor - 1) % 3]);
  return simulator.Samples(branches, perBranch, sampleSeed + 1000 * static_cast<uint64_t>(predictor));
}

CPostavkeUcenja PredictorOptions(int32_t predictor) {
  CPostavkeUcenja options;
  if (predictor == 0) {
    // Laboratory kits: the haplotype is cut to the 23-marker kit, and the
    // fit statistics serve the 17- and 23-marker kits.
    options.restrictTo23 = 1;
    options.statSets = {kSet17Kit, kSet23Kit};
    options.minMarkersForStats = 12;
    // Broader than the builder's defaults: settings from 0.05 to 0.15 and
    // from 2 to 10 men cross-validate alike on the panel (93.2% to 93.7% at
    // 17+ markers), and the broader ones carry better to populations the
    // panel hardly holds.
    options.smoothing = 0.15;
    options.ancestralMen = 10.0;
  } else {
    options.statSets = {kSet37Markers, kSet67Markers, kSet111Markers};
    options.minMarkersForStats = 30;
    // Close subclades of one haplogroup: values distinctive of a branch
    // against its super-group count for more.
    options.parentCorrection = 0.3;
  }
  return options;
}

bool WritePredictorModels(const std::string& folder) {
  for (int32_t p = 0; p < kPredictorCount; ++p) {
    CPredvigjacMuskihLoz2 model;
    std::string error;
    const std::string path = folder + "/" + PredictorFileName(p);
    std::vector<CUzorakSaOgrankom> samples;
    if (p != 0) {
      samples = PredictorSamples(p, kTrainingSeed, kTrainingPerBranch);
    } else if (!GeneralModelSamples(samples, error)) {
      std::fprintf(stderr, "varnik-datagen: %s\n", error.c_str());
      return false;
    }
    if (!BuildPredictorModel(samples, PredictorOptions(p), model, error) ||
        !SavePredictorModel(path, model)) {
      std::fprintf(stderr, "varnik-datagen: cannot write %s %s\n", path.c_str(), error.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace varnik::datagen
