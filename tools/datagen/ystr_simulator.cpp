#include "ystr_simulator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "predictor/predictor_model.h"
#include "split_mix.h"
#include "tmrca/marker_model_table.h"
#include "ystr/markers.h"

namespace varnik::datagen {
namespace {


// Modal repeat counts of the root founder, column by column (copies in
// order); column 10 holds DYS389II minus DYS389I.
const std::vector<std::vector<int32_t>>& RootModal() {
  static const std::vector<std::vector<int32_t>> modal = {
      {13}, {24}, {14}, {11}, {11, 14}, {12}, {12}, {12}, {13}, {13}, {16}, {17}, {9, 10}, {11}, {11},
      {25}, {15}, {19}, {29}, {15, 15, 17, 17}, {11}, {11}, {19, 23}, {16}, {15}, {18}, {17}, {37, 38},
      {12}, {12}, {11}, {9}, {15, 16}, {8}, {10}, {10}, {8}, {10}, {10}, {12}, {23, 23}, {16}, {10},
      {12}, {12}, {15}, {8}, {12}, {22}, {20}, {13}, {12}, {11}, {13}, {11}, {11}, {12}, {12}, {33},
      {15}, {8}, {16}, {12}, {25}, {26}, {19}, {12}, {11}, {13}, {12}, {10}, {9}, {12}, {11}, {10},
      {11}, {11}, {30}, {12}, {13}, {24}, {14}, {10}, {10}, {21}, {15}, {19}, {13}, {24}, {17}, {12},
      {15}, {24}, {12}, {23}, {19}, {10}, {14}, {17}, {9}, {12}, {11}};
  return modal;
}

// Rate and bounds of a marker identity; the DYS389II identity mutates as
// its difference from DYS389I.
struct Locus {
  double rate;
  int32_t lowest;
  int32_t highest;
};
Locus LocusOf(int32_t id) {
  const MarkerModelRow* row = MarkerModel(id);
  if (id == kDys389ii) return {row->rate, 10, 22};
  return {row->rate, row->lowest, row->highest};
}

int32_t Step(SplitMix64& random) {
  const double u = random.Uniform();
  const int32_t size = u < 0.94 ? 1 : u < 0.99 ? 2 : random.Between(3, 5);
  return random.Uniform() < 0.5 ? -size : size;
}

std::vector<int32_t> Descend(const std::vector<int32_t>& from, int32_t generations, SplitMix64& random) {
  std::vector<int32_t> out = from;
  for (int32_t id = 0; id < kOznakaCount; ++id) {
    const Locus locus = LocusOf(id);
    const int32_t mutations = random.Poisson(locus.rate * generations);
    for (int32_t m = 0; m < mutations; ++m) out[id] = std::clamp(out[id] + Step(random), locus.lowest, locus.highest);
  }
  return out;
}

Haplotype ToHaplotype(const std::vector<int32_t>& values) {
  Haplotype h;
  for (int32_t column = 0; column < kFtdnaColumnCount; ++column) {
    std::vector<int32_t> copies;
    for (int32_t copy = 0; copy < CopiesInColumn(column); ++copy) copies.push_back(values[MarkerIdentity(column, copy)]);
    std::sort(copies.begin(), copies.end());
    for (std::size_t k = 0; k < copies.size(); ++k) h.push_back({copies[k], 0, static_cast<int32_t>(k)});
  }
  return h;
}

// name, SNP, parent name, generations from the parent's founder.
struct NodeRow {
  const char* name;
  const char* snp;
  const char* parent;
  int32_t generations;
};

constexpr NodeRow kTree[] = {
    {"A0-T", "L1085", "", 0},
    {"A1b1", "L419", "A0-T", 2500},
    {"BT", "M42", "A0-T", 2200},
    {"B", "M60", "BT", 1600},
    {"CT", "M168", "BT", 600},
    {"DE", "YAP", "CT", 400},
    {"D", "M174", "DE", 1200},
    {"E", "M96", "DE", 600},
    {"E1a", "M33", "E", 1300},
    {"E1b1a", "M2", "E", 900},
    {"E1b1b", "M215", "E", 900},
    {"E-M35", "M35", "E1b1b", 250},
    {"E-M78", "M78", "E-M35", 350},
    {"E-V13", "V13", "E-M78", 300},
    {"E-V12", "V12", "E-M78", 250},
    {"E-V22", "V22", "E-M78", 250},
    {"E-V65", "V65", "E-M78", 250},
    {"E-M81", "M81", "E-M35", 500},
    {"E-M123", "M123", "E-M35", 450},
    {"E-M34", "M34", "E-M123", 200},
    {"E-M84", "M84", "E-M34", 150},
    {"E-M293", "M293", "E-M35", 500},
    {"E-Z830", "Z830", "E-M35", 400},
    {"CF", "P143", "CT", 150},
    {"C", "M130", "CF", 900},
    {"C1", "F3393", "C", 700},
    {"C2", "M217", "C", 800},
    {"F", "M89", "CF", 150},
    {"G", "M201", "F", 900},
    {"G1", "M285", "G", 600},
    {"G2a", "P15", "G", 500},
    {"H", "M69", "F", 1100},
    {"IJ", "M429", "F", 300},
    {"I", "M170", "IJ", 800},
    {"I1", "M253", "I", 900},
    {"I2-M423", "M423", "I", 800},
    {"I2-M223", "M223", "I", 700},
    {"J", "M304", "IJ", 500},
    {"J1", "M267", "J", 600},
    {"J-Z1828", "Z1828", "J1", 400},
    {"J-L136", "L136", "J1", 350},
    {"J-P58", "P58", "J-L136", 250},
    {"J2", "M172", "J", 500},
    {"J2a", "M410", "J2", 300},
    {"J-M47", "M47", "J2a", 350},
    {"J-M67", "M67", "J2a", 250},
    {"J-M92", "M92", "J-M67", 200},
    {"J-M319", "M319", "J2a", 350},
    {"J-L24", "L24", "J2a", 200},
    {"J-L70", "L70", "J-L24", 250},
    {"J-L25", "L25", "J-L24", 250},
    {"J2b", "M12", "J2", 450},
    {"J-M205", "M205", "J2b", 400},
    {"J-M241", "M241", "J2b", 350},
    {"J-L283", "L283", "J-M241", 250},
    {"K", "M9", "F", 400},
    {"L", "M20", "K", 900},
    {"T", "M70", "K", 1000},
    {"NO", "M214", "K", 500},
    {"N", "M231", "NO", 700},
    {"N1c", "M46", "N", 600},
    {"O", "M175", "NO", 500},
    {"O1a", "M119", "O", 800},
    {"O2", "M122", "O", 700},
    {"P", "M45", "K", 400},
    {"Q", "M242", "P", 800},
    {"R", "M207", "P", 300},
    {"R1", "M173", "R", 300},
    {"R1a", "M417", "R1", 700},
    {"R1a-L664", "L664", "R1a", 350},
    {"R1a-Z645", "Z645", "R1a", 60},
    {"R1a-Z283", "Z283", "R1a-Z645", 40},
    {"R1a-Z282", "Z282", "R1a-Z283", 40},
    {"R1a-Z284", "Z284", "R1a-Z282", 200},
    {"R1a-M458", "M458", "R1a-Z282", 150},
    {"R1a-L260", "L260", "R1a-M458", 120},
    {"R1a-L1029", "L1029", "R1a-M458", 100},
    {"R1a-Z280", "Z280", "R1a-Z282", 60},
    {"R1a-CTS1211", "CTS1211", "R1a-Z280", 120},
    {"R1a-Z92", "Z92", "R1a-Z280", 140},
    {"R1a-Z93", "Z93", "R1a-Z645", 60},
    {"R1a-Z2124", "Z2124", "R1a-Z93", 150},
    {"R1a-Z2125", "Z2125", "R1a-Z2124", 100},
    {"R1a-L657", "L657", "R1a-Z93", 220},
    {"R1b", "M343", "R1", 600},
    {"R1b-V88", "V88", "R1b", 500},
    {"R1b-M269", "M269", "R1b", 350},
    {"R2", "M479", "R", 900},
};

// Modal haplotypes of the founders of the main haplogroups, from published
// modal values, so that the real men of a haplogroup look like its simulated
// men.  Each row gives the 37-marker panel in FTDNA column order (copies of
// a multi-copy marker joined by '-', DYS389II in full length, Y-GATA-H4 as
// FTDNA counts it), then after '|' DYS481, DYS533, DYS549, DYS635 and
// DYS643.  A '.' marks a value that is not well known: that marker keeps
// the value the founder inherited along the tree, as does every marker
// beyond these.  A lineage below an anchored founder descends from it.
struct ModalRow {
  const char* node;
  const char* values;
};

constexpr ModalRow kFounderModals[] = {
    // 393 390 19 391 385 426 388 439 389I 392 389II 458 459 455 454 447 437 448 449 464 460 H4 YCAII 456 607 576
    // 570 CDY 442 438 | 481 533 549 635 643
    {"A1b1", "13 21 15 10 . 11 12 12 13 11 30 16 . . . . 14 20 . . . 10 . 15 . . . . . 11 | . . . . ."},
    {"B", "13 23 16 10 . 11 12 12 13 11 30 16 . . . . 14 20 . . . 10 . 15 . . . . . 10 | . . . . ."},
    {"C", "13 24 16 10 . 11 12 11 13 11 29 17 . . . . 14 20 . . . 11 . 15 . . . . . 11 | . . . 21 ."},
    {"C2", "13 25 16 10 12-13 11 14 11 13 11 29 17 . . . . 14 21 . . . 11 . 15 . 17 18 . . 11 | 23 11 12 21 10"},
    {"D", "13 25 15 10 11-18 11 12 11 13 11 30 16 . . . . 14 19 . . . 11 . 15 . 18 18 . . 10 | 22 11 12 21 10"},
    {"E1a", "13 21 14 10 . 11 12 12 13 11 30 16 . . . . 14 20 . . . 10 . 16 . . . . . 11 | . . . 21 ."},
    {"E1b1a", "13 21 15 10 16-17 11 12 12 13 11 31 17 . . . . 14 20 . . . 11 . 16 . 17 18 . . 11 | 22 11 12 21 10"},
    {"E1b1b", "13 24 13 10 15-17 11 12 12 13 11 30 17 9-10 11 11 24 14 20 . . 10 10 19-21 16 . 18 17 . 11 10 "
              "| 23 12 12 21 10"},
    {"E-V13", "13 24 13 10 16-18 11 12 13 13 11 30 17 9-10 11 11 24 15 20 33 12-13-15-16 10 10 19-21 16 14 "
              "17 19 34-36 11 10 "
              "| 23 12 12 21 11"},
    {"E-M81", "13 24 13 10 13-14 11 12 12 13 11 30 16 . . . . 14 20 . . . 10 . 16 . 17 18 . . 10 | 23 12 12 21 ."},
    {"E-M123", "13 23 14 10 14-17 11 12 12 13 11 30 16 . . . . 14 20 . . . 10 . 16 . 17 18 . . 10 | . . . 21 ."},
    {"G", "14 22 15 10 . 11 12 11 12 11 28 16 . . . . 16 20 . . 10 10 . 16 . . . . . 10 | . . . 21 ."},
    {"G2a", "14 22 15 10 14-15 11 12 11 12 11 28 16 8-9 11 11 22 16 20 31 13-14-15-15 10 10 21-23 16 15 17 "
            "18 35-36 12 10 "
            "| 22 11 12 21 10"},
    {"H", "13 22 15 10 14-15 11 12 11 12 11 28 16 . . . . 14 20 . . . 10 . 15 . . . . . 10 | . . . 21 ."},
    {"I", "13 23 15 10 . 11 13 11 12 11 28 16 . . . . 16 20 . . 10 10 19-21 15 . . . . . 10 | . . . 21 ."},
    {"I1", "13 22 14 10 13-14 11 14 11 12 11 28 15 8-9 8 11 23 16 21 28 12-14-14-15 10 10 19-21 15 15 17 18 "
           "35-38 11 10 "
           "| 22 11 13 23 10"},
    {"I2-M423", "13 24 16 10 14-15 11 13 13 13 11 31 17 8-8 11 11 24 15 20 30 12-12-14-14 10 10 19-21 15 14 "
                "17 18 . 11 10 "
                "| 22 11 12 21 10"},
    {"I2-M223", "13 22 15 10 15-16 11 13 12 13 11 29 16 8-9 11 11 24 15 20 30 12-12-14-15 10 10 19-21 15 15 "
                "17 16 36-37 11 10 "
                "| 22 11 12 21 10"},
    {"J", "12 23 14 10 13-17 11 15 11 13 11 29 17 . . . . 14 20 . . 10 10 . 15 . . . . . 10 | . . . 21 ."},
    {"J1", "12 23 14 10 13-17 11 16 11 13 11 30 17 8-9 11 11 26 14 20 . . 10 10 21-22 15 . 18 18 . . 10 | "
           "22 12 12 21 10"},
    {"J2a", "12 23 14 10 13-17 11 15 11 13 11 29 17 8-9 11 11 26 14 21 28 . 10 10 22-22 15 . 18 17 33-36 12 9 "
            "| 22 12 12 21 10"},
    {"J2b", "12 23 15 10 14-17 11 14 12 12 11 28 17 . . . . 14 20 . . 10 10 22-22 15 . . . . . 9 | . . . 21 ."},
    {"L", "12 23 14 10 . 11 12 12 13 11 30 17 . . . . 14 20 . . . 10 . 15 . . . . . 10 | . . . 21 ."},
    {"T", "13 23 15 10 . 11 12 12 13 11 29 17 . . . . 14 20 . . . 10 . 15 . . . . . 10 | . . . 21 ."},
    {"N1c", "14 23 14 11 11-14 11 12 10 14 14 30 17 9-10 11 11 25 14 19 30 12-14-15-15 11 10 19-22 15 14 17 "
            "19 36-37 12 10 "
            "| 25 11 12 21 10"},
    {"O", "13 23 15 10 . 11 12 12 13 13 29 16 . . . . 14 19 . . . 11 . 15 . . . . . 11 | . . . 20 ."},
    {"O1a", "13 24 15 10 . 11 12 12 13 12 29 16 . . . . 14 19 . . . 11 . 15 . 17 18 . . 10 | 22 11 12 20 10"},
    {"O2", "13 23 15 10 13-18 11 12 12 13 13 29 16 . . . . 14 19 . . . 11 . 15 . 17 18 . . 11 | 22 11 12 20 10"},
    {"Q", "13 24 14 10 14-16 11 12 12 13 14 29 16 . . . . 14 20 . . . 11 . 15 . 18 18 . . 11 | 23 12 12 21 10"},
    {"R1a", "13 25 16 11 11-14 12 12 10 13 11 30 15 9-10 11 11 24 14 20 32 12-15-15-16 11 12 19-23 16 . 18 "
            "19 35-37 14 11 "
            "| 23 12 12 23 10"},
    {"R1b", "13 24 14 11 . 12 12 12 13 13 29 17 . . . . 15 19 . . 11 11 19-23 16 . . . . . 12 | . . . 23 ."},
    {"R1b-V88", "13 . 14 11 . 12 12 . 13 13 . . . . . . 15 . . . . . . . . . . . . . | . . . . ."},
    {"R1b-M269", "13 24 14 11 11-14 12 12 12 13 13 29 17 9-10 11 11 25 15 19 29 15-15-17-17 11 11 19-23 16 "
                 "15 18 17 37-38 12 12 "
                 "| 22 12 13 23 10"},
    {"R2", "13 24 15 10 . 11 12 12 13 11 30 17 . . . . 14 20 . . . 10 . 15 . . . . . 11 | . . . 21 ."},
};

// FTDNA columns of the values after '|'.
constexpr int32_t kModalTailColumns[] = {48, 72, 68, 94, 96};

// Overwrites `founder` with the known values of `row`; column 10 is held as
// DYS389II minus DYS389I.
void ApplyModal(const ModalRow& row, std::vector<int32_t>& founder) {
  std::vector<int32_t> columns;
  for (int32_t c = 0; c < 30; ++c) columns.push_back(c);
  columns.insert(columns.end(), std::begin(kModalTailColumns), std::end(kModalTailColumns));
  std::vector<std::string> tokens;
  for (const char* p = row.values; *p != '\0';) {
    while (*p == ' ') ++p;
    const char* start = p;
    while (*p != '\0' && *p != ' ') ++p;
    if (p > start && std::string(start, p) != "|") tokens.emplace_back(start, p);
  }
  if (tokens.size() != columns.size()) {
    std::fprintf(stderr, "founder modal of %s: %zu values for %zu columns\n", row.node, tokens.size(), columns.size());
    std::abort();
  }
  int32_t full389ii = -1;
  for (std::size_t k = 0; k < columns.size(); ++k) {
    if (tokens[k] == ".") continue;
    std::vector<int32_t> copies;
    for (std::size_t at = 0; at <= tokens[k].size();) {
      const std::size_t dash = std::min(tokens[k].find('-', at), tokens[k].size());
      copies.push_back(std::atoi(tokens[k].substr(at, dash - at).c_str()));
      at = dash + 1;
    }
    if (static_cast<int32_t>(copies.size()) != CopiesInColumn(columns[k])) {
      std::fprintf(stderr, "founder modal of %s: column %d has %zu copies\n", row.node, columns[k], copies.size());
      std::abort();
    }
    if (columns[k] == kColumnDys389ii) {
      full389ii = copies[0];
      continue;
    }
    for (std::size_t copy = 0; copy < copies.size(); ++copy) {
      founder[MarkerIdentity(columns[k], static_cast<int32_t>(copy))] = copies[copy];
    }
  }
  if (full389ii > 0) founder[kDys389ii] = full389ii - founder[kDys389i];
}

}  // namespace

const std::vector<LineageNode>& LineageTree() {
  static const std::vector<LineageNode> tree = [] {
    std::vector<LineageNode> nodes;
    for (const NodeRow& row : kTree) {
      int32_t parent = -1;
      for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].name == row.parent) parent = static_cast<int32_t>(i);
      }
      nodes.push_back({row.name, row.snp, parent, row.generations});
    }
    return nodes;
  }();
  return tree;
}

