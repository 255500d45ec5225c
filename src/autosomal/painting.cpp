// The painting's computation: genetic positions, blocks, windows and the
// local ancestry of every SNP.
//
// A window's pair likelihoods are products of hundreds of per-SNP values.
// They are kept as sums of logarithms over a sliding window: a SNP's
// logarithms are computed once when it enters the window, added, and
// subtracted when it leaves.  A pair with a zero likelihood in the window is
// counted apart, so its product stays exactly 0.  The sums are rebuilt from
// the buffered values now and then, so rounding cannot drift.
#include "autosomal/painting.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "autosomal/autosomal_messages.h"
#include "common/format.h"
#include "platform/program_folder.h"
#include "texts/text_table.h"

namespace varnik {

namespace {

constexpr int kProgressStep = 128;
constexpr int kResyncSteps = 1024;
constexpr double kZeroLog = -std::numeric_limits<double>::infinity();

// Logarithms of one SNP's pair likelihoods; kZeroLog for a zero.
void SnpPairLogs(const CPodaciSNPaZaPorekloOdsecaka& snp, int k, bool sameOnly, std::vector<double>& logF,
                 std::vector<double>& logG, double* out) {
  const auto safeLog = [](double x) { return x > 0.0 ? std::log(x) : kZeroLog; };
  for (int p = 0; p < k; ++p) {
    logF[p] = safeLog(snp.frequencies[p]);
    logG[p] = safeLog(1.0 - snp.frequencies[p]);
  }
  const bool homozygous = snp.sampleAllele1 == snp.sampleAllele2;
  const bool second = homozygous && snp.sampleAllele1 == snp.refAllele2;
  int pair = 0;
  for (int a = 0; a < k; ++a) {
    for (int b = a; b < k; ++b, ++pair) {
      if (a != b && sameOnly) {
        out[pair] = kZeroLog;
      } else if (homozygous) {
        out[pair] = second ? logF[a] + logF[b] : logG[a] + logG[b];
      } else if (a == b) {
        out[pair] = std::log(2.0) + logF[a] + logG[a];
      } else {
        const double fa = snp.frequencies[a], fb = snp.frequencies[b];
        out[pair] = safeLog((1.0 - fa) * fb + (1.0 - fb) * fa);
      }
    }
  }
}

// The pair log-likelihood sums of a window that only moves forward.
class SlidingPairSums {
 public:
  SlidingPairSums(const std::vector<CPodaciSNPaZaPorekloOdsecaka>& snps, int k, bool sameOnly)
      : snps_(snps), k_(k), pairs_(PairCount(k)), sameOnly_(sameOnly), logF_(k), logG_(k), sums_(pairs_),
        zeros_(pairs_) {}

  // Starts an empty window before SNP `first`.
  void Reset(int32_t first) {
    lo_ = first;
    hi_ = first - 1;
    std::fill(sums_.begin(), sums_.end(), 0.0);
    std::fill(zeros_.begin(), zeros_.end(), 0);
    moves_ = 0;
  }

  // Moves the window to first..last (neither edge moves back).
  void MoveTo(int32_t first, int32_t last) {
    while (hi_ < last) Add(++hi_);
    while (lo_ < first) Remove(lo_++);
    if (++moves_ % kResyncSteps == 0) Resync();
  }

  // Local ancestry of the window into `values` (K); false when every pair
  // has likelihood 0.
  bool Ancestry(std::vector<double>& values) {
    double top = kZeroLog;
    for (int p = 0; p < pairs_; ++p) {
      if (zeros_[p] == 0) top = std::max(top, sums_[p]);
    }
    if (top == kZeroLog) return false;
    weights_.resize(pairs_);
    for (int p = 0; p < pairs_; ++p) weights_[p] = zeros_[p] == 0 ? std::exp(sums_[p] - top) : 0.0;
    std::fill(values.begin(), values.end(), 0.0);
    double total = 0.0;
    int pair = 0;
    for (int a = 0; a < k_; ++a) {
      for (int b = a; b < k_; ++b, ++pair) {
        const double w = weights_[pair];
        values[a] += w;
        if (a != b) {
          values[b] += w;
          total += 2.0 * w;
        } else {
          total += w;
        }
      }
    }
    for (double& v : values) v /= total;
    return true;
  }

