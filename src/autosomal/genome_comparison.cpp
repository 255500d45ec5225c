#include "autosomal/genome_comparison.h"

#include <algorithm>
#include <future>
#include <new>
#include <system_error>
#include <utility>

#include "autosomal/autosomal_messages.h"
#include "autosomal/line_reader.h"
#include "common/format.h"
#include "platform/program_folder.h"
#include "texts/text_table.h"

namespace varnik {

CPoregjenjeUzoraka g_genomeComparison;

void ResetGenomeComparisonState() { g_genomeComparison = CPoregjenjeUzoraka(); }

ReportLocation ComparisonReportFile() { return ReportFile(kComparisonReportFileName); }

namespace {

constexpr int kSampleProgressStep = 2048;
constexpr int64_t kBlockGapFactor = 70;

bool ByChromosomeAndPosition(const CSNP& a, const CSNP& b) {
  return a.chromosome != b.chromosome ? a.chromosome < b.chromosome : a.position < b.position;
}

// Sorts by chromosome and position and keeps the first SNP of each
// position.
void SortAndDeduplicate(std::vector<CSNP>& snps) {
  // The companies' files come sorted; sorting them again would only cost.
  if (!std::is_sorted(snps.begin(), snps.end(), ByChromosomeAndPosition)) {
    std::stable_sort(snps.begin(), snps.end(), ByChromosomeAndPosition);
  }
  const auto end = std::unique(snps.begin(), snps.end(), [](const CSNP& a, const CSNP& b) {
    return a.chromosome == b.chromosome && a.position == b.position;
  });
  snps.erase(end, snps.end());
}

// How many SNPs of `snps` the map (sorted by chromosome and position)
// holds at the same chromosome and position under the same name; 0 when
// `snps` are not in that order themselves.
std::size_t SnpsAtTheirMapPlace(const std::vector<CSNP>& snps, const std::vector<CSNP>& map) {
  if (!std::is_sorted(snps.begin(), snps.end(), ByChromosomeAndPosition)) return 0;
  std::size_t found = 0, at = 0;
  for (const CSNP& snp : snps) {
    while (at < map.size() && ByChromosomeAndPosition(map[at], snp)) ++at;
    for (std::size_t same = at; same < map.size() && !ByChromosomeAndPosition(snp, map[same]); ++same) {
      if (map[same].name == snp.name) {
        ++found;
        break;
      }
    }
  }
  return found;
}

std::string StoppedMessage(const std::string& path, int language) {
  return FileMessage(path, 0, AutosomalMessageText(AutosomalMessage::kStopped, language), language);
}

}  // namespace

std::vector<ChromosomeSpan> IndexChromosomes(const std::vector<CSNP>& snps) {
  std::vector<ChromosomeSpan> spans;
  for (int32_t i = 0; i < static_cast<int32_t>(snps.size()); ++i) {
    if (spans.empty() || spans.back().chromosome != snps[i].chromosome) spans.push_back({snps[i].chromosome, i, 0});
    ++spans.back().snpCount;
  }
  return spans;
}

void AssignBlocks(std::vector<CSNP>& snps, const std::vector<ChromosomeSpan>& chromosomes) {
  int32_t block = -1;
  for (const ChromosomeSpan& span : chromosomes) {
    if (span.snpCount == 0) continue;
    const int32_t last = span.firstSnp + span.snpCount - 1;
    const int64_t averageSpacing = snps[last].position / span.snpCount;
    const int64_t gapLimit = kBlockGapFactor * averageSpacing;
    ++block;
    snps[span.firstSnp].block = block;
    for (int32_t i = span.firstSnp + 1; i <= last; ++i) {
      if (static_cast<int64_t>(snps[i].position) - snps[i - 1].position > gapLimit) ++block;
      snps[i].block = block;
    }
  }
}

bool ReadComparisonSample(const std::string& path, CUzorakZaPoregjenje& sample, int index,
                          const AdmixtureRunContext& context, std::string& error) {
  const int language = context.language;
  sample = CUzorakZaPoregjenje();
  sample.path = path;
  std::string bytes;
  if (!ReadGenotypeFile(path, bytes, error, language)) return false;
  int layout = -1;
  if (!DetectGenotypeLayout(bytes, layout) || layout == kLayoutCommaAlleles) {
    // Layout 3 carries no positions, and runs are found along positions.
    const AutosomalMessage why = layout == kLayoutCommaAlleles ? AutosomalMessage::kLayoutNotForPainting
                                                               : AutosomalMessage::kUnknownLayout;
    error = FileMessage(path, 0, AutosomalMessageText(why, language), language);
    return false;
  }
  const bool commas = layout == kLayoutCommaWithPositions;
  const char separator = LayoutSeparator(layout);
  std::string alleles;  // layout 4: the two allele columns joined
  ByteLineReader reader(bytes);
  std::vector<std::string_view> fields;
  int64_t linesRead = 0;
  int result = kLineRead;
  if (context.progress != nullptr) {
    context.progress->SetStatusLine(1, Format("%s %d", TextById(kTextLoadingSample, language).c_str(), index + 1));
  }
  // One SNP a line; a usable line has at least 9 bytes, which bounds the
  // room taken for a file of empty lines.
  const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
  sample.snps.reserve(std::min(lines, bytes.size() / 9) + 1);
  for (;;) {
    if (linesRead % kSampleProgressStep == 0) {
      if (context.Stopped()) {
        error = StoppedMessage(path, language);
        return false;
      }
      if (context.progress != nullptr) {
        context.progress->SetStatusLine(2, Format("%lld", static_cast<long long>(linesRead)));
      }
    }
    if ((result = reader.ReadFields(LineEnds::kTolerant, separator, fields)) != kLineRead) break;
    if (++linesRead == 1 && commas) continue;  // the header line
    GenotypeColumns columns;
    if (!LayoutColumns(layout, fields, alleles, columns)) continue;
    std::string_view name = columns.name, chromosome = columns.chromosome, position = columns.position,
                     genotype = columns.genotype;
    if (commas) {
      name = StripQuotes(name);
      chromosome = StripQuotes(chromosome);
      position = StripQuotes(position);
      genotype = StripQuotes(genotype);
    }
    if (genotype.size() < 2 || genotype[0] == '-' || genotype[1] == '-') continue;
    // X, Y, MT and other lettered chromosomes are left out.
    if (chromosome.empty() || chromosome.front() < '0' || chromosome.front() > '9') continue;
    CSNP& snp = sample.snps.emplace_back();
    if (!ScanInt(chromosome, snp.chromosome) || !ScanInt(position, snp.position)) {
      sample.snps.pop_back();
      continue;
    }
    snp.name.assign(name);
    snp.allele1 = FoldToAbCode(static_cast<unsigned char>(genotype[0]));
    snp.allele2 = FoldToAbCode(static_cast<unsigned char>(genotype[1]));
  }
  if (result == kLineReadError) {
    error = FileMessage(path, reader.LineNumber(), AutosomalMessageText(AutosomalMessage::kLineEnd, language),
                        language);
    sample.snps.clear();
    return false;
  }
  if (context.progress != nullptr) {
    context.progress->SetStatusLine(2, Format("%lld", static_cast<long long>(linesRead)));
  }
  return true;
}

CPoregjenjeUzoraka::CPoregjenjeUzoraka()
    : comparisonTable(DefaultComparisonTable()), relatednessTable(DefaultRelatednessTable()) {}

std::vector<CPoregjenjeUzoraka::CPodaciOpsega> CPoregjenjeUzoraka::DefaultComparisonTable() {
  return {{500, 10.0, Rgb(255, 0, 0)}, {350, 7.0, Rgb(255, 0, 192)}, {200, 4.0, Rgb(255, 128, 0)},
          {100, 2.0, Rgb(0, 0, 255)}};
}

std::vector<CPoregjenjeUzoraka::CPodaciOpsega> CPoregjenjeUzoraka::DefaultRelatednessTable() {
  return {{500, 10.0, Rgb(255, 0, 0)}, {350, 7.0, Rgb(255, 0, 192)}, {250, 4.0, Rgb(255, 128, 0)},
          {200, 2.0, Rgb(0, 0, 255)},  {100, 1.0, Rgb(0, 0, 255)}};
}

void CPoregjenjeUzoraka::CopySettingsFrom(const CPoregjenjeUzoraka& other) {
  mode = other.mode;
  samplePaths = other.samplePaths;
  comparisonTable = other.comparisonTable;
  relatednessTable = other.relatednessTable;
  chromosomeNumber = other.chromosomeNumber;
  segmentOnly = other.segmentOnly;
  segmentStart = other.segmentStart;
  segmentEnd = other.segmentEnd;
  markTooShort = other.markTooShort;
  markUncomparable = other.markUncomparable;
  mapPath = other.mapPath;
  tablesRead = other.tablesRead;
}

void CPoregjenjeUzoraka::PrepareSamples(int runMode) {
  for (CUzorakZaPoregjenje& sample : samples) SortAndDeduplicate(sample.snps);
  if (runMode == kModeComparison && !samples.empty()) {
    // Further samples keep the SNPs the first one has, at its positions.
    const std::vector<CSNP>& first = samples.front().snps;
    std::vector<int32_t> byName(first.size());
    for (std::size_t i = 0; i < byName.size(); ++i) byName[i] = static_cast<int32_t>(i);
    std::sort(byName.begin(), byName.end(), [&first](int32_t a, int32_t b) { return first[a].name < first[b].name; });
    for (std::size_t s = 1; s < samples.size(); ++s) {
      std::vector<CSNP>& snps = samples[s].snps;
      std::size_t kept = 0;
      // Files of one company list their SNPs in the same order, so the SNP
      // after the last one found is tried before the search by name.
      std::size_t next = 0;
      for (CSNP& snp : snps) {
        std::size_t at = next;
        if (at >= first.size() || first[at].name != snp.name) {
          const auto it = std::lower_bound(byName.begin(), byName.end(), snp.name,
                                           [&first](int32_t i, const std::string& n) { return first[i].name < n; });
          if (it == byName.end() || first[*it].name != snp.name) continue;
          at = static_cast<std::size_t>(*it);
        }
        next = at + 1;
        snp.chromosome = first[at].chromosome;
        snp.position = first[at].position;
        if (&snps[kept] != &snp) snps[kept] = std::move(snp);
        ++kept;
      }
      snps.resize(kept);
      SortAndDeduplicate(snps);
    }
  }
  for (std::size_t s = 0; s < samples.size(); ++s) {
    CUzorakZaPoregjenje& sample = samples[s];
    sample.chromosomes = IndexChromosomes(sample.snps);
    if (s == 0 || runMode == kModeRelatedness) AssignBlocks(sample.snps, sample.chromosomes);
  }
}

std::string CPoregjenjeUzoraka::PlaceOnMapBuild(CUzorakZaPoregjenje& sample, int language) const {
  // A sample on the map's build, the usual case, shows itself without the
  // sort by name: when at least half of its SNPs stand at their map place
  // under their own name, fewer than half of those found by name can have
  // moved.
  if (2 * SnpsAtTheirMapPlace(sample.snps, geneticMap) >= sample.snps.size()) return {};
  std::vector<int32_t> byName(geneticMap.size());
  for (std::size_t i = 0; i < byName.size(); ++i) byName[i] = static_cast<int32_t>(i);
  std::sort(byName.begin(), byName.end(),
            [this](int32_t a, int32_t b) { return geneticMap[a].name < geneticMap[b].name; });
  const auto find = [&](const std::string& name) -> const CSNP* {
    const auto it = std::lower_bound(byName.begin(), byName.end(), name,
                                     [this](int32_t i, const std::string& n) { return geneticMap[i].name < n; });
    return it != byName.end() && geneticMap[*it].name == name ? &geneticMap[*it] : nullptr;
  };
  BuildAgreement agreement;
  for (const CSNP& snp : sample.snps) {
    if (const CSNP* mapped = find(snp.name)) {
      agreement.Add(mapped->chromosome == snp.chromosome && mapped->position == snp.position);
    }
  }
  if (!agreement.OtherBuild()) return {};
  std::size_t kept = 0;
  for (CSNP& snp : sample.snps) {
    const CSNP* mapped = find(snp.name);
    if (mapped == nullptr) continue;
    snp.chromosome = mapped->chromosome;
    snp.position = mapped->position;
    if (&sample.snps[kept] != &snp) sample.snps[kept] = std::move(snp);
    ++kept;
  }
  const auto leftOut = static_cast<long long>(sample.snps.size() - kept);
  sample.snps.resize(kept);
  return FileMessage(sample.path, 0,
                     Format(AutosomalMessageText(AutosomalMessage::kOtherBuildMap, language),
                            static_cast<long long>(agreement.differing), static_cast<long long>(agreement.compared),
                            leftOut),
                     language);
}

bool CPoregjenjeUzoraka::RestrictToChromosome(const AdmixtureRunContext& context) {
  resultOneChromosome = chromosomeNumber > 0;
  if (chromosomeNumber <= 0 || samples.empty()) return true;
  const std::vector<ChromosomeSpan>& spans = samples.front().chromosomes;
  if (chromosomeNumber > static_cast<int32_t>(spans.size())) {
    lastError = FileMessage(samples.front().path, 0,
                            Format(AutosomalMessageText(AutosomalMessage::kNoSuchChromosome, context.language),
                                   chromosomeNumber, static_cast<int>(spans.size())),
                            context.language);
    return false;
  }
  const int32_t chromosome = spans[chromosomeNumber - 1].chromosome;
  const int32_t low = segmentOnly != 0 ? std::min(segmentStart, segmentEnd) : INT32_MIN;
  const int32_t high = segmentOnly != 0 ? std::max(segmentStart, segmentEnd) : INT32_MAX;
  for (CUzorakZaPoregjenje& sample : samples) {
    std::erase_if(sample.snps, [&](const CSNP& snp) {
      return snp.chromosome != chromosome || snp.position < low || snp.position > high;
    });
    sample.chromosomes = IndexChromosomes(sample.snps);
  }
  return true;
}

namespace {

// Builds the runs of one track and marks its SNPs.
class TrackBuilder {
 public:
  TrackBuilder(std::vector<CPoregjenjeUzoraka::CZajednickiOdsecak>& runs, std::vector<int32_t>& marks,
               const std::vector<CSNP>& snps, const std::vector<CPoregjenjeUzoraka::CPodaciOpsega>& table)
      : runs_(runs), marks_(marks), snps_(snps), table_(table) {}

