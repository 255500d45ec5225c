// Long computations: one worker thread behind a modeless progress dialog.
//
// The launcher runs on the user-interface thread.  It disables the window
// that owns the run, opens the progress dialog and starts the worker.  The
// worker computes, polling the stop flag, and sends everything it shows
// (status lines, running results, its end step) to the user-interface
// thread through UiThread::Post.  Posted functions run in the order they
// were posted, and each end step is one posted function, so its effects
// appear in the order written there.  The worker shares nothing else with
// the user-interface thread but the atomic stop flag; the owner stays
// disabled until the end step, so nothing else can start a second run or
// change the data the worker uses.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/dialog.h"
#include "platform/threads.h"
#include "platform/ui_services.h"
#include "shell/progress_dialog.h"

namespace varnik {

// How a computation shows its progress.  Callable from the worker thread.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  // Status line 1 or 2 of the progress dialog.
  virtual void SetStatusLine(int line, std::string_view text) = 0;
  // The running results box of the admixture's progress dialog.
  virtual void SetRunningResults(std::string_view text) = 0;
};

// The work of a run, on the worker thread.  It polls `stop` at its own
// checkpoints and returns false when stopped or failed.
using Computation = std::function<bool(std::atomic<int>& stop, ProgressSink& progress)>;

// The progress dialog of the current or last run and the stop flag.  Only
// the stop flag is touched by the worker.
struct ProgressState {
  std::atomic<int> stop{0};
  std::unique_ptr<ModelessDialog> dialog;  // null when none is open
  ProgressDialogLogic logic{stop};
};

extern ProgressState g_progress;
// Destroys the progress dialog and clears the stop flag.
void ResetProgressState();

// The TMRCA dialog's controls that its end step fills.
struct TmrcaEndControls {
  int result = 1020;  // edit box of the report
  int graph = 1050;   // owner-drawn graph
};

inline constexpr const char* kThreadFailedCaption = "Error: thread creation failed";
inline constexpr const char* kThreadFailedText =
    "Generisanje se ne moze izvrsiti zbog nedostatka memorije ili zbog sastavne greske";

class ComputationLauncher {
 public:
  ComputationLauncher(DialogHost& dialogs, UiThread& ui, ThreadStarter& threads, MessageBoxes& messages,
                      ProgressState& state = g_progress)
      : dialogs_(dialogs), ui_(ui), threads_(threads), messages_(messages), state_(state) {}

  // Starts a TMRCA run for `toolDialog` with progress template 134.  When
  // `compute` succeeds, `formatResult` (worker thread) gives the result
  // text.  The end step then puts the text (empty after a failure; after a
  // stop, "stopped at N%" with the last percentage of status line 2) into
  // the result box, closes the progress dialog, enables the
  // tool dialog (focusing it when the progress dialog had the focus) and
  // repaints the graph.  Returns false when the thread could not start.
  bool StartTmrca(DialogView& toolDialog, Computation compute, std::function<std::string()> formatResult,
                  TmrcaEndControls controls = {});

  // Starts an admixture run for the main window with progress template
  // 136.  Its end step replaces the stop button by the end button, which
  // closes the dialog and so enables the main window.
  bool StartAdmixture(OwnerWindow& mainWindow, Computation compute);

  // Starts a chromosome painting run for the main window with progress
  // template 136.  Its end step closes the progress dialog, enables the
  // main window and repaints it through `repaint`.
  bool StartPainting(OwnerWindow& mainWindow, Computation compute, std::function<void()> repaint);
  // Starts a genome comparison for the main window with progress template
  // 134.  Its end step closes the progress dialog, enables the main window
  // (focusing it when the progress dialog had the focus) and then calls
  // `finish` on the user-interface thread, which repaints the window.
  bool StartGenomeComparison(OwnerWindow& mainWindow, Computation compute, std::function<void()> finish);

 private:
  using WorkerBody = std::function<void(std::atomic<int>& stop, ProgressSink& progress)>;
  // Opens the progress dialog with `caption` and the name of the `task`,
  // disables `owner` and starts `body` on a worker.
  bool Start(const DialogTemplate& progressTemplate, const std::string& caption, const std::string& task,
             OwnerWindow& owner, WorkerBody body);

  DialogHost& dialogs_;
  UiThread& ui_;
  ThreadStarter& threads_;
  MessageBoxes& messages_;
  ProgressState& state_;
};

}  // namespace varnik