 private:
  double* Slot(int32_t snp) { return &buffer_[static_cast<std::size_t>(snp & (capacity_ - 1)) * pairs_]; }

  void Add(int32_t snp) {
    if (hi_ - lo_ + 1 > capacity_) Grow();
    double* logs = Slot(snp);
    SnpPairLogs(snps_[snp], k_, sameOnly_, logF_, logG_, logs);
    for (int p = 0; p < pairs_; ++p) {
      if (logs[p] == kZeroLog) {
        ++zeros_[p];
      } else {
        sums_[p] += logs[p];
      }
    }
  }

  void Remove(int32_t snp) {
    const double* logs = Slot(snp);
    for (int p = 0; p < pairs_; ++p) {
      if (logs[p] == kZeroLog) {
        --zeros_[p];
      } else {
        sums_[p] -= logs[p];
      }
    }
  }

  // Doubles the buffer; the SNPs lo_..hi_-1 move to their new slots.
  void Grow() {
    const int32_t capacity = std::max<int32_t>(64, capacity_ * 2);
    std::vector<double> buffer(static_cast<std::size_t>(capacity) * pairs_);
    for (int32_t m = lo_; m < hi_; ++m) {
      std::copy_n(Slot(m), pairs_, &buffer[static_cast<std::size_t>(m & (capacity - 1)) * pairs_]);
    }
    buffer_.swap(buffer);
    capacity_ = capacity;
  }

  void Resync() {
    std::fill(sums_.begin(), sums_.end(), 0.0);
    for (int32_t m = lo_; m <= hi_; ++m) {
      const double* logs = Slot(m);
      for (int p = 0; p < pairs_; ++p) {
        if (logs[p] != kZeroLog) sums_[p] += logs[p];
      }
    }
  }

