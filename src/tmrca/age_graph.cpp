#include "tmrca/age_graph.h"

#include <algorithm>
#include <vector>

#include "common/format.h"

namespace varnik {
namespace {

constexpr Color kGround{192, 192, 192};
constexpr Color kHighlight{255, 128, 0};
constexpr Color kBar{0, 160, 0};
constexpr Color kBarShadow{0, 96, 0};
constexpr Color kBarLight{0, 255, 0};
// Room left under the plot for the labels' reach above the bars.
constexpr int kLabelRoom = 34;

// Where a generation was drawn: its left edge and its top.
struct Placed {
  int left = 0;
  int top = 0;
};

// Label positions already drawn; a new label may not fall between them or
// within `spacing` of their ends.
class LabelRow {
 public:
  explicit LabelRow(int spacing) : spacing_(spacing) {}
  void Add(int x) { xs_.insert(std::upper_bound(xs_.begin(), xs_.end(), x), x); }
  bool Fits(int x) const { return xs_.empty() || x <= xs_.front() - spacing_ || x >= xs_.back() + spacing_; }

 private:
  int spacing_;
  std::vector<int> xs_;
};

}  // namespace

void DrawAgeGraph(Canvas& canvas, const Rect& rect, const CNizVerovatnoca& distribution, bool cumulative,
                  bool fromFirstGeneration) {
  const int width = rect.width();
  const int height = rect.height();
  const int ox = rect.left, oy = rect.top;
  canvas.SetBrush(kGround);
  canvas.FillRect(rect);

  const std::vector<double>& probability = distribution.probability;
  const std::vector<double>& running = distribution.cumulative;
  const int n = static_cast<int>(std::min(probability.size(), running.size()));
  int first = 0;
  if (!fromFirstGeneration) {
    while (first < n && running[first] < 0.001) ++first;
  }
  int last = n - 1;
  while (last > 0 && running[last] > 0.999) --last;
  if (first > last) return;
  const std::vector<double>& values = cumulative ? running : probability;
  int largestAt = first;
  for (int i = first; i <= last; ++i) {
    if (values[i] > values[largestAt]) largestAt = i;
  }
  const double largest = values[largestAt];
  if (largest < 0.00001) return;

  const int count = last - first + 1;
  const int step = width / count;
  const int gap = step / 3;
  const int barWidth = step - gap;
  const int plotHeight = height - kLabelRoom;
  if (plotHeight < 10) return;
  // An age beyond the computed range has no half point to mark.
  const int highlighted = distribution.beyondRange ? -1 : static_cast<int>(distribution.halfPoint);
  const auto barHeight = [&](double value) { return static_cast<int>(plotHeight * value / largest + 0.5); };

  std::vector<Placed> placed(static_cast<std::size_t>(count));
  if (step < 1) {
    // More generations than pixels: each pixel column shows the mean of the
    // generations that fall on it.
    std::vector<double> sums(static_cast<std::size_t>(width), 0.0);
    std::vector<int> counts(static_cast<std::size_t>(width), 0);
    std::vector<bool> marked(static_cast<std::size_t>(width), false);
    std::vector<int> columnOf(static_cast<std::size_t>(count));
    const double perGeneration = static_cast<double>(width) / count;
    for (int i = first; i <= last; ++i) {
      const int x = std::min(static_cast<int>((i - first) * perGeneration + 0.5), width - 1);
      columnOf[static_cast<std::size_t>(i - first)] = x;
      sums[static_cast<std::size_t>(x)] += values[i];
      ++counts[static_cast<std::size_t>(x)];
      if (i == highlighted) marked[static_cast<std::size_t>(x)] = true;
    }
    std::vector<int> tops(static_cast<std::size_t>(width), height);
    for (int x = 0; x < width; ++x) {
      if (counts[static_cast<std::size_t>(x)] == 0) continue;
      const int h = barHeight(sums[static_cast<std::size_t>(x)] / counts[static_cast<std::size_t>(x)]);
      tops[static_cast<std::size_t>(x)] = height - h;
      canvas.SetPen(marked[static_cast<std::size_t>(x)] ? kHighlight : kBar, 1);
      canvas.Line(ox + x, oy + height - h, ox + x, oy + height);
    }
    for (int i = 0; i < count; ++i) {
      const int x = columnOf[static_cast<std::size_t>(i)];
      placed[static_cast<std::size_t>(i)] = {x, tops[static_cast<std::size_t>(x)]};
    }
  } else {
    int x = (width - step * count) / 2;
    for (int i = first; i <= last; ++i, x += step) {
      const int h = barHeight(values[i]);
      const int top = height - h;
      placed[static_cast<std::size_t>(i - first)] = {x, top};
      canvas.SetBrush(i == highlighted ? kHighlight : kBar);
      canvas.FillRect({ox + x, oy + top, ox + x + barWidth, oy + height});
      if (h < 1) continue;  // no bar to outline
      if (barWidth >= 4) {
        canvas.SetPen(kBarShadow, 1);
        canvas.Line(ox + x + barWidth - 1, oy + top + 1, ox + x + barWidth - 1, oy + height);
        if (h > 2) canvas.Line(ox + x, oy + height - 1, ox + x + barWidth, oy + height - 1);
      }
      if (barWidth >= 5) {
        canvas.SetPen(kBarLight, 1);
        canvas.Line(ox + x, oy + top, ox + x, oy + height);
        if (h > 3) canvas.Line(ox + x, oy + top, ox + x + barWidth, oy + top);
      }
    }
  }

  // Labels run upwards from just above their bar.
  Font font;
  font.face = "Arial";
  font.height = 12;
  font.weight = 700;
  font.escapement = 900;
  canvas.SetFont(font);
  canvas.SetTextColor(kBlack);
  canvas.SetBackground(kWhite, false);
  canvas.SetTextAlign(kAlignLeft | kAlignBottom);
  const int spacing = canvas.GetTextExtent("1234567890,.%").height + 1;
  LabelRow row(spacing);
  const auto clampX = [&](int x) { return std::clamp(x, spacing, std::max(spacing, width - 1)); };
  const auto at = [&](int i) { return placed[static_cast<std::size_t>(i - first)]; };
  const auto label = [&](int i, bool test) {
    const int x = clampX(at(i).left + barWidth / 2 + spacing / 2);
    if (test && !row.Fits(x)) return;
    row.Add(x);
    canvas.TextOut(ox + x, oy + at(i).top - 1, Format("%d", i + 1));
  };
  if (!cumulative) {
    const int x = clampX(at(largestAt).left + barWidth / 2);
    const int y = oy + at(largestAt).top - 1;
    canvas.TextOut(ox + x, y, Format("%d", largestAt + 1));
    canvas.TextOut(ox + x + spacing, y, Format("%.2f%%", probability[largestAt] * 100));
    row.Add(x);
    row.Add(x + spacing);
  }
  if (highlighted >= first && highlighted <= last) label(highlighted, true);
  label(first, true);
  label(last, true);
}

}  // namespace varnik
