// The haplogroup predictor's model: per-branch frequencies of Y-STR values,
// their interdependencies (joins), super-groups, the tree of known SNPs and
// the fit statistics that calibrate a branch's fitness.
//
// A model is read from a model file (model_file.h) and scored by
// ScoreHaplotype (scoring.h).
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varnik {

// Marker sets for which a branch carries fit statistics, as masks over the
// 102 FTDNA columns (MarkerSetMask).
enum ESkupOznakStatUklapanja : int32_t {
  kSetColumns29To101 = 0,
  kSet12Markers = 1,
  kSet25Markers = 2,
  kSet37Markers = 3,
  kSet67Markers = 4,
  kSet111Markers = 5,
  kSet17Kit = 6,
  kSet23Kit = 7,
  kSetFirstTwelvePlus = 8,
};

inline constexpr int32_t kMarkerSetColumns = 102;
using MarkerSetMaskBits = std::array<bool, kMarkerSetColumns>;

// The columns of a marker set; every flag is false for an unknown set.
MarkerSetMaskBits MarkerSetMask(int32_t set);

// Frequencies of the values of one copy of one marker that were typed with
// one completeness (class 0: whole repeat numbers; class k: fraction k).
struct CUcestanostiVrednostijIstePotpunosti2 {
  int32_t firstValue = 0;
  // lnP[i]: natural logarithm of the frequency of repeat value firstValue + i.
  std::vector<double> lnP;
};

// One copy of one marker: one distribution per completeness class.
struct CUcestanostiVrednostijPojedinacnogaSTRa2 {
  std::vector<CUcestanostiVrednostijIstePotpunosti2> classes;
  // Carried through the file, never read by the scoring.  The model builder
  // stores the number of training samples that had the copy typed, the
  // number of distinct values seen and 0.
  std::array<int32_t, 3> spare{};
};

// One FTDNA column: one record per copy (copy 0 = a, 1 = b, ...).
struct CRazlicitiPrimerciSTRa2 {
  std::vector<CUcestanostiVrednostijPojedinacnogaSTRa2> copies;
};

// Histogram of fitness values times 100.
struct CHistogramUklapanja {
  int32_t start = -1;  // negative: no histogram
  std::vector<int32_t> counts;
  int64_t total = 0;  // sum of counts

  int64_t End() const { return int64_t{start} + static_cast<int64_t>(counts.size()) - 1; }
  // The raw count at x; 0 outside the range.
  int32_t CountAt(int64_t x) const;
  // The count at x or, where that is 0, half the nearest non-zero count
  // (at least 1), looked for first towards the nearer end of the range and
  // then the other way.  0 outside the range.
  int32_t SmoothedCount(int64_t x) const;
  void Recount();
};

// Fit statistics of a branch for one marker set.
struct CRaspodelaUklapanjaSkupaOznak {
  double meanFitness = 0.0;
  double fitnessSpread = 0.0;  // standard deviation; carried, not used in scoring
  CHistogramUklapanja ownHistogram;
  CHistogramUklapanja otherHistogram;
  double priorRatio = 1.0;
};

// Link from a branch to one of its super-groups.
struct CVezaKaNadogranku {
  int32_t group = -1;              // index into the model's parentGroups
  double expectedUpRatio = 0.0;    // mean up-ratio of the branch's own samples
  double upRatioSpread = 0.0;      // carried, not used in scoring
};

// Interdependencies of more than two marker values: `itemsPerJoin` items
// per join, join after join, and one joint log-probability per join.
struct CMegjuzavisnostiVisheOznak {
  int32_t itemsPerJoin = 0;
  std::vector<uint16_t> items;
  std::vector<float> lnJoint;

  std::size_t JoinCount() const { return lnJoint.size(); }
};

// One branch or super-group.
struct COgranakLoze2 {
  std::vector<std::string> names;  // 0 Serbian, 1 English
  std::vector<double> weights;
  int32_t snpNode = -1;  // index into snpTree, -1 none
  std::vector<CRazlicitiPrimerciSTRa2> markers;  // per FTDNA column
  std::vector<CRaspodelaUklapanjaSkupaOznak> fitStats;  // parallel to statSets
  std::vector<CVezaKaNadogranku> parentLinks;
  double lnParentBonus = std::log(2.0);  // -999.9999 or less: no parent correction
  std::vector<CMegjuzavisnostiVisheOznak> groupJoins;
};

// Pairwise interdependencies of one branch.  Joins before `split` form part
// A, the others part B; -1 puts every join in part B.
struct CMegjuzavisnostiOgrankaZaUpotrebu {
  std::vector<float> lnJoint;
  std::vector<uint32_t> items;  // low 16 bits first item, high 16 bits second
  int32_t split = -1;
};

// One node of the tree of known SNPs.
struct CPodaciPJRaPredvid {
  std::vector<std::string> names;  // per language; the last serves the rest
  int32_t parent = -1;
  int32_t group = -1;  // index into parentGroups, -1 none
};

// Lookup tables that the scoring derives from a model's distributions
// (scoring.h, PrepareForScoring).
struct ScoringTables;

struct CPredvigjacMuskihLoz2 {
  std::vector<COgranakLoze2> branches;
  std::vector<CMegjuzavisnostiOgrankaZaUpotrebu> branchJoins;  // parallel to branches
  std::vector<CPodaciPJRaPredvid> snpTree;
  double floorProbability = 2e-5;
  double lnFloor = std::log(2e-5);
  double reserved50 = 50.0;  // carried through the file, not used
  int32_t copiesUsed = 2;    // copies per column that joins can name
  double warnFitness = 0.8;
  int32_t restrictTo23 = 0;
  int32_t minMarkersForStats = 30;
  std::vector<COgranakLoze2> parentGroups;
  int32_t ignoreFractions = 1;
  std::vector<int32_t> statSets{kSetColumns29To101};
  double minSetOverlap = 0.7;
  double lnMinBranchP = std::log(0.2);
  double lnMinGain = std::log(1.7);
  double lnMaxGain = std::log(8.0);
  double parentCorrection = 0.3;

  // Derived from the distributions above by PrepareForScoring; not part of
  // the file.  Whoever changes the distributions or lnFloor of a prepared
  // model in place prepares it again.
  std::shared_ptr<const ScoringTables> scoringTables;
};

// A 16-bit marker item of a join: bits 0-6 column, bit 7 copy, bits 8-13
// repeat value, bits 14-15 fraction.
struct CStavkaOznake {
  int32_t column = 0;
  int32_t copy = 0;
  int32_t value = 0;
  int32_t fraction = 0;
};
inline CStavkaOznake DecodeItem(uint16_t item) {
  return {item & 0x7f, (item >> 7) & 1, (item >> 8) & 0x3f, (item >> 14) & 3};
}
// Fields wider than the item's are cut to its widths.
inline uint16_t EncodeItem(int32_t column, int32_t copy, int32_t value, int32_t fraction) {
  return static_cast<uint16_t>((column & 0x7f) | ((copy & 1) << 7) | ((value & 0x3f) << 8) | ((fraction & 3) << 14));
}

// The log-frequency of a value in a branch: 0.0 for a value below 1;
// `floor` when the branch has no distribution for the column, copy or
// completeness class, or the value lies outside the distribution.
inline double LnValueProbability(const COgranakLoze2& branch, int32_t column, int32_t value, int32_t fraction,
                                 int32_t copy, double floor) {
  if (value < 1) return 0.0;
  if (column < 0 || static_cast<std::size_t>(column) >= branch.markers.size()) return floor;
  const auto& copies = branch.markers[column].copies;
  if (copy < 0 || static_cast<std::size_t>(copy) >= copies.size()) return floor;
  const auto& classes = copies[copy].classes;
  if (fraction < 0 || static_cast<std::size_t>(fraction) >= classes.size()) return floor;
  const auto& distribution = classes[fraction];
  const int64_t i = static_cast<int64_t>(value) - distribution.firstValue;
  if (i < 0 || i >= static_cast<int64_t>(distribution.lnP.size())) return floor;
  return distribution.lnP[static_cast<std::size_t>(i)];
}

// True when `ancestor` is `from` or lies on the path from `from` to the
// root.  A walk is cut short after as many steps as the tree has nodes, so a
// damaged tree with a cycle cannot hang it.
bool IsSnpAncestor(const CPredvigjacMuskihLoz2& model, int32_t from, int32_t ancestor);

// The branch name in a language: index 0 Serbian, 1 English; the last name
// when the branch has fewer.  Empty when it has none.
const std::string& BranchName(const COgranakLoze2& branch, int32_t language);

}  // namespace varnik
