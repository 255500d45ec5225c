// The four predictor models that ship with the program, trained by the
// model builder: the general model on the real labelled men of the training
// panel (training/SOURCES.md), the subclade models on simulated haplotypes
// whose founders are anchored at modal values of the panel's men.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "predictor/labelled_haplotypes.h"
#include "predictor/model_builder.h"
#include "ystr_simulator.h"

namespace varnik::datagen {

// Seed of the simulated lineages behind the shipped models.
inline constexpr uint64_t kLineageSeed = 20240611;
// Seed of the men the shipped models are trained on.
inline constexpr uint64_t kTrainingSeed = 1;

// The training panel of the general model, copied into the project.
inline constexpr const char* kTrainingPanelPath = VARNIK_TRAINING_PANEL;

// The general model's training men: the panel's men with their full labels,
// the labels of fewer than 15 men merged into the label above, and
// simulated men of two lineages the panel holds too few men of.
bool GeneralModelSamples(std::vector<CUzorakSaOgrankom>& samples, std::string& error);

// A man of the training panel whose label's SNP lies in a lineage of the
// subclade models' tree.
struct PanelSubcladeMan {
  Haplotype haplotype;
  int32_t lineage;   // node of LineageTree()
  bool branchLevel;  // the lineage is a branch of a subclade model
  bool forFounders;  // every other man of a lineage anchors its founder
};
std::vector<PanelSubcladeMan> PanelSubcladeMen();

// Founders of the subclade models' lineages anchored at the modal values of
// the panel's men who anchor them, marker by marker where three or more of
// them have the marker typed.
std::vector<FounderAnchor> SubcladeFounderAnchors(const std::vector<PanelSubcladeMan>& men);

// Simulated men of predictor 0..3's branches, `perBranch` of each.
std::vector<CUzorakSaOgrankom> PredictorSamples(int32_t predictor, uint64_t sampleSeed, int32_t perBranch);
// The builder's settings for predictor 0..3.
CPostavkeUcenja PredictorOptions(int32_t predictor);
// Trains the four models and writes them into `folder`; false with a
// message on standard error when one cannot be written.
bool WritePredictorModels(const std::string& folder);

}  // namespace varnik::datagen
