#include "predictor/scoring.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace varnik {
namespace {

// Joins name columns 0..119 through the lookup table.
constexpr int32_t kTableColumns = 120;
// No column has more copies than DYS464.
constexpr int32_t kMaxCopiesUsed = 4;

// Values of one slot (column, copy and class) in the scoring tables; a
// slot whose rows' values lie further apart is looked up directly.
constexpr int64_t kMaxSlotValues = 4096;

// A join item's value and fraction as one number, value | fraction << 6.
int32_t ItemKey(const CStavkaOznake& item) { return item.value | (item.fraction << 6); }

}  // namespace

// A pair join with its items decoded: the cells of the haplotype's lookup
// table (column * copiesUsed + copy) that they name, -1 for a cell outside
// the table, the value and fraction (ItemKey) that the entries there must
// have, and half the joint log-probability, already raised to the floor.
struct DecodedPairJoin {
  int32_t cell1;
  int32_t cell2;
  int32_t key1;
  int32_t key2;
  double halfLnJoint;
};

// One value under one branch, paired with the branch's own super-group (the
// one it has without a known SNP): everything the scoring reads of the
// value, on one cache line.
struct alignas(32) BranchCell {
  double lnP;   // under the branch
  double rise;  // max(d, 0) with d = probability under the branch minus under the super-group
  double fall;  // max(-d, 0)
  // Parent correction: w - 1 of a distinctive value; -0.0 for a common
  // value, so that the sign bit tells the two apart and adding it changes
  // no sum.
  double gainWeight;

  bool Distinctive() const { return !std::signbit(gainWeight); }
};

// Every value's log-probability and probability under every branch and
// super-group, in rows of one common layout: cell 0 holds the floor, and a
// slot (one column, copy and completeness class) covers the values from
// the smallest first value to the largest last value that any row has for
// it.  A row's cells that its own distribution does not cover hold the floor.
// A slot whose values lie too far apart, or every slot of a model whose
// tables would grow far beyond its distributions (damaged files), is looked
// up in the distributions directly instead (kDirect).
struct ScoringTables {
  static constexpr std::size_t kDirect = static_cast<std::size_t>(-1);

  // What the tables were made from; a model that differs is not served.
  std::size_t branchCount = 0;
  std::size_t groupCount = 0;
  double lnFloor = 0.0;
  int32_t copiesUsed = 0;
  std::vector<const void*> sources;

  bool direct = false;  // every value is looked up directly
  int32_t columns = 0;
  int32_t copies = 0;
  int32_t classes = 0;
  std::vector<int32_t> slotOf;  // (column * copies + copy) * classes + class -> slot, -1 none
  std::vector<int32_t> slotFirst;
  std::vector<int32_t> slotSize;
  std::vector<std::size_t> slotBase;  // kDirect for a slot looked up directly
  std::size_t cells = 1;
  std::vector<double> lnP;  // row * cells + cell; rows: branches, then super-groups
  std::vector<double> p;    // exp of lnP
  std::vector<std::vector<DecodedPairJoin>> pairJoins;  // per branch

  // Per branch: the super-group that its row of branchCells is paired with
  // (-1 none) and the parent-correction settings the weights were made
  // with.  Empty when the tables serve a single call; a branch whose
  // settings have changed since is scored from the rows above.
  static constexpr int32_t kNoCells = -2;  // a cellGroup whose branch has no usable cells
  std::vector<int32_t> cellGroup;
  std::vector<double> cellBonus;
  double lnMinBranchP = 0.0;
  double lnMinGain = 0.0;
  double lnMaxGain = 0.0;
  std::vector<BranchCell> branchCells;  // branch * cells + cell

  // The branch's cells when they serve `group` and the model's current
  // settings; nullptr otherwise.
  const BranchCell* CellsFor(const CPredvigjacMuskihLoz2& model, std::size_t branch, int32_t group) const {
    // Without a super-group only the values' own log-probabilities are read.
    if (branchCells.empty() || cellGroup[branch] == kNoCells || (group >= 0 && cellGroup[branch] != group)) {
      return nullptr;
    }
    if (!(model.branches[branch].lnParentBonus == cellBonus[branch]) || !(model.lnMinBranchP == lnMinBranchP) ||
        !(model.lnMinGain == lnMinGain) || !(model.lnMaxGain == lnMaxGain)) {
      return nullptr;
    }
    return branchCells.data() + branch * cells;
  }

