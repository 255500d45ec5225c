#include "shell/app_tools.h"

#include "autosomal/admixture_dialog.h"
#include "autosomal/painting_dialog.h"
#include "autosomal/comparison_dialog.h"
#include "plot/axes_loader.h"
#include "predictor/haplotype_search.h"
#include "predictor/predictor_dialog.h"
#include "shell/main_window.h"
#include "tmrca/tmrca_dialog.h"

namespace varnik {

void AppTools::Connect(const PlatformServices& services, MainWindow& window) {
  services_.emplace(services);
  window_ = &window;
}

bool AppTools::LoadComputedAxes() {
  if (!services_) return false;
  return varnik::LoadComputedAxes(services_->files, services_->cursor, services_->messages, [this] { window_->UpdateWindowTitle(); });
}

void AppTools::OpenPredictor() {
  if (services_) varnik::OpenPredictor(services_->dialogs, services_->settings, &services_->cursor);
}

void AppTools::OpenTmrca() {
  if (services_) {
    varnik::OpenTmrca(services_->dialogs, services_->settings, services_->ui, services_->threads, services_->messages);
  }
}

void AppTools::OpenAdmixture() {
  if (!services_) return;
  varnik::OpenAdmixture({services_->dialogs, services_->files, services_->settings, services_->messages,
                         services_->beeper, services_->ui, services_->threads, services_->mainWindow});
  // A started run clears the painting.
  window_->Repaint();
}

void AppTools::OpenChromosomePainting() {
  if (!services_) return;
  varnik::OpenChromosomePainting({services_->dialogs, services_->files, services_->settings, services_->messages,
                                  services_->beeper, services_->ui, services_->threads, services_->mainWindow},
                                 [window = window_] { window->Repaint(); });
}
void AppTools::OpenHaplotypeSearch() {
  if (services_) RunHaplotypeSearchDialog(services_->dialogs, services_->settings, &services_->cursor);
}

void AppTools::OpenGenomeComparison() {
  if (!services_) return;
  varnik::OpenGenomeComparison({services_->dialogs, services_->files, services_->settings, services_->messages,
                                services_->ui, services_->threads, services_->mainWindow,
                                [window = window_] { window->Repaint(); }});
}

}  // namespace varnik
