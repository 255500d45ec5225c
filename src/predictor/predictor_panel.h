// The predictor dialog's value table: one cell per typed value, with bars of
// the chosen branch's value distribution (and its super-group's) and a label.
#pragma once

#include <cstdint>

#include "platform/canvas.h"
#include "predictor/predictor_model.h"
#include "ystr/str_value.h"

namespace varnik {

inline constexpr Color kPanelBackground{192, 192, 192};

// Geometry of the cells for `present` typed values in a panel of `size`;
// `rows` is 0 (or `columnWidth` below 40) when nothing but the background
// is drawn.
struct CRasporedCelija {
  int rows = 0;
  int cellHeight = 12;
  int columnWidth = 0;
  int barArea = 40;
  int fontHeight = 12;
  bool Drawable() const { return rows > 0 && columnWidth >= 40; }
};
CRasporedCelija PanelLayout(int present, Size size);

// Draws the table into `rect` for branch `branch` of `model` (-1: none) and
// the typed `haplotype`.  `knownSnp` picks the super-group as the scoring
// did; `showFractions` adds typed fractions to the labels.
void DrawPredictorPanel(Canvas& canvas, const Rect& rect, const CPredvigjacMuskihLoz2& model, int32_t branch,
                        const Haplotype& haplotype, int32_t knownSnp, bool showFractions);

}  // namespace varnik
