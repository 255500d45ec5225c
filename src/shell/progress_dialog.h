// The progress dialog of long computations: its two templates and its
// behaviour.  It shows two status lines, a progress bar, the task's name
// and a stop button; the stop button only raises the stop flag, the run's
// end step closes the dialog or turns the stop button into an end button.
#pragma once

#include <atomic>
#include <string_view>

#include "platform/dialog.h"

namespace varnik {

inline constexpr int kProgressTemplateTmrca = 134;
inline constexpr int kProgressTemplateAdmixture = 136;

// Control ids of both templates (1049 only in the admixture's).
inline constexpr int kIdStopButton = 1045;
inline constexpr int kIdStatusLine1 = 1043;
inline constexpr int kIdStatusLine2 = 1044;
inline constexpr int kIdRunningResults = 1049;
// The bar follows a percentage on status line 2; the task's name stands
// beside that line.
inline constexpr int kIdProgressBar = 1046;
inline constexpr int kIdProgressTask = 1047;
// The end button is kIdOk, hidden until the admixture run ends.

// The percentage a status line shows ("37%", "37% ..."), or -1 when it
// shows none.
int PercentOf(std::string_view statusLine);

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
