// Computed-axes files (".ose"): the result of an earlier axes computation,
// read into the population plot.
//
// Binary, no signature, little-endian; int32 is two's complement, double is
// IEEE 754.  A string is an int32 count of UTF-16 code units and the units
// (a count of 0 or less is an empty string); a short string is one count
// byte and that many bytes, each a character code 0-255.
//
//   int32  format version            (2; below 2 there is no leading double)
//   string set name                  (Serbian; the title shows its translation)
//   string set description
//   int32  computation kind          (1 STR over FTDNA samples, 2 STR over
//                                     17-marker samples, other values other)
//   int32  requested axis count, int32 weighting flag, int32 integer parameter
//   double real parameter
//   kinds 1 and 2 only: int32 marker order, int32 integer parameter,
//                       int32 smallest and int32 largest marker count
//   int32  group record version, int32 group count G,
//          G x { string name, string second text, int32 colour,
//                int32 number, int32 marker shape }
//   int32  sample record version, int32 sample count S,
//          S x { string name, string second text, int32 group index }
//   int32  marker record version, int32 second-weight flag, int32 count M,
//          M x { short string name, 2 bytes, double weight,
//                double second weight (only when the flag is non-zero) }
//   int32  reserved, int32 axis count A
//   double leading double            (format version 2 and later only)
//   A x { int32 coefficient count L, L doubles,
//         int32 sample value count V, double axis weight (share of the
//         variation, a fraction), V doubles (value i is sample i's
//         coordinate on the axis) }
//
// Bytes after the last axis record are ignored.  Record versions are not
// interpreted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plot/plot_types.h"

namespace varnik {

// Header parameters of a set: kept from the file, not interpreted by the plot.
struct ComputedAxesHeader {
  int32_t formatVersion = 2;
  int32_t computationKind = 0;
  int32_t requestedAxisCount = 0;
  int32_t weightingFlag = 0;
  int32_t integerParameter = 0;
  double realParameter = 0.0;
  // In the file only for the STR computations (kinds 1 and 2).
  int32_t markerOrder = 0;
  int32_t strIntegerParameter = 0;
  int32_t smallestMarkerCount = 0;
  int32_t largestMarkerCount = 0;
  int32_t groupRecordVersion = 1;
  int32_t sampleRecordVersion = 1;
  int32_t markerRecordVersion = 1;
  int32_t secondWeightFlag = 0;  // 0: marker records carry no second weight
  int32_t reserved = 0;
  double leadingDouble = 0.0;    // in the file from format version 2 on

  bool HasStrFields() const { return computationKind == 1 || computationKind == 2; }
  bool HasLeadingDouble() const { return formatVersion >= 2; }
};

struct MarkerRecord {
  std::string name;  // UTF-8 of the character codes 0-255
  uint8_t first = 0, second = 0;
  double weight = 0.0;
  double secondWeight = 1.0;  // 1.0 when the file carries none
};

struct AxisRecord {
  std::vector<double> coefficients;
  double weight = 0.0;         // share of the total variation, a fraction
  std::vector<double> values;  // one per sample, in sample order
};

// The whole content of a file.  Samples come without coordinates: those are
// the axis records' values until LoadAxisCoordinates moves them.
struct ComputedAxesSet {
  std::string name;
  std::string description;
  ComputedAxesHeader header;
  std::vector<CStanovnistvo> groups;
  std::vector<CUzorak> samples;
  std::vector<MarkerRecord> markers;
  std::vector<AxisRecord> axes;
};

struct ComputedAxesReadOptions {
  bool keepMarkers = false;       // otherwise marker records are read and dropped
  bool keepCoefficients = false;  // otherwise axis coefficients are skipped
};

// Reads a whole set from memory.  Fails at the first field that is cut short
// or malformed (a negative record count, a count larger than the remaining
// bytes can hold) and for a set the plot cannot show: fewer than two axes, an
// axis whose value count differs from the sample count, or a sample whose
// group index lies outside the groups or at or above 134, or an axis weight
// that is no finite number.  Every count is checked against the remaining
// bytes before anything is allocated for it, so a set takes at most about
// seven times its file in memory (a sample record of 12 bytes becomes a
// record of two texts).
// On failure `error` (when given) says why, and `set` holds a partial read
// that the caller must not use.
bool ReadComputedAxes(std::string_view bytes, ComputedAxesSet& set, const ComputedAxesReadOptions& options = {},
                      std::string* error = nullptr);
// The same for the file at `path` (at most 512 MiB).
bool ReadComputedAxesFile(const std::string& path, ComputedAxesSet& set,
                          const ComputedAxesReadOptions& options = {}, std::string* error = nullptr);

// Writes `set` in the layout above: the exact inverse of ReadComputedAxes
// (the counts are the sizes of the arrays; marker names keep only character
// codes 0-255 and at most 255 of them).
std::string WriteComputedAxes(const ComputedAxesSet& set);
bool WriteComputedAxesFile(const std::string& path, const ComputedAxesSet& set);

}  // namespace varnik
