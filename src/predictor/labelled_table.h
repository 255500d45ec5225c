// Labelled haplotypes in a table, as laboratories and published studies
// give them: comma- (or semicolon- or tab-) separated, a header row that
// names the columns, one man a row.
//
// Marker columns are found by their names ("DYS19", "DYS385a", "DYS385b",
// "DYS389I", "DYS389II", "YGATAH4", ...); other columns are ignored.  The
// values are read as laboratory kits report them: DYS389II in full length,
// GATA H4 in the laboratory count (one higher than FTDNA's); the copies of
// a multi-copy marker are put in ascending order.  An empty cell, "-",
// "--", "NA" or "?" is a missing value.
//
// The label is an ISOGG-style haplogroup name such as "R1b1a1b1a1a2b", or a
// short name such as "Q-M3" (the part after "-" is taken as its SNP).  Each
// letter and each run of digits is one level of the tree, so the label
// gives the path of its SNP tree nodes: "R", "R1", "R1b", ...  A node is
// named by its label, followed by " (SNP)" when the table gives men of
// exactly that label a defining SNP (the most frequent one).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "predictor/labelled_haplotypes.h"

namespace varnik {

// Columns of the label, its SNP and its group, counted from 1; 0 takes the
// column named "Haplogroup", "SNP" and "Reference" (or "Study" or "Group").
// With no such column there is no SNP or group.
struct CStupciTabele {
  int32_t label = 0;
  int32_t snp = 0;
  int32_t group = 0;
};

struct CTabelaUzoraka {
  std::vector<CUzorakSaOgrankom> samples;
  std::vector<std::string> groups;  // one per sample; empty strings without a group column
  int32_t skipped = 0;              // rows without a usable label or any typed marker
};

// False, with `error` naming the line, when the header has no label column
// or no marker column, or a marker cell is not a number.
bool ParseLabelledTable(std::string_view text, const CStupciTabele& columns, CTabelaUzoraka& table,
                        std::string& error);

// Puts the men of every branch with fewer than `minMen` men into the branch
// of the node above it (the path without its last node), from the deepest
// branches up; a branch at the top of its tree keeps its men.
void MergeRareBranches(std::vector<CUzorakSaOgrankom>& samples, int32_t minMen);

}  // namespace varnik