int32_t FindLineage(const std::string& name) {
  const auto& tree = LineageTree();
  for (std::size_t i = 0; i < tree.size(); ++i) {
    if (tree[i].name == name) return static_cast<int32_t>(i);
  }
  return -1;
}

namespace {
std::vector<int32_t> Lineages(std::initializer_list<const char*> names) {
  std::vector<int32_t> out;
  for (const char* name : names) out.push_back(FindLineage(name));
  return out;
}
}  // namespace

std::vector<int32_t> GeneralModelBranches() {
  return Lineages({"A1b1", "B", "C1", "C2", "D", "E1a", "E1b1a", "E1b1b", "G1", "G2a", "H", "I1", "I2-M423",
                   "I2-M223", "J1", "J2a", "J2b", "L", "T", "N1c", "O1a", "O2", "Q", "R1a", "R1b-V88", "R1b-M269",
                   "R2"});
}

std::vector<int32_t> SubcladeModelBranches(char haplogroup) {
  switch (haplogroup) {
    case 'R':
      return Lineages({"R1a-L664", "R1a-Z284", "R1a-M458", "R1a-L260", "R1a-L1029", "R1a-Z280", "R1a-CTS1211",
                       "R1a-Z92", "R1a-Z93", "R1a-Z2124", "R1a-Z2125", "R1a-L657"});
    case 'E':
      return Lineages({"E1a", "E1b1a", "E-V13", "E-V12", "E-V22", "E-V65", "E-M81", "E-M123", "E-M34", "E-M84",
                       "E-M293", "E-Z830"});
    case 'J':
      return Lineages({"J-Z1828", "J-L136", "J-P58", "J-M47", "J-M67", "J-M92", "J-M319", "J-L70", "J-L25",
                       "J-M205", "J-M241", "J-L283"});
    default:
      return {};
  }
}

