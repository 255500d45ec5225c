// The chromosome painting dialog (template 133): the sample and the
// calculator, the window of SNPs or centimorgans, the chromosome and
// base-pair window, and the drawing settings.  After OK the painting is
// computed on the worker behind the progress dialog (template 136); its end
// step closes the progress dialog and repaints the main window, which then
// shows the painting.
#pragma once

#include <cstdint>
#include <functional>

#include "autosomal/admixture_dialog.h"

namespace varnik {

inline constexpr int kPaintingTemplateId = 133;

// Controls of template 133 besides those it shares with template 135 (the
// paths, the chromosome and the base-pair window).
enum PaintingControlId : int {
  kIdPaintingHalfWindow = 1035,
  kIdPaintingHalfWindowLabel = 1036,
  kIdPaintingBySnpCount = 1038,
  kIdPaintingLengthLabel = 1039,
  kIdPaintingLength = 1040,
  kIdPaintingByLength = 1041,
  kIdPaintingLevelling = 1048,
  kIdPaintingLevellingLabel = 1049,
  kIdPaintingLevellingNote = 1050,
  kIdPaintingDrawZoomed = 1053,
  kIdPaintingSamePopulationOnly = 1054,
};

const DialogTemplate& PaintingTemplate();

// Ranges of the dialog's numbers.
inline constexpr int32_t kMinHalfWindowSnps = 10;
inline constexpr int32_t kMaxHalfWindowSnps = 1000;
inline constexpr double kMinWindowLengthCm = 0.1;
inline constexpr double kMaxWindowLengthCm = 40.0;

class PaintingDialog : public DialogLogic {
 public:
  PaintingDialog(SettingsStore& settings, FileDialog& files, CProracunPoreklaOdsecaka& data = g_chromosomePainting)
      : settings_(settings), files_(files), data_(data) {}

  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id, int notification) override;

 private:
  void ReadSettings(DialogView& view);
  void EnableControls(DialogView& view);
  void Accept(DialogView& view);

  SettingsStore& settings_;
  FileDialog& files_;
  CProracunPoreklaOdsecaka& data_;
  int32_t chromosome_ = 0;
};

// Menu command 32827: runs the dialog and, after OK, the painting on the
// worker, on its own copy of the data, which replaces g_chromosomePainting
// on the interface thread before the end step repaints the main window
// through `repaint`.
void OpenChromosomePainting(const AdmixtureServices& services, std::function<void()> repaint);

}  // namespace varnik
