#include "predictor_models.h"

#include <algorithm>
#include <cstdio>
#include <map>

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

// Lineages of the subclade models' tree by the SNP that the panel's labels
// give; a SNP below a lineage of the tree names that lineage.
struct PanelLineage {
  const char* snp;
  const char* lineage;
  bool branchLevel;
};
constexpr PanelLineage kPanelLineages[] = {
    {"M458", "R1a-M458", true},   {"Z284", "R1a-Z284", true},   {"S221", "R1a-Z284", true},
    {"S204", "R1a-Z280", true},   {"Z93", "R1a-Z93", true},     {"Z2124", "R1a-Z2124", true},
    {"Z2123", "R1a-Z2125", true}, {"S4576", "R1a-Z2124", true}, {"F1345", "R1a-Z2124", true},
    {"S198", "R1a-Z282", false},  {"Z282", "R1a-Z282", false},  {"M33", "E1a", true},
    {"V12", "E-V12", true},       {"V65", "E-V65", true},       {"V13", "E-V13", true},
    {"V22", "E-V22", true},       {"M81", "E-M81", true},       {"M123", "E-M123", true},
    {"M34", "E-M34", true},       {"M78", "E-M78", false},      {"M35.1", "E-M35", false},
    {"P58", "J-P58", true},       {"M47", "J-M47", true},       {"M67", "J-M67", true},
    {"M92", "J-M92", true},       {"M205", "J-M205", true},     {"M241", "J-M241", true},
    {"L255", "J1", false},        {"M172", "J2", false},        {"M410", "J2a", false},
    {"M12", "J2b", false},
};

// The panel's men with their full labels.
bool PanelMen(std::vector<CUzorakSaOgrankom>& men, std::string& error) {
  std::string text;
  CTabelaUzoraka table;
  if (!ReadWholeFile(kTrainingPanelPath, text)) {
    error = std::string("cannot read ") + kTrainingPanelPath;
    return false;
  }
  if (!ParseLabelledTable(text, {}, table, error)) return false;
  men = std::move(table.samples);
  return true;
}

}  // namespace

std::vector<PanelSubcladeMan> PanelSubcladeMen() {
  std::string error;
  std::vector<CUzorakSaOgrankom> panel;
  PanelMen(panel, error);  // no anchors without the panel
  std::vector<PanelSubcladeMan> men;
  std::map<int32_t, int32_t> seen;
  for (CUzorakSaOgrankom& man : panel) {
    // Branch names end in " (SNP)" when the label has a defining SNP.
    const std::size_t open = man.branch.find(" (");
    if (open == std::string::npos) continue;
    const std::string snp = man.branch.substr(open + 2, man.branch.size() - open - 3);
    for (const PanelLineage& row : kPanelLineages) {
      if (snp != row.snp) continue;
      const int32_t lineage = FindLineage(row.lineage);
      men.push_back({std::move(man.haplotype), lineage, row.branchLevel, seen[lineage]++ % 2 == 0});
      break;
    }
  }
  return men;
}

std::vector<FounderAnchor> SubcladeFounderAnchors(const std::vector<PanelSubcladeMan>& men) {
  std::map<int32_t, std::vector<std::map<int32_t, int32_t>>> counts;  // lineage, identity: value, men
  for (const PanelSubcladeMan& man : men) {
    if (!man.forFounders) continue;
    auto& byIdentity = counts[man.lineage];
    byIdentity.resize(kOznakaCount);
    int32_t column = -1;
    for (const CVrednostSTRa& entry : man.haplotype) {
      column += entry.copy == 0;
      if (entry.value >= 1 && entry.copy < CopiesInColumn(column)) {
        ++byIdentity[MarkerIdentity(column, entry.copy)][entry.value];
      }
    }
  }
  std::vector<FounderAnchor> anchors;
  for (const auto& [lineage, byIdentity] : counts) {
    FounderAnchor anchor{lineage, std::vector<int32_t>(kOznakaCount, -1)};
    for (int32_t id = 0; id < kOznakaCount; ++id) {
      int32_t typed = 0;
      int32_t best = 0;
      for (const auto& [value, n] : byIdentity[id]) {
        typed += n;
        if (n > best) {
          best = n;
          anchor.values[id] = value;
        }
      }
      if (typed < 3) anchor.values[id] = -1;
    }
    anchors.push_back(std::move(anchor));
  }
  return anchors;
}

bool GeneralModelSamples(std::vector<CUzorakSaOgrankom>& samples, std::string& error) {
  if (!PanelMen(samples, error)) return false;
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
  static const YstrSimulator simulator(kLineageSeed, SubcladeFounderAnchors(PanelSubcladeMen()));
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
