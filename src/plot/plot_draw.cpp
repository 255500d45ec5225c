#include "plot/plot_draw.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/format.h"
#include "plot/plot_markers.h"
#include "plot/plot_state.h"
#include "plot/plot_view.h"
#include "shell/app_state.h"
#include "texts/text_table.h"

namespace varnik {
namespace {

constexpr Color kFrameColour{196, 196, 196};
constexpr Color kGridColour{24, 24, 24};
constexpr Color kGridTextColour{196, 196, 196};
constexpr Color kCaptionColour{255, 255, 0};
constexpr Color kRed{255, 0, 0};

// Truncates toward zero like a conversion to an integer, but saturates, so a
// label far outside a deeply zoomed window still gets a (clipped) position.
int PixelOffset(double value) {
  constexpr double kLimit = 1e9;
  if (std::isnan(value)) return static_cast<int>(kLimit);
  return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

// Screen geometry of one paint.
struct Geometry {
  int width = 0, height = 0;  // client area
  double k = 1;               // pixels per unit on both axes

  int PixelX(double shownX) const { return PixelOffset((shownX - g_plotView.vx0) * k) + 60; }
  int PixelY(double shownY, int base = 50) const {
    return height - (PixelOffset((shownY - g_plotView.vy0) * k) + base);
  }
  Rect Clip() const { return {53, 25, width - 18, height - 43}; }
};

void DrawFrame(Canvas& c, const Geometry& g) {
  c.SetPen(kFrameColour, 1);
  c.MoveTo(52, 24);
  c.LineTo(g.width - 17, 24);
  c.LineTo(g.width - 17, g.height - 42);
  c.LineTo(52, g.height - 42);
  c.LineTo(52, 24);
}

// Grid values from trunc(low / step) - 1 to trunc(high / step) + 1 steps;
// false when the window is too far from zero for the step to be resolved.
bool GridRange(double low, double high, double step, long long& first, long long& last) {
  const double a = low / step, b = high / step;
  if (!std::isfinite(a) || !std::isfinite(b) || std::fabs(a) > 1e15 || std::fabs(b) > 1e15 || b - a > 1e5) {
    return false;
  }
  first = static_cast<long long>(a) - 1;
  last = static_cast<long long>(b) + 1;
  return true;
}

std::string GridLabel(double value) { return TrimNumber(Format("%.10f", value)); }

void DrawGrid(Canvas& c, const Geometry& g) {
  const PlotView& v = g_plotView;
  c.SetPen(kGridColour, 1);
  c.SetTextColor(kGridTextColour);
  c.SetBackground(kBlack, true);
  c.SetFont(Font{"Arial", 12, 400});

  long long first = 0, last = 0;
  const double xStep = NiceStep(v.vx1 - v.vx0, 36);
  if (GridRange(v.vx0, v.vx1, xStep, first, last)) {
    c.SetTextAlign(kAlignCenter | kAlignTop);
    for (long long i = first; i <= last; ++i) {
      const double value = static_cast<double>(i) * xStep;
      if (value < v.vx0 || value > v.vx1 || value < v.x0 || value > v.x1) continue;
      const int px = g.PixelX(value);
      c.Line(px, g.height - 33, px, 24);
      c.TextOut(px, g.height - 33, GridLabel(value));
    }
  }
  const double yStep = NiceStep(v.vy1 - v.vy0, 24);
  if (GridRange(v.vy0, v.vy1, yStep, first, last)) {
    c.SetTextAlign(kAlignRight | kAlignTop);
    for (long long j = first; j <= last; ++j) {
      const double value = static_cast<double>(j) * yStep;
      if (value < v.vy0 || value > v.vy1) continue;
      const int py = g.PixelY(value);
      c.Line(43, py, g.width - 17, py);
      c.TextOut(43, py - 6, GridLabel(value));
    }
  }
}

bool InsideWindow(double sx, double sy) {
  const PlotView& v = g_plotView;
  return sx >= v.vx0 && sx <= v.vx1 && sy >= v.vy0 && sy <= v.vy1;  // false for NaN
}

void ClippedText(Canvas& c, const Geometry& g, int x, int y, std::string_view text) {
  c.SetClipRect(g.Clip());
  c.TextOut(x, y, text);
  c.SetClipRect(std::nullopt);
}

void DrawSamples(Canvas& c, const Geometry& g, std::vector<CUzorak>& samples,
                 const std::vector<CStanovnistvo>& groups) {
  c.SetFont(Font{"Arial", 16, 400});
  c.SetBackground(kBlack, false);
  c.SetTextAlign(kAlignCenter | kAlignTop);
  const bool sampleNames = g_showSampleNames != 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    CUzorak& sample = samples[i];
    if (sample.visible == 0 || IsNeverDrawnGroup(sample.group)) continue;
    if (sample.group < 0 || static_cast<std::size_t>(sample.group) >= groups.size()) continue;
    const double sx = ShownX(sample);
    const double sy = ShownY(sample);
    if (!InsideWindow(sx, sy)) continue;
    const int px = g.PixelX(sx);
    const int py = g.PixelY(sy);
    sample.screenX = px;
    sample.screenY = py;
    sample.drawn = true;

    const CStanovnistvo& group = groups[static_cast<std::size_t>(sample.group)];
    const Color colour = ColorFromValue(group.colour);
    DrawMarker(c, group.markerShape, px, py, sample.group == kRedGroup ? kRed : colour);
    if (sampleNames) {
      c.SetTextColor(colour);
      ClippedText(c, g, px, py, sample.name);
    }
  }
}

// Text in `colour` with a black outline, so it reads on any colour.
void OutlinedText(Canvas& c, int x, int y, std::string_view text, Color colour) {
  c.SetTextColor(kBlack);
  for (const auto& [dx, dy] : {std::pair{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}) {
    c.TextOut(x + dx, y + dy, text);
  }
  c.SetTextColor(colour);
  c.TextOut(x, y, text);
}

// The name of the sample under the mouse, drawn over everything else below
// its marker, moved inside the plot frame where it would cross it.
void DrawNameUnderMouse(Canvas& c, const Geometry& g, const std::vector<CUzorak>& samples,
                        const std::vector<CStanovnistvo>& groups) {
  if (g_showNameUnderMouse == 0 || g_hoverIndex < 0 || static_cast<std::size_t>(g_hoverIndex) >= samples.size()) {
    return;
  }
  const CUzorak& sample = samples[static_cast<std::size_t>(g_hoverIndex)];
  if (!sample.drawn || sample.group < 0 || static_cast<std::size_t>(sample.group) >= groups.size()) return;
  const std::string_view name = NameUnderMouse(sample);
  c.SetFont(Font{"Arial", 16, 400});
  c.SetBackground(kBlack, false);
  c.SetTextAlign(kAlignLeft | kAlignTop);
  const Size extent = c.GetTextExtent(name);
  const Rect inside = g.Clip();
  const int x = std::max(inside.left + 1, std::min(sample.screenX - extent.width / 2, inside.right - 1 - extent.width));
  const int y = std::max(inside.top + 1, std::min(sample.screenY + 10, inside.bottom - 1 - extent.height));
  // The group's own colour, also for the group whose markers are red.
  const Color colour = ColorFromValue(groups[static_cast<std::size_t>(sample.group)].colour);
  c.SetClipRect(inside);
  OutlinedText(c, x, y, name, colour);
  c.SetClipRect(std::nullopt);
}

void DrawPopulationLabels(Canvas& c, const Geometry& g, const std::vector<CUzorak>& samples,
                          const std::vector<CStanovnistvo>& groups) {
  // Every visible sample counts, also those outside the view window, except
  // "SERB06", which is drawn like any other but does not move its label.
  const std::size_t groupCount = std::min<std::size_t>(groups.size(), kLabelledGroupLimit);
  std::vector<std::vector<double>> xs(groupCount), ys(groupCount);
  for (const CUzorak& sample : samples) {
    if (sample.visible == 0 || sample.group < 0 || static_cast<std::size_t>(sample.group) >= groupCount) continue;
    if (sample.name == "SERB06") continue;
    xs[static_cast<std::size_t>(sample.group)].push_back(ShownX(sample));
    ys[static_cast<std::size_t>(sample.group)].push_back(ShownY(sample));
  }

  c.SetFont(Font{"Arial", 16, 600});
  c.SetBackground(kBlack, false);
  c.SetTextAlign(kAlignCenter | kAlignTop);
  c.SetClipRect(g.Clip());
  for (std::size_t gi = 0; gi < groupCount; ++gi) {
    const int32_t index = static_cast<int32_t>(gi);
    if (xs[gi].empty() || IsNeverDrawnGroup(index) || index == kUnlabelledGroup) continue;
    const std::string& text = Texts().TranslateSerbianName(groups[gi].name);
    const int lx = g.PixelX(MedianOf(xs[gi]));
    const int ly = g.PixelY(MedianOf(ys[gi]), 48);
    c.SetTextColor(kBlack);
    c.TextOut(lx + 2, ly - 2, text);
    c.TextOut(lx + 2, ly + 2, text);
    c.TextOut(lx - 2, ly - 2, text);
    c.TextOut(lx - 2, ly + 2, text);
    c.SetTextColor(index == kRedGroup ? kRed : ColorFromValue(groups[gi].colour));
    c.TextOut(lx, ly, text);
  }
  c.SetClipRect(std::nullopt);
}

double WeightOf(int axis) {
  if (axis < 0 || static_cast<std::size_t>(axis) >= g_axisWeights.size()) return 0.0;
  return g_axisWeights[static_cast<std::size_t>(axis)];
}

void DrawCaption(Canvas& c) {
  c.SetFont(Font{"Arial", 16, 400});
  c.SetTextColor(kCaptionColour);
  c.SetBackground(kBlack, true);
  c.SetTextAlign(kAlignLeft | kAlignTop);
  c.TextOut(5, 2,
            Format("%s %d/%d %s %d %s %.3f%% / %.3f%%", TextById(kTextPlotAxes).c_str(), g_axisX + 1, g_axisY + 1,
                   TextById(kTextOf).c_str(), static_cast<int>(g_axisWeights.size()),
                   TextById(kTextPlotSquareParticipation).c_str(), 100.0 * WeightOf(g_axisX),
                   100.0 * WeightOf(g_axisY)));
}

}  // namespace

void DrawPlot(std::vector<CUzorak>& samples, const std::vector<CStanovnistvo>& groups, Canvas& canvas) {
  for (CUzorak& sample : samples) sample.drawn = false;
  if (g_axisWeights.empty()) return;
  const Size size = canvas.GetSize();
  const int plotWidth = size.width - kPlotMarginWidth;
  const int plotHeight = size.height - kPlotMarginHeight;
  if (plotWidth <= 0 || plotHeight <= 0) return;
  if (plotWidth != g_plotView.rememberedWidth || plotHeight != g_plotView.rememberedHeight) {
    ComputeViewWindow(samples, plotWidth, plotHeight);
  }
  Geometry g{size.width, size.height, CommonScale(plotWidth, plotHeight)};
  DrawFrame(canvas, g);
  DrawGrid(canvas, g);
  DrawSamples(canvas, g, samples, groups);
  if (g_showPopulationNames != 0) DrawPopulationLabels(canvas, g, samples, groups);
  DrawNameUnderMouse(canvas, g, samples, groups);
  DrawCaption(canvas);
}

double NiceStep(double range, int wanted) {
  if (!(range >= 0.0001)) return 0.00001;
  double scale = 1;
  while (range <= 1) {
    range *= 10;
    scale *= 10;
  }
  double chosen = 0;
  double chosenMiss = 0;
  bool any = false;
  for (double p = 1; p * 0.1 < range; p *= 10) {
    for (double factor : {0.1, 0.2, 0.25, 0.5}) {
      const double step = p * factor;
      if (step > range) continue;
      const double miss = std::fabs(std::ceil(range / step) + 1 - wanted);
      if (!any || miss < chosenMiss) {
        chosen = step;
        chosenMiss = miss;
        any = true;
      }
    }
  }
  return chosen / scale;
}

std::string TrimNumber(std::string text) {
  if (text.find('.') == std::string::npos) return text;
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

double MedianOf(std::vector<double>& values) {
  const auto kept = std::remove_if(values.begin(), values.end(),
                                   [](double v) { return std::isnan(v) || v == 1e-10; });
  values.erase(kept, values.end());
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 0 ? (values[n / 2 - 1] + values[n / 2]) / 2.0 : values[n / 2];
}

std::string_view NameUnderMouse(const CUzorak& sample) {
  if (sample.name == "TURKISH10") return "Anon";
  return sample.name;
}

}  // namespace varnik
