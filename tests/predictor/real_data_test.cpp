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
#include "ystr/haplotype_convert.h"
#include "ystr/markers.h"

namespace varnik {
namespace {

// FTDNA column of each marker column of the forensic 23-marker table.
struct ForensicColumn {
  const char* name;
  int32_t column;
  int32_t copy;
};
constexpr ForensicColumn kColumns[] = {
    {"DYS19", 2, 0},    {"DYS385a", 4, 0}, {"DYS385b", 4, 1}, {"DYS389I", 8, 0},  {"DYS389II", 10, 0},
    {"DYS390", 1, 0},   {"DYS391", 3, 0},  {"DYS392", 9, 0},  {"DYS393", 0, 0},   {"DYS437", 16, 0},
    {"DYS438", 29, 0},  {"DYS439", 7, 0},  {"DYS448", 17, 0}, {"DYS456", 23, 0},  {"DYS458", 11, 0},
    {"DYS635", 94, 0},  {"YGATAH4", 21, 0}, {"DYS481", 48, 0}, {"DYS549", 68, 0}, {"DYS533", 72, 0},
    {"DYS570", 26, 0},  {"DYS576", 25, 0}, {"DYS643", 96, 0}};

std::vector<std::string> SplitCsv(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, ',')) fields.push_back(field);
  if (!line.empty() && line.back() == ',') fields.emplace_back();
  return fields;
}

TEST(PredictorRealData, TrainsOnMostLabelledHaplotypesAndPredictsTheRest) {
  const std::string path = std::string(VARNIK_SHARED_DATA_DIR) + "/ystr/ylt_Y_STR_prediction_panel.csv";
  std::string text;
  if (!std::filesystem::exists(path) || !ReadWholeFile(path, text)) GTEST_SKIP() << "no labelled data at " << path;

  std::vector<CUzorakSaOgrankom> training;
  std::vector<CUzorakSaOgrankom> heldOut;
  std::set<std::string> seen;
  std::stringstream lines(text);
  std::string line;
  std::getline(lines, line);  // header
  int32_t row = 0;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string> f = SplitCsv(line);
    if (f.size() < 4 + std::size(kColumns) || f[3].empty()) continue;
    // Repeated label and genotype: one copy only, so that no held-out man
    // was also trained on.
    std::string key;
    for (std::size_t k = 3; k < f.size(); ++k) key += f[k] + ",";
    if (!seen.insert(key).second) continue;
    // Labels by major haplogroup: the letter and, where given, the digit.
    CUzorakSaOgrankom sample;
    sample.branch = f[3].substr(0, f[3].size() > 1 && std::isdigit(static_cast<unsigned char>(f[3][1])) ? 2 : 1);
    std::vector<int32_t> values(kFtdnaColumnCount * 2, -1);
    int32_t typed = 0;
    for (std::size_t k = 0; k < std::size(kColumns); ++k) {
      const std::string& cell = f[4 + k];
      if (cell.empty() || cell.find('.') != std::string::npos) continue;
      int32_t v = std::atoi(cell.c_str());
      if (kColumns[k].column == kColumnGataH4) --v;  // the forensic count is one higher than FTDNA's
      values[kColumns[k].column * 2 + kColumns[k].copy] = v;
      ++typed;
    }
    if (typed < 6) continue;
    for (int32_t c = 0; c < kFtdnaColumnCount; ++c) {
      sample.haplotype.push_back({values[c * 2], 0, 0});
      if (CopiesInColumn(c) == 2 && values[c * 2 + 1] >= 1) sample.haplotype.push_back({values[c * 2 + 1], 0, 1});
    }
    if (!Convert389(sample.haplotype, false, false)) continue;
    (++row % 5 == 0 ? heldOut : training).push_back(std::move(sample));
  }
  ASSERT_GT(training.size(), 1000u);

  CPostavkeUcenja options;
  options.restrictTo23 = 1;
  options.statSets = {6, 7};
  options.minMarkersForStats = 12;
  CPredvigjacMuskihLoz2 model;
  std::string error;
  ASSERT_TRUE(BuildPredictorModel(training, options, model, error)) << error;
  int32_t correct = 0;
  for (const CUzorakSaOgrankom& sample : heldOut) {
    const CIshodPredvidjanja r = ScoreHaplotype(model, -1, sample.haplotype, 1);
    std::size_t best = 0;
    for (std::size_t b = 1; b < r.probability.size(); ++b) {
      if (r.probability[b] > r.probability[best] ||
          (r.probability[b] == r.probability[best] && r.fitness[b] > r.fitness[best])) {
        best = b;
      }
    }
    correct += r.names[best] == sample.branch;
  }
  const double accuracy = static_cast<double>(correct) / heldOut.size();
  std::printf("real labelled haplotypes: %zu training, %zu held out, %zu branches, top-1 %.3f\n", training.size(),
              heldOut.size(), model.branches.size(), accuracy);
  EXPECT_GT(accuracy, 0.5);
}

}  // namespace
}  // namespace varnik
