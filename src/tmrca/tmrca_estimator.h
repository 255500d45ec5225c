// The age estimator's state between the dialog and its worker: the records
// of the last computation, its distribution and the number of generations
// known to be without a common ancestor.
//
// The dialog prepares the records (ReadTmrcaInput, CompleteAncestor,
// PrepareMarkers), hands them over and starts the worker, which calls Run.
// While a run goes on the dialog is disabled and leaves this object alone.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "tmrca/age_computation.h"
#include "tmrca/age_distribution.h"
#include "tmrca/mutation_model.h"

namespace varnik {

class CRaspodelaStarostiNajSkorZajedPredka {
 public:
  static constexpr int32_t kGenerations = 600;
  static constexpr int32_t kMaxGenerationsWithoutAncestor = 399;

  // The worker's computation over the records: the distribution for 600
  // generations.  On success `report` receives the report, which is also
  // written to TMRCA_results.txt unless `writeFile` is off (when the file
  // went to the user's folder, `report` ends with a line saying where); on
  // a stop the report is empty and false is returned.
  bool Run(int32_t markerChoice, const std::atomic<int>& stop, const TmrcaProgress& progress, std::string& report,
           int32_t language = -1, bool writeFile = true);

  // A new number of generations without a common ancestor (0..399; false
  // and nothing changed outside that range).  After a finished run the kept
  // likelihoods are normalised again and `report` is rebuilt (and written),
  // without computing anything; otherwise `report` is left empty.
  bool SetGenerationsWithoutAncestor(int32_t generations, std::string& report, int32_t language = -1,
                                     bool writeFile = true);

  // Forgets the records and the distribution (the dialog closes).
  void Clear();

  // True once a run has finished (not stopped) on the current records.
  bool finished() const { return finished_; }

  std::vector<CSTROznaka> records;
  CNizVerovatnoca distribution;
  int32_t generationsWithoutAncestor = 0;

 private:
  bool finished_ = false;
};

}  // namespace varnik