  const std::vector<CPodaciSNPaZaPorekloOdsecaka>& snps_;
  const int k_;
  const int pairs_;
  const bool sameOnly_;
  std::vector<double> logF_, logG_;
  std::vector<double> sums_;
  std::vector<int32_t> zeros_;
  std::vector<double> weights_;
  std::vector<double> buffer_;
  int32_t capacity_ = 0;
  int32_t lo_ = 0, hi_ = -1;
  int64_t moves_ = 0;
};

}  // namespace

void SnpPairLikelihoods(const CPodaciSNPaZaPorekloOdsecaka& snp, int k, bool sameOnly, double* out) {
  const bool homozygous = snp.sampleAllele1 == snp.sampleAllele2;
  const bool second = homozygous && snp.sampleAllele1 == snp.refAllele2;
  int pair = 0;
  for (int a = 0; a < k; ++a) {
    for (int b = a; b < k; ++b, ++pair) {
      const double fa = snp.frequencies[a], fb = snp.frequencies[b];
      if (a != b && sameOnly) {
        out[pair] = 0.0;
      } else if (homozygous) {
        out[pair] = second ? fa * fb : (1.0 - fa) * (1.0 - fb);
      } else if (a == b) {
        out[pair] = 2.0 * fa * (1.0 - fa);
      } else {
        out[pair] = (1.0 - fa) * fb + (1.0 - fb) * fa;
      }
    }
  }
}

CVerovatnoceSpojevaSkupina& CVerovatnoceSpojevaSkupina::operator*=(const CVerovatnoceSpojevaSkupina& other) {
  for (std::size_t p = 0; p < values_.size(); ++p) values_[p] *= other.values_[p];
  return *this;
}

void CVerovatnoceSpojevaSkupina::MultiplyBySnp(const CPodaciSNPaZaPorekloOdsecaka& snp, bool sameOnly) {
  std::vector<double> likelihoods(values_.size());
  SnpPairLikelihoods(snp, populations_, sameOnly, likelihoods.data());
  for (std::size_t p = 0; p < values_.size(); ++p) values_[p] *= CRazlomljenBroj(likelihoods[p]);
}

std::vector<double> CVerovatnoceSpojevaSkupina::Ancestry() const {
  const int k = populations_;
  CRazlomljenBroj total;
  std::vector<CRazlomljenBroj> shares(k);
  for (int a = 0; a < k; ++a) {
    for (int b = a; b < k; ++b) {
      const CRazlomljenBroj& w = values_[PairIndex(a, b, k)];
      shares[a] += w;
      if (a != b) {
        shares[b] += w;
        total += w + w;
      } else {
        total += w;
      }
    }
  }
  if (total.IsZero()) return {};
  std::vector<double> result(k);
  for (int a = 0; a < k; ++a) result[a] = (shares[a] / total).ToDouble();
  return result;
}

bool IsParCalculatorPath(const std::string& path) {
  if (path.size() < 4) return false;
  std::string extension = path.substr(path.size() - 4);
  for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return extension == ".PAR";
}

std::vector<PaintingWindow> PaintingWindows(const CProracunPoreklaOdsecaka& data, int32_t first, int32_t last) {
  std::vector<PaintingWindow> windows;
  if (last < first) return windows;
  windows.reserve(static_cast<std::size_t>(last - first + 1));
  const std::vector<CPodaciSNPaZaPorekloOdsecaka>& snps = data.snps;
  if (data.windowBySnpCount != 0) {
    const int32_t half = std::max(0, data.halfWindowSnps);
    for (int32_t i = first; i <= last; ++i) {
      windows.push_back({std::max(first, i - half), static_cast<int32_t>(std::min<int64_t>(last, int64_t{i} + half))});
    }
    return windows;
  }
  // Each side reaches the first SNP at or beyond half the length, and keeps
  // at least `minSideSnps` SNPs where the block has them.
  const double half = data.windowLengthCm / 2.0;
  const int32_t minSide = data.minSideSnps;
  int32_t lo = first, hi = first;
  for (int32_t i = first; i <= last; ++i) {
    const double g = snps[i].geneticPosition;
    while (lo < i && !(g - snps[lo + 1].geneticPosition <= half || i - lo <= minSide)) ++lo;
    hi = std::max(hi, i);
    while (hi < last && (snps[hi].geneticPosition - g < half || hi - i < minSide)) ++hi;
    windows.push_back({lo, hi});
  }
  return windows;
}

bool CProracunPoreklaOdsecaka::StepLevellingUp() {
  const int32_t stepped = std::clamp(levellingFactor + kLevellingStep, kLevellingMin, kLevellingMax);
  const bool changed = stepped != levellingFactor;
  levellingFactor = stepped;
  return changed;
}

bool CProracunPoreklaOdsecaka::StepLevellingDown() {
  const int32_t stepped = std::clamp(levellingFactor - kLevellingStep, kLevellingMin, kLevellingMax);
  const bool changed = stepped != levellingFactor;
  levellingFactor = stepped;
  return changed;
}

bool CProracunPoreklaOdsecaka::AssignGeneticPositions(const std::string& mapPath, const AdmixtureRunContext& context) {
  CProracunPoreklaOdsecaka map;
  if (!map.ReadTextCalculator(mapPath, context)) {
    // Without the map the SNPs keep no genetic positions; only a stop
    // fails the load.
    return !context.Stopped();
  }
  const int32_t n = static_cast<int32_t>(snps.size());
  for (int32_t i = 0; i < n; ++i) {
    int32_t at = 0;
    if (FindSnpByName(map.snpIndexByName, map.snps, snps[i].snpName, at)) {
      snps[i].geneticPosition = map.snps[map.snpIndexByName[at]].geneticPosition;
    } else {
      snps[i].geneticPosition = -1.0;
    }
  }
  // SNPs the map lacks are interpolated by physical position between the
  // known ones of their chromosome; at a chromosome's ends they take the
  // nearest known value, on a chromosome with none 0.
  int32_t start = 0;
  while (start < n) {
    int32_t end = start;
    while (end + 1 < n && snps[end + 1].chromosome == snps[start].chromosome) ++end;
    int32_t previous = -1;
    for (int32_t i = start; i <= end + 1; ++i) {
      if (i <= end && snps[i].geneticPosition < 0.0) continue;
      // SNPs previous+1 .. i-1 are unknown; i is known or past the end.
      const bool next = i <= end;
      for (int32_t m = previous + 1 < start ? start : previous + 1; m < i; ++m) {
        double g = 0.0;
        if (previous >= start && next && snps[i].position != snps[previous].position) {
          const double t = (static_cast<double>(snps[m].position) - snps[previous].position) /
                           (static_cast<double>(snps[i].position) - snps[previous].position);
          g = (1.0 - t) * snps[previous].geneticPosition + t * snps[i].geneticPosition;
        } else if (previous >= start) {
          g = snps[previous].geneticPosition;
        } else if (next) {
          g = snps[i].geneticPosition;
        }
        snps[m].geneticPosition = g;
      }
      previous = i;
    }
    start = end + 1;
  }
  return true;
}

void CProracunPoreklaOdsecaka::MarkPaintingBlocks() {
  // Block starts, and the chromosome run of each block.
  std::vector<int32_t> starts, runOf;
  for (std::size_t r = 0; r < chromosomeRuns.size(); ++r) {
    const CPodaciHromozoma& run = chromosomeRuns[r];
    const int64_t count = run.lastSnp - run.firstSnp + 1;
    const int64_t spacing = snps[run.lastSnp].position / count;
    starts.push_back(run.firstSnp);
    runOf.push_back(static_cast<int32_t>(r));
    for (int32_t i = run.firstSnp; i < run.lastSnp; ++i) {
      const int64_t gap = int64_t{snps[i + 1].position} - snps[i].position;
      if (gap > kPaintingBlockGapFactor * spacing) {
        starts.push_back(i + 1);
        runOf.push_back(static_cast<int32_t>(r));
      }
    }
  }
  const int32_t n = static_cast<int32_t>(snps.size());
  const auto size = [&](std::size_t b) { return (b + 1 < starts.size() ? starts[b + 1] : n) - starts[b]; };
  const auto gapBefore = [&](std::size_t b) { return int64_t{snps[starts[b]].position} - snps[starts[b] - 1].position; };
  // Merging a block into the previous one can only make that one the first
  // small block, so the search resumes there.
  std::size_t b = 0;
  while (b < starts.size()) {
    const bool previous = b > 0 && runOf[b - 1] == runOf[b];
    const bool next = b + 1 < starts.size() && runOf[b + 1] == runOf[b];
    if (size(b) > kPaintingSmallBlockSnps || (!previous && !next)) {
      ++b;
      continue;
    }
    std::size_t removed = b;  // the boundary at the start of this block
    if (next && (!previous || gapBefore(b + 1) < gapBefore(b))) removed = b + 1;
    starts.erase(starts.begin() + removed);
    runOf.erase(runOf.begin() + removed);
    b = b > 0 ? b - 1 : 0;
  }
  for (std::size_t block = 0; block < starts.size(); ++block) {
    const int32_t end = block + 1 < starts.size() ? starts[block + 1] : n;
    for (int32_t i = starts[block]; i < end; ++i) snps[i].paintMark = static_cast<int32_t>(block);
  }
}

bool CProracunPoreklaOdsecaka::RunChromosomePainting(const AdmixtureRunContext& context) {
  paintingReady = 0;
  if (!LoadAdmixtureInputs(kLoadForPainting, context)) return false;
  if (IsParCalculatorPath(calculatorPath) && windowBySnpCount == 0 &&
      !AssignGeneticPositions(DataFile(kPaintingGeneticMapFile), context)) {
    lastError = FileMessage(kPaintingGeneticMapFile, 0, AutosomalMessageText(AutosomalMessage::kStopped, context.language),
                            context.language);
    return false;
  }
  return ComputeChromosomePainting(context);
}

bool CProracunPoreklaOdsecaka::ComputeChromosomePainting(const AdmixtureRunContext& context) {
  const int language = context.language;
  const int k = static_cast<int>(populationNames.size());
  paintingReady = 0;
  BuildChromosomeRuns();
  for (CPodaciSNPaZaPorekloOdsecaka& snp : snps) snp.paintValues.clear();
  proportions.assign(k, 0.0);
  const auto refuse = [&](const std::string& line1, const std::string& line2) {
    lastError = line2.empty() ? line1 : line1 + " \r\n" + line2;
    if (context.progress != nullptr) {
      context.progress->SetStatusLine(1, line1);
      context.progress->SetStatusLine(2, line2);
    }
    return false;
  };
  if (chromosomeRuns.empty() || k < 1) {
    return refuse(FileMessage(samplePath, 0, AutosomalMessageText(AutosomalMessage::kNoCommonSnps, language), language),
                  "");
  }
  if (chromosomeNumber > static_cast<int32_t>(chromosomeRuns.size())) {
    return refuse(Format(AutosomalMessageText(AutosomalMessage::kNoSuchChromosome, language), chromosomeNumber,
                         static_cast<int>(chromosomeRuns.size())),
                  "");
  }
  MarkPaintingBlocks();

  // The stretches of SNPs to paint.
  std::vector<PaintingWindow> ranges;
  if (chromosomeNumber <= 0) {
    for (const CPodaciHromozoma& run : chromosomeRuns) ranges.push_back({run.firstSnp, run.lastSnp});
  } else if (segmentOnly == 0) {
    const CPodaciHromozoma& run = chromosomeRuns[chromosomeNumber - 1];
    ranges.push_back({run.firstSnp, run.lastSnp});
  } else {
    FindSegmentRange();
    if (segmentLastSnp - segmentFirstSnp + 1 < kPaintingMinimumWindowSnps) {
      const std::string line1 = TextById(kTextSegmentTooFewSnps, language);
      const std::string line2 =
          Format(TextById(kTextSegmentSnpsAtLeast, language).c_str(), kPaintingMinimumWindowSnps,
                 segmentLastSnp - segmentFirstSnp + 1);
      refuse(line1, line2);
      if (context.showRefusal) context.showRefusal(line1 + " \r\n" + line2);
      return false;
    }
    ranges.push_back({segmentFirstSnp, segmentLastSnp});
  }
  int64_t inUse = 0;
  for (const PaintingWindow& range : ranges) inUse += range.last - range.first + 1;

  SlidingPairSums sums(snps, k, pairsSamePopulationOnly != 0);
  std::vector<double> values(k);
  int64_t done = 0;
  bool stopped = false;
  for (const PaintingWindow& range : ranges) {
    // Windows never leave a block, so each block of the range is a piece
    // of its own.
    for (int32_t a = range.first; a <= range.last && !stopped;) {
      int32_t b = a;
      while (b < range.last && snps[b + 1].paintMark == snps[a].paintMark) ++b;
      const std::vector<PaintingWindow> windows = PaintingWindows(*this, a, b);
      sums.Reset(a);
      for (int32_t i = a; i <= b; ++i, ++done) {
        if (context.Stopped()) {
          stopped = true;
          break;
        }
        if (done % kProgressStep == 0 && context.progress != nullptr) {
          if (done == 0) context.progress->SetStatusLine(1, TextById(kTextCalculation, language));
          context.progress->SetStatusLine(
              2, Format("%s %d %s %d (%.2f%%)", TextById(kTextCalculated, language).c_str(), static_cast<int>(done),
                        TextById(kTextOf, language).c_str(), static_cast<int>(inUse), 100.0 * done / inUse));
        }
        const PaintingWindow& window = windows[i - a];
        sums.MoveTo(window.first, window.last);
        if (sums.Ancestry(values)) snps[i].paintValues = values;
      }
      a = b + 1;
    }
    if (stopped) break;
  }

  int64_t painted = 0;
  for (const CPodaciSNPaZaPorekloOdsecaka& snp : snps) {
    if (snp.paintValues.size() != static_cast<std::size_t>(k)) continue;
    ++painted;
    for (int p = 0; p < k; ++p) proportions[p] += snp.paintValues[p];
  }
  if (painted > 0) {
    for (double& share : proportions) share /= static_cast<double>(painted);
  }
  paintingReady = 1;
  if (context.beep) context.beep();
  return true;
}

}  // namespace varnik
