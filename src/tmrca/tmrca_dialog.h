// The dialog of the age estimator (template 138): the user pastes the
// descendants' haplotypes and, optionally, the ancestral one, chooses the
// input order, the markers and the graph mode, and calculates.  The input
// is read and checked here on the user-interface thread; the distribution
// is computed on the worker behind the progress dialog, and the report and
// graph are shown when it ends.
#pragma once

#include <cstdint>

#include "platform/dialog.h"
#include "platform/settings_store.h"
#include "platform/threads.h"
#include "platform/ui_services.h"
#include "predictor/collection_search_settings.h"
#include "shell/long_computation.h"
#include "tmrca/tmrca_estimator.h"
#include "tmrca/tmrca_input.h"

namespace varnik {

inline constexpr int kTmrcaTemplateId = 138;

// Controls of template 138.
enum TmrcaControlId : int {
  kIdTmrcaResult = 1020,
  kIdTmrcaDescendants = 1021,
  kIdTmrcaDescendantsLabel = 1022,
  kIdTmrcaResultLabel = 1023,
  kIdTmrcaManual = 1024,
  kIdTmrcaAncestorLabel = 1025,
  kIdTmrcaDetermineAncestor = 1026,
  kIdTmrcaTreemaker = 1027,
  kIdTmrcaGraph = 1050,
  kIdTmrcaOrder = 1052,
  kIdTmrcaMarkerChoice = 1053,
  kIdTmrcaAllowUnknown = 1054,
  kIdTmrcaChangeOrder = 1055,
  kIdTmrcaAncestor = 1073,
  kIdTmrcaGraphMode = 1074,
  kIdTmrcaGenerationsLabel = 1075,
  kIdTmrcaGenerations = 1076,
  kIdTmrcaMinMarkersLabel = 1077,
  kIdTmrcaMinMarkers = 1078,
};

const DialogTemplate& TmrcaTemplate();

// Largest value of the minimum-markers field.
inline constexpr int32_t kMaxTmrcaMinimumMarkers = 105;

// The estimator's process-wide state: the dialog's choices, which outlive
// the dialog, and the records and distribution of the last computation.
struct TmrcaState {
  int32_t order = 0;         // 0..9, list 1052
  int32_t markerChoice = 1;  // ETmrcaMarkerChoice, list 1053
  int32_t graphMode = 0;     // list 1074: bit 0 cumulative, bit 1 from the first generation
  int32_t allowUnknown = 0;  // check box 1054
  int32_t changeOrder = 0;   // check box 1055, always 0
  int32_t minimumMarkers = 0;
  CRaspodelaStarostiNajSkorZajedPredka estimator;
  CPostavkePretrage searchSettings;  // read when the dialog opens, never written here
};

extern TmrcaState g_tmrca;
// Start-up values (tests).
void ResetTmrcaState();

class TmrcaDialog : public DialogLogic {
 public:
  TmrcaDialog(SettingsStore& settings, ComputationLauncher& launcher, UiThread& ui, MessageBoxes& boxes,
              TmrcaState& state = g_tmrca)
      : settings_(settings), launcher_(launcher), ui_(ui), boxes_(boxes), state_(state) {}

  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id, int notification) override;
  void OnDrawItem(int id, Canvas& canvas, const Rect& rect) override;

 private:
  void ReadSettings();
  void WriteSettings();
  void Calculate(DialogView& view);
  void DetermineAncestor(DialogView& view);
  // Reads and checks the boxes; on failure the message goes to the result box.
  bool ReadInput(DialogView& view, TmrcaHaplotypes& haplotypes);
  // Shows `error` in the result box in place of the last report and clears
  // the graph.
  void ShowInputError(DialogView& view, const std::string& error);
  void ShowAncestor(DialogView& view, const TmrcaHaplotypes& haplotypes);
  void ReadGenerations(DialogView& view);
  void ReadMinimumMarkers(DialogView& view);
  void StartComputation(DialogView& view, std::vector<CSTROznaka> records);

  SettingsStore& settings_;
  ComputationLauncher& launcher_;
  UiThread& ui_;
  MessageBoxes& boxes_;
  TmrcaState& state_;
  int32_t currentOrder_ = 0;
};

// Menu command 32834: runs the dialog modally.
void OpenTmrca(DialogHost& host, SettingsStore& settings, UiThread& ui, ThreadStarter& threads, MessageBoxes& boxes);

}  // namespace varnik
