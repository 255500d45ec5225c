// The genome comparison's view in the main window: one band per chromosome,
// in it one row per result, each pixel column coloured by the strongest
// mark of the SNPs that fall into it.
#pragma once

#include "autosomal/genome_comparison.h"
#include "platform/canvas.h"
#include "shell/views.h"

namespace varnik {

// Draws nothing without results or when the rows do not fit.
void DrawGenomeComparison(Canvas& canvas, const CPoregjenjeUzoraka& comparison);

// `color` with its lightness (hue-lightness-saturation, 0 to 1) replaced.
Color WithLightness(Color color, double lightness);

// The base colour of result `index`.
Color ComparisonResultColour(int index);

// The main window's view of g_genomeComparison.
class ProcessGenomeComparison : public GenomeComparisonApi {
 public:
  bool HasData() const override { return g_genomeComparison.HasResults(); }
  void Draw(Canvas& canvas) override { DrawGenomeComparison(canvas, g_genomeComparison); }
};

}  // namespace varnik
