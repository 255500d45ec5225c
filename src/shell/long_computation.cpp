#include "shell/long_computation.h"

#include <utility>

#include "common/format.h"
#include "texts/text_table.h"

namespace varnik {

ProgressState g_progress;

void ResetProgressState() {
  g_progress.dialog.reset();
  g_progress.stop = 0;
}

namespace {

// Each update becomes a posted function that writes into the progress
// dialog if it is still open when the function runs.
class PostingProgressSink : public ProgressSink {
 public:
  PostingProgressSink(UiThread& ui, ProgressState& state) : ui_(ui), state_(state) {}

  void SetStatusLine(int line, std::string_view text) override {
    SetText(line == 1 ? kIdStatusLine1 : kIdStatusLine2, text);
    if (line != 1) {
      const int percent = PercentOf(text);
      if (percent >= 0) SetText(kIdProgressBar, std::to_string(percent));
    }
  }
  void SetRunningResults(std::string_view text) override { SetText(kIdRunningResults, text); }

 private:
  void SetText(int id, std::string_view text) {
    ui_.Post([state = &state_, id, text = std::string(text)] {
      if (state->dialog != nullptr) state->dialog->View().SetText(id, text);
    });
  }

  UiThread& ui_;
  ProgressState& state_;
};

// Passes the updates on and remembers the last percentage shown on status
// line 2, for the message of a stopped run.
class PercentKeepingSink : public ProgressSink {
 public:
  explicit PercentKeepingSink(ProgressSink& inner) : inner_(inner) {}

  void SetStatusLine(int line, std::string_view text) override {
    if (line == 2 && PercentOf(text) >= 0) percent = PercentOf(text);
    inner_.SetStatusLine(line, text);
  }
  void SetRunningResults(std::string_view text) override { inner_.SetRunningResults(text); }

  int percent = 0;

