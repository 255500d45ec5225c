// The comparison of a haplotype with the sample collections: one
// process-wide engine that holds the search settings, the query and the
// matches, reads the selected collections sample by sample, ranks the
// matches and writes them as text (and, for the predictor, into the report
// "BliskeHaplovrste.txt" in the program folder).
//
// Memory stays flat however large a collection is: samples are streamed,
// and of the matches only the best `maxShown` (plus a working margin) are
// kept, while all of them are counted.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/program_folder.h"
#include "predictor/collection_search_settings.h"
#include "ystr/markers.h"
#include "ystr/sample_collections.h"
#include "ystr/str_value.h"

namespace varnik {

inline constexpr const char* kCloseHaplotypesFileName = "BliskeHaplovrste.txt";

// What one comparison of two haplotypes found.
struct CIshodPoregjenja {
  int32_t differing = 0;     // differing values
  int32_t stepSum = 0;       // sum of step differences
  int32_t compared = 0;      // compared values
  double generations = -1;   // estimate, -1 when there is none
  std::string differences;   // "DYS456 = 15 (+1), ..."
};

// One match, as ranked and printed.
struct CPodaciZaRegjanje {
  int32_t differing = 0;
  int32_t stepSum = 0;
  int32_t compared = 0;
  double ratio = 0;          // differing / compared
  double generations = -1;
  int32_t collection = -1;   // list index of the sample's collection
  std::string line;
  std::string differences;
  std::string name;
  std::string note;
  std::string group;
  int64_t sequence = 0;      // arrival order; breaks every tie of the ranking
};

class CPoregjenjeHaplovrst {
 public:
  CPoregjenjeHaplovrst();

  CPostavkePretrage settings;
  // Folder of the collection files; empty means the program folder.
  std::string collectionsFolder;

  // Walks the two haplotypes column by column.  Copies of a column are
  // paired greedily, the closest pair of present values first; a pair where
  // exactly one side is 0 adds 1 to the step sum.  The differences text is
  // built only with `withText`.
  void CompareHaplotypes(const Haplotype& query, const Haplotype& sample, CIshodPoregjenja& out,
                         bool withText = true) const;

  // The query for CompareSample; CompareWithCollections sets it itself.
  void SetQuery(const Haplotype& query);
  // Tests one sample against the constraints and the closeness settings and
  // records it when it matches.
  bool CompareSample(const CUzorakZbirke& sample, int32_t collection = -1);

  // Runs the search over the selected collections.  An empty `haplotype` is
  // first parsed from `line`.  The text goes into `output` (appended, or
  // replacing it) and, with `writeFile`, into the report.  False when the
  // haplotype cannot be read or the report cannot be written (the text is
  // produced either way in the second case).
  bool CompareWithCollections(const std::string& line, Haplotype& haplotype, int32_t language, bool writeFile,
                              bool appendToOutput, std::string& output, bool sortConstraints, bool commaMode);

  // The matches recorded since the last run, best first after a run's
  // ranking; at most a working margin beyond `maxShown` are kept.
  std::vector<CPodaciZaRegjanje> RankedMatches() const;
  int64_t matchCount() const { return matchCount_; }
  void ClearMatches();

  // Per-column mutation rate behind the generations estimate.
  double ColumnRate(int32_t column) const;

  // Each selected collection of the last run with how its reading went.
  struct CitanjeZbirke {
    int32_t collection;
    CIshodCitanjaZbirke result;
  };
  const std::vector<CitanjeZbirke>& lastReads() const { return lastReads_; }

 private:
  bool Before(const CPodaciZaRegjanje& a, const CPodaciZaRegjanje& b) const;
  void Prune();

  std::array<double, kFtdnaColumnCount> rates_{};
  Haplotype query_;
  int32_t queryColumns_ = 0;
  std::vector<CSettingConstraint> activeConstraints_;
  std::vector<CPodaciZaRegjanje> matches_;
  // The best match pruned so far: nothing ranking after it can be shown.
  std::optional<CPodaciZaRegjanje> threshold_;
  int64_t matchCount_ = 0;
  std::vector<CitanjeZbirke> lastReads_;
};

// The engine shared by the predictor and the haplotype search.
extern CPoregjenjeHaplovrst g_poregjenjeHaplovrst;
// Returns it to its start-up settings, with no matches (tests).
void ResetCollectionComparison();

// Range text of a constraint: "" (open), "n", "a~b", "~b", "a~"; a bound of
// -1 is open.  Any other text reads as open on both sides.
void ParseRangeText(std::string_view text, int32_t& low, int32_t& high);
std::string FormatRangeText(int32_t low, int32_t high);

// Writes the report of the comparison into the program folder, or into the
// user's folder when the program folder is not writable (`where` says
// which); on failure prints the writer's message on standard output and
// returns false.
bool WriteCloseHaplotypesReport(const std::string& text, ReportLocation& where);

}  // namespace varnik
