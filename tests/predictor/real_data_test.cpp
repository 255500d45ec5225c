// Trains and evaluates the model builder on real labelled haplotypes when
// the shared validation data is present (it is never part of the project).
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "common/binary_io.h"
#include "predictor/model_builder.h"
#include "predictor/scoring.h"
#include "predictor/shipped_models.h"
#include "ystr/haplotype_convert.h"
#include "ystr/markers.h"

namespace varnik {
namespace {

// FTDNA column and copy of each marker column of the forensic 23-marker
// table: DYS19, DYS385a, DYS385b, DYS389I, DYS389II, DYS390, DYS391, DYS392,
// DYS393, DYS437, DYS438, DYS439, DYS448, DYS456, DYS458, DYS635, YGATAH4,
// DYS481, DYS549, DYS533, DYS570, DYS576 and DYS643.
constexpr std::pair<int32_t, int32_t> kColumns[] = {
    {2, 0},  {4, 0},  {4, 1},  {8, 0},  {10, 0}, {1, 0},  {3, 0},  {9, 0},  {0, 0},  {16, 0}, {29, 0}, {7, 0},
    {17, 0}, {23, 0}, {11, 0}, {94, 0}, {21, 0}, {48, 0}, {68, 0}, {72, 0}, {26, 0}, {25, 0}, {96, 0}};

// One labelled man of the panel: the label, his haplotype in FTDNA order
// (column 10 as DYS389II minus DYS389I) and whether all 17 markers of the
// 17-marker kit are typed.
struct PanelMan {
  std::string label;
  Haplotype haplotype;
  bool complete17 = false;
};

std::string PanelPath() { return std::string(VARNIK_SHARED_DATA_DIR) + "/ystr/ylt_Y_STR_prediction_panel.csv"; }

// The panel's men with at least 6 typed markers; with `onePerGenotype` a
// repeated label and genotype is kept once.  Empty when the file is absent.
std::vector<PanelMan> ReadPanel(bool onePerGenotype) {
  std::string text;
  if (!std::filesystem::exists(PanelPath()) || !ReadWholeFile(PanelPath(), text)) return {};
  std::vector<PanelMan> men;
  std::set<std::string> seen;
  std::stringstream lines(text);
  std::string line;
  std::getline(lines, line);  // header
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> f;
    std::stringstream fields(line + ",");  // the trailing comma keeps a last empty field
    for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
    if (f.size() < 4 + std::size(kColumns) || f[3].empty()) continue;
    std::size_t labelAt = 0;  // the label and genotype begin after the third comma
    for (int k = 0; k < 3; ++k) labelAt = line.find(',', labelAt) + 1;
    if (onePerGenotype && !seen.insert(line.substr(labelAt)).second) continue;
    std::vector<int32_t> values(kFtdnaColumnCount * 2, -1);
    int32_t typed = 0;
    int32_t typed17 = 0;  // the first 17 columns of the table form the 17-marker kit
    for (std::size_t k = 0; k < std::size(kColumns); ++k) {
      const std::string& cell = f[4 + k];
      if (cell.empty() || cell.find('.') != std::string::npos) continue;
      // The forensic count of GATA-H4 is one higher than FTDNA's.
      const auto [column, copy] = kColumns[k];
      values[column * 2 + copy] = std::atoi(cell.c_str()) - (column == kColumnGataH4);
      ++typed;
      typed17 += k < 17;
    }
    PanelMan man{f[3], {}, typed17 == 17};
    for (int32_t c = 0; c < kFtdnaColumnCount; ++c) {
      man.haplotype.push_back({values[c * 2], 0, 0});
      if (CopiesInColumn(c) == 2 && values[c * 2 + 1] >= 1) man.haplotype.push_back({values[c * 2 + 1], 0, 1});
    }
    if (typed >= 6 && Convert389(man.haplotype, false, false)) men.push_back(std::move(man));
  }
  return men;
}

// Index of the most probable branch; ties go to the better fitness.
std::size_t TopBranch(const CIshodPredvidjanja& r) {
  std::size_t best = 0;
  for (std::size_t b = 1; b < r.probability.size(); ++b) {
    if (std::pair(r.probability[b], r.fitness[b]) > std::pair(r.probability[best], r.fitness[best])) best = b;
  }
  return best;
}

TEST(PredictorRealData, TrainsOnMostLabelledHaplotypesAndPredictsTheRest) {
  // No held-out man was also trained on.
  const std::vector<PanelMan> men = ReadPanel(true);
  if (men.empty()) GTEST_SKIP() << "no labelled data at " << PanelPath();

  std::vector<CUzorakSaOgrankom> training;
  std::vector<CUzorakSaOgrankom> heldOut;
  int32_t row = 0;
  for (const PanelMan& man : men) {
    // Labels by major haplogroup: the letter and, where given, the digit.
    const std::string& label = man.label;
    const bool digit = label.size() > 1 && std::isdigit(static_cast<unsigned char>(label[1]));
    (++row % 5 == 0 ? heldOut : training).push_back({label.substr(0, digit ? 2 : 1), "", {}, man.haplotype});
  }
  ASSERT_GT(training.size(), 1000u);

  const CPostavkeUcenja options{.restrictTo23 = 1, .statSets = {kSet17Kit, kSet23Kit}, .minMarkersForStats = 12};
  CPredvigjacMuskihLoz2 model;
  std::string error;
  ASSERT_TRUE(BuildPredictorModel(training, options, model, error)) << error;
  int32_t correct = 0;
  for (const CUzorakSaOgrankom& sample : heldOut) {
    const CIshodPredvidjanja r = ScoreHaplotype(model, -1, sample.haplotype, 1);
    correct += r.names[TopBranch(r)] == sample.branch;
  }
  const double accuracy = static_cast<double>(correct) / heldOut.size();
  std::printf("real labelled haplotypes: %zu training, %zu held out, %zu branches, top-1 %.3f\n", training.size(),
              heldOut.size(), model.branches.size(), accuracy);
  EXPECT_GT(accuracy, 0.5);
}

// The level the general model resolves for a branch name or a panel label:
// the haplogroup letter, with R split into R1a, R1b and R2; empty for an R
// label too coarse for that.
std::string MainHaplogroup(const std::string& name) {
  if (name.empty()) return "";
  if (name[0] != 'R') return name.substr(0, 1);
  for (const char* group : {"R1a", "R1b", "R2"}) {
    if (name.compare(0, 3, group) == 0) return group;
  }
  return "";
}

TEST(PredictorRealData, ShippedGeneralModelFindsTheMainHaplogroupOfComplete17MarkerMen) {
  PredictorModels models;
  if (!LoadPredictorModels(models, VARNIK_BIN_DIR)) GTEST_SKIP() << "no shipped models in " << VARNIK_BIN_DIR;
  const std::vector<PanelMan> men = ReadPanel(false);
  if (men.empty()) GTEST_SKIP() << "no labelled data at " << PanelPath();

  const CPredvigjacMuskihLoz2& general = models[0];
  std::set<std::string> resolvable;
  for (const COgranakLoze2& branch : general.branches) resolvable.insert(MainHaplogroup(BranchName(branch, 1)));
  std::map<std::string, std::pair<int32_t, int32_t>> byGroup;  // correct, scored
  for (const PanelMan& man : men) {
    const std::string truth = MainHaplogroup(man.label);
    if (!man.complete17 || resolvable.count(truth) == 0) continue;
    const CIshodPredvidjanja r = ScoreHaplotype(general, -1, man.haplotype, 1);
    byGroup[truth].first += MainHaplogroup(r.names[TopBranch(r)]) == truth;
    ++byGroup[truth].second;
  }
  int32_t correct = 0;
  int32_t scored = 0;
  for (const auto& [group, counts] : byGroup) {
    std::printf("  %-4s %3d of %3d\n", group.c_str(), counts.first, counts.second);
    correct += counts.first;
    scored += counts.second;
  }
  ASSERT_GT(scored, 600);
  const double accuracy = static_cast<double>(correct) / scored;
  std::printf("shipped general model on %d complete 17-marker men: main haplogroup top-1 %.3f\n", scored, accuracy);
  // 0.69 with the shipped models as built; old models from founders without
  // real modal values scored 0.001.
  EXPECT_GT(accuracy, 0.65);
}

}  // namespace
}  // namespace varnik
