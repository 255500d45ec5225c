#include "tmrca/tmrca_estimator.h"

#include "shell/report_note.h"
#include "tmrca/tmrca_report.h"

namespace varnik {
namespace {

// Writes the report file; the shown text says where it went.
void WriteReportFile(std::string& report, int32_t language) {
  ReportLocation where;
  if (WriteTmrcaReport(report, {}, &where)) report += ReportNote(where, language);
}

}  // namespace

bool CRaspodelaStarostiNajSkorZajedPredka::Run(int32_t markerChoice, const std::atomic<int>& stop,
                                               const TmrcaProgress& progress, std::string& report, int32_t language,
                                               bool writeFile) {
  report.clear();
  finished_ = false;
  distribution.Clear();
  distribution.Initialise(kGenerations);
  if (!ComputeAgeDistribution(markerChoice, records, distribution, generationsWithoutAncestor, stop, progress)) {
    return false;
  }
  finished_ = true;
  report = FormatTmrcaReport(records, distribution, generationsWithoutAncestor, language);
  if (writeFile) WriteReportFile(report, language);
  return true;
}

bool CRaspodelaStarostiNajSkorZajedPredka::SetGenerationsWithoutAncestor(int32_t generations, std::string& report,
                                                                         int32_t language, bool writeFile) {
  report.clear();
  if (generations < 0 || generations > kMaxGenerationsWithoutAncestor) return false;
  generationsWithoutAncestor = generations;
  // A stopped run leaves the likelihoods of only some generations, the rest
  // zero: normalising those would show a distribution that was never
  // computed.
  if (!finished_ || records.empty()) return true;
  NormaliseAgeDistribution(distribution, generationsWithoutAncestor);
  report = FormatTmrcaReport(records, distribution, generationsWithoutAncestor, language);
  if (writeFile) WriteReportFile(report, language);
  return true;
}

void CRaspodelaStarostiNajSkorZajedPredka::Clear() {
  records.clear();
  distribution.Clear();
  finished_ = false;
}

}  // namespace varnik