 private:
  ProgressSink& inner_;
};

// User-interface thread.  The result text shows before the progress dialog
// closes, and the dialog is closed before its owner takes input again.
void FinishTmrcaRun(ProgressState& state, DialogView& owner, const TmrcaEndControls& controls,
                    const std::string& resultText) {
  owner.SetText(controls.result, resultText);
  const bool progressHadFocus = state.dialog != nullptr && state.dialog->HasFocus();
  if (state.dialog != nullptr) {
    // As if the hidden end button were pressed.
    state.logic.OnCommand(state.dialog->View(), kIdOk, kNotifyClicked);
    state.dialog.reset();
  }
  owner.EnableWindow(true);
  if (progressHadFocus) owner.FocusWindow();
  owner.Redraw(controls.graph);
}

// User-interface thread.  The dialog stays open on its final texts until
// the end button is pressed.
void FinishAdmixtureRun(ProgressState& state) {
  if (state.dialog == nullptr) return;
  DialogView& view = state.dialog->View();
  view.Show(kIdStopButton, false);
  view.Show(kIdOk, true);
  view.SetText(kIdOk, TextById(kTextMenuExit));
  view.SetFocus(kIdOk);
}

// User-interface thread: the end step of a run the main window owns.
void FinishMainWindowRun(ProgressState& state, OwnerWindow& owner, const std::function<void()>& finish) {
  const bool progressHadFocus = state.dialog != nullptr && state.dialog->HasFocus();
  if (state.dialog != nullptr) {
    state.logic.OnCommand(state.dialog->View(), kIdOk, kNotifyClicked);
    state.dialog.reset();
  }
  owner.EnableWindow(true);
  if (progressHadFocus) owner.FocusWindow();
  if (finish) finish();
}

}  // namespace

bool ComputationLauncher::Start(const DialogTemplate& progressTemplate, const std::string& caption,
                                const std::string& task, OwnerWindow& owner, WorkerBody body) {
  owner.EnableWindow(false);
  state_.dialog = dialogs_.OpenModeless(progressTemplate, state_.logic, &owner);
  DialogView& progress = state_.dialog->View();
  progress.SetCaption(caption);
  progress.SetText(kIdProgressTask, task + ":");
  state_.dialog->Show();
  progress.SetFocus(kIdStopButton);
  state_.stop = 0;

  const bool started = threads_.Start([body = std::move(body), ui = &ui_, state = &state_] {
    // Only the address of the state travels with the sink; it is used on
    // the user-interface thread.
    PostingProgressSink sink(*ui, *state);
    body(state->stop, sink);
  });
  if (started) return true;

  owner.EnableWindow(true);
  progress.EndDialog(1);
  state_.dialog.reset();
  messages_.Show(kThreadFailedText, kThreadFailedCaption, kMbIconError);
  return false;
}

bool ComputationLauncher::StartTmrca(DialogView& toolDialog, Computation compute,
                                     std::function<std::string()> formatResult, TmrcaEndControls controls) {
  // The text of a stopped run is in the language of the run's start.
  const int32_t language = g_language;
  WorkerBody body = [compute = std::move(compute), formatResult = std::move(formatResult), ui = &ui_,
                     state = &state_, owner = &toolDialog, controls,
                     language](std::atomic<int>& stop, ProgressSink& progress) {
    PercentKeepingSink sink(progress);
    const bool succeeded = compute(stop, sink);
    std::string text;
    if (succeeded) {
      if (formatResult) text = formatResult();
    } else if (stop != 0) {
      text = Format(TextById(kTextStoppedAt, language).c_str(), sink.percent);
    }
    ui->Post([state, owner, controls, text = std::move(text)] { FinishTmrcaRun(*state, *owner, controls, text); });
  };
  return Start(ProgressTemplateTmrca(), TextById(kTextProgressCaption), TextById(kTextTmrcaTitle), toolDialog,
               std::move(body));
}

bool ComputationLauncher::StartAdmixture(OwnerWindow& mainWindow, Computation compute) {
  WorkerBody body = [compute = std::move(compute), ui = &ui_, state = &state_](std::atomic<int>& stop,
                                                                               ProgressSink& progress) {
    compute(stop, progress);
    ui->Post([state] { FinishAdmixtureRun(*state); });
  };
  const std::string& task = TextById(kTextAdmixtureCalculator);
  const std::string caption = TextById(kTextProgressCaption) + " - " + task;
  return Start(ProgressTemplateAdmixture(), caption, task, mainWindow, std::move(body));
}

bool ComputationLauncher::StartPainting(OwnerWindow& mainWindow, Computation compute, std::function<void()> repaint) {
  WorkerBody body = [compute = std::move(compute), repaint = std::move(repaint), ui = &ui_, state = &state_,
                     owner = &mainWindow](std::atomic<int>& stop, ProgressSink& progress) {
    compute(stop, progress);
    ui->Post([state, owner, repaint] { FinishMainWindowRun(*state, *owner, repaint); });
  };
  const std::string& task = TextById(kTextChromosomePainting);
  const std::string caption = TextById(kTextProgressCaption) + " - " + task;
  return Start(ProgressTemplateAdmixture(), caption, task, mainWindow, std::move(body));
}

bool ComputationLauncher::StartGenomeComparison(OwnerWindow& mainWindow, Computation compute,
                                                std::function<void()> finish) {
  WorkerBody body = [compute = std::move(compute), finish = std::move(finish), ui = &ui_, state = &state_,
                     owner = &mainWindow](std::atomic<int>& stop, ProgressSink& progress) {
    compute(stop, progress);
    ui->Post([state, owner, finish] { FinishMainWindowRun(*state, *owner, finish); });
  };
  const std::string& task = TextById(kTextGenomeComparisonTitle);
  const std::string caption = TextById(kTextProgressCaption) + " - " + task;
  return Start(ProgressTemplateTmrca(), caption, task, mainWindow, std::move(body));
}

}  // namespace varnik
