// A Y-STR simulator: a tree of lineages under real haplogroup nomenclature,
// founder haplotypes that descend from one another along the tree, and
// sampled men who descend from their lineage's founder.
//
// Every marker copy mutates with its rate per generation from the mutation
// model's marker table; a mutation is a single step up or down, sometimes a
// double step and rarely three to five steps, within the marker's accepted
// repeat range.  Copies of a multi-copy marker mutate independently and are
// reported in ascending order, as testing companies report them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "predictor/labelled_haplotypes.h"
#include "ystr/str_value.h"

namespace varnik::datagen {

struct LineageNode {
  std::string name;       // branch name as shown, e.g. "R1a-Z280"
  std::string snp;        // defining SNP
  int32_t parent;         // index of the parent node, -1 at the root
  int32_t generations;    // from the parent's founder to this founder
};

// The simulated tree, root first; every parent comes before its children.
const std::vector<LineageNode>& LineageTree();
// Index of the node named `name`, -1 when there is none.
int32_t FindLineage(const std::string& name);

// Branch lists of the shipped models.
std::vector<int32_t> GeneralModelBranches();
std::vector<int32_t> SubcladeModelBranches(char haplogroup);  // 'R' (R1a), 'E' or 'J'

// Values that a lineage's founder takes instead of those it would inherit:
// per marker identity 0..110 (DYS389II as DYS389II minus DYS389I), below 1
// for none.
struct FounderAnchor {
  int32_t node;
  std::vector<int32_t> values;
};

class YstrSimulator {
 public:
  // Draws the founders of every lineage and of the sub-lineages inside it;
  // the founders of the main haplogroups take their published modal values,
  // and those named in `anchors` the anchored values as well.
  explicit YstrSimulator(uint64_t seed, const std::vector<FounderAnchor>& anchors = {});

  // `perBranch` men of each listed lineage, labelled with its name and SNP
  // path; another `sampleSeed` gives other men of the same lineages.
  std::vector<CUzorakSaOgrankom> Samples(const std::vector<int32_t>& branches, int32_t perBranch,
                                         uint64_t sampleSeed) const;

 private:
  // Repeat counts per marker identity 0..110; the DYS389II identity holds
  // DYS389II minus DYS389I.
  using Founder = std::vector<int32_t>;
  std::vector<Founder> founders_;                  // per node
  std::vector<std::vector<Founder>> subFounders_;  // per node
};

// Keeps only the columns of a marker set (ESkupOznakStatUklapanja): each
// other column becomes one missing entry.
Haplotype CutToMarkerSet(const Haplotype& haplotype, int32_t set);

}  // namespace varnik::datagen