  std::size_t Cell(int32_t column, int32_t copy, int32_t fraction, int32_t value) const {
    if (direct) return kDirect;
    if (column < 0 || column >= columns || copy < 0 || copy >= copies || fraction < 0 || fraction >= classes) return 0;
    const int32_t slot = slotOf[(static_cast<std::size_t>(column) * copies + copy) * classes + fraction];
    if (slot < 0) return 0;
    if (slotBase[slot] == kDirect) return kDirect;
    const int64_t i = static_cast<int64_t>(value) - slotFirst[slot];
    if (i < 0 || i >= slotSize[slot]) return 0;
    return slotBase[slot] + static_cast<std::size_t>(i);
  }
  const double* LnRow(std::size_t row) const { return direct ? nullptr : lnP.data() + row * cells; }
  const double* PRow(std::size_t row) const { return direct ? nullptr : p.data() + row * cells; }
};

namespace {

// The rows of the tables: the branches, then the super-groups.
template <typename Visit>
void ForEachRow(const CPredvigjacMuskihLoz2& model, Visit visit) {
  for (const COgranakLoze2& branch : model.branches) visit(branch);
  for (const COgranakLoze2& group : model.parentGroups) visit(group);
}

// The pieces of the model whose replacement makes the tables stale.
std::vector<const void*> TableSources(const CPredvigjacMuskihLoz2& model) {
  std::vector<const void*> sources;
  ForEachRow(model, [&sources](const COgranakLoze2& row) { sources.push_back(row.markers.data()); });
  for (const CMegjuzavisnostiOgrankaZaUpotrebu& joins : model.branchJoins) sources.push_back(joins.items.data());
  return sources;
}

bool TablesFit(const ScoringTables& t, const CPredvigjacMuskihLoz2& model) {
  if (t.branchCount != model.branches.size() || t.groupCount != model.parentGroups.size() ||
      t.lnFloor != model.lnFloor || t.copiesUsed != model.copiesUsed ||
      t.sources.size() != t.branchCount + t.groupCount + model.branchJoins.size()) {
    return false;
  }
  std::size_t i = 0;
  bool same = true;
  ForEachRow(model, [&](const COgranakLoze2& row) { same = same && t.sources[i++] == row.markers.data(); });
  for (const CMegjuzavisnostiOgrankaZaUpotrebu& joins : model.branchJoins) {
    same = same && t.sources[i++] == joins.items.data();
  }
  return same;
}

void BuildTables(const CPredvigjacMuskihLoz2& model, ScoringTables& t, bool withBranchCells) {
  t.branchCount = model.branches.size();
  t.groupCount = model.parentGroups.size();
  t.lnFloor = model.lnFloor;
  t.copiesUsed = model.copiesUsed;
  t.sources = TableSources(model);

  std::size_t columns = 0;
  std::size_t copies = 0;
  std::size_t classes = 0;
  ForEachRow(model, [&](const COgranakLoze2& row) {
    columns = std::max(columns, row.markers.size());
    for (const CRazlicitiPrimerciSTRa2& column : row.markers) {
      copies = std::max(copies, column.copies.size());
      for (const auto& copy : column.copies) classes = std::max(classes, copy.classes.size());
    }
  });
  // Tables far larger than the distributions they stand for are not made.
  const std::size_t rows = t.branchCount + t.groupCount;
  std::size_t classRecords = 0;
  std::size_t values = 0;
  ForEachRow(model, [&](const COgranakLoze2& row) {
    for (const CRazlicitiPrimerciSTRa2& column : row.markers) {
      for (const auto& copy : column.copies) {
        classRecords += copy.classes.size();
        for (const auto& c : copy.classes) values += c.lnP.size();
      }
    }
  });
  const std::size_t kSlack = std::size_t{1} << 16;
  if (copies > 0 && classes > 0 && columns > (4 * classRecords + kSlack) / (copies * classes)) {
    t.direct = true;
    columns = copies = classes = 0;
  }
  t.columns = static_cast<int32_t>(columns);
  t.copies = static_cast<int32_t>(copies);
  t.classes = static_cast<int32_t>(classes);

  // The value range of every slot over all rows.
  const std::size_t slotCount = columns * copies * classes;
  std::vector<int64_t> low(slotCount, std::numeric_limits<int64_t>::max());
  std::vector<int64_t> high(slotCount, std::numeric_limits<int64_t>::min());
  auto forEachClass = [](const COgranakLoze2& row, auto visit) {
    for (std::size_t c = 0; c < row.markers.size(); ++c) {
      const auto& copyRecords = row.markers[c].copies;
      for (std::size_t k = 0; k < copyRecords.size(); ++k) {
        const auto& classRecords = copyRecords[k].classes;
        for (std::size_t q = 0; q < classRecords.size(); ++q) {
          if (!classRecords[q].lnP.empty()) visit(c, k, q, classRecords[q]);
        }
      }
    }
  };
  auto slotIndex = [&](std::size_t c, std::size_t k, std::size_t q) { return (c * copies + k) * classes + q; };
  // Without tables there are no slots to range over.
  if (!t.direct) ForEachRow(model, [&](const COgranakLoze2& row) {
    forEachClass(row, [&](std::size_t c, std::size_t k, std::size_t q, const CUcestanostiVrednostijIstePotpunosti2& d) {
      const std::size_t s = slotIndex(c, k, q);
      low[s] = std::min<int64_t>(low[s], d.firstValue);
      high[s] = std::max<int64_t>(high[s], static_cast<int64_t>(d.firstValue) + static_cast<int64_t>(d.lnP.size()) - 1);
    });
  });
  t.slotOf.assign(slotCount, -1);
  t.cells = 1;
  for (std::size_t s = 0; s < slotCount; ++s) {
    if (low[s] > high[s]) continue;
    t.slotOf[s] = static_cast<int32_t>(t.slotFirst.size());
    t.slotFirst.push_back(static_cast<int32_t>(low[s]));
    if (high[s] - low[s] >= kMaxSlotValues) {
      t.slotSize.push_back(0);
      t.slotBase.push_back(ScoringTables::kDirect);
      continue;
    }
    t.slotSize.push_back(static_cast<int32_t>(high[s] - low[s] + 1));
    t.slotBase.push_back(t.cells);
    t.cells += static_cast<std::size_t>(high[s] - low[s] + 1);
  }
  // The shipped models need about 1.5 cells per value.  A model whose rows
  // spread over far more cells than they hold values, or so large that the
  // tables would take more than about 50 MB, is scored from its rows.
  constexpr std::size_t kMaxCells = std::size_t{1} << 20;
  if (rows > 0 && (t.cells > (4 * values + kSlack) / rows || t.cells > kMaxCells / rows)) {
    t.direct = true;
    t.cells = 1;
  }

  t.lnP.assign(t.direct ? 0 : rows * t.cells, model.lnFloor);
  std::size_t r = 0;
  ForEachRow(model, [&](const COgranakLoze2& row) {
    if (t.direct) return;
    double* cells = t.lnP.data() + r * t.cells;
    forEachClass(row, [&](std::size_t c, std::size_t k, std::size_t q, const CUcestanostiVrednostijIstePotpunosti2& d) {
      const int32_t slot = t.slotOf[slotIndex(c, k, q)];
      if (t.slotBase[slot] == ScoringTables::kDirect) return;
      std::copy(d.lnP.begin(), d.lnP.end(), cells + t.slotBase[slot] + (d.firstValue - t.slotFirst[slot]));
    });
    ++r;
  });
  t.p.resize(t.lnP.size());
  for (std::size_t i = 0; i < t.lnP.size(); ++i) t.p[i] = std::exp(t.lnP[i]);

  const int32_t copiesUsed = std::clamp(model.copiesUsed, 0, kMaxCopiesUsed);
  auto tableCell = [copiesUsed](const CStavkaOznake& item) {
    return item.copy < copiesUsed && item.column < kTableColumns ? item.column * copiesUsed + item.copy : -1;
  };
  t.pairJoins.assign(t.branchCount, {});
  for (std::size_t b = 0; b < t.branchCount && b < model.branchJoins.size(); ++b) {
    const CMegjuzavisnostiOgrankaZaUpotrebu& joins = model.branchJoins[b];
    const std::size_t n = std::min(joins.lnJoint.size(), joins.items.size());
    std::vector<DecodedPairJoin>& decoded = t.pairJoins[b];
    decoded.reserve(n);
    for (std::size_t j = 0; j < n; ++j) {
      const CStavkaOznake first = DecodeItem(static_cast<uint16_t>(joins.items[j] & 0xffff));
      const CStavkaOznake second = DecodeItem(static_cast<uint16_t>(joins.items[j] >> 16));
      const double lnJ = std::max(static_cast<double>(joins.lnJoint[j]), model.lnFloor);
      decoded.push_back({tableCell(first), tableCell(second), ItemKey(first), ItemKey(second), lnJ / 2});
    }
  }

  // Each branch paired with its own super-group: the parent correction's
  // classification and weight of every value are fixed by the model, only
  // whether the value's share is negative depends on the haplotype.
  if (!withBranchCells || t.direct) return;
  t.lnMinBranchP = model.lnMinBranchP;
  t.lnMinGain = model.lnMinGain;
  t.lnMaxGain = model.lnMaxGain;
  t.cellGroup.resize(t.branchCount);
  t.cellBonus.resize(t.branchCount);
  t.branchCells.resize(t.branchCount * t.cells);
  for (std::size_t b = 0; b < t.branchCount; ++b) {
    const COgranakLoze2& branch = model.branches[b];
    const int32_t group = SuperGroupOf(model, branch, -1);
    t.cellGroup[b] = group;
    t.cellBonus[b] = branch.lnParentBonus;
    const double* lnA = t.LnRow(b);
    const double* pA = t.PRow(b);
    BranchCell* out = t.branchCells.data() + b * t.cells;
    for (std::size_t c = 0; c < t.cells; ++c) {
      BranchCell& cell = out[c];
      cell = {lnA[c], 0.0, 0.0, -0.0};
      if (group < 0) continue;
      const double a = lnA[c];
      const double u = t.LnRow(t.branchCount + group)[c];
      const double d = pA[c] - t.PRow(t.branchCount + group)[c];
      cell.rise = std::max(d, 0.0);
      cell.fall = std::max(-d, 0.0);
      if (a > model.lnMinBranchP && a - u >= model.lnMinGain) {
        cell.gainWeight = std::exp(branch.lnParentBonus + std::min(a - u, model.lnMaxGain) - model.lnMaxGain);
        // Only a NaN bonus can give a weight with the sign bit set; such a
        // branch is scored from the rows.
        if (std::signbit(cell.gainWeight)) t.cellGroup[b] = ScoringTables::kNoCells;
      }
    }
  }
}

// A hint that `address` will soon be read.
inline void Prefetch(const void* address) {
#if defined(__GNUC__)
  __builtin_prefetch(address);
#else
  (void)address;
#endif
}

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
  std::vector<std::size_t> cell;  // per entry: its cell in the scoring tables
  std::vector<int32_t> table;  // column * copiesUsed + copy -> entry, -1 none
  std::vector<int32_t> key;    // column * copiesUsed + copy -> the entry's ItemKey; -1 no entry
  int32_t copiesUsed = 0;
  int32_t presentColumns = 0;
  MarkerSetMaskBits typedColumns{};
  int32_t removedValues = 0;
  bool tabled = true;  // every entry has its cell in the tables