YstrSimulator::YstrSimulator(uint64_t seed, const std::vector<FounderAnchor>& anchors) {
  SplitMix64 random(seed);
  std::vector<int32_t> root(kOznakaCount);
  for (int32_t column = 0; column < kFtdnaColumnCount; ++column) {
    for (int32_t copy = 0; copy < CopiesInColumn(column); ++copy) {
      root[MarkerIdentity(column, copy)] = RootModal()[column][copy];
    }
  }
  const auto& tree = LineageTree();
  for (const LineageNode& node : tree) {
    founders_.push_back(node.parent < 0 ? root : Descend(founders_[node.parent], node.generations, random));
    for (const ModalRow& row : kFounderModals) {
      if (node.name == row.node) ApplyModal(row, founders_.back());
    }
    for (const FounderAnchor& anchor : anchors) {
      if (&tree[anchor.node] != &node) continue;
      for (std::size_t id = 0; id < anchor.values.size() && id < founders_.back().size(); ++id) {
        if (anchor.values[id] >= 1) founders_.back()[id] = anchor.values[id];
      }
    }
    // Sub-lineages that expanded some time after the founder.
    std::vector<Founder>& subs = subFounders_.emplace_back();
    const int32_t count = random.Between(4, 8);
    for (int32_t k = 0; k < count; ++k) subs.push_back(Descend(founders_.back(), random.Between(60, 200), random));
  }
}

