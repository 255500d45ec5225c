// The chromosome painting as the main window sees it: the view over an
// autosomal object (g_chromosomePainting in the program).
#pragma once

#include "autosomal/autosomal_state.h"
#include "shell/views.h"

namespace varnik {

class ProcessChromosomePainting : public ChromosomePaintingApi {
 public:
  explicit ProcessChromosomePainting(CProracunPoreklaOdsecaka& data = g_chromosomePainting) : data_(data) {}

  // The view is chosen whenever chromosome runs exist; it draws only a
  // computed painting.
  bool HasData() const override { return !data_.chromosomeRuns.empty(); }
  bool IsPainted() const override { return HasData() && data_.paintingReady == 1; }
  // The factor steps while a levelled painting is shown.
  bool CanStepLevelling() const override { return data_.paintingReady == 1 && data_.drawLevelled != 0; }
  bool StepLevellingDown() override { return data_.StepLevellingDown(); }
  bool StepLevellingUp() override { return data_.StepLevellingUp(); }
  bool ToggleLevelling() override;
  void Draw(Canvas& canvas) override { data_.DrawChromosomePainting(canvas); }

 private:
  CProracunPoreklaOdsecaka& data_;
};

}  // namespace varnik