  int32_t Length() const { return count_; }

  void Extend(int32_t snp) {
    if (count_ > 0 && snps_[snp].block != block_) Close();
    if (count_ == 0) {
      first_ = snp;
      block_ = snps_[snp].block;
    }
    last_ = snp;
    ++count_;
    marks_[snp] = CPoregjenjeUzoraka::kBuilding;
  }

  void Break(int32_t snp) {
    Close();
    marks_[snp] = CPoregjenjeUzoraka::kBreaksRun;
  }

  void Close() {
    if (count_ == 0) return;
    const double length = snps_[last_].mapPosition[0] - snps_[first_].mapPosition[0];
    int32_t mark = CPoregjenjeUzoraka::kTooShort;
    for (std::size_t row = 0; row < table_.size(); ++row) {
      if (table_[row].minSnps <= count_ && table_[row].minCm <= length) {
        mark = static_cast<int32_t>(runs_.size());
        runs_.push_back({first_, last_, count_, static_cast<int32_t>(row)});
        break;
      }
    }
    for (int32_t i = first_; i <= last_; ++i) {
      if (marks_[i] == CPoregjenjeUzoraka::kBuilding) marks_[i] = mark;
    }
    count_ = 0;
  }

 private:
  std::vector<CPoregjenjeUzoraka::CZajednickiOdsecak>& runs_;
  std::vector<int32_t>& marks_;
  const std::vector<CSNP>& snps_;
  const std::vector<CPoregjenjeUzoraka::CPodaciOpsega>& table_;
  int32_t first_ = 0, last_ = 0, count_ = 0, block_ = 0;
};

}  // namespace

void CPoregjenjeUzoraka::CompareTwoSamples(CPoregjenjeDvajuUzoraka& result, const CUzorakZaPoregjenje& a,
                                           const CUzorakZaPoregjenje& b) const {
  const bool self = &a == &b;
  const std::vector<CPodaciOpsega>& table = TableOf(self ? kModeRelatedness : kModeComparison);
  const std::vector<CSNP>& snpsA = a.snps;
  const std::vector<CSNP>& snpsB = b.snps;
  for (int t = 0; t < 2; ++t) {
    result.runs[t].clear();
    result.marks[t].assign(self && t == 1 ? 0 : snpsA.size(), kNotCompared);
  }
  result.identical = result.halfIdentical = result.different = 0;
  TrackBuilder first(result.runs[0], result.marks[0], snpsA, table);
  TrackBuilder second(result.runs[1], result.marks[1], snpsA, table);

  if (self) {
    for (const ChromosomeSpan& span : a.chromosomes) {
      for (int32_t i = span.firstSnp; i < span.firstSnp + span.snpCount; ++i) {
        if (snpsA[i].allele1 == snpsA[i].allele2) {
          ++result.identical;
          first.Extend(i);
        } else {
          ++result.different;
          first.Break(i);
        }
      }
      first.Close();
    }
    return;
  }

  std::size_t spanB = 0;
  for (const ChromosomeSpan& span : a.chromosomes) {
    while (spanB < b.chromosomes.size() && b.chromosomes[spanB].chromosome < span.chromosome) ++spanB;
    if (spanB == b.chromosomes.size() || b.chromosomes[spanB].chromosome != span.chromosome) continue;
    int32_t i = span.firstSnp, j = b.chromosomes[spanB].firstSnp;
    const int32_t endA = span.firstSnp + span.snpCount, endB = j + b.chromosomes[spanB].snpCount;
    while (i < endA && j < endB) {
      if (snpsA[i].position < snpsB[j].position) {
        ++i;
        continue;
      }
      if (snpsB[j].position < snpsA[i].position) {
        ++j;
        continue;
      }
      const char16_t lowA = std::min(snpsA[i].allele1, snpsA[i].allele2);
      const char16_t highA = std::max(snpsA[i].allele1, snpsA[i].allele2);
      const char16_t lowB = std::min(snpsB[j].allele1, snpsB[j].allele2);
      const char16_t highB = std::max(snpsB[j].allele1, snpsB[j].allele2);
      if (lowA == lowB && highA == highB) {
        ++result.identical;
        first.Extend(i);
        second.Extend(i);
      } else if (lowA == lowB || highA == highB) {
        ++result.halfIdentical;
        // The longer run goes on; the other track breaks here.
        if (second.Length() > first.Length()) {
          second.Extend(i);
          first.Break(i);
        } else {
          first.Extend(i);
          second.Break(i);
        }
      } else {
        ++result.different;
        first.Break(i);
        second.Break(i);
      }
      ++i;
      ++j;
    }
    first.Close();
    second.Close();
  }
}

int CPoregjenjeUzoraka::RunGenomeComparison(int runMode, const std::vector<std::string>& paths, int& error,
                                            const AdmixtureRunContext& context, const std::string& reportPath) {
  results.clear();
  samples.clear();
  drawCache = ColumnCache();
  lastError.clear();
  resultMode = runMode;
  resultTable = TableOf(runMode);
  geneticMap.clear();
  mapChromosomes.clear();
  // The map does not depend on the samples: a second thread reads it while
  // they load, without progress lines of its own.
  const std::string mapFile = GeneticMapPath();
  AdmixtureRunContext mapContext = context;
  mapContext.progress = nullptr;
  std::future<LoadedGeneticMap> mapRead;
  try {
    mapRead = std::async(std::launch::async, [mapFile, mapContext] { return LoadGeneticMap(mapFile, mapContext); });
  } catch (const std::system_error&) {
    // No second thread: the map is read after the samples.
  }
  samples.resize(paths.size());
  for (std::size_t s = 0; s < paths.size(); ++s) {
    if (context.Stopped()) {
      error = kErrorStopped;
      lastError = StoppedMessage(paths[s], context.language);
      samples.clear();
      return 0;
    }
    if (!ReadComparisonSample(paths[s], samples[s], static_cast<int>(s), context, lastError)) {
      error = context.Stopped() ? kErrorStopped : static_cast<int>(s);
      samples.clear();
      return 0;
    }
  }
  if (context.progress != nullptr) {
    context.progress->SetStatusLine(1, TextById(kTextLoadingGeneticMap, context.language));
    context.progress->SetStatusLine(2, "");
  }
  LoadedGeneticMap map;
  try {
    map = mapRead.valid() ? mapRead.get() : LoadGeneticMap(mapFile, context);
  } catch (const std::bad_alloc&) {
    map.error = FileMessage(mapFile, 0, AutosomalMessageText(AutosomalMessage::kTooLarge, context.language),
                            context.language);
  }
  if (!map.ok || context.Stopped()) {
    error = context.Stopped() ? kErrorStopped : kErrorGeneticMap;
    lastError = context.Stopped() ? StoppedMessage(mapFile, context.language) : std::move(map.error);
    samples.clear();
    return 0;
  }
  geneticMap = std::move(map.snps);
  mapChromosomes = std::move(map.chromosomes);
  // Samples on another genome build than the map are placed by name; in
  // a comparison the further samples take the first one's positions.
  runNotice.clear();
  reportWritten = false;
  for (std::size_t s = 0; s < samples.size() && (s == 0 || runMode == kModeRelatedness); ++s) {
    const std::string notice = PlaceOnMapBuild(samples[s], context.language);
    if (!notice.empty()) runNotice += notice + "\n";
  }
  PrepareSamples(runMode);
  if (!RestrictToChromosome(context)) {
    error = 0;
    samples.clear();
    return 0;
  }
  if (runMode == kModeComparison) {
    if (!samples.empty()) AssignMapPositions(samples.front(), false);
    for (std::size_t s = 1; s < samples.size(); ++s) {
      AssignMapPositions(samples[s], true);
      CPoregjenjeDvajuUzoraka& result = results.emplace_back();
      result.sampleA = 0;
      result.sampleB = static_cast<int32_t>(s);
      CompareTwoSamples(result, samples.front(), samples[s]);
    }
  } else {
    for (std::size_t s = 0; s < samples.size(); ++s) {
      AssignMapPositions(samples[s], false);
      CPoregjenjeDvajuUzoraka& result = results.emplace_back();
      result.sampleA = static_cast<int32_t>(s);
      result.sampleB = -1;
      CompareTwoSamples(result, samples[s], samples[s]);
    }
  }
  reportWritten = !reportPath.empty() && WriteComparisonReport(reportPath, context.language);
  return 1;
}

}  // namespace varnik
