// The tools that the main menu opens, over the services of the platform.
#pragma once

#include <optional>

#include "platform/dialog.h"
#include "platform/settings_store.h"
#include "platform/threads.h"
#include "platform/ui_services.h"
#include "shell/views.h"

namespace varnik {

class MainWindow;

// Everything a tool may ask of the user interface.
struct PlatformServices {
  DialogHost& dialogs;
  FileDialog& files;
  MessageBoxes& messages;
  WaitCursor& cursor;
  Beeper& beeper;
  SettingsStore& settings;
  UiThread& ui;
  ThreadStarter& threads;
  OwnerWindow& mainWindow;  // owns the progress dialogs of main-menu tools
};

class AppTools : public ToolLauncher {
 public:
  // The services exist only once the main window does, so they are connected
  // after it is created; until then every tool does nothing.
  void Connect(const PlatformServices& services, MainWindow& window);

  bool LoadComputedAxes() override;
  void OpenPredictor() override;
  void OpenTmrca() override;
  void OpenAdmixture() override;
  void OpenHaplotypeSearch() override;
  void OpenChromosomePainting() override;
  void OpenGenomeComparison() override;

 private:
  std::optional<PlatformServices> services_;
  MainWindow* window_ = nullptr;
};

}  // namespace varnik
