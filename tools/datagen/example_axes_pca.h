// Principal components of a data matrix by block power iteration, enough for
// the example computed-axes set: the leading components of a few thousand
// rows, computed in well under a second and identically on every build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace varnik::datagen {

struct PrincipalComponents {
  // Per component, in descending order of variance:
  std::vector<std::vector<double>> scores;    // one value per row; unit length
  std::vector<std::vector<double>> loadings;  // one value per column; unit length
  std::vector<double> shares;                 // share of the total variance
};

// `data` is rows x cols, row-major, with centred columns.  Returns the
// `count` leading components; `seed` fixes the starting block.
PrincipalComponents ComputePrincipalComponents(const std::vector<double>& data, std::size_t rows, std::size_t cols,
                                               int count, uint64_t seed);

}  // namespace varnik::datagen
