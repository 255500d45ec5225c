#include "predictor/model_builder.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

#include "predictor/scoring.h"

namespace varnik {
namespace {

// Completeness classes kept: fractions .1 to .9.
constexpr int32_t kMaxClass = 9;
// Joins name copies 0 and 1 of columns 0..119 with values up to 63 and
// fractions up to 3.
constexpr int32_t kJoinCopies = 2;
constexpr int32_t kJoinColumns = 120;

struct Typed {
  int32_t column;
  int32_t copy;
  int32_t value;
  int32_t fraction;
};

// The present values of a sample as the model will see them.
std::vector<Typed> TypedValues(const Haplotype& haplotype, const CPostavkeUcenja& options) {
  const MarkerSetMaskBits kit = MarkerSetMask(kSet23Kit);
  std::vector<Typed> typed;
  int32_t column = -1;
  for (const CVrednostSTRa& entry : haplotype) {
    if (entry.copy == 0) ++column;
    if (column < 0 || column >= kMarkerSetColumns || entry.value < 1) continue;
    if (options.restrictTo23 == 1 && !kit[column]) continue;
    typed.push_back({column, entry.copy, entry.value, options.ignoreFractions != 0 ? 0 : entry.fraction});
  }
  return typed;
}

// Weighted value counts of one copy of one column, per completeness class.
struct CopyCounts {
  int32_t samples = 0;
  double weight = 0.0;
  std::map<int32_t, std::map<int32_t, double>> byClass;
};
using Counts = std::vector<std::vector<CopyCounts>>;  // [column][copy]

void AddSample(Counts& counts, const std::vector<Typed>& typed, double weight) {
  for (const Typed& t : typed) {
    if (t.fraction < 0 || t.fraction > kMaxClass || t.copy < 0 || t.copy >= 8) continue;
    if (counts.size() <= static_cast<std::size_t>(t.column)) counts.resize(t.column + 1);
    auto& copies = counts[t.column];
    if (copies.size() <= static_cast<std::size_t>(t.copy)) copies.resize(t.copy + 1);
    CopyCounts& c = copies[t.copy];
    ++c.samples;
    c.weight += weight;
    c.byClass[t.fraction][t.value] += weight;
  }
}

// Frequencies smoothed towards neighbouring repeat counts: a count also
// gives `a` of itself to each value one step away and a^2 two steps away,
// as single and double mutation steps would.
CUcestanostiVrednostijPojedinacnogaSTRa2 Distribution(const CopyCounts& counts, double a, double floorProbability,
                                                      double lnFloor) {
  CUcestanostiVrednostijPojedinacnogaSTRa2 out;
  if (counts.byClass.empty()) return out;
  const double spread[3] = {1.0, a, a * a};
  double total = 0.0;
  for (const auto& [k, values] : counts.byClass) {
    for (const auto& [v, c] : values) total += c * (spread[0] + 2 * spread[1] + 2 * spread[2]);
  }
  out.classes.resize(counts.byClass.rbegin()->first + 1);
  for (const auto& [k, values] : counts.byClass) {
    const int32_t low = std::max(1, values.begin()->first - 2);
    const int32_t high = values.rbegin()->first + 2;
    std::vector<double> lnP;
    for (int32_t v = low; v <= high; ++v) {
      double mass = 0.0;
      for (int32_t d = -2; d <= 2; ++d) {
        const auto it = values.find(v + d);
        if (it != values.end()) mass += it->second * spread[std::abs(d)];
      }
      const double p = mass / total;
      lnP.push_back(p > floorProbability ? std::log(p) : lnFloor);
    }
    // Only the stretch above the floor is stored.
    std::size_t first = 0;
    while (first < lnP.size() && lnP[first] == lnFloor) ++first;
    std::size_t end = lnP.size();
    while (end > first && lnP[end - 1] == lnFloor) --end;
    auto& c = out.classes[k];
    c.firstValue = low + static_cast<int32_t>(first);
    c.lnP.assign(lnP.begin() + first, lnP.begin() + end);
  }
  while (!out.classes.empty() && out.classes.back().lnP.empty()) out.classes.pop_back();
  int32_t distinct = 0;
  for (const auto& [k, values] : counts.byClass) distinct += static_cast<int32_t>(values.size());
  out.spare = {counts.samples, distinct, 0};
  return out;
}

std::vector<CRazlicitiPrimerciSTRa2> Markers(const Counts& counts, const CPostavkeUcenja& options, double lnFloor) {
  std::vector<CRazlicitiPrimerciSTRa2> markers(counts.size());
  for (std::size_t column = 0; column < counts.size(); ++column) {
    for (const CopyCounts& copy : counts[column]) {
      markers[column].copies.push_back(Distribution(copy, options.smoothing, options.floorProbability, lnFloor));
    }
  }
  return markers;
}

// Unsmoothed log-frequency of a value among the samples that typed its copy.
double LnRawFrequency(const Counts& counts, const CStavkaOznake& item) {
  if (static_cast<std::size_t>(item.column) >= counts.size()) return 0.0;
  const auto& copies = counts[item.column];
  if (static_cast<std::size_t>(item.copy) >= copies.size() || copies[item.copy].weight <= 0) return 0.0;
  const CopyCounts& c = copies[item.copy];
  const auto values = c.byClass.find(item.fraction);
  if (values == c.byClass.end()) return 0.0;
  const auto it = values->second.find(item.value);
  return it == values->second.end() ? 0.0 : std::log(it->second / c.weight);
}

// Pairs of values whose joint frequency departs from the product of their
// single frequencies, all unsmoothed.  A join's stored log-probability is
// the branch's own single log-probabilities plus that measured departure, so
// it changes a score only by the dependence itself and only for a haplotype
// that has both values.
CMegjuzavisnostiOgrankaZaUpotrebu PairJoins(const COgranakLoze2& branch, const Counts& counts,
                                            const std::vector<std::vector<Typed>>& own,
                                            const CPostavkeUcenja& options, double lnFloor) {
  if (options.maxPairJoins <= 0) return {};
  constexpr int32_t kSlots = kJoinColumns * kJoinCopies;
  std::vector<int32_t> together(static_cast<std::size_t>(kSlots) * kSlots, 0);
  std::vector<uint32_t> keys;
  std::vector<std::pair<int32_t, uint16_t>> items;
  for (const std::vector<Typed>& typed : own) {
    items.clear();
    for (const Typed& t : typed) {
      if (t.column < kJoinColumns && t.copy < kJoinCopies && t.value <= 63 && t.fraction <= 3) {
        items.push_back({t.column * kJoinCopies + t.copy, EncodeItem(t.column, t.copy, t.value, t.fraction)});
      }
    }
    std::sort(items.begin(), items.end());
    for (std::size_t i = 0; i < items.size(); ++i) {
      for (std::size_t j = i + 1; j < items.size(); ++j) {
        ++together[items[i].first * kSlots + items[j].first];
        keys.push_back(items[i].second | (static_cast<uint32_t>(items[j].second) << 16));
      }
    }
  }
  std::sort(keys.begin(), keys.end());
  struct Candidate {
    double strength;
    float lnJoint;
    uint32_t pair;
  };
  std::vector<Candidate> candidates;
  const double lnMinRatio = std::log(options.minJoinRatio);
  for (std::size_t i = 0; i < keys.size();) {
    std::size_t end = i;
    while (end < keys.size() && keys[end] == keys[i]) ++end;
    const int32_t count = static_cast<int32_t>(end - i);
    const uint32_t pair = keys[i];
    i = end;
    if (count < options.minJoinCount) continue;
    const CStavkaOznake a = DecodeItem(static_cast<uint16_t>(pair & 0xffff));
    const CStavkaOznake b = DecodeItem(static_cast<uint16_t>(pair >> 16));
    const int32_t both = together[(a.column * kJoinCopies + a.copy) * kSlots + b.column * kJoinCopies + b.copy];
    const double lnRatio = std::log(static_cast<double>(count) / both) - LnRawFrequency(counts, a) -
                           LnRawFrequency(counts, b);
    if (std::abs(lnRatio) < lnMinRatio) continue;
    const double lnA = LnValueProbability(branch, a.column, a.value, a.fraction, a.copy, lnFloor);
    const double lnB = LnValueProbability(branch, b.column, b.value, b.fraction, b.copy, lnFloor);
    const double lnJoint = std::max(lnA + lnB + lnRatio, lnFloor);
    candidates.push_back({std::abs(lnRatio) * count, static_cast<float>(lnJoint), pair});
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& x, const Candidate& y) { return x.strength > y.strength; });
  CMegjuzavisnostiOgrankaZaUpotrebu joins;
  for (std::size_t i = 0; i < candidates.size() && i < static_cast<std::size_t>(options.maxPairJoins); ++i) {
    joins.lnJoint.push_back(candidates[i].lnJoint);
    joins.items.push_back(candidates[i].pair);
  }
  return joins;
}

bool HasTyped(const Counts& counts, std::size_t column, std::size_t copy) {
  return column < counts.size() && copy < counts[column].size() && counts[column][copy].samples > 0;
}

// The distribution a branch's own counts of one marker copy are drawn
// towards: that of the other branches below the nearest SNP at or above the
// branch that have the copy typed, each of those branches counting alike
// (weights summing to 1); with no such SNP, that of every other branch.
// Empty when no other branch has the copy typed.
CopyCounts AncestralCounts(const CPredvigjacMuskihLoz2& m, const std::vector<Counts>& branchCounts,
                           const std::vector<std::vector<int32_t>>& below, const std::vector<int32_t>& everyBranch,
                           int32_t branch, std::size_t column, std::size_t copy) {
  CopyCounts pooled;
  for (int32_t n = m.branches[branch].snpNode;; n = m.snpTree[n].parent) {
    int32_t branches = 0;
    for (int32_t other : n >= 0 ? below[n] : everyBranch) {
      if (other == branch || !HasTyped(branchCounts[other], column, copy)) continue;
      const CopyCounts& theirs = branchCounts[other][column][copy];
      for (const auto& [k, values] : theirs.byClass) {
        for (const auto& [v, c] : values) pooled.byClass[k][v] += c / theirs.weight;
      }
      ++branches;
    }
    if (branches > 0) {
      for (auto& [k, values] : pooled.byClass) {
        for (auto& [v, c] : values) c /= branches;
      }
      pooled.weight = 1.0;
      return pooled;
    }
    if (n < 0) return pooled;
  }
}

// Draws every branch's value counts of every marker copy that some branch
// has typed towards the ancestral distribution (AncestralCounts), as if
// `options.ancestralMen` more men had been drawn from it.  A copy that none
// of the branch's samples typed takes the ancestral distribution itself:
// left at the floor, it would count against the branch as if its value were
// unheard of, and a marker typed by only some sources would decide between
// branches.  A copy typed by few men of the branch stays near its ancestors
// instead of trusting those few values.
void DrawTowardsAncestors(CPredvigjacMuskihLoz2& m, const std::vector<Counts>& branchCounts,
                          const std::vector<std::vector<int32_t>>& below, const CPostavkeUcenja& options) {
  std::vector<int32_t> everyBranch(m.branches.size());
  for (std::size_t b = 0; b < everyBranch.size(); ++b) everyBranch[b] = static_cast<int32_t>(b);
  std::size_t columns = 0;
  for (const Counts& counts : branchCounts) columns = std::max(columns, counts.size());
  for (std::size_t column = 0; column < columns; ++column) {
    std::size_t copies = 0;
    for (const Counts& counts : branchCounts) {
      if (column < counts.size()) copies = std::max(copies, counts[column].size());
    }
    for (std::size_t copy = 0; copy < copies; ++copy) {
      if (std::none_of(branchCounts.begin(), branchCounts.end(),
                       [&](const Counts& counts) { return HasTyped(counts, column, copy); })) {
        continue;
      }
      for (std::size_t b = 0; b < m.branches.size(); ++b) {
        const bool typed = HasTyped(branchCounts[b], column, copy);
        if (typed && options.ancestralMen <= 0) continue;
        const CopyCounts ancestral =
            AncestralCounts(m, branchCounts, below, everyBranch, static_cast<int32_t>(b), column, copy);
        if (ancestral.byClass.empty()) continue;
        CopyCounts drawn = typed ? branchCounts[b][column][copy] : CopyCounts{};
        const double weight = typed ? options.ancestralMen : 1.0;
        for (const auto& [k, values] : ancestral.byClass) {
          for (const auto& [v, c] : values) drawn.byClass[k][v] += c * weight;
        }
        auto& markers = m.branches[b].markers;
        if (markers.size() <= column) markers.resize(column + 1);
        if (markers[column].copies.size() <= copy) markers[column].copies.resize(copy + 1);
        markers[column].copies[copy] = Distribution(drawn, options.smoothing, options.floorProbability, m.lnFloor);
      }
    }
  }
}

// Up-ratio of a sample: how much of the difference between the branch's and
// the super-group's value probabilities favours the branch.
double UpRatio(const COgranakLoze2& branch, const COgranakLoze2& group, const std::vector<Typed>& typed,
               double lnFloor) {
  double up = 0.0;
  double down = 0.0;
  for (const Typed& t : typed) {
    const double p = std::exp(LnValueProbability(branch, t.column, t.value, t.fraction, t.copy, lnFloor));
    const double q = std::exp(LnValueProbability(group, t.column, t.value, t.fraction, t.copy, lnFloor));
    if (p > q) up += p - q;
    if (q > p) down += q - p;
  }
  return up + down > 0 ? up / (up + down) : -1.0;
}

CHistogramUklapanja Histogram(const std::vector<int32_t>& xs) {
  CHistogramUklapanja h;
  if (xs.empty()) {
    h.start = 0;
    return h;
  }
  const auto [low, high] = std::minmax_element(xs.begin(), xs.end());
  h.start = *low;
  h.counts.assign(*high - *low + 1, 0);
  for (int32_t x : xs) ++h.counts[x - *low];
  h.Recount();
  return h;
}

void FitStatistics(CPredvigjacMuskihLoz2& model, const std::vector<CUzorakSaOgrankom>& samples,
                   const std::vector<int32_t>& branchOf) {
  const std::size_t branchCount = model.branches.size();
  std::vector<std::vector<CRaspodelaUklapanjaSkupaOznak>> stats(branchCount);
  for (int32_t set : model.statSets) {
    const MarkerSetMaskBits mask = MarkerSetMask(set);
    int32_t setColumns = 0;
    for (bool in : mask) setColumns += in;
    std::vector<std::vector<int32_t>> own(branchCount);
    std::vector<std::vector<int32_t>> other(branchCount);
    std::vector<std::vector<double>> ownFitness(branchCount);
    // With the single set 0 the statistics serve every haplotype of enough
    // markers, as typed; otherwise a haplotype is scored as someone who
    // typed only the set's markers would give it.
    const bool wholeHaplotypes = model.statSets.size() == 1 && set == kSetColumns29To101;
    for (std::size_t s = 0; s < samples.size(); ++s) {
      Haplotype cut;
      int32_t column = -1;
      int32_t typedColumns = 0;
      for (const CVrednostSTRa& entry : samples[s].haplotype) {
        if (entry.copy == 0) ++column;
        if (wholeHaplotypes || (column >= 0 && column < kMarkerSetColumns && mask[column])) {
          cut.push_back(entry);
          typedColumns += entry.copy == 0 && entry.value >= 1;
        } else if (entry.copy == 0) {
          cut.push_back({-1, 0, 0});
        }
      }
      if (wholeHaplotypes ? typedColumns < model.minMarkersForStats
                          : setColumns == 0 || static_cast<double>(typedColumns) / setColumns < model.minSetOverlap) {
        continue;
      }
      const CIshodPredvidjanja r = ScoreHaplotype(model, -1, cut, 1);
      for (std::size_t b = 0; b < branchCount; ++b) {
        const int32_t x = static_cast<int32_t>(r.fitness[b] * 100 + 0.5);
        if (static_cast<int32_t>(b) == branchOf[s]) {
          own[b].push_back(x);
          ownFitness[b].push_back(r.fitness[b]);
        } else {
          other[b].push_back(x);
        }
      }
    }
    auto record = [](const std::vector<double>& ownFitness, const std::vector<int32_t>& own,
                     const std::vector<int32_t>& other) {
      CRaspodelaUklapanjaSkupaOznak r;
      double sum = 0.0;
      double squares = 0.0;
      for (double f : ownFitness) {
        sum += f;
        squares += f * f;
      }
      const double n = static_cast<double>(ownFitness.size());
      r.meanFitness = n > 0 ? sum / n : 0.0;
      r.fitnessSpread = n > 0 ? std::sqrt(std::max(0.0, squares / n - r.meanFitness * r.meanFitness)) : 0.0;
      r.ownHistogram = Histogram(own);
      r.otherHistogram = Histogram(other);
      // Equal standing for "one of the branch's own" and "one of the
      // others": the counts are compared as shares of their totals.
      r.priorRatio = other.empty() ? 1.0 : static_cast<double>(own.size()) / other.size();
      return r;
    };
    // A branch none of whose samples typed enough of the set would get a
    // fit factor of 0 from an empty histogram of its own, and so never be
    // predicted for that set: it takes the statistics of all branches.
    std::vector<double> allOwnFitness;
    std::vector<int32_t> allOwn;
    std::vector<int32_t> allOther;
    for (std::size_t b = 0; b < branchCount; ++b) {
      allOwnFitness.insert(allOwnFitness.end(), ownFitness[b].begin(), ownFitness[b].end());
      allOwn.insert(allOwn.end(), own[b].begin(), own[b].end());
      allOther.insert(allOther.end(), other[b].begin(), other[b].end());
    }
    const CRaspodelaUklapanjaSkupaOznak pooled = record(allOwnFitness, allOwn, allOther);
    for (std::size_t b = 0; b < branchCount; ++b) {
      stats[b].push_back(own[b].empty() ? pooled : record(ownFitness[b], own[b], other[b]));
    }
  }
  for (std::size_t b = 0; b < branchCount; ++b) model.branches[b].fitStats = std::move(stats[b]);
}

}  // namespace

