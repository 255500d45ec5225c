// Genome comparison and parents' relatedness on raw genotype files.
//
// Genome comparison: the first sample is compared with each further one
// and the stretches on which the two share DNA are found: runs of SNPs
// whose genotypes are identical or share at least one allele.  Parents'
// relatedness: each sample by itself, and the runs of homozygous SNPs.
// Runs are measured in SNPs and in centimorgans from a genetic map and
// classified by a table of thresholds ordered from the strongest row down.
//
// Alleles are kept in the A/B code of the admixture tools (A and T fold to
// 'A', C and G to 'B').
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "autosomal/admixture_data.h"
#include "platform/program_folder.h"

namespace varnik {

// One SNP of a sample or of the genetic map.
struct CSNP {
  std::string name;
  char16_t allele1 = 0;
  char16_t allele2 = 0;
  int32_t chromosome = 0;
  int32_t block = 0;
  int32_t position = 0;
  // Genetic positions in cM from up to three maps; lengths use the first.
  double mapPosition[3] = {0.0, 0.0, 0.0};
};

// The SNPs of one chromosome in an array ordered by chromosome.
struct ChromosomeSpan {
  int32_t chromosome = 0;
  int32_t firstSnp = 0;
  int32_t snpCount = 0;
};

// Builds the per-chromosome index of SNPs ordered by chromosome.
std::vector<ChromosomeSpan> IndexChromosomes(const std::vector<CSNP>& snps);
// Numbers blocks within each chromosome: a new block begins after a gap
// between neighbours larger than 70 times the chromosome's average spacing
// (its last position divided by its SNP count).  Blocks are numbered from
// 0 across the chromosomes.
void AssignBlocks(std::vector<CSNP>& snps, const std::vector<ChromosomeSpan>& chromosomes);

// One sample: its path and its SNPs ordered by chromosome and position.
struct CUzorakZaPoregjenje {
  std::string path;
  std::vector<CSNP> snps;
  std::vector<ChromosomeSpan> chromosomes;
};

// Reads one raw genotype file of layout 0, 1 or 2; `index` (from 0) is the
// sample's number in the progress dialog.  Lines without a usable genotype,
// chromosome number or position are skipped.  Fails (with `error` set) on
// an unreadable file, a file of no or another layout, a bad line end or a
// stop request.
bool ReadComparisonSample(const std::string& path, CUzorakZaPoregjenje& sample, int index,
                          const AdmixtureRunContext& context, std::string& error);

// Genetic maps.  "PolozajiSNPov.txt" holds comma-separated lines
// "name,chromosome,position,cM,cM,cM"; the PLINK layout
// "chromosome name cM position" and the layout "chromosome position rate cM"
// (blank- or tab-separated, optionally with a header and "chr" prefixes)
// are read as well.
inline constexpr const char* kGeneticMapFileName = "PolozajiSNPov.txt";
bool ReadGeneticMapBytes(const std::string& path, std::string_view bytes, std::vector<CSNP>& map,
                         const AdmixtureRunContext& context, std::string& error);

// A genetic map read whole from `path`, ordered by chromosome and position,
// with its per-chromosome index and blocks; `error` says why it failed.
struct LoadedGeneticMap {
  bool ok = false;
  std::vector<CSNP> snps;
  std::vector<ChromosomeSpan> chromosomes;
  std::string error;
};
LoadedGeneticMap LoadGeneticMap(const std::string& path, const AdmixtureRunContext& context);

// Colour of a threshold row as COLORREF (0x00BBGGRR).
constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) { return red | (green << 8) | (blue << 16); }

class CPoregjenjeUzoraka {
 public:
  // One row of a threshold table.
  struct CPodaciOpsega {
    int32_t minSnps = 0;
    double minCm = 0.0;
    uint32_t colour = 0;
    friend bool operator==(const CPodaciOpsega&, const CPodaciOpsega&) = default;
  };
  // One run that met a row of the table.
  struct CZajednickiOdsecak {
    int32_t firstSnp = 0;
    int32_t lastSnp = 0;
    int32_t snpCount = 0;
    int32_t row = 0;
  };
  // Per-SNP marks of a track; 0 or more is the index of the run in its list.
  static constexpr int32_t kNotCompared = -1;
  static constexpr int32_t kBreaksRun = -2;
  static constexpr int32_t kTooShort = -3;
  static constexpr int32_t kBuilding = -4;
  // The result of one pair (or of one sample by itself: sampleB is -1).
  // Run and mark indexes refer to the SNPs of sample A.
  struct CPoregjenjeDvajuUzoraka {
    int32_t sampleA = 0;
    int32_t sampleB = -1;
    std::vector<CZajednickiOdsecak> runs[2];
    std::vector<int32_t> marks[2];
    int64_t identical = 0;
    int64_t halfIdentical = 0;
    int64_t different = 0;
  };

