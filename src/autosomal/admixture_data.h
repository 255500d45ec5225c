// The autosomal SNP data of the admixture calculation and the chromosome
// painting: a calculator (K reference populations with the frequency of one
// allele of every SNP) joined with a person's raw genotypes.
//
// Alleles are kept in A/B code: A and T fold to 'A', C and G to 'B', so a
// genotype reads the same on either DNA strand.  Every SNP of a calculator
// has two alleles in this code, `refAllele1` and `refAllele2`, and
// `frequencies`[k] is the frequency of `refAllele2` in population k.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.h"
#include "shell/long_computation.h"

namespace varnik {

// One SNP of the calculator with the sample's genotype.
struct CPodaciSNPaZaPorekloOdsecaka {
  std::string snpName;
  char16_t sampleAllele1 = 0;  // 0 while the sample has no genotype here
  char16_t sampleAllele2 = 0;
  uint32_t refAllele1 = 0;
  uint32_t refAllele2 = 0;
  int32_t chromosome = 0;
  int32_t position = 0;
  double geneticPosition = 0.0;  // centimorgans
  int32_t paintMark = -1;        // block number of the chromosome painting
  std::vector<double> frequencies;
  std::vector<double> paintValues;
};

// Folds a nucleotide letter to A/B code; other characters stay as they are.
constexpr char16_t FoldToAbCode(char16_t c) {
  if (c == 'A' || c == 'T') return 'A';
  if (c == 'C' || c == 'G') return 'B';
  return c;
}

// The colours of the populations of a calculator that names none, taken in
// turn (COLORREF, 0x00BBGGRR).
inline constexpr int kPopulationPaletteSize = 13;
uint32_t ProgressPopulationPalette(int index);

// What a run on the worker needs from its surroundings.  Every member may
// stay empty (the command line and tests run without a progress dialog).
struct AdmixtureRunContext {
  const std::atomic<int>* stop = nullptr;
  ProgressSink* progress = nullptr;  // the progress dialog's lines and result box
  // The refusal of a too short window, shown in a message box.
  std::function<void(const std::string&)> showRefusal;
  // The information beep at the end of a converged run.
  std::function<void()> beep;
  int language = -1;  // -1: the interface language
  bool sortResults = true;  // the final result list in descending order

  bool Stopped() const { return stop != nullptr && stop->load() != 0; }
};

// Sample layouts.
inline constexpr int kLayoutCommaWithPositions = 0;  // FTDNA: header line, quoted values
inline constexpr int kLayoutTabs = 1;                // 23andMe: '#' comments, tabs
inline constexpr int kLayoutSpaces = 2;
inline constexpr int kLayoutCommaAlleles = 3;  // header; name, chromosome, allele 1, allele 2
// Told from a header line that names the columns, after any '#' comments:
inline constexpr int kLayoutTabAlleles = 4;  // tabs: rsid, chromosome, position, allele 1, allele 2
inline constexpr int kLayoutCommaHeader = 5;  // RSID,CHROMOSOME,POSITION,RESULT, quoted or not

// Load modes.
inline constexpr int kLoadForAdmixture = 0;
inline constexpr int kLoadForPainting = 1;

class CProracunPoreklaOdsecaka {
 public:
  // One stretch of consecutive SNPs on one chromosome.
  struct CPodaciHromozoma {
    int32_t firstSnp = -1;
    int32_t lastSnp = -1;
    int32_t chromosome = 0;
  };

  // Inputs.
  std::string samplePath;
  std::string calculatorPath;

  // The calculator and the sample after loading.
  std::vector<std::string> populationNames;
  std::vector<uint32_t> populationColours;
  std::vector<CPodaciSNPaZaPorekloOdsecaka> snps;
  // Indexes into `snps` sorted by name; valid from the end of the calculator
  // read to the end of the sample read.
  std::vector<int32_t> snpIndexByName;
  std::vector<CPodaciHromozoma> chromosomeRuns;
  std::string calculatorDisplayName;

  // Admixture settings and result.
  std::vector<double> proportions;
  double changeThreshold = 1e-7;
  int32_t chromosomeNumber = 0;  // 0: all SNPs; n: the n-th chromosome run
  int32_t segmentOnly = 0;
  int32_t segmentStart = 0;
  int32_t segmentEnd = 0;
  int32_t segmentFirstSnp = 0;
  int32_t segmentLastSnp = 0;

  // Chromosome painting.
  int32_t paintingReady = 0;
  int32_t windowBySnpCount = 1;
  int32_t halfWindowSnps = 250;
  double windowLengthCm = 7.0;
  int32_t minSideSnps = 20;
  int32_t drawZoomed = 1;
  int32_t levellingFactor = 50;
  // Only pairs of one population with itself take part.
  int32_t pairsSamePopulationOnly = 0;
  // The levelled drawing (command 32824 switches it).
  int32_t drawLevelled = 0;

  // Why the last load, window or run failed, in the run's language: the
  // file, the line and the reason.  Empty after success.
  std::string lastError;
  // What the last load found that the user should know although it went
  // on: a sample on another genome build than the calculator.
  std::string loadNotice;

  // Copies the settings a dialog sets (paths, threshold, chromosome and
  // window, painting settings), nothing of the data.
  void CopySettingsFrom(const CProracunPoreklaOdsecaka& other);