  int32_t Find(int32_t column, int32_t copy) const {
    if (copy >= copiesUsed || column >= kTableColumns) return -1;
    return table[column * copiesUsed + copy];
  }
};

// Fills `p`, whose vectors keep their storage from call to call.
void Prepare(const CPredvigjacMuskihLoz2& model, const ScoringTables& tables, const Haplotype& haplotype, Prepared& p) {
  p.entries.clear();
  p.presentColumns = 0;
  p.typedColumns = {};
  p.removedValues = 0;
  p.tabled = !tables.direct;
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
  p.key.assign(p.table.size(), -1);
  p.cell.resize(p.entries.size());
  for (std::size_t e = 0; e < p.entries.size(); ++e) {
    const Entry& entry = p.entries[e];
    p.cell[e] = tables.Cell(entry.column, entry.copy, entry.fraction, entry.value);
    if (p.cell[e] == ScoringTables::kDirect) p.tabled = false;
    if (entry.copy >= 0 && entry.copy < p.copiesUsed && entry.column < kTableColumns) {
      const int32_t at = entry.column * p.copiesUsed + entry.copy;
      p.table[at] = static_cast<int32_t>(e);
      // A value or fraction wider than an item's field matches no item.
      const bool fits = entry.value >= 0 && entry.value < 64 && entry.fraction >= 0 && entry.fraction < 4;
      p.key[at] = fits ? entry.value | (entry.fraction << 6) : -2;
    }
  }
}

