// The main window's plot: PlotApi over the process-wide plot state.
#pragma once

#include "shell/views.h"

namespace varnik {

class ProcessPlot : public PlotApi {
 public:
  bool HasData() const override;
  int AxisCount() const override;
  void SelectAxisPair(int x, int y) override;
  bool IsPointVisible(int index) const override;
  void HidePoint(int index) override;
  void ZoomIn() override;
  void ZoomAt(int x, int y, bool in) override;
  void ZoomOut() override;
  void PanLeft() override;
  void PanRight() override;
  void PanUp() override;
  void PanDown() override;
  bool FindPointUnderMouse(int x, int y) override;
  void Draw(Canvas& canvas) override;
};

}  // namespace varnik