bool BuildPredictorModel(const std::vector<CUzorakSaOgrankom>& samples, const CPostavkeUcenja& options,
                         CPredvigjacMuskihLoz2& model, std::string& error) {
  if (samples.empty()) {
    error = "no labelled haplotypes";
    return false;
  }
  CPredvigjacMuskihLoz2 m;
  m.restrictTo23 = options.restrictTo23;
  m.ignoreFractions = options.ignoreFractions;
  m.statSets = options.statSets;
  m.minMarkersForStats = options.minMarkersForStats;
  m.minSetOverlap = options.minSetOverlap;
  m.floorProbability = options.floorProbability;
  m.lnFloor = std::log(options.floorProbability);
  m.warnFitness = options.warnFitness;
  m.parentCorrection = options.parentCorrection;
  m.copiesUsed = kJoinCopies;
  const double groupFloor = CPredvigjacMuskihLoz2().lnFloor;

  // Branches in order of first appearance, and the SNP tree from the paths.
  std::map<std::string, int32_t> branchIndex;
  std::map<std::string, int32_t> nodeIndex;
  std::vector<int32_t> branchOf;
  std::vector<std::vector<Typed>> typed;
  std::vector<std::vector<int32_t>> members;
  for (const CUzorakSaOgrankom& sample : samples) {
    auto [it, added] = branchIndex.try_emplace(sample.branch, static_cast<int32_t>(m.branches.size()));
    if (added) {
      COgranakLoze2& b = m.branches.emplace_back();
      b.names = {sample.serbianName.empty() ? sample.branch : sample.serbianName, sample.branch};
      b.weights = {1.0};
      members.emplace_back();
    }
    COgranakLoze2& b = m.branches[it->second];
    if (b.snpNode < 0 && !sample.snpPath.empty()) {
      std::string key;
      int32_t parent = -1;
      for (const std::string& snp : sample.snpPath) {
        key += ">" + snp;
        auto [node, newNode] = nodeIndex.try_emplace(key, static_cast<int32_t>(m.snpTree.size()));
        if (newNode) m.snpTree.push_back({{snp}, parent, -1});
        parent = node->second;
      }
      b.snpNode = parent;
    }
    branchOf.push_back(it->second);
    members[it->second].push_back(static_cast<int32_t>(typed.size()));
    typed.push_back(TypedValues(sample.haplotype, options));
  }

  const std::size_t nodes = m.snpTree.size();
  std::vector<std::vector<int32_t>> below(nodes);
  for (std::size_t b = 0; b < m.branches.size(); ++b) {
    for (int32_t n = m.branches[b].snpNode; n >= 0; n = m.snpTree[n].parent) below[n].push_back(static_cast<int32_t>(b));
  }

  // Value frequencies of every branch, drawn towards those of the branches
  // near it in the SNP tree.
  std::vector<Counts> branchCounts(m.branches.size());
  for (std::size_t b = 0; b < m.branches.size(); ++b) {
    for (int32_t s : members[b]) AddSample(branchCounts[b], typed[s], 1.0);
    m.branches[b].markers = Markers(branchCounts[b], options, m.lnFloor);
  }
  DrawTowardsAncestors(m, branchCounts, below, options);

  // A super-group for every SNP above two or more branches, unless one of
  // its children already stands above the same branches.
  for (std::size_t n = 0; n < nodes; ++n) {
    if (below[n].size() < 2) continue;
    bool sameAsChild = false;
    for (std::size_t c = 0; c < nodes; ++c) {
      if (m.snpTree[c].parent == static_cast<int32_t>(n) && below[c].size() == below[n].size()) sameAsChild = true;
    }
    if (sameAsChild) continue;
    m.snpTree[n].group = static_cast<int32_t>(m.parentGroups.size());
    COgranakLoze2& g = m.parentGroups.emplace_back();
    g.names = {m.snpTree[n].names.front(), m.snpTree[n].names.front()};
    g.weights = {1.0};
    g.snpNode = static_cast<int32_t>(n);
    // Every branch counts alike, however many samples it has.
    Counts counts;
    for (int32_t b : below[n]) {
      for (int32_t s : members[b]) AddSample(counts, typed[s], 1.0 / members[b].size());
    }
    g.markers = Markers(counts, options, groupFloor);
  }

  // Links to the super-groups above each branch, nearest first, with the
  // up-ratio that the branch's own samples show on average.
  for (std::size_t b = 0; b < m.branches.size(); ++b) {
    COgranakLoze2& branch = m.branches[b];
    for (int32_t n = branch.snpNode; n >= 0; n = m.snpTree[n].parent) {
      const int32_t group = m.snpTree[n].group;
      if (group < 0) continue;
      double sum = 0.0;
      double squares = 0.0;
      int32_t count = 0;
      for (int32_t s : members[b]) {
        const double ratio = UpRatio(branch, m.parentGroups[group], typed[s], m.lnFloor);
        if (ratio < 0) continue;
        sum += ratio;
        squares += ratio * ratio;
        ++count;
      }
      const double mean = count > 0 ? sum / count : 0.0;
      const double spread = count > 0 ? std::sqrt(std::max(0.0, squares / count - mean * mean)) : 0.0;
      branch.parentLinks.push_back({group, mean, spread});
    }
  }

  for (std::size_t b = 0; b < m.branches.size(); ++b) {
    std::vector<std::vector<Typed>> own;
    for (int32_t s : members[b]) own.push_back(typed[s]);
    m.branchJoins.push_back(PairJoins(m.branches[b], branchCounts[b], own, options, m.lnFloor));
  }

  PrepareForScoring(m);
  if (options.fitStatistics) FitStatistics(m, samples, branchOf);
  model = std::move(m);
  return true;
}

}  // namespace varnik
