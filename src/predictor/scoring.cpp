#include "predictor/scoring.h"

#include <algorithm>
#include <cmath>

namespace varnik {
namespace {

// Joins name columns 0..119 through the lookup table.
constexpr int32_t kTableColumns = 120;
// No column has more copies than DYS464.
constexpr int32_t kMaxCopiesUsed = 4;
// Repeat counts are far below this; a damaged model cannot make the search
// for the most frequent value run long.
constexpr int64_t kMaxScannedValue = 1000;

struct Entry {
  int32_t column;
  int32_t copy;
  int32_t value;
  int32_t fraction;
};

// The haplotype as the scoring sees it: its present entries, with the
// counts that the fit statistics need.
struct Prepared {
  std::vector<Entry> entries;
  std::vector<int32_t> table;  // column * copiesUsed + copy -> entry, -1 none
  int32_t copiesUsed = 0;
  int32_t presentColumns = 0;
  MarkerSetMaskBits typedColumns{};
  int32_t removedValues = 0;

  int32_t Find(int32_t column, int32_t copy) const {
    if (copy >= copiesUsed || column >= kTableColumns) return -1;
    return table[column * copiesUsed + copy];
  }
};

Prepared Prepare(const CPredvigjacMuskihLoz2& model, const Haplotype& haplotype) {
  Prepared p;
  const MarkerSetMaskBits kit = MarkerSetMask(kSet23Kit);
  const bool restrict = model.restrictTo23 == 1;
  int32_t column = -1;
  for (const CVrednostSTRa& value : haplotype) {
    if (value.copy == 0) ++column;
    if (column < 0 || value.value < 1) continue;
    if (restrict && (column >= kMarkerSetColumns || !kit[column])) {
      ++p.removedValues;
      continue;
    }
    const int32_t fraction = model.ignoreFractions != 0 ? 0 : value.fraction;
    p.entries.push_back({column, value.copy, value.value, fraction});
    if (value.copy == 0) {
      ++p.presentColumns;
      if (column < kMarkerSetColumns) p.typedColumns[column] = true;
    }
  }
  p.copiesUsed = std::clamp(model.copiesUsed, 0, kMaxCopiesUsed);
  p.table.assign(static_cast<std::size_t>(kTableColumns) * p.copiesUsed, -1);
  for (std::size_t e = 0; e < p.entries.size(); ++e) {
    const Entry& entry = p.entries[e];
    if (entry.copy >= 0 && entry.copy < p.copiesUsed && entry.column < kTableColumns) {
      p.table[entry.column * p.copiesUsed + entry.copy] = static_cast<int32_t>(e);
    }
  }
  return p;
}

bool Matches(const Entry& entry, const CStavkaOznake& item) {
  return entry.value == item.value && entry.fraction == item.fraction;
}

// Value log-probabilities and probabilities of the haplotype's entries
// under each super-group, worked out once for all the branches below it.
class GroupCache {
 public:
  GroupCache(const CPredvigjacMuskihLoz2& model, const Prepared& p)
      : model_(model), p_(p), lnP_(model.parentGroups.size()), prob_(model.parentGroups.size()) {}
  const std::vector<double>& LnP(int32_t group) {
    std::vector<double>& ln = lnP_[group];
    if (ln.empty() && !p_.entries.empty()) {
      const COgranakLoze2& parent = model_.parentGroups[group];
      ln.resize(p_.entries.size());
      prob_[group].resize(p_.entries.size());
      for (std::size_t e = 0; e < p_.entries.size(); ++e) {
        const Entry& entry = p_.entries[e];
        ln[e] = LnValueProbability(parent, entry.column, entry.value, entry.fraction, entry.copy, model_.lnFloor);
        prob_[group][e] = std::exp(ln[e]);
      }
    }
    return ln;
  }
  const std::vector<double>& P(int32_t group) {
    LnP(group);
    return prob_[group];
  }

