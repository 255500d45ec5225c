// What the main window needs of the views it shows and the tools it opens.
// The population plot and the chromosome painting implement these over
// their process-wide state; tests substitute fakes.
#pragma once

#include "platform/canvas.h"

namespace varnik {

class PlotApi {
 public:
  virtual ~PlotApi() = default;
  // The plot holds data when it has samples.
  virtual bool HasData() const = 0;
  // Number of coordinates of the first sample.
  virtual int AxisCount() const = 0;
  virtual void SelectAxisPair(int x, int y) = 0;
  virtual bool IsPointVisible(int index) const = 0;
  virtual void HidePoint(int index) = 0;
  virtual void ZoomIn() = 0;
  virtual void ZoomOut() = 0;
  // Zooms about the point under the mouse at (x, y).
  virtual void ZoomAt(int x, int y, bool in) = 0;
  virtual void PanLeft() = 0;
  virtual void PanRight() = 0;
  virtual void PanUp() = 0;
  virtual void PanDown() = 0;
  // Returns whether the sample under the mouse changed.
  virtual bool FindPointUnderMouse(int x, int y) = 0;
  virtual void Draw(Canvas& canvas) = 0;
};

class ChromosomePaintingApi {
 public:
  virtual ~ChromosomePaintingApi() = default;
  virtual bool HasData() const = 0;
  // Whether a computed painting is there to draw: the view holds data as
  // soon as chromosome runs exist, which an admixture run leaves too.
  virtual bool IsPainted() const { return HasData(); }
  virtual bool CanStepLevelling() const = 0;
  // Each step returns whether the levelling factor changed.
  virtual bool StepLevellingDown() = 0;
  virtual bool StepLevellingUp() = 0;
  // Switches the levelled drawing; returns whether the view changed.
  virtual bool ToggleLevelling() { return false; }
  virtual void Draw(Canvas& canvas) = 0;
};

// The genome comparison's results, drawn when neither the plot nor the
// chromosome painting holds data.
class GenomeComparisonApi {
 public:
  virtual ~GenomeComparisonApi() = default;
  virtual bool HasData() const = 0;
  virtual void Draw(Canvas& canvas) = 0;
};

// The tools that menu commands open.
class ToolLauncher {
 public:
  virtual ~ToolLauncher() = default;
  // Returns whether a computed-axes set was loaded.
  virtual bool LoadComputedAxes() = 0;
  virtual void OpenPredictor() = 0;
  virtual void OpenTmrca() = 0;
  virtual void OpenAdmixture() = 0;
  virtual void OpenHaplotypeSearch() {}
  virtual void OpenChromosomePainting() {}
  virtual void OpenGenomeComparison() {}
};

// Stand-ins for views and tools that are not built yet: they hold no data
// and open nothing.
class EmptyPlot : public PlotApi {
 public:
  bool HasData() const override { return false; }
  int AxisCount() const override { return 0; }
  void SelectAxisPair(int, int) override {}
  bool IsPointVisible(int) const override { return false; }
  void HidePoint(int) override {}
  void ZoomIn() override {}
  void ZoomOut() override {}
  void ZoomAt(int, int, bool) override {}
  void PanLeft() override {}
  void PanRight() override {}
  void PanUp() override {}
  void PanDown() override {}
  bool FindPointUnderMouse(int, int) override { return false; }
  void Draw(Canvas&) override {}
};

class EmptyChromosomePainting : public ChromosomePaintingApi {
 public:
  bool HasData() const override { return false; }
  bool CanStepLevelling() const override { return false; }
  bool StepLevellingDown() override { return false; }
  bool StepLevellingUp() override { return false; }
  void Draw(Canvas&) override {}
};

class NoTools : public ToolLauncher {
 public:
  bool LoadComputedAxes() override { return false; }
  void OpenPredictor() override {}
  void OpenTmrca() override {}
  void OpenAdmixture() override {}
};

}  // namespace varnik
