// The progress dialog of long computations: its two templates and its
// behaviour.  It shows two status lines and a stop button; the stop button
// only raises the stop flag, the run's end step closes the dialog or turns
// the stop button into an end button.
#pragma once

#include <atomic>

#include "platform/dialog.h"

namespace varnik {

inline constexpr int kProgressTemplateTmrca = 134;
inline constexpr int kProgressTemplateAdmixture = 136;

// Control ids of both templates (1049 only in the admixture's).
inline constexpr int kIdStopButton = 1045;
inline constexpr int kIdStatusLine1 = 1043;
inline constexpr int kIdStatusLine2 = 1044;
inline constexpr int kIdRunningResults = 1049;
// The end button is kIdOk, hidden until the admixture run ends.

const DialogTemplate& ProgressTemplateTmrca();      // 134
const DialogTemplate& ProgressTemplateAdmixture();  // 136

class ProgressDialogLogic : public DialogLogic {
 public:
  explicit ProgressDialogLogic(std::atomic<int>& stop) : stop_(stop) {}

  // Labels the stop button in the current language and focuses it.
  void OnInit(DialogView& view) override;
  // The end button closes the dialog, the stop button raises the stop
  // flag; nothing else does anything, Escape and the close box included.
  void OnCommand(DialogView& view, int id, int notification) override;

 private:
  std::atomic<int>& stop_;
};

}  // namespace varnik