  // Loading (calculator_reader.cpp, genotype_reader.cpp).
  bool LoadAdmixtureInputs(int mode, const AdmixtureRunContext& context);
  bool ReadTextCalculator(const std::string& path, const AdmixtureRunContext& context);
  bool ReadParCalculator(const std::string& directory, std::string_view populationFile,
                         std::string_view frequencyFile, std::string_view snpFile, const AdmixtureRunContext& context);
  // Reads the sample's genotypes from `bytes`, the contents of the file
  // at `path` (named in messages).
  bool ReadSampleGenotypes(const std::string& path, std::string_view bytes, int layout, bool calculatorIsPar,
                           const AdmixtureRunContext& context);

  // The admixture computation (admixture.cpp).
  bool RunAdmixture(const AdmixtureRunContext& context);
  bool ComputeAdmixture(int chromosomeIndex, const AdmixtureRunContext& context);
  void BuildChromosomeRuns();
  void FindSegmentRange();
  // Progress and result texts into the progress dialog; `finalReport`
  // marks the last report of a run.
  void ReportAdmixture(int iteration, double change, bool finalReport, const AdmixtureRunContext& context) const;
  // The result list: "name:\t\tshare%\r\n" per population.
  std::string FormatProportions(bool sorted) const;
  // The header line of the computation's report.
  std::string ReportHeader(bool finalReport, int language) const;

  // The chromosome painting (painting.cpp, painting_draw.cpp).
  bool RunChromosomePainting(const AdmixtureRunContext& context);
  bool ComputeChromosomePainting(const AdmixtureRunContext& context);
  // Genetic positions of a ".par" calculator's SNPs from the text
  // calculator at `mapPath`; false only when a stop cut the read short.
  bool AssignGeneticPositions(const std::string& mapPath, const AdmixtureRunContext& context);
  // Splits the chromosome runs into blocks at large gaps and merges small
  // blocks into a neighbour; sets every SNP's `paintMark`.
  void MarkPaintingBlocks();
  void DrawChromosomePainting(Canvas& canvas) const;
  // Each returns whether `levellingFactor` changed.
  bool StepLevellingUp();
  bool StepLevellingDown();

 private:
  void SortSnpIndex();
  bool Fail(const AdmixtureRunContext& context, std::string message);
};

// Ranks populations by share, largest first; equal shares keep their order.
std::vector<int> SortedOrder(const std::vector<double>& shares);

// Binary search of `index` (sorted by name) for `name`; on success
// `position` is the place in `index`, otherwise the insertion point.
bool FindSnpByName(const std::vector<int32_t>& index, const std::vector<CPodaciSNPaZaPorekloOdsecaka>& snps,
                   std::string_view name, int32_t& position);

// The number rule of calculators: an empty text fails; a text that starts
// with 'N' is a missing value; anything else must read whole as a decimal
// number.
bool ParseNumberOrMissing(std::string_view text, double& value, bool& missing);
// Removes one double quote at the start and one at the end.
std::string_view StripQuotes(std::string_view text);
// A whole decimal number (with an optional sign and leading blanks) that
// fits 32 bits; trailing characters are allowed, as a C "%d" read allows.
bool ScanInt(std::string_view text, int32_t& value);

// A decimal number as a C "%lg" read takes it (blanks and trailing
// characters allowed); only finite values count.
bool ScanDouble(std::string_view text, double& value);

// Whether a raw file lies on the genome build of a calculator or map: of
// the SNPs matched by name, how many lie at another chromosome or
// position.  Most of them elsewhere means another build.
struct BuildAgreement {
  static constexpr int64_t kMinCompared = 50;
  int64_t compared = 0;
  int64_t differing = 0;
  void Add(bool samePlace) {
    ++compared;
    if (!samePlace) ++differing;
  }
  bool OtherBuild() const { return compared >= kMinCompared && differing * 2 > compared; }
};

// Which layout a raw genotype file has: 0-5, or false when none fits.
bool DetectGenotypeLayout(std::string_view bytes, int& layout);

// The four columns of one line of a raw genotype file.
struct GenotypeColumns {
  std::string_view name, chromosome, position, genotype;
};
// The columns of a split data line (after the first line of layouts 0 and
// 3, which is their header); false for a comment, a header or a line too
// short.  Layouts 0-3 give their first four fields as they stand.  Layout
// 4 joins its two allele columns into `genotype` (a no-call "0" becomes
// "--") and names chromosomes 23-26 X, Y, XY and MT; layout 5 takes the
// quotes off every field.  `buffer` holds the joined genotype.
bool LayoutColumns(int layout, const std::vector<std::string_view>& fields, std::string& buffer,
                   GenotypeColumns& columns);
// The separator of a layout's columns.
char LayoutSeparator(int layout);

// Whole-file reads of the autosomal readers: at most 2 GiB.
bool ReadAutosomalFile(const std::string& path, std::string& bytes, std::string& error, int language);
// A raw genotype file read whole: a ".gz" file is unpacked, and so is a
// ".zip" archive that holds one file, or one raw genotype file among
// others.  The packing is told by the file's signature, not its name.
bool ReadGenotypeFile(const std::string& path, std::string& bytes, std::string& error, int language);

}  // namespace varnik