 private:
  const CPredvigjacMuskihLoz2& model_;
  const Prepared& p_;
  std::vector<std::vector<double>> lnP_;
  std::vector<std::vector<double>> prob_;
};

// Per-entry working arrays of one branch, reused from branch to branch.
struct Work {
  std::vector<double> lnP;
  std::vector<double> share;
  std::vector<int32_t> useCount;
  std::vector<int32_t> group;
  std::vector<int32_t> groupUse[2];
  std::vector<int32_t> pairCount[2];
  std::vector<int32_t> joinEntries;
  std::vector<double> gain;        // parent correction: w - 1 of distinctive entries
  std::vector<signed char> kind;   // parent correction: 1 distinctive, -1 common, 0 neither
};

void ApplyGroupJoins(const COgranakLoze2& branch, const Prepared& p, double lnFloor, Work& w) {
  int32_t groups = 0;
  for (const CMegjuzavisnostiVisheOznak& record : branch.groupJoins) {
    const int32_t k = record.itemsPerJoin;
    if (k <= 0) continue;
    for (std::size_t j = 0; j < record.JoinCount(); ++j) {
      if ((j + 1) * static_cast<std::size_t>(k) > record.items.size()) break;
      w.joinEntries.clear();
      bool applies = true;
      for (int32_t i = 0; i < k && applies; ++i) {
        const CStavkaOznake item = DecodeItem(record.items[j * k + i]);
        const int32_t e = p.Find(item.column, item.copy);
        applies = e >= 0 && w.group[e] < 0 && Matches(p.entries[e], item) &&
                  std::find(w.joinEntries.begin(), w.joinEntries.end(), e) == w.joinEntries.end();
        w.joinEntries.push_back(e);
      }
      if (!applies) continue;
      const double lnJ = std::max(static_cast<double>(record.lnJoint[j]), lnFloor);
      for (int32_t e : w.joinEntries) {
        w.group[e] = groups;
        ++w.useCount[e];
        w.share[e] += lnJ / k;
      }
      ++groups;
    }
  }
  for (auto& use : w.groupUse) use.assign(groups, 0);
}

void ApplyPairJoins(const CMegjuzavisnostiOgrankaZaUpotrebu& joins, const Prepared& p, double lnFloor, Work& w) {
  const bool split = joins.split != -1;
  if (split) {
    for (auto& count : w.pairCount) count.assign(p.entries.size(), 0);
  }
  const std::size_t n = std::min(joins.lnJoint.size(), joins.items.size());
  for (std::size_t j = 0; j < n; ++j) {
    const int part = split && static_cast<int64_t>(j) < joins.split ? 0 : 1;
    const CStavkaOznake first = DecodeItem(static_cast<uint16_t>(joins.items[j] & 0xffff));
    const CStavkaOznake second = DecodeItem(static_cast<uint16_t>(joins.items[j] >> 16));
    const int32_t e1 = p.Find(first.column, first.copy);
    if (e1 < 0 || !Matches(p.entries[e1], first)) continue;
    const int32_t g1 = w.group[e1];
    if (g1 >= 0 && w.groupUse[part][g1] != 0) continue;
    if (!split && w.useCount[e1] > 1) continue;
    const int32_t e2 = p.Find(second.column, second.copy);
    if (e2 < 0 || e2 == e1 || !Matches(p.entries[e2], second)) continue;
    const int32_t g2 = w.group[e2];
    if (g2 >= 0 && (g2 == g1 || w.groupUse[part][g2] != 0)) continue;
    if (!split && w.useCount[e2] > 1) continue;
    if (split) {
      if (w.pairCount[part][e1] >= 2 || w.pairCount[part][e2] >= 2) continue;
      ++w.pairCount[part][e1];
      ++w.pairCount[part][e2];
    }
    if (g1 >= 0) ++w.groupUse[part][g1];
    if (g2 >= 0) ++w.groupUse[part][g2];
    const double lnJ = std::max(static_cast<double>(joins.lnJoint[j]), lnFloor);
    for (int32_t e : {e1, e2}) {
      ++w.useCount[e];
      w.share[e] += lnJ / 2;
    }
  }
}

// Gives the values in which the branch clearly differs from its super-group
// more weight than the values that both share.
void ApplyParentCorrection(const CPredvigjacMuskihLoz2& model, const COgranakLoze2& branch,
                           const std::vector<double>& parentLnP, const Prepared& p, Work& w) {
  if (branch.lnParentBonus <= -999.9999) return;
  int32_t distinctive = 0;
  int32_t common = 0;
  double extra = 0.0;
  std::vector<double>& weights = w.gain;
  std::vector<signed char>& kind = w.kind;
  weights.assign(p.entries.size(), 0.0);
  kind.assign(p.entries.size(), 0);
  for (std::size_t e = 0; e < p.entries.size(); ++e) {
    if (!(w.share[e] < 0)) continue;
    const double a = w.lnP[e];
    const double u = parentLnP[e];
    if (a > model.lnMinBranchP && a - u >= model.lnMinGain) {
      weights[e] = std::exp(branch.lnParentBonus + std::min(a - u, model.lnMaxGain) - model.lnMaxGain);
      extra += weights[e];
      kind[e] = 1;
      ++distinctive;
    } else {
      kind[e] = -1;
      ++common;
    }
  }
  if (distinctive == 0 || common == 0 || 1.1 * distinctive > common) return;
  double r = (common - extra) / common;
  if (r < 1 - model.parentCorrection) {
    r = 1 - model.parentCorrection;
    for (std::size_t e = 0; e < p.entries.size(); ++e) {
      if (kind[e] == 1) w.share[e] *= weights[e] * (common * model.parentCorrection / extra) + 1;
    }
  }
  for (std::size_t e = 0; e < p.entries.size(); ++e) {
    if (kind[e] == -1) w.share[e] *= r;
  }
}

double UnsupportedRatio(const COgranakLoze2& branch, int32_t group, const std::vector<double>& parentP,
                        const Work& w) {
  double up = 0.0;
  double down = 0.0;
  for (std::size_t e = 0; e < parentP.size(); ++e) {
    const double pb = std::exp(w.lnP[e]);
    const double q = parentP[e];
    if (pb > q) up += pb - q;
    if (q > pb) down += q - pb;
  }
  if (!(up + down > 0) || branch.parentLinks.empty()) return -1.0;
  const CVezaKaNadogranku* link = &branch.parentLinks.front();
  for (const CVezaKaNadogranku& candidate : branch.parentLinks) {
    if (candidate.group == group) {
      link = &candidate;
      break;
    }
  }
  if (!(link->expectedUpRatio > 0)) return -1.0;
  return (up / (up + down)) / link->expectedUpRatio;
}

int32_t ChooseMarkerSet(const CPredvigjacMuskihLoz2& model, const Prepared& p) {
  if (model.branches.empty() || model.branches.front().fitStats.empty() ||
      model.branches.front().fitStats.front().ownHistogram.start < 0) {
    return -1;
  }
  if (model.statSets.size() == 1 && model.statSets.front() == kSetColumns29To101) {
    return p.presentColumns >= model.minMarkersForStats ? 0 : -1;
  }
  int32_t chosen = -1;
  double best = -1.0;
  for (std::size_t s = 0; s < model.statSets.size(); ++s) {
    const MarkerSetMaskBits mask = MarkerSetMask(model.statSets[s]);
    int32_t both = 0;
    int32_t either = 0;
    for (int32_t c = 0; c < kMarkerSetColumns; ++c) {
      both += mask[c] && p.typedColumns[c];
      either += mask[c] || p.typedColumns[c];
    }
    const double overlap = either == 0 ? 0.0 : static_cast<double>(both) / either;
    if (overlap >= model.minSetOverlap && overlap > best) {
      best = overlap;
      chosen = static_cast<int32_t>(s);
    }
  }
  return chosen;
}

}  // namespace

int32_t SuperGroupOf(const CPredvigjacMuskihLoz2& model, const COgranakLoze2& branch, int32_t knownSnp) {
  if (branch.parentLinks.empty()) return -1;
  auto valid = [&model](int32_t g) {
    return g >= 0 && static_cast<std::size_t>(g) < model.parentGroups.size() ? g : -1;
  };
  if (knownSnp < 0) return valid(branch.parentLinks.front().group);
  const int64_t size = static_cast<int64_t>(model.snpTree.size());
  int32_t remembered = -1;
  bool passedKnown = false;
  int32_t node = branch.snpNode;
  for (int64_t steps = 0; steps <= size && node >= 0 && node < size; ++steps) {
    const CPodaciPJRaPredvid& n = model.snpTree[node];
    if (n.group != -1) {
      remembered = n.group;
      if (passedKnown) break;
    }
    if (node == knownSnp) {
      passedKnown = true;
      if (remembered != -1) break;
    }
    node = n.parent;
  }
  return valid(remembered);
}

double FitFactor(const CRaspodelaUklapanjaSkupaOznak& stats, double fitness) {
  const CHistogramUklapanja& own = stats.ownHistogram;
  const CHistogramUklapanja& other = stats.otherHistogram;
  const int64_t x = static_cast<int64_t>(fitness * 100 + 0.5);
  const int64_t ownEnd = own.End();
  const double ownCount = own.counts.empty() ? 0 : own.SmoothedCount(x > ownEnd ? ownEnd : x);
  const double otherCount = other.SmoothedCount(x);
  if (ownCount > 0) return ownCount / (stats.priorRatio * otherCount + ownCount);
  if (otherCount != 0 || x >= own.start) return 0.0;
  // Below the lowest fitness of the branch's own samples: the own count is
  // extrapolated downwards, falling by a factor 1.5 a step.
  const int64_t d = own.start - x;
  const int64_t otherEnd = other.End();
  const int64_t width = static_cast<int64_t>(other.counts.size());
  const int64_t quarter = static_cast<int64_t>(width * 0.25 + 0.5);
  if (!(d <= 5 || x > otherEnd || otherEnd - x < quarter)) return 0.0;
  const double ownExtrapolated = own.CountAt(own.start) / std::pow(1.5, static_cast<double>(d + 1));
  if (!(ownExtrapolated > 0)) return 0.0;
  const double otherExtrapolated = x > otherEnd
                                       ? other.CountAt(otherEnd) / std::pow(1.5, static_cast<double>(x - otherEnd + 1))
                                       : other.SmoothedCount(x);
  return ownExtrapolated / (ownExtrapolated + stats.priorRatio * otherExtrapolated);
}

CIshodPredvidjanja ScoreHaplotype(const CPredvigjacMuskihLoz2& model, int32_t knownSnp, const Haplotype& haplotype,
                                  int32_t language) {
  const std::size_t branchCount = model.branches.size();
  CIshodPredvidjanja out;
  out.probability.assign(branchCount, 0.0);
  out.fitness.assign(branchCount, 0.0);
  out.relativeFitness.assign(branchCount, -1.0);
  out.unsupportedRatio.assign(branchCount, -1.0);
  for (const COgranakLoze2& branch : model.branches) out.names.push_back(BranchName(branch, language));

  const Prepared p = Prepare(model, haplotype);
  out.removedValues = p.removedValues;
  out.chosenSet = ChooseMarkerSet(model, p);
  const std::size_t n = p.entries.size();

  std::vector<double> logLikelihood(branchCount, 0.0);
  std::vector<bool> allowed(branchCount, true);
  Work w;
  GroupCache groups(model, p);
  for (std::size_t b = 0; b < branchCount; ++b) {
    const COgranakLoze2& branch = model.branches[b];
    if (knownSnp >= 0) allowed[b] = branch.snpNode != -1 && IsSnpAncestor(model, branch.snpNode, knownSnp);
    if (!allowed[b]) continue;

    w.lnP.resize(n);
    for (std::size_t e = 0; e < n; ++e) {
      const Entry& entry = p.entries[e];
      w.lnP[e] = LnValueProbability(branch, entry.column, entry.value, entry.fraction, entry.copy, model.lnFloor);
    }
    w.share.assign(n, 0.0);
    w.useCount.assign(n, 0);
    w.group.assign(n, -1);
    ApplyGroupJoins(branch, p, model.lnFloor, w);
    if (b < model.branchJoins.size()) ApplyPairJoins(model.branchJoins[b], p, model.lnFloor, w);
    for (std::size_t e = 0; e < n; ++e) {
      if (w.useCount[e] == 0) w.share[e] += w.lnP[e];
      if (w.useCount[e] > 1) w.share[e] -= (w.useCount[e] - 1) * w.lnP[e];
    }
    const int32_t group = SuperGroupOf(model, branch, knownSnp);
    if (model.parentCorrection != 0 && group >= 0) {
      ApplyParentCorrection(model, branch, groups.LnP(group), p, w);
    }
    double sum = 0.0;
    for (double s : w.share) sum += s;
    logLikelihood[b] = sum;

    out.fitness[b] = n == 0 ? 1.0 : std::clamp(std::exp(sum / static_cast<double>(n)), 0.0, 1.0);
    if (out.chosenSet >= 0 && static_cast<std::size_t>(out.chosenSet) < branch.fitStats.size()) {
      const double mean = branch.fitStats[out.chosenSet].meanFitness;
      if (mean > 1e-6) out.relativeFitness[b] = out.fitness[b] / mean;
    }
    if (p.presentColumns >= model.minMarkersForStats && group >= 0) {
      out.unsupportedRatio[b] = UnsupportedRatio(branch, group, groups.P(group), w);
    }
  }

  int64_t best = -1;
  for (std::size_t b = 0; b < branchCount; ++b) {
    if (allowed[b] && (best < 0 || logLikelihood[b] > logLikelihood[best])) best = static_cast<int64_t>(b);
  }
  if (best < 0) return out;
  std::vector<double> ascending;
  for (std::size_t b = 0; b < branchCount; ++b) {
    if (!allowed[b]) continue;
    out.probability[b] = std::exp(logLikelihood[b] - logLikelihood[best]);
    ascending.push_back(out.probability[b]);
  }
  std::sort(ascending.begin(), ascending.end());
  double total = 0.0;
  for (double v : ascending) total += v;
  for (std::size_t b = 0; b < branchCount; ++b) {
    if (!allowed[b]) continue;
    out.probability[b] /= total;
    const auto& stats = model.branches[b].fitStats;
    if (out.chosenSet >= 0 && static_cast<std::size_t>(out.chosenSet) < stats.size()) {
      out.probability[b] *= FitFactor(stats[out.chosenSet], out.fitness[b]);
    }
  }
  return out;
}

void MostFrequentValues(const CPredvigjacMuskihLoz2& model, int32_t branchIndex, Haplotype& haplotype,
                        bool wholeValuesOnly) {
  if (branchIndex < 0 || static_cast<std::size_t>(branchIndex) >= model.branches.size()) return;
  const COgranakLoze2& branch = model.branches[branchIndex];
  int32_t column = -1;
  for (CVrednostSTRa& entry : haplotype) {
    if (entry.copy == 0) ++column;
    if (column < 0 || entry.value < 1 || static_cast<std::size_t>(column) >= branch.markers.size()) continue;
    const auto& copies = branch.markers[column].copies;
    if (entry.copy < 0 || static_cast<std::size_t>(entry.copy) >= copies.size()) continue;
    const auto& classes = copies[entry.copy].classes;
    int64_t largest = -1;
    for (const auto& c : classes) {
      if (!c.lnP.empty()) largest = std::max<int64_t>(largest, c.firstValue + static_cast<int64_t>(c.lnP.size()) - 1);
    }
    if (largest < 0) continue;
    largest = std::min<int64_t>(largest, kMaxScannedValue);
    // Candidates with the best score, in order of class, then value.
    struct Candidate {
      int32_t value;
      int32_t fraction;
    };
    std::vector<Candidate> best;
    double bestScore = -HUGE_VAL;
    auto consider = [&](double score, int32_t value, int32_t fraction) {
      if (score > bestScore) {
        bestScore = score;
        best.clear();
      }
      if (score == bestScore) best.push_back({value, fraction});
    };
    auto lnAt = [&](const CUcestanostiVrednostijIstePotpunosti2& c, int64_t value) {
      const int64_t i = value - c.firstValue;
      return i >= 0 && i < static_cast<int64_t>(c.lnP.size()) ? c.lnP[i] : model.lnFloor;
    };
    if (wholeValuesOnly) {
      for (int64_t v = 0; v <= largest; ++v) {
        double sum = 0.0;
        for (const auto& c : classes) {
          const double ln = lnAt(c, v);
          if (ln > model.lnFloor) sum += std::exp(ln);
        }
        consider(sum > 0 ? std::log(sum) : model.lnFloor, static_cast<int32_t>(v), entry.fraction);
      }
    } else {
      for (std::size_t k = 0; k < classes.size(); ++k) {
        for (int64_t v = 0; v <= largest; ++v) consider(lnAt(classes[k], v), static_cast<int32_t>(v), static_cast<int32_t>(k));
      }
    }
    const Candidate& pick = best[best.size() / 2];
    entry.value = pick.value;
    entry.fraction = pick.fraction;
  }
}

}  // namespace varnik
