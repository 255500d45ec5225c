// Star genealogies for checking the age estimator: a founder and
// descendants who each descend from him along their own line of a known
// number of generations, every marker copy mutating with the mutation
// model's one-generation transition probabilities.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace varnik::datagen {

struct StarGenealogy {
  int32_t generations = 0;
  std::string founder;                   // haplotype line, FTDNA order
  std::vector<std::string> descendants;  // one haplotype line each
};

// Simulates one star genealogy over the first `markerCopies` marker
// identities (12, 25, 37, 67 or 111 give whole FTDNA panels).  Founder
// values lie near the middle of each marker's accepted range.  Copies of a
// multi-copy marker are written in ascending order, as laboratories report
// them, and DYS389II as the laboratory's sum.
StarGenealogy SimulateStarGenealogy(std::mt19937_64& random, int32_t markerCopies, int32_t descendantCount,
                                    int32_t generations);

}  // namespace varnik::datagen
