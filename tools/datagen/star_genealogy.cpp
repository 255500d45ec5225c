#include "star_genealogy.h"

#include <algorithm>

#include "tmrca/marker_model_table.h"
#include "tmrca/mutation_model.h"
#include "ystr/markers.h"

namespace varnik::datagen {
namespace {

// The model of one marker identity, as the estimator sets it up.
CSTROznaka Model(int32_t marker) {
  CSTROznaka record;
  int32_t error = 0;
  SetUpMarker(record, marker, 0, {}, 0.0, true, true, error);
  return record;
}

int32_t Step(const CSTROznaka& model, int32_t state, std::mt19937_64& random) {
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  double u = uniform(random);
  const int32_t n = model.oneStep.side;
  for (int32_t j = 0; j < n; ++j) {
    u -= model.oneStep.at(state, j);
    if (u < 0.0) return j;
  }
  return state;
}

// A typed value cannot name a tail state: a line that drifted into a tail
// is written with the nearest accepted count.
int32_t RepeatOf(const CSTROznaka& model, int32_t state) {
  const int32_t n = static_cast<int32_t>(model.states.size());
  return model.states[std::clamp(state, 1, n - 2)] - kStateCodeOffset;
}

std::string Line(const std::vector<int32_t>& repeats, int32_t markerCopies) {
  std::string text;
  for (int32_t c = 0; c < kFtdnaColumnCount; ++c) {
    const int32_t first = MarkerIdentity(c, 0);
    if (first >= markerCopies) break;
    std::vector<int32_t> copies;
    for (int32_t j = 0; j < CopiesInColumn(c) && first + j < markerCopies; ++j) copies.push_back(repeats[first + j]);
    std::sort(copies.begin(), copies.end());
    if (c == kColumnDys389ii) copies[0] += repeats[kDys389i] - 13;  // the model holds II - I + 13
    for (std::size_t j = 0; j < copies.size(); ++j) {
      if (!text.empty()) text += j == 0 ? ' ' : '-';
      text += std::to_string(copies[j]);
    }
  }
  return text;
}

}  // namespace

StarGenealogy SimulateStarGenealogy(std::mt19937_64& random, int32_t markerCopies, int32_t descendantCount,
                                    int32_t generations) {
  markerCopies = std::clamp<int32_t>(markerCopies, 1, kOznakaCount);
  std::vector<CSTROznaka> models;
  std::vector<int32_t> founder;
  std::uniform_int_distribution<int32_t> jitter(-2, 2);
  for (int32_t m = 0; m < markerCopies; ++m) {
    int32_t column = 0, copy = 0;
    MarkerColumnAndCopy(m, column, copy);
    // Every copy is modelled as the column's first copy, as the estimator does.
    models.push_back(Model(MarkerIdentity(column, 0)));
    const MarkerModelRow& row = *MarkerModel(m);
    const int32_t middle = (row.lowest + row.highest) / 2 + jitter(random);
    founder.push_back(StateOfCode(models.back(), std::clamp(middle, row.lowest, row.highest) + kStateCodeOffset));
  }
  const auto repeats = [&](const std::vector<int32_t>& states) {
    std::vector<int32_t> out;
    for (int32_t m = 0; m < markerCopies; ++m) out.push_back(RepeatOf(models[m], states[m]));
    return out;
  };

  StarGenealogy genealogy;
  genealogy.generations = generations;
  genealogy.founder = Line(repeats(founder), markerCopies);
  for (int32_t d = 0; d < descendantCount; ++d) {
    std::vector<int32_t> states = founder;
    for (int32_t g = 0; g < generations; ++g) {
      for (int32_t m = 0; m < markerCopies; ++m) states[m] = Step(models[m], states[m], random);
    }
    genealogy.descendants.push_back(Line(repeats(states), markerCopies));
  }
  return genealogy;
}

}  // namespace varnik::datagen
