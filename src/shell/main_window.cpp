#include "shell/main_window.h"

#include <algorithm>
#include <cstdlib>

#include "platform/dialog_settings.h"
#include "shell/app_state.h"
#include "shell/command_ids.h"
#include "shell/menu.h"
#include "texts/text_table.h"

namespace varnik {

void MainWindow::OnCreate() {
  RetitleMenu();
  SetLanguageCheckMarks();
}

void MainWindow::RetitleMenu() {
  for (const MenuTextUpdate& update : MenuTexts()) {
    if (update.byPosition) {
      host_.SetPopupText(update.target, update.text);
    } else {
      host_.SetMenuItemText(update.target, update.text);  // missing items are skipped
    }
  }
}

void MainWindow::UpdateWindowTitle() {
  if (!g_dataSetName.empty()) {
    host_.SetTitle(Texts().TranslateSerbianName(g_dataSetName));
  } else {
    host_.SetTitle(kAppTitle);
  }
}

void MainWindow::SetLanguageCheckMarks() {
  host_.CheckMenuItem(kCmdLanguageSerbian, g_language == kLanguageSerbian);
  host_.CheckMenuItem(kCmdLanguageRussian, g_language == kLanguageRussian);
  host_.CheckMenuItem(kCmdLanguageEnglish, g_language == kLanguageEnglish);
}

void MainWindow::UseSettings(SettingsStore* settings) {
  settings_ = nullptr;  // taking the stored language does not store it again
  uint32_t stored = 0;
  if (settings != nullptr && ReadSettingBelow(*settings, kLanguageSetting, 3, stored)) {
    SetLanguage(static_cast<int>(stored));
  } else {
    host_.LanguageChanged(g_language);
  }
  settings_ = settings;
}

void MainWindow::SetLanguage(int language) {
  g_language = language;
  if (settings_ != nullptr) WriteSettingNumber(*settings_, kLanguageSetting, static_cast<uint32_t>(language));
  host_.LanguageChanged(language);
  RetitleMenu();
  SetLanguageCheckMarks();
  Repaint();
  UpdateWindowTitle();
}

void MainWindow::ToggleFlag(int32_t& flag, int commandId) {
  flag = flag == 0 ? 1 : 0;
  host_.CheckMenuItem(commandId, flag != 0);
}

bool MainWindow::OnCommand(int commandId) {
  const bool data = plot_.HasData();
  const int count = data ? plot_.AxisCount() : 0;
  const int x = g_axisX;
  const int y = g_axisY;
  switch (commandId) {
    case kCmdLoadComputedAxes:
      if (tools_.LoadComputedAxes()) Repaint();
      return true;
    case kCmdHaplogroupPredictor:
      tools_.OpenPredictor();
      return true;
    case kCmdTmrca:
      tools_.OpenTmrca();
      return true;
    case kCmdHaplotypeSearch:
      tools_.OpenHaplotypeSearch();
      return true;
    case kCmdAdmixture:
      tools_.OpenAdmixture();
      return true;
    case kCmdChromosomePainting:
      tools_.OpenChromosomePainting();
      return true;
    case kCmdChangeDrawingMode:
      if (!data && painting_.HasData() && painting_.ToggleLevelling()) Repaint();
      return true;
    case kCmdGenomeComparison:
      tools_.OpenGenomeComparison();
      return true;
    case kCmdShowPopulationNames:
      ToggleFlag(g_showPopulationNames, commandId);
      Repaint();
      return true;
    case kCmdShowSampleNames:
      ToggleFlag(g_showSampleNames, commandId);
      Repaint();
      return true;
    case kCmdShowNameUnderMouse:
      ToggleFlag(g_showNameUnderMouse, commandId);
      g_hoverIndex = -1;
      Repaint();
      return true;
    case kCmdFlipHorizontal:
      ToggleFlag(g_flipHorizontal, commandId);
      plot_.SelectAxisPair(x, y);
      Repaint();
      return true;
    case kCmdFlipVertical:
      ToggleFlag(g_flipVertical, commandId);
      plot_.SelectAxisPair(x, y);
      Repaint();
      return true;
    case kCmdLanguageSerbian:
      SetLanguage(kLanguageSerbian);
      return true;
    case kCmdLanguageRussian:
      SetLanguage(kLanguageRussian);
      return true;
    case kCmdPrevAxisPair:
      if (data && x >= 1) {
        plot_.SelectAxisPair(x - 1, x);
        Repaint();
      }
      return true;
    case kCmdNextAxisPair:
      if (data && x + 2 < count) {
        plot_.SelectAxisPair(x + 1, x + 2);
        Repaint();
      }
      return true;
    case kCmdPrevXAxis:
      if (data) {
        if (x >= 1) {
          plot_.SelectAxisPair(x - 1, y);
          Repaint();
        }
      } else if (painting_.HasData() && painting_.CanStepLevelling()) {
        if (painting_.StepLevellingDown()) Repaint();
      }
      return true;
    case kCmdNextXAxis:
      if (data) {
        if (x + 1 < count) {
          plot_.SelectAxisPair(x + 1, y);
          Repaint();
        }
      } else if (painting_.HasData() && painting_.CanStepLevelling()) {
        if (painting_.StepLevellingUp()) Repaint();
      }
      return true;
    case kCmdPrevYAxis:
      if (data && y >= 1) {
        plot_.SelectAxisPair(x, y - 1);
        Repaint();
      }
      return true;
    case kCmdNextYAxis:
      if (data && y + 1 < count) {
        plot_.SelectAxisPair(x, y + 1);
        Repaint();
      }
      return true;
    case kCmdZoomIn:
    case kCmdZoomOut:
    case kCmdPanLeft:
    case kCmdPanRight:
    case kCmdPanUp:
    case kCmdPanDown:
      if (data) {
        switch (commandId) {
          case kCmdZoomIn: plot_.ZoomIn(); break;
          case kCmdZoomOut: plot_.ZoomOut(); break;
          case kCmdPanLeft: plot_.PanLeft(); break;
          case kCmdPanRight: plot_.PanRight(); break;
          case kCmdPanUp: plot_.PanUp(); break;
          default: plot_.PanDown(); break;
        }
        Repaint();
      }
      return true;
    case kCmdHidePoint:
      if (data && g_hoverIndex >= 0 && plot_.IsPointVisible(g_hoverIndex)) {
        plot_.HidePoint(g_hoverIndex);
        Repaint();
      }
      return true;
    case kCmdExit:
      host_.Destroy();
      return true;
    case kCmdAbout:
    case kCmdLanguageEnglish:
    case kCmdUnused32799:
    case kCmdUnused32801:
    case kCmdUnused32804:
    case kCmdUnused32806:
    case kCmdUnused32808:
    case kCmdUnused32809:
      return true;  // known commands that do nothing
    default:
      return false;
  }
}

void MainWindow::OnMouseWheel(int x, int y, int steps) {
  if (!plot_.HasData() || steps == 0) return;
  for (int step = 0; step < std::min(std::abs(steps), 10); ++step) plot_.ZoomAt(x, y, steps > 0);
  Repaint();
}

void MainWindow::OnMouseMove(unsigned x, unsigned y) {
  if (!plot_.HasData() || g_showNameUnderMouse == 0) return;
  if (plot_.FindPointUnderMouse(static_cast<int>(x & 0xFFFF), static_cast<int>(y & 0xFFFF))) Repaint();
}

void MainWindow::Paint(Canvas& backBuffer) {
  if (plot_.HasData()) {
    plot_.Draw(backBuffer);
  } else if (painting_.HasData() && (painting_.IsPainted() || comparison_ == nullptr || !comparison_->HasData())) {
    // Chromosome runs without a painting (an admixture run leaves them)
    // draw nothing; a genome comparison's results show instead.
    painting_.Draw(backBuffer);
  } else if (comparison_ != nullptr && comparison_->HasData()) {
    comparison_->Draw(backBuffer);
  }
}

}  // namespace varnik
