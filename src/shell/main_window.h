// The main window's behaviour: command dispatch, mouse moves, the menu texts
// and check marks, the title, and the choice of the view to paint.  The GUI
// forwards its events here and implements MainWindowHost.
#pragma once

#include <string_view>

#include "platform/canvas.h"
#include "platform/settings_store.h"
#include "shell/views.h"

namespace varnik {

// What the main window logic asks of the real window.
class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;
  virtual void SetPopupText(int position, std::string_view text) = 0;
  // Returns false when the menu has no item with this id.
  virtual bool SetMenuItemText(int commandId, std::string_view text) = 0;
  virtual void CheckMenuItem(int commandId, bool checked) = 0;
  virtual void SetTitle(std::string_view title) = 0;
  // Invalidates the whole client area without erasing and paints at once.
  virtual void Repaint() = 0;
  // Destroys the window; the program then ends.
  virtual void Destroy() = 0;
  // The interface language changed; the toolkit's own texts may follow.
  virtual void LanguageChanged(int /*language*/) {}
};

class MainWindow {
 public:
  MainWindow(MainWindowHost& host, PlotApi& plot, ChromosomePaintingApi& painting, ToolLauncher& tools)
      : host_(host), plot_(plot), painting_(painting), tools_(tools) {}

  // The window exists: give the menu its texts and the language check marks.
  void OnCreate();
  // Handles a menu or accelerator command.  Returns false for ids the main
  // window does not know, which go to default processing.
  bool OnCommand(int commandId);
  // Mouse position in client coordinates, as unsigned 16-bit words.
  void OnMouseMove(unsigned x, unsigned y);
  // The mouse wheel turned by `steps` notches (positive: away from the
  // user, which zooms in) with the pointer at (x, y).
  void OnMouseWheel(int x, int y, int steps);
  // Draws the first view that holds data onto the black back buffer.
  void Paint(Canvas& backBuffer);

  // The genome comparison's view, painted after the plot and the
  // chromosome painting; null draws none.
  void SetGenomeComparison(GenomeComparisonApi* comparison) { comparison_ = comparison; }
  // The settings that remember the interface language between starts:
  // the stored language is taken at once, and each choice from the menu is
  // stored.  Null remembers nothing.
  void UseSettings(SettingsStore* settings);
  // Invalidates the whole client area and paints at once.
  void Repaint() { host_.Repaint(); }

  void RetitleMenu();
  void UpdateWindowTitle();
  void SetLanguageCheckMarks();

 private:
  void SetLanguage(int language);
  void ToggleFlag(int32_t& flag, int commandId);

  MainWindowHost& host_;
  PlotApi& plot_;
  ChromosomePaintingApi& painting_;
  ToolLauncher& tools_;
  GenomeComparisonApi* comparison_ = nullptr;
  SettingsStore* settings_ = nullptr;
};

// The setting, of the program's own, that holds the interface language.
inline constexpr const char* kLanguageSetting = "JezikSucelja";

}  // namespace varnik
