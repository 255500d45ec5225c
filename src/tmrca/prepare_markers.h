// From prepared haplotypes to the per-marker records of the age
// computation: one record per marker copy, the DYS389 conversion, and the
// limit to the first 12, 25, 37 or 67 markers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tmrca/mutation_model.h"
#include "tmrca/tmrca_input.h"

namespace varnik {

// Marker choice: which columns take part.
enum ETmrcaMarkerChoice : int32_t {
  kSingleCopyMarkersOnly = 0,
  kSingleAndMultiCopyMarkers = 1,
  kMultiCopyMarkersOnly = 2,
};

// Builds the records.  Every copy of a column is modelled with the marker
// identity of the column's first copy.  Afterwards the DYS389II record holds
// DYS389II minus DYS389I plus 13, the form the model's DYS389II states
// describe.  On failure `error` holds the message, in `language`.
bool PrepareMarkers(const TmrcaHaplotypes& haplotypes, int32_t markerChoice, int32_t order,
                    std::vector<CSTROznaka>& records, std::string& error, int32_t language = -1);

// The warning about markers that only one or two of more than three
// descendants give (with a known ancestral value): text 262 filled with up
// to four display names, or an empty text when there is nothing to warn
// about.  The dialog shows it captioned with text 261 and goes on.
std::string WarnFewValues(const std::vector<CSTROznaka>& records, int32_t language = -1);

}  // namespace varnik
