#include "predictor/predictor_panel.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/format.h"
#include "predictor/scoring.h"
#include "ystr/markers.h"

namespace varnik {
namespace {

constexpr Color kBranchBars[2] = {{0, 160, 0}, {0, 160, 128}};
constexpr Color kSharedBars[2] = {{128, 192, 255}, {112, 168, 224}};
constexpr Color kBranchRest[2] = {kWhite, {224, 224, 224}};
constexpr Color kBranchRestTyped{0, 255, 0};
constexpr Color kGroupRest[2] = {{64, 128, 255}, {56, 112, 224}};
constexpr Color kGroupRestTyped{224, 96, 0};
constexpr Color kSeparator{128, 128, 128};
constexpr Color kTypedMark{0, 0, 0};
// A probability above this gets a bar of at least one pixel.
constexpr double kVisibleProbability = 0.0101;

// Probabilities of the whole repeat values of one copy, all completeness
// classes pooled; index i is value `first` + i.
struct Distribution {
  int32_t first = 0;
  std::vector<double> p;
  double At(int64_t value) const {
    const int64_t i = value - first;
    return i >= 0 && i < static_cast<int64_t>(p.size()) ? p[static_cast<std::size_t>(i)] : 0.0;
  }
  int32_t Last() const { return first + static_cast<int32_t>(p.size()) - 1; }
};

Distribution ValueDistribution(const COgranakLoze2& branch, int32_t column, int32_t copy, double lnFloor) {
  Distribution d;
  if (column < 0 || static_cast<std::size_t>(column) >= branch.markers.size()) return d;
  const auto& copies = branch.markers[static_cast<std::size_t>(column)].copies;
  if (copy < 0 || static_cast<std::size_t>(copy) >= copies.size()) return d;
  int32_t low = INT32_MAX, high = INT32_MIN;
  for (const auto& c : copies[static_cast<std::size_t>(copy)].classes) {
    if (c.lnP.empty()) continue;
    low = std::min(low, c.firstValue);
    high = std::max(high, c.firstValue + static_cast<int32_t>(c.lnP.size()) - 1);
  }
  if (low > high) return d;
  d.first = low;
  d.p.assign(static_cast<std::size_t>(high - low + 1), 0.0);
  for (const auto& c : copies[static_cast<std::size_t>(copy)].classes) {
    for (std::size_t i = 0; i < c.lnP.size(); ++i) {
      if (c.lnP[i] > lnFloor) d.p[static_cast<std::size_t>(c.firstValue - low) + i] += std::exp(c.lnP[i]);
    }
  }
  return d;
}

double Largest(const Distribution& d) {
  double m = 0.0;
  for (double p : d.p) m = std::max(m, p);
  return m;
}

int BarHeight(double p, double largest, int cellHeight) {
  if (largest <= 0) return 0;
  int h = static_cast<int>(p / largest * cellHeight);
  if (p > kVisibleProbability) h = std::max(h, 1);
  return std::min(h, cellHeight);
}

void Fill(Canvas& canvas, Color color, int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  canvas.SetBrush(color);
  canvas.FillRect({left, top, right, bottom});
}

struct Cell {
  int left, top, width, height;
};

void DrawBars(Canvas& canvas, const Cell& cell, int barArea, const CVrednostSTRa& entry, const Distribution& own,
              const Distribution* group) {
  const int32_t typed = entry.value;
  int32_t low = own.p.empty() ? typed : std::min(own.first, typed);
  int32_t high = own.p.empty() ? typed : std::max(own.Last(), typed);
  if (group != nullptr && !group->p.empty()) {
    low = std::min(low, group->first);
    high = std::max(high, group->Last());
  }
  const int32_t half = std::max(typed - low, high - typed);
  int width = 7, gap = 2;
  if (half > 0) {
    const int pitch = barArea / 2 / half;
    if (pitch >= 7) width = 5, gap = 2;
    else if (pitch == 6) width = 4, gap = 2;
    else if (pitch >= 4) width = 3, gap = 1;
    else if (pitch == 3) width = 3, gap = 0;
    else return;  // the values do not fit beside the typed one
  }
  const double largest = std::max(Largest(own), group != nullptr ? Largest(*group) : 0.0);
  const int centre = cell.left + barArea / 2;
  const int bottom = cell.top + cell.height;
  int typedTop = bottom;
  for (int32_t v = low; v <= high; ++v) {
    const int left = centre + (v - typed) * (width + gap) - width / 2;
    const int hb = BarHeight(own.At(v), largest, cell.height);
    const int parity = v & 1;
    int top = bottom - hb;
    if (group == nullptr) {
      Fill(canvas, kBranchBars[parity], left, top, left + width, bottom);
    } else {
      const int hs = BarHeight(group->At(v), largest, cell.height);
      const int shared = std::min(hb, hs);
      Fill(canvas, kSharedBars[parity], left, bottom - shared, left + width, bottom);
      if (hb > hs) {
        Fill(canvas, v == typed ? kBranchRestTyped : kBranchRest[parity], left, bottom - hb, left + width,
             bottom - shared);
      } else if (hs > hb) {
        Fill(canvas, v == typed ? kGroupRestTyped : kGroupRest[parity], left, bottom - hs, left + width,
             bottom - shared);
      }
      top = bottom - std::max(hb, hs);
    }
    if (v == typed) typedTop = top;
  }
  if (typedTop > cell.top) {
    canvas.SetPen(kTypedMark, 1);
    canvas.Line(centre, typedTop, centre, cell.top);
  }
}

std::string CellLabel(int32_t column, const CVrednostSTRa& entry, bool longHeader, bool showFractions) {
  std::string name(ColumnHeader(column, longHeader));
  if (CopiesInColumn(column) > 1) name += static_cast<char>('a' + std::clamp(entry.copy, 0, 25));
  if (showFractions && entry.fraction != 0) return Format("%s=%d.%d", name.c_str(), entry.value, entry.fraction);
  return Format("%s=%d", name.c_str(), entry.value);
}

}  // namespace

CRasporedCelija PanelLayout(int present, Size size) {
  CRasporedCelija layout;
  if (present <= 0) return layout;
  layout.rows = size.height / 12;
  layout.columnWidth = size.width / 3;
  if (layout.rows == 0) return layout;
  if (present < layout.rows) layout.cellHeight = std::min(size.height / present, 40);
  const bool oneColumn = present <= layout.rows;
  layout.barArea = oneColumn ? 120 : present <= 2 * layout.rows ? 60 : 40;
  layout.fontHeight = oneColumn && layout.cellHeight > 17 ? 16 : 12;
  return layout;
}

void DrawPredictorPanel(Canvas& canvas, const Rect& rect, const CPredvigjacMuskihLoz2& model, int32_t branch,
                        const Haplotype& haplotype, int32_t knownSnp, bool showFractions) {
  canvas.SetBrush(kPanelBackground);
  canvas.FillRect(rect);
  if (branch < 0 || static_cast<std::size_t>(branch) >= model.branches.size()) return;
  const int present = static_cast<int>(
      std::count_if(haplotype.begin(), haplotype.end(), [](const CVrednostSTRa& e) { return e.value >= 0; }));
  const CRasporedCelija layout = PanelLayout(present, {rect.width(), rect.height()});
  if (!layout.Drawable()) return;

  const COgranakLoze2& own = model.branches[static_cast<std::size_t>(branch)];
  const int32_t groupIndex = SuperGroupOf(model, own, knownSnp);
  const COgranakLoze2* group = groupIndex >= 0 ? &model.parentGroups[static_cast<std::size_t>(groupIndex)] : nullptr;
  const bool longHeaders = present <= layout.rows;

  Font font;
  font.face = "Arial";
  font.height = layout.fontHeight;
  font.weight = 700;
  canvas.SetFont(font);
  canvas.SetTextColor(kBlack);
  canvas.SetBackground(kPanelBackground, false);
  canvas.SetTextAlign(kAlignLeft | kAlignBottom);

  int32_t column = -1;
  int k = 0;
  for (const CVrednostSTRa& entry : haplotype) {
    if (entry.copy == 0) ++column;
    if (entry.value < 0) continue;
    const int col = k / layout.rows, row = k % layout.rows;
    ++k;
    if (col >= 3) break;
    const Cell cell{rect.left + col * layout.columnWidth, rect.top + row * layout.cellHeight, layout.columnWidth,
                    layout.cellHeight};
    const Distribution ownValues = ValueDistribution(own, column, entry.copy, model.lnFloor);
    if (group != nullptr) {
      const Distribution groupValues = ValueDistribution(*group, column, entry.copy, model.lnFloor);
      DrawBars(canvas, cell, layout.barArea, entry, ownValues, &groupValues);
    } else {
      DrawBars(canvas, cell, layout.barArea, entry, ownValues, nullptr);
    }
    if (row > 0) {
      canvas.SetPen(kSeparator, 1);
      canvas.Line(cell.left, cell.top, cell.left + cell.width, cell.top);
    }
    canvas.TextOut(cell.left + layout.barArea + 2, cell.top + cell.height,
                   CellLabel(column, entry, longHeaders, showFractions));
  }
}

}  // namespace varnik
