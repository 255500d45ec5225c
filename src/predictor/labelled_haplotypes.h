// Labelled haplotypes: the training input of the model builder.
//
// One sample a line, three fields separated by "|":
//   R1a-Z280=Р1а-З280 | M207>M173>M417>Z645>Z283>Z282>Z280 | 13 25 16 10 11-14 12 12 10 13 11 30 ...
// 1. the branch: its English name, optionally "=" and its Serbian name;
// 2. the path of SNPs from the root of the tree down to the SNP that
//    defines the branch, separated by ">"; "-" or nothing when unknown;
// 3. the haplotype in FTDNA column order as FTDNA reports it (DYS389II
//    including DYS389I), in the grammar of typed haplotypes.
// Blank lines and lines starting with "#" are skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ystr/str_value.h"

namespace varnik {

struct CUzorakSaOgrankom {
  std::string branch;          // English name
  std::string serbianName;     // empty: the English name serves
  std::vector<std::string> snpPath;  // root first
  Haplotype haplotype;         // column 10 as DYS389II minus DYS389I
};

// False, with `error` naming the line, at the first malformed line.
bool ParseLabelledHaplotypes(std::string_view text, std::vector<CUzorakSaOgrankom>& samples, std::string& error);

// One line of the format above for a sample (the haplotype written back in
// FTDNA's DYS389II convention).
std::string FormatLabelledHaplotype(const CUzorakSaOgrankom& sample);

}  // namespace varnik