bool Matches(const Entry& entry, const CStavkaOznake& item) {
  return entry.value == item.value && entry.fraction == item.fraction;
}

// The values of the haplotype's entries under one branch or super-group.
struct RowView {
  const double* ln;  // the row's cells in the scoring tables
  const double* p;
  const COgranakLoze2& source;  // for the values that the tables leave out
  double lnFloor;

  RowView(const ScoringTables& tables, std::size_t row, const COgranakLoze2& source, double lnFloor)
      : ln(tables.LnRow(row)), p(tables.PRow(row)), source(source), lnFloor(lnFloor) {}

  double Ln(const Prepared& prepared, std::size_t e) const {
    const std::size_t cell = prepared.cell[e];
    if (cell != ScoringTables::kDirect) return ln[cell];
    const Entry& x = prepared.entries[e];
    return LnValueProbability(source, x.column, x.value, x.fraction, x.copy, lnFloor);
  }
  double P(const Prepared& prepared, std::size_t e) const {
    const std::size_t cell = prepared.cell[e];
    return cell != ScoringTables::kDirect ? p[cell] : std::exp(Ln(prepared, e));
  }
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

void ApplyPairJoins(const std::vector<DecodedPairJoin>& joins, int32_t splitAt, const Prepared& p, Work& w) {
  const bool split = splitAt != -1;
  if (split) {
    for (auto& count : w.pairCount) count.assign(p.entries.size(), 0);
  }
  for (std::size_t j = 0; j < joins.size(); ++j) {
    const int part = split && static_cast<int64_t>(j) < splitAt ? 0 : 1;
    const DecodedPairJoin& join = joins[j];
    if (join.cell1 < 0 || p.key[join.cell1] != join.key1) continue;
    const int32_t e1 = p.table[join.cell1];
    const int32_t g1 = w.group[e1];
    if (g1 >= 0 && w.groupUse[part][g1] != 0) continue;
    if (!split && w.useCount[e1] > 1) continue;
    if (join.cell2 < 0 || p.key[join.cell2] != join.key2) continue;
    const int32_t e2 = p.table[join.cell2];
    if (e2 == e1) continue;
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
    for (int32_t e : {e1, e2}) {
      ++w.useCount[e];
      w.share[e] += join.halfLnJoint;
    }
  }
}

// Gives the values in which the branch clearly differs from its super-group
// more weight than the values that both share.
void ApplyParentCorrection(const CPredvigjacMuskihLoz2& model, const COgranakLoze2& branch,
                           const RowView& parent, const Prepared& p, Work& w) {
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
    const double u = parent.Ln(p, e);
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

// The unsupported-subclade estimate from the summed rises (up) and falls
// (down) of the values' probabilities from the super-group to the branch.
double UnsupportedRatio(const COgranakLoze2& branch, int32_t group, double up, double down) {
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

double UnsupportedRatio(const COgranakLoze2& branch, int32_t group, const RowView& own, const RowView& parent,
                        const Prepared& prepared) {
  double up = 0.0;
  double down = 0.0;
  for (std::size_t e = 0; e < prepared.entries.size(); ++e) {
    // q - pb is exactly -(pb - q); adding 0 leaves a sum as it is.
    const double d = own.P(prepared, e) - parent.P(prepared, e);
    up += std::max(d, 0.0);
    down += std::max(-d, 0.0);
  }
  return UnsupportedRatio(branch, group, up, down);
}

// The last steps of a branch scored from its BranchCell row: the single
// values, the parent correction (kCorrect), the log-likelihood and, with
// kUnsupported, the sums behind the unsupported-subclade estimate.  The
// arithmetic is that of the steps one by one, in the same order, so the
// results are the same to the bit; only the loops are merged.
struct BranchSums {
  double logLikelihood = 0.0;
  double up = 0.0;
  double down = 0.0;
};

template <bool kCorrect, bool kUnsupported>
BranchSums FinishBranch(const CPredvigjacMuskihLoz2& model, const BranchCell* cells, const Prepared& p, Work& w) {
  const std::size_t n = p.entries.size();
  const std::size_t* cellOf = p.cell.data();
  double* share = w.share.data();
  const int32_t* useCount = w.useCount.data();
  int32_t distinctive = 0;
  int32_t common = 0;
  double extra = 0.0;
  for (std::size_t e = 0; e < n; ++e) {
    const BranchCell& cell = cells[cellOf[e]];
    double s = share[e];
    if (useCount[e] == 0) s += cell.lnP;
    if (useCount[e] > 1) s -= (useCount[e] - 1) * cell.lnP;
    share[e] = s;
    if (kCorrect && s < 0) {
      // gainWeight is -0.0 for a common value; adding it leaves the sum as it is.
      extra += cell.gainWeight;
      const int32_t isDistinctive = cell.Distinctive() ? 1 : 0;
      distinctive += isDistinctive;
      common += 1 - isDistinctive;
    }
  }
  bool corrects = false;
  bool limited = false;
  double r = 1.0;
  double scale = 0.0;
  if (kCorrect && !(distinctive == 0 || common == 0 || 1.1 * distinctive > common)) {
    corrects = true;
    r = (common - extra) / common;
    if (r < 1 - model.parentCorrection) {
      r = 1 - model.parentCorrection;
      limited = true;
      scale = common * model.parentCorrection / extra;
    }
  }
  BranchSums sums;
  for (std::size_t e = 0; e < n; ++e) {
    const BranchCell& cell = cells[cellOf[e]];
    double s = share[e];
    if (kCorrect && corrects && s < 0) {
      if (!cell.Distinctive()) {
        s *= r;
      } else if (limited) {
        s *= cell.gainWeight * scale + 1;
      }
    }
    sums.logLikelihood += s;
    if (kUnsupported) {
      sums.up += cell.rise;
      sums.down += cell.fall;
    }
  }
  return sums;
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
  // A fitness comes from a mean of log-probabilities and lies in 0..1; a
  // NaN from a damaged model gets no factor rather than reach the
  // conversion below.
  if (!(fitness >= -1.0 && fitness <= 2.0)) return 0.0;
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

void PrepareForScoring(CPredvigjacMuskihLoz2& model) {
  auto tables = std::make_shared<ScoringTables>();
  BuildTables(model, *tables, true);
  model.scoringTables = std::move(tables);
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

  const ScoringTables* tables = model.scoringTables.get();
  ScoringTables ownTables;
  if (tables == nullptr || !TablesFit(*tables, model)) {
    BuildTables(model, ownTables, false);
    tables = &ownTables;
  }
  // The working arrays keep their storage from call to call.
  thread_local Prepared prepared;
  Prepare(model, *tables, haplotype, prepared);
  const Prepared& p = prepared;
  out.removedValues = p.removedValues;
  out.chosenSet = ChooseMarkerSet(model, p);
  const std::size_t n = p.entries.size();

  std::vector<double> logLikelihood(branchCount, 0.0);
  std::vector<bool> allowed(branchCount, true);
  auto parentRow = [&](int32_t group) {
    return RowView(*tables, branchCount + group, model.parentGroups[group], model.lnFloor);
  };
  thread_local Work work;
  Work& w = work;
  for (std::size_t b = 0; b < branchCount; ++b) {
    const COgranakLoze2& branch = model.branches[b];
    if (knownSnp >= 0) allowed[b] = branch.snpNode != -1 && IsSnpAncestor(model, branch.snpNode, knownSnp);
    if (!allowed[b]) continue;

    const int32_t group = SuperGroupOf(model, branch, knownSnp);
    const bool unsupported = p.presentColumns >= model.minMarkersForStats && group >= 0;
    const BranchCell* cells = p.tabled ? tables->CellsFor(model, b, group) : nullptr;
    const RowView row(*tables, b, branch, model.lnFloor);
    if (cells != nullptr && b + 1 < branchCount) {
      // The next branch's cells of this haplotype are scattered over its
      // row; asking for them now hides the wait for memory behind this
      // branch's work.
      const BranchCell* next = cells + tables->cells;
      for (std::size_t e = 0; e < n; ++e) Prefetch(next + p.cell[e]);
    }
    if (cells == nullptr) {
      w.lnP.resize(n);
      for (std::size_t e = 0; e < n; ++e) w.lnP[e] = row.Ln(p, e);
    }
    w.share.assign(n, 0.0);
    w.useCount.assign(n, 0);
    w.group.assign(n, -1);
    ApplyGroupJoins(branch, p, model.lnFloor, w);
    if (b < model.branchJoins.size()) ApplyPairJoins(tables->pairJoins[b], model.branchJoins[b].split, p, w);
    double sum = 0.0;
    if (cells != nullptr) {
      const bool correct = model.parentCorrection != 0 && group >= 0 && !(branch.lnParentBonus <= -999.9999);
      BranchSums sums;
      if (correct) {
        sums = unsupported ? FinishBranch<true, true>(model, cells, p, w) : FinishBranch<true, false>(model, cells, p, w);
      } else {
        sums = unsupported ? FinishBranch<false, true>(model, cells, p, w) : FinishBranch<false, false>(model, cells, p, w);
      }
      sum = sums.logLikelihood;
      if (unsupported) out.unsupportedRatio[b] = UnsupportedRatio(branch, group, sums.up, sums.down);
    } else {
      for (std::size_t e = 0; e < n; ++e) {
        if (w.useCount[e] == 0) w.share[e] += w.lnP[e];
        if (w.useCount[e] > 1) w.share[e] -= (w.useCount[e] - 1) * w.lnP[e];
      }
      if (model.parentCorrection != 0 && group >= 0) {
        ApplyParentCorrection(model, branch, parentRow(group), p, w);
      }
      for (double s : w.share) sum += s;
      if (unsupported) out.unsupportedRatio[b] = UnsupportedRatio(branch, group, row, parentRow(group), p);
    }
    logLikelihood[b] = sum;

    out.fitness[b] = n == 0 ? 1.0 : std::clamp(std::exp(sum / static_cast<double>(n)), 0.0, 1.0);
    if (out.chosenSet >= 0 && static_cast<std::size_t>(out.chosenSet) < branch.fitStats.size()) {
      const double mean = branch.fitStats[out.chosenSet].meanFitness;
      if (mean > 1e-6) out.relativeFitness[b] = out.fitness[b] / mean;
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

int32_t DropUnknownValues(const CPredvigjacMuskihLoz2& model, Haplotype& haplotype) {
  auto known = [&model](std::size_t column, std::size_t copy) {
    for (const COgranakLoze2& branch : model.branches) {
      if (column >= branch.markers.size() || copy >= branch.markers[column].copies.size()) continue;
      for (const auto& distribution : branch.markers[column].copies[copy].classes) {
        if (!distribution.lnP.empty()) return true;
      }
    }
    return false;
  };
  // Values that restrictTo23 removes are left to it.
  const MarkerSetMaskBits kit = MarkerSetMask(kSet23Kit);
  int32_t dropped = 0;
  int32_t column = -1;
  for (CVrednostSTRa& entry : haplotype) {
    if (entry.copy == 0) ++column;
    if (entry.value < 1 || column < 0 || entry.copy < 0) continue;
    if (model.restrictTo23 == 1 && (column >= kMarkerSetColumns || !kit[column])) continue;
    if (!known(static_cast<std::size_t>(column), static_cast<std::size_t>(entry.copy))) {
      entry.value = -1;
      entry.fraction = 0;
      ++dropped;
    }
  }
  return dropped;
}

CIshodPredvidjanja ScoreForPrediction(const CPredvigjacMuskihLoz2& model, int32_t knownSnp, const Haplotype& haplotype,
                                      int32_t language) {
  Haplotype used = haplotype;
  const int32_t dropped = DropUnknownValues(model, used);
  CIshodPredvidjanja result = ScoreHaplotype(model, knownSnp, used, language);
  result.removedValues += dropped;
  return result;
}

}  // namespace varnik