  static constexpr int kModeRelatedness = 0;
  static constexpr int kModeComparison = 1;
  static constexpr int kMaxSamples = 6;
  static constexpr int kMaxTableRows = 6;
  // Error codes of RunGenomeComparison besides a sample's index.
  static constexpr int kErrorGeneticMap = -1;
  static constexpr int kErrorStopped = -2;

  static std::vector<CPodaciOpsega> DefaultComparisonTable();
  static std::vector<CPodaciOpsega> DefaultRelatednessTable();

  CPoregjenjeUzoraka();

  // Settings.
  int32_t mode = kModeComparison;
  std::vector<std::string> samplePaths;
  std::vector<CPodaciOpsega> comparisonTable;
  std::vector<CPodaciOpsega> relatednessTable;
  int32_t chromosomeNumber = 0;  // 0: all; n: the n-th chromosome of the first sample
  int32_t segmentOnly = 0;       // with a chromosome: only positions segmentStart..segmentEnd
  int32_t segmentStart = 0;
  int32_t segmentEnd = 0;
  int32_t markTooShort = 0;      // draw too short runs in a light colour of their sample
  int32_t markUncomparable = 0;  // draw SNPs that break runs apart from uncompared ones
  // The genetic map; empty: "PolozajiSNPov.txt" in the program folder.
  std::string mapPath;
  // The dialog took the tables from the settings (once per process).
  bool tablesRead = false;

  // Data and results of the last run.
  std::vector<CUzorakZaPoregjenje> samples;
  std::vector<CSNP> geneticMap;
  std::vector<ChromosomeSpan> mapChromosomes;
  std::vector<CPoregjenjeDvajuUzoraka> results;
  // The table and the chromosome restriction the results were made with.
  std::vector<CPodaciOpsega> resultTable;
  int32_t resultMode = kModeComparison;
  bool resultOneChromosome = false;
  // Why the last run failed, in the run's language.
  std::string lastError;
  // What the last run found that the user should know although it went
  // on: samples on another genome build than the map, one line each.
  std::string runNotice;
  // Whether the last run wrote its report.
  bool reportWritten = false;

  // Copies the settings, nothing of the data.
  void CopySettingsFrom(const CPoregjenjeUzoraka& other);
  bool HasResults() const { return !results.empty(); }

  // Loads the samples and the map, compares, and writes the report to
  // `reportPath` when it is not empty.  Returns 1, or 0 with `error` the
  // index of the sample that failed, kErrorGeneticMap or kErrorStopped.
  int RunGenomeComparison(int runMode, const std::vector<std::string>& paths, int& error,
                          const AdmixtureRunContext& context, const std::string& reportPath);

  // Steps of a run, public for tests.
  std::string GeneticMapPath() const;
  bool ReadGeneticMap(const AdmixtureRunContext& context);
  void PrepareSamples(int runMode);
  // A sample on another genome build than the genetic map (most of its
  // SNPs found in the map by name lie elsewhere) is moved onto the map's
  // build: the SNPs the map holds take its chromosome and position, the
  // others are left out.  Returns the notice for the user, or "" when the
  // sample lies on the map's build.
  std::string PlaceOnMapBuild(CUzorakZaPoregjenje& sample, int language) const;
  // Keeps the chosen chromosome and window; false when the first sample has
  // no such chromosome.
  bool RestrictToChromosome(const AdmixtureRunContext& context);
  // Map positions (and, when `takeMapBlocks`, the block of the nearer map
  // SNP) of every SNP of `sample`.
  void AssignMapPositions(CUzorakZaPoregjenje& sample, bool takeMapBlocks) const;
  // Compares A with B, or with itself when both are the same object.
  void CompareTwoSamples(CPoregjenjeDvajuUzoraka& result, const CUzorakZaPoregjenje& a,
                         const CUzorakZaPoregjenje& b) const;

  // The report text (UTF-8) and its file "Ishodi poregjenj.txt".
  std::string FormatComparisonReport(int language) const;
  bool WriteComparisonReport(const std::string& path, int language) const;

  // Per-column marks of the drawing, rebuilt when the client size changes.
  struct ColumnCache {
    int width = -1;
    int height = -1;
    std::vector<int32_t> chromosomes;  // the bands, top down
    std::vector<int8_t> marks;         // [result][band][column][track]
  };
  mutable ColumnCache drawCache;

 private:
  const std::vector<CPodaciOpsega>& TableOf(int runMode) const {
    return runMode == kModeComparison ? comparisonTable : relatednessTable;
  }
};

// The report's file name and where a run writes it: the program folder, or
// the user's folder when the program folder is not writable.
inline constexpr const char* kComparisonReportFileName = "Ishodi poregjenj.txt";
ReportLocation ComparisonReportFile();

// The process-wide comparison that the dialog sets and the main window draws.
extern CPoregjenjeUzoraka g_genomeComparison;
void ResetGenomeComparisonState();

}  // namespace varnik