std::vector<CUzorakSaOgrankom> YstrSimulator::Samples(const std::vector<int32_t>& branches, int32_t perBranch,
                                                      uint64_t sampleSeed) const {
  SplitMix64 random(sampleSeed);
  const auto& tree = LineageTree();
  std::vector<CUzorakSaOgrankom> samples;
  for (int32_t b : branches) {
    std::vector<std::string> path;
    for (int32_t n = b; n >= 0; n = tree[n].parent) path.insert(path.begin(), tree[n].snp);
    for (int32_t i = 0; i < perBranch; ++i) {
      const auto& subs = subFounders_[b];
      const Founder& from = subs[random.Next() % subs.size()];
      CUzorakSaOgrankom sample;
      sample.branch = tree[b].name;
      sample.snpPath = path;
      sample.haplotype = ToHaplotype(Descend(from, random.Between(10, 60), random));
      samples.push_back(std::move(sample));
    }
  }
  return samples;
}

Haplotype CutToMarkerSet(const Haplotype& haplotype, int32_t set) {
  const MarkerSetMaskBits mask = MarkerSetMask(set);
  Haplotype out;
  int32_t column = -1;
  for (const CVrednostSTRa& entry : haplotype) {
    if (entry.copy == 0) ++column;
    if (column >= 0 && column < kMarkerSetColumns && mask[column]) {
      out.push_back(entry);
    } else if (entry.copy == 0) {
      out.push_back({-1, 0, 0});
    }
  }
  return out;
}

}  // namespace varnik::datagen
