// The painting in the main window: one horizontal bar per chromosome run on
// a shared base-pair scale (or one enlarged bar of the chosen base-pair
// window), each pixel column split among the populations by the local
// ancestry of its SNPs; the legend of overall shares and the title.
//
// The levelled drawing smooths the values over ±`levellingFactor` SNPs and
// gives every column one population or one mixed pair, drawn as halves.
#include <algorithm>
#include <cmath>

#include "autosomal/painting.h"
#include "common/format.h"
#include "texts/text_table.h"

namespace varnik {

namespace {

constexpr int kLeft = 40;
constexpr int kTop = 25;
constexpr int kBarGap = 6;
constexpr int kTickStep = 10000000;
constexpr int kMinZoomedBasePairs = 100;
constexpr Color kBarColour{96, 96, 96};
constexpr Color kTickColour{128, 128, 128};
constexpr Color kFifthTickColour{192, 192, 192};
constexpr Color kFrameColour{128, 128, 128};
// A mixed column's lower half: the population colour at this share.
constexpr int kShadeNumerator = 3, kShadeDenominator = 4;

Color PopulationColour(const CProracunPoreklaOdsecaka& data, int p, bool shaded = false) {
  const uint32_t ref = p < static_cast<int>(data.populationColours.size()) ? data.populationColours[p]
                                                                           : ProgressPopulationPalette(p);
  Color c{static_cast<uint8_t>(ref & 0xFF), static_cast<uint8_t>((ref >> 8) & 0xFF),
          static_cast<uint8_t>((ref >> 16) & 0xFF)};
  if (shaded) {
    c = {static_cast<uint8_t>(c.r * kShadeNumerator / kShadeDenominator),
         static_cast<uint8_t>(c.g * kShadeNumerator / kShadeDenominator),
         static_cast<uint8_t>(c.b * kShadeNumerator / kShadeDenominator)};
  }
  return c;
}

Font ArialFont(int height, int weight) {
  Font font;
  font.face = "Arial";
  font.height = height;
  font.weight = weight;
  return font;
}

// "12,345,678".
std::string Grouped(int32_t value) {
  const std::string digits = Format("%lld", static_cast<long long>(value < 0 ? -int64_t{value} : value));
  std::string text = value < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

// A tick label: "25M", "250K" or "1234".
std::string TickLabel(int64_t position) {
  std::string text = Format("%lld", static_cast<long long>(position));
  const auto replaceEnd = [&](const std::string& zeros, const char* unit) {
    if (text.size() <= zeros.size() || text.compare(text.size() - zeros.size(), zeros.size(), zeros) != 0) return false;
    text = text.substr(0, text.size() - zeros.size()) + unit;
    return true;
  };
  if (!replaceEnd("000000", "M")) replaceEnd("000", "K");
  return text;
}

// About a sixteenth of `length`, rounded down to 1, 2 or 5 times a power of 10.
int64_t ZoomedTickStep(int64_t length) {
  const double raw = std::max(1.0, length / 16.0);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  const double mantissa = raw / power;
  const double rounded = mantissa >= 5 ? 5 : mantissa >= 2 ? 2 : 1;
  return std::max<int64_t>(1, static_cast<int64_t>(rounded * power));
}

// One column's assignment in the levelled drawing.
struct Assignment {
  int first = -1;   // -1: none
  int second = -1;  // == first for one population
  friend bool operator==(const Assignment&, const Assignment&) = default;
};

// One bar: the SNPs it shows and how positions map to pixels.
struct Bar {
  int32_t firstSnp = 0, lastSnp = 0;
  int top = 0, height = 0;
  int64_t origin = 0;
  double scale = 1.0;
};

class PaintingPainter {
 public:
  PaintingPainter(const CProracunPoreklaOdsecaka& data, Canvas& canvas) : d_(data), c_(canvas) {}

  void Draw();

 private:
  void DrawBar(const Bar& bar, int runNumber, bool zoomed);
  void DrawTicks(const Bar& bar, int64_t length, bool zoomed);
  void DrawShareColumn(const Bar& bar, int column, const std::vector<double>& sums);
  void DrawLevelledColumn(const Bar& bar, int column, Assignment assignment, bool complete);
  void AssignLevelled();
  void DrawLegend(int x, int y);
  void DrawShareChart(int x, int top, int bottom);
  std::string Title() const;
  int64_t SnpsInUse() const;

  const CProracunPoreklaOdsecaka& d_;
  Canvas& c_;
  int k_ = 0;
  std::vector<Assignment> levelled_;  // per SNP, when levelling
  Assignment previous_;               // the last levelled column drawn, halves in drawing order
};

void PaintingPainter::Draw() {
  const Size size = c_.GetSize();
  const int width = size.width - 65, height = size.height - 50;
  k_ = static_cast<int>(d_.populationNames.size());
  const int runs = static_cast<int>(d_.chromosomeRuns.size());
  if (width <= 0 || height <= 0 || runs == 0 || k_ == 0) return;
  if (d_.drawLevelled != 0) AssignLevelled();

  const int32_t n = static_cast<int32_t>(d_.snps.size());
  const bool zoomed = d_.drawZoomed != 0 && d_.segmentOnly != 0 && d_.chromosomeNumber > 0 &&
                      d_.chromosomeNumber <= runs && d_.segmentFirstSnp >= 0 && d_.segmentLastSnp < n &&
                      d_.segmentFirstSnp <= d_.segmentLastSnp;
  c_.SetBackground(kBlack, false);
  c_.SetFont(ArialFont(16, 400));
  c_.SetTextColor(kWhite);
  c_.SetTextAlign(kAlignLeft | kAlignTop);
  c_.TextOut(kLeft, 5, Title());

  if (zoomed) {
    Bar bar{d_.segmentFirstSnp, d_.segmentLastSnp, kTop, height / 5, d_.snps[d_.segmentFirstSnp].position, 1.0};
    const int64_t length = int64_t{d_.snps[bar.lastSnp].position} - bar.origin;
    if (length < kMinZoomedBasePairs || bar.height < 2) return;
    bar.scale = static_cast<double>(width) / static_cast<double>(length);
    DrawBar(bar, d_.chromosomeNumber, true);
    DrawLegend(kLeft, kTop + bar.height + 40);
    return;
  }

  const int barHeight = (height - kBarGap * (runs - 1)) / runs;
  if (barHeight < 2) return;
  int32_t longest = 0;
  for (const auto& run : d_.chromosomeRuns) longest = std::max(longest, d_.snps[run.lastSnp].position);
  if (longest <= 0) return;
  const double scale = static_cast<double>(width) / longest;
  std::vector<int> barEnds(runs);
  for (int r = 0; r < runs; ++r) {
    const auto& run = d_.chromosomeRuns[r];
    const Bar bar{run.firstSnp, run.lastSnp, kTop + r * (barHeight + kBarGap), barHeight, 0, scale};
    DrawBar(bar, r + 1, false);
    barEnds[r] = kLeft + static_cast<int>(scale * d_.snps[run.lastSnp].position);
  }
  const int legendRun = std::min(runs, 9) - 1;
  DrawLegend(barEnds[legendRun] + 50, kTop + legendRun * (barHeight + kBarGap));
  if (runs >= 22) {
    const int x = *std::max_element(barEnds.begin() + 18, barEnds.begin() + 22) + 50;
    DrawShareChart(x, kTop + 18 * (barHeight + kBarGap), kTop + 21 * (barHeight + kBarGap) + barHeight);
  }
}

void PaintingPainter::DrawBar(const Bar& bar, int runNumber, bool zoomed) {
  const int64_t length = int64_t{d_.snps[bar.lastSnp].position} - bar.origin;
  c_.SetNullPen();
  c_.SetBrush(kBarColour);
  c_.FillRect({kLeft, bar.top, kLeft + static_cast<int>(bar.scale * length), bar.top + bar.height});
  DrawTicks(bar, length, zoomed);

  // Columns: the SNPs whose scaled position falls in each.
  std::vector<double> sums(k_);
  int column = -1;
  bool any = false;
  std::vector<int> counts;  // levelled: how often each assignment occurs
  std::vector<Assignment> seen;
  int withAssignment = 0, inColumn = 0;
  const auto flush = [&] {
    if (column < 0) return;
    if (d_.drawLevelled != 0) {
      if (withAssignment > 0) {
        const std::size_t best = std::max_element(counts.begin(), counts.end()) - counts.begin();
        DrawLevelledColumn(bar, column, seen[best], withAssignment == inColumn);
      }
    } else if (any) {
      DrawShareColumn(bar, column, sums);
    }
    std::fill(sums.begin(), sums.end(), 0.0);
    any = false;
    counts.clear();
    seen.clear();
    withAssignment = inColumn = 0;
  };
  previous_ = {};
  for (int32_t i = bar.firstSnp; i <= bar.lastSnp; ++i) {
    const int at = static_cast<int>((int64_t{d_.snps[i].position} - bar.origin) * bar.scale);
    if (at != column) {
      flush();
      column = at;
    }
    if (d_.drawLevelled != 0) {
      ++inColumn;
      const Assignment a = levelled_[i];
      if (a.first < 0) continue;
      ++withAssignment;
      const auto found = std::find(seen.begin(), seen.end(), a);
      if (found == seen.end()) {
        seen.push_back(a);
        counts.push_back(1);
      } else {
        ++counts[found - seen.begin()];
      }
    } else if (d_.snps[i].paintValues.size() == static_cast<std::size_t>(k_)) {
      any = true;
      for (int p = 0; p < k_; ++p) sums[p] += d_.snps[i].paintValues[p];
    }
  }
  flush();

  c_.SetFont(ArialFont(16, 700));
  c_.SetTextColor(kWhite);
  c_.SetBackground(kBlack, false);
  c_.SetTextAlign(kAlignLeft | kAlignTop);
  c_.TextOut(10, bar.top + bar.height / 4, Format("%d", runNumber));
}

void PaintingPainter::DrawTicks(const Bar& bar, int64_t length, bool zoomed) {
  const int64_t step = zoomed ? ZoomedTickStep(length) : kTickStep;
  const int bottom = bar.top + bar.height;
  const int64_t firstTick = (bar.origin + step - 1) / step;
  for (int64_t t = firstTick; t * step <= bar.origin + length; ++t) {
    const int x = kLeft + static_cast<int>((t * step - bar.origin) * bar.scale);
    c_.SetPen(t % 5 == 0 ? kFifthTickColour : kTickColour, 2);
    c_.Line(x, bottom, x, bottom + 3);
    if (zoomed) {
      c_.SetFont(ArialFont(16, 700));
      c_.SetTextColor(kWhite);
      c_.SetBackground(kBlack, false);
      c_.SetTextAlign(kAlignCenter | kAlignTop);
      c_.TextOut(x, bottom + 4, TickLabel(t * step));
    }
  }
}

void PaintingPainter::DrawShareColumn(const Bar& bar, int column, const std::vector<double>& sums) {
  double total = 0.0;
  for (const double s : sums) total += s;
  if (!(total > 0.0)) return;
  std::vector<int> heights(k_);
  int used = 0, largest = 0;
  for (int p = 0; p < k_; ++p) {
    heights[p] = static_cast<int>(bar.height * sums[p] / total + 0.5);
    used += heights[p];
    if (sums[p] > sums[largest]) largest = p;
  }
  heights[largest] = std::max(0, heights[largest] + bar.height - used);
  int y = bar.top;
  const int x = kLeft + column;
  c_.SetNullPen();
  for (int p = 0; p < k_ && y < bar.top + bar.height; ++p) {
    if (heights[p] == 0) continue;
    const int end = std::min(bar.top + bar.height, y + heights[p]);
    c_.SetBrush(PopulationColour(d_, p));
    c_.FillRect({x, y, x + 1, end});
    y = end;
  }
}

void PaintingPainter::DrawLevelledColumn(const Bar& bar, int column, Assignment assignment, bool complete) {
  const int x = kLeft + column;
  c_.SetNullPen();
  if (!complete) {
    c_.SetBrush(kWhite);
    c_.FillRect({x, bar.top, x + 1, bar.top + bar.height});
    return;
  }
  // Keep a population the last column shares with this one on its side.
  if (assignment.first != assignment.second &&
      (previous_.first == assignment.second || previous_.second == assignment.first)) {
    std::swap(assignment.first, assignment.second);
  }
  previous_ = assignment;
  const int middle = bar.top + bar.height / 2;
  const bool mixed = assignment.first != assignment.second;
  c_.SetBrush(PopulationColour(d_, assignment.first));
  c_.FillRect({x, bar.top, x + 1, mixed ? middle : bar.top + bar.height});
  if (mixed) {
    c_.SetBrush(PopulationColour(d_, assignment.second, true));
    c_.FillRect({x, middle, x + 1, bar.top + bar.height});
  }
}

void PaintingPainter::AssignLevelled() {
  const int32_t n = static_cast<int32_t>(d_.snps.size());
  levelled_.assign(n, Assignment{});
  const int32_t half = d_.levellingFactor;
  std::vector<double> sums(k_);
  const auto has = [&](int32_t i) { return d_.snps[i].paintValues.size() == static_cast<std::size_t>(k_); };
  const auto add = [&](int32_t i, double sign) {
    if (!has(i)) return;
    for (int p = 0; p < k_; ++p) sums[p] += sign * d_.snps[i].paintValues[p];
  };
  for (int32_t start = 0; start < n;) {
    int32_t end = start;
    while (end + 1 < n && d_.snps[end + 1].paintMark == d_.snps[start].paintMark &&
           d_.snps[end + 1].chromosome == d_.snps[start].chromosome) {
      ++end;
    }
    std::fill(sums.begin(), sums.end(), 0.0);
    int32_t lo = start, hi = start - 1;
    for (int32_t i = start; i <= end; ++i) {
      const int32_t wantHi = std::min<int64_t>(end, int64_t{i} + half);
      const int32_t wantLo = std::max<int64_t>(start, int64_t{i} - half);
      while (hi < wantHi) add(++hi, 1.0);
      while (lo < wantLo) add(lo++, -1.0);
      if (!has(i)) continue;
      int best = 0;
      for (int p = 1; p < k_; ++p) {
        if (sums[p] > sums[best]) best = p;
      }
      int second = best == 0 ? 1 : 0;
      for (int p = 0; p < k_; ++p) {
        if (p != best && sums[p] > sums[second]) second = p;
      }
      if (k_ > 1 && sums[second] > 0.25 * (sums[second] + sums[best])) {
        levelled_[i] = {std::min(best, second), std::max(best, second)};
      } else {
        levelled_[i] = {best, best};
      }
    }
    start = end + 1;
  }
}

void PaintingPainter::DrawLegend(int x, int y) {
  const std::vector<int> order = SortedOrder(d_.proportions);
  c_.SetFont(ArialFont(32, 400));
  c_.SetTextColor(kWhite);
  c_.SetBackground(kBlack, false);
  c_.SetTextAlign(kAlignLeft | kAlignTop);
  for (const int p : order) {
    if (p >= k_) continue;
    c_.SetPen(kFrameColour, 1);
    c_.SetBrush(PopulationColour(d_, p));
    c_.Rectangle({x, y, x + 50, y + 30});
    const std::string name = Texts().TranslateEnglishName(d_.populationNames[p], 1);
    c_.TextOut(x + 70, y, Format("%s (%.2f%%)", name.c_str(), 100.0 * d_.proportions[p]));
    y += 46;
  }
}

void PaintingPainter::DrawShareChart(int x, int top, int bottom) {
  const int available = c_.GetSize().width - 10 - x;
  if (available < 10 * k_ || bottom - top < 10) return;
  const int gap = std::min(10, (available - 10 * k_) / std::max(1, k_));
  const std::vector<int> order = SortedOrder(d_.proportions);
  c_.SetNullPen();
  for (const int p : order) {
    if (p >= k_) continue;
    const int h = static_cast<int>((bottom - top) * std::clamp(d_.proportions[p], 0.0, 1.0) + 0.5);
    c_.SetBrush(PopulationColour(d_, p));
    if (h > 0) c_.FillRect({x, bottom - h, x + 10, bottom});
    x += 10 + gap;
  }
}

int64_t PaintingPainter::SnpsInUse() const {
  const int runs = static_cast<int>(d_.chromosomeRuns.size());
  if (d_.chromosomeNumber <= 0 || d_.chromosomeNumber > runs) return static_cast<int64_t>(d_.snps.size());
  if (d_.segmentOnly != 0) return d_.segmentLastSnp - d_.segmentFirstSnp + 1;
  const auto& run = d_.chromosomeRuns[d_.chromosomeNumber - 1];
  return run.lastSnp - run.firstSnp + 1;
}

std::string PaintingPainter::Title() const {
  const int inUse = static_cast<int>(SnpsInUse());
  const std::string& snpsText = TextById(kTextSnps);
  std::string title =
      d_.windowBySnpCount != 0
          ? Format("%s = %d , %d %s", TextById(kTextHalfWindowN).c_str(), d_.halfWindowSnps, inUse, snpsText.c_str())
          : Format("%s = %.2f , %d %s", TextById(kTextSegmentLengthCm).c_str(), d_.windowLengthCm, inUse,
                   snpsText.c_str());
  if (d_.chromosomeNumber > 0) {
    title += Format(",  %s: %d", TextById(kTextChromosome).c_str(), d_.chromosomeNumber);
    if (d_.segmentOnly != 0) {
      title += Format(" (%s - %s)", Grouped(d_.segmentStart).c_str(), Grouped(d_.segmentEnd).c_str());
    }
  }
  if (!d_.calculatorDisplayName.empty()) title = Format("%s , %s", d_.calculatorDisplayName.c_str(), title.c_str());
  const std::size_t slash = d_.samplePath.find_last_of("/\\");
  const std::string fileName = slash == std::string::npos ? d_.samplePath : d_.samplePath.substr(slash + 1);
  if (!fileName.empty()) title = Format("\"%s\",       %s", fileName.c_str(), title.c_str());
  if (d_.drawLevelled != 0) title += Format(",  %s = %d", TextById(kTextLevellingFactor).c_str(), d_.levellingFactor);
  return title;
}

}  // namespace

void CProracunPoreklaOdsecaka::DrawChromosomePainting(Canvas& canvas) const {
  if (paintingReady != 1) return;
  PaintingPainter(*this, canvas).Draw();
}

}  // namespace varnik
