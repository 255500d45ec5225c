#include "autosomal/comparison_draw.h"

#include <algorithm>
#include <cmath>

#include "common/format.h"

namespace varnik {

namespace {

constexpr int kLeftMargin = 40;
constexpr int kTopMargin = 25;
constexpr int kBandGap = 6;
constexpr int kOneChromosomeMaxBand = 80;
constexpr Color kNotComparedColour{64, 64, 64};
constexpr Color kUncomparableColour{128, 128, 160};

// A column's mark: the row of a run (0 strongest), or one of the negative
// marks.  A run beats a too short run, which beats a break, which beats
// nothing compared.
int Strength(int mark) {
  if (mark >= 0) return 100 - mark;
  if (mark == CPoregjenjeUzoraka::kTooShort || mark == CPoregjenjeUzoraka::kBuilding) return 3;
  return mark == CPoregjenjeUzoraka::kBreaksRun ? 2 : 1;
}

void RebuildColumns(const CPoregjenjeUzoraka& comparison, int width, int height, int columns) {
  CPoregjenjeUzoraka::ColumnCache& cache = comparison.drawCache;
  cache = CPoregjenjeUzoraka::ColumnCache();
  cache.width = width;
  cache.height = height;
  // The bands: every chromosome of the compared samples, each spanning the
  // positions any of them has on it.
  struct Extent {
    int32_t chromosome, low, high;
  };
  std::vector<Extent> extents;
  for (const auto& result : comparison.results) {
    const CUzorakZaPoregjenje& sample = comparison.samples[result.sampleA];
    for (const ChromosomeSpan& span : sample.chromosomes) {
      if (span.snpCount == 0) continue;
      const int32_t low = sample.snps[span.firstSnp].position;
      const int32_t high = sample.snps[span.firstSnp + span.snpCount - 1].position;
      auto it = std::find_if(extents.begin(), extents.end(), [&](const Extent& e) { return e.chromosome == span.chromosome; });
      if (it == extents.end()) {
        extents.push_back({span.chromosome, low, high});
      } else {
        it->low = std::min(it->low, low);
        it->high = std::max(it->high, high);
      }
    }
  }
  std::sort(extents.begin(), extents.end(), [](const Extent& a, const Extent& b) { return a.chromosome < b.chromosome; });
  for (const Extent& e : extents) cache.chromosomes.push_back(e.chromosome);
  const std::size_t bands = extents.size();
  cache.marks.assign(comparison.results.size() * bands * columns * 2, static_cast<int8_t>(CPoregjenjeUzoraka::kNotCompared));
  for (std::size_t j = 0; j < comparison.results.size(); ++j) {
    const auto& result = comparison.results[j];
    const CUzorakZaPoregjenje& sample = comparison.samples[result.sampleA];
    for (const ChromosomeSpan& span : sample.chromosomes) {
      const std::size_t band = static_cast<std::size_t>(
          std::find_if(extents.begin(), extents.end(), [&](const Extent& e) { return e.chromosome == span.chromosome; }) -
          extents.begin());
      const Extent& extent = extents[band];
      const int64_t spanBp = static_cast<int64_t>(extent.high) - extent.low + 1;
      for (int32_t i = span.firstSnp; i < span.firstSnp + span.snpCount; ++i) {
        const int64_t column = (static_cast<int64_t>(sample.snps[i].position) - extent.low) * columns / spanBp;
        for (int t = 0; t < 2; ++t) {
          if (result.marks[t].empty()) continue;
          int mark = result.marks[t][i];
          if (mark >= 0) mark = result.runs[t][mark].row;
          int8_t& cell = cache.marks[((j * bands + band) * columns + column) * 2 + t];
          if (Strength(mark) > Strength(cell)) cell = static_cast<int8_t>(mark);
        }
      }
    }
  }
}

}  // namespace

Color WithLightness(Color color, double lightness) {
  const double r = color.r / 255.0, g = color.g / 255.0, b = color.b / 255.0;
  const double high = std::max({r, g, b}), low = std::min({r, g, b});
  const double oldLightness = (high + low) / 2.0;
  double hue = 0.0, saturation = 0.0;
  if (high > low) {
    const double delta = high - low;
    saturation = oldLightness > 0.5 ? delta / (2.0 - high - low) : delta / (high + low);
    if (high == r) hue = (g - b) / delta + (g < b ? 6.0 : 0.0);
    else if (high == g) hue = (b - r) / delta + 2.0;
    else hue = (r - g) / delta + 4.0;
    hue /= 6.0;
  }
  const double l = std::clamp(lightness, 0.0, 1.0);
  const double q = l < 0.5 ? l * (1.0 + saturation) : l + saturation - l * saturation;
  const double p = 2.0 * l - q;
  const auto channel = [p, q](double t) {
    if (t < 0.0) t += 1.0;
    if (t > 1.0) t -= 1.0;
    double value = p;
    if (t < 1.0 / 6.0) value = p + (q - p) * 6.0 * t;
    else if (t < 0.5) value = q;
    else if (t < 2.0 / 3.0) value = p + (q - p) * (2.0 / 3.0 - t) * 6.0;
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
  };
  return {channel(hue + 1.0 / 3.0), channel(hue), channel(hue - 1.0 / 3.0)};
}

Color ComparisonResultColour(int index) {
  static constexpr Color kBase[6] = {{0, 255, 0}, {0, 0, 255}, {255, 128, 0}, {255, 255, 0}, {255, 0, 0}, {0, 255, 255}};
  return kBase[index % 6];
}

void DrawGenomeComparison(Canvas& canvas, const CPoregjenjeUzoraka& comparison) {
  if (comparison.results.empty()) return;
  const Size size = canvas.GetSize();
  const int columns = size.width - 65, height = size.height - 50;
  if (columns <= 0 || height <= 0) return;
  if (comparison.drawCache.width != size.width || comparison.drawCache.height != size.height) {
    RebuildColumns(comparison, size.width, size.height, columns);
  }
  const CPoregjenjeUzoraka::ColumnCache& cache = comparison.drawCache;
  const int bands = static_cast<int>(cache.chromosomes.size());
  if (bands == 0) return;
  const int band = comparison.resultOneChromosome ? std::min(height, kOneChromosomeMaxBand)
                                                  : (height - kBandGap * (bands - 1)) / bands;
  const int results = static_cast<int>(comparison.results.size());
  const bool twoTracks = comparison.resultMode == CPoregjenjeUzoraka::kModeComparison;
  int row = (band - (results - 1)) / results;
  if (twoTracks) row -= row % 2;
  if (row < (twoTracks ? 2 : 1)) return;
  const int trackHeight = twoTracks ? row / 2 : row;
  const int rows = static_cast<int>(comparison.resultTable.size());

  for (int j = 0; j < results; ++j) {
    const Color base = ComparisonResultColour(j);
    const auto colourOf = [&](int mark) {
      if (mark == 0) return base;
      if (mark > 0) return WithLightness(base, 0.4 + 0.6 * (rows + 1 - mark) / (rows + 1));
      if (mark == CPoregjenjeUzoraka::kTooShort) {
        return comparison.markTooShort != 0 ? WithLightness(base, 0.4 + 0.6 / (rows + 1)) : kWhite;
      }
      if (mark == CPoregjenjeUzoraka::kBreaksRun && comparison.markUncomparable != 0) return kUncomparableColour;
      return kNotComparedColour;
    };
    for (int c = 0; c < bands; ++c) {
      const int bandTop = kTopMargin + c * (band + kBandGap);
      const int rowTop = bandTop + j * (row + 1);
      for (int t = 0; t < (twoTracks ? 2 : 1); ++t) {
        const int top = rowTop + t * trackHeight;
        int lastMark = 1000;
        for (int x = 0; x < columns; ++x) {
          const int mark = cache.marks[((static_cast<std::size_t>(j) * bands + c) * columns + x) * 2 + t];
          if (mark != lastMark) {
            canvas.SetPen(colourOf(mark), 1);
            lastMark = mark;
          }
          canvas.Line(kLeftMargin + x, top, kLeftMargin + x, top + trackHeight);
        }
      }
      if (j == 0) {
        canvas.SetFont(Font{"Arial", 16, 700});
        canvas.SetTextColor(kWhite);
        canvas.SetBackground(kBlack, false);
        canvas.SetTextAlign(kAlignLeft | kAlignTop);
        canvas.TextOut(10, bandTop + band / 4, Format("%d", cache.chromosomes[c]));
      }
    }
  }
}

}  // namespace varnik
