#include "predictor/cross_validation.h"

#include <algorithm>
#include <set>

#include "common/format.h"
#include "predictor/scoring.h"

namespace varnik {
namespace {

int32_t TypedValues(const Haplotype& haplotype) {
  int32_t n = 0;
  for (const CVrednostSTRa& entry : haplotype) n += entry.value >= 1;
  return n;
}

std::string Letter(const std::string& name) { return name.empty() ? "-" : name.substr(0, 1); }

std::string Share(int32_t right, int32_t of) {
  return of == 0 ? std::string("     -") : Format("%5.1f%%", 100.0 * right / of);
}

}  // namespace

int32_t TypedBand(int32_t typedValues) {
  return typedValues >= 17 ? 3 : typedValues >= 9 ? 2 : typedValues >= 6 ? 1 : 0;
}

int32_t TopBranch(const std::vector<double>& probability, const std::vector<double>& fitness) {
  int32_t best = -1;
  for (std::size_t b = 0; b < probability.size(); ++b) {
    if (!(fitness[b] > 0)) continue;
    if (best < 0 || probability[b] > probability[best] ||
        (probability[b] == probability[best] && fitness[b] > fitness[best])) {
      best = static_cast<int32_t>(b);
    }
  }
  return best;
}

bool AssignFolds(const std::vector<std::string>& groups, int32_t folds, std::vector<int32_t>& foldOf,
                 std::string& error) {
  foldOf.assign(groups.size(), 0);
  if (folds < 2 || groups.size() < static_cast<std::size_t>(folds)) {
    error = Format("%zu men cannot form %d folds", groups.size(), folds);
    return false;
  }
  std::map<std::string, int32_t> size;
  for (const std::string& g : groups) ++size[g];
  if (size.size() == 1 && size.begin()->first.empty()) {
    for (std::size_t i = 0; i < groups.size(); ++i) foldOf[i] = static_cast<int32_t>(i % folds);
    return true;
  }
  if (size.size() < static_cast<std::size_t>(folds)) {
    error = Format("%zu groups cannot form %d folds", size.size(), folds);
    return false;
  }
  std::vector<std::pair<int32_t, std::string>> bySize;
  for (const auto& [g, n] : size) bySize.push_back({-n, g});
  std::sort(bySize.begin(), bySize.end());
  std::vector<int32_t> men(folds, 0);
  std::map<std::string, int32_t> foldOfGroup;
  for (const auto& [negative, g] : bySize) {
    const int32_t f = static_cast<int32_t>(std::min_element(men.begin(), men.end()) - men.begin());
    foldOfGroup[g] = f;
    men[f] -= negative;
  }
  for (std::size_t i = 0; i < groups.size(); ++i) foldOf[i] = foldOfGroup[groups[i]];
  return true;
}

bool CrossValidate(const std::vector<CUzorakSaOgrankom>& samples, const std::vector<std::string>& groups,
                   int32_t folds, const CPostavkeUcenja& options, CIshodUnakrsneProvere& result, std::string& error,
                   const std::function<void(int32_t fold)>& progress) {
  result = {};
  if (groups.size() != samples.size()) {
    error = "one group per man is needed";
    return false;
  }
  std::vector<int32_t> foldOf;
  if (!AssignFolds(groups, folds, foldOf, error)) return false;
  result.folds = folds;
  const std::set<std::string> distinct(groups.begin(), groups.end());
  result.groups = distinct.size() == 1 && distinct.begin()->empty() ? 0 : static_cast<int32_t>(distinct.size());

  for (int32_t fold = 0; fold < folds; ++fold) {
    if (progress) progress(fold);
    std::vector<CUzorakSaOgrankom> training;
    for (std::size_t i = 0; i < samples.size(); ++i) {
      if (foldOf[i] != fold) training.push_back(samples[i]);
    }
    CPredvigjacMuskihLoz2 model;
    if (!BuildPredictorModel(training, options, model, error)) return false;
    for (std::size_t i = 0; i < samples.size(); ++i) {
      if (foldOf[i] != fold) continue;
      const CUzorakSaOgrankom& man = samples[i];
      const int32_t band = TypedBand(TypedValues(man.haplotype));
      const CIshodPredvidjanja r = ScoreForPrediction(model, -1, man.haplotype, 1);
      const int32_t top = TopBranch(r.probability, r.fitness);
      const std::string predicted = top < 0 ? std::string() : r.names[top];
      ++result.men[band];
      result.letterRight[band] += Letter(predicted) == Letter(man.branch);
      result.labelRight[band] += predicted == man.branch;
      if (band > 0) ++result.confusion[{Letter(man.branch), Letter(predicted)}];
    }
  }
  return true;
}

std::string FormatCrossValidation(const CIshodUnakrsneProvere& result) {
  std::string out = result.groups > 0 ? Format("%d folds by group (%d groups)\n", result.folds, result.groups)
                                      : Format("%d folds\n", result.folds);
  out += "typed values     men   haplogroup   label\n";
  const char* bands[kTypedBands] = {"1-5", "6-8", "9-16", "17+"};
  int32_t men = 0;
  int32_t letter = 0;
  int32_t label = 0;
  for (int32_t b = 0; b < kTypedBands; ++b) {
    out += Format("%-12s %7d      %s  %s\n", bands[b], result.men[b], Share(result.letterRight[b], result.men[b]).c_str(),
                  Share(result.labelRight[b], result.men[b]).c_str());
    if (b > 0) {
      men += result.men[b];
      letter += result.letterRight[b];
      label += result.labelRight[b];
    }
  }
  out += Format("%-12s %7d      %s  %s\n", "6 or more", men, Share(letter, men).c_str(), Share(label, men).c_str());

  std::set<std::string> truths;
  std::set<std::string> columns;
  for (const auto& [key, n] : result.confusion) {
    truths.insert(key.first);
    columns.insert(key.second);
  }
  columns.insert(truths.begin(), truths.end());
  out += "\nhaplogroups of men with 6 or more values (rows true, columns predicted)\n   ";
  for (const std::string& c : columns) out += Format("%6s", c.c_str());
  out += "\n";
  for (const std::string& t : truths) {
    out += Format("%-3s", t.c_str());
    for (const std::string& c : columns) {
      const auto it = result.confusion.find({t, c});
      out += it == result.confusion.end() ? std::string("     .") : Format("%6d", it->second);
    }
    out += "\n";
  }
  return out;
}

}  // namespace varnik
