#include "tmrca/tmrca_dialog.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "common/format.h"
#include "platform/dialog_settings.h"
#include "texts/text_table.h"
#include "tmrca/age_graph.h"
#include "tmrca/prepare_markers.h"
#include "tmrca/tmrca_input.h"

namespace varnik {

TmrcaState g_tmrca;

void ResetTmrcaState() { g_tmrca = TmrcaState(); }

namespace {

constexpr int32_t kOrderLimits[] = {12, 25, 37, 67};
constexpr int32_t kOrderPanelTexts[] = {kTextOrder17Kit, kTextOrder17Ascending, kTextOrder17Ftdna, kTextOrder23Kit,
                                        kTextOrder23Ftdna};

// A whole number typed into an edit box, with an optional sign and spaces
// around it.  Numbers too large for 32 bits come out clamped, so that they
// still count as numbers outside every range.
bool ParseBoxNumber(std::string_view text, int64_t& out) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = std::min<int64_t>(value * 10 + (c - '0'), int64_t{1} << 32);
  }
  out = negative ? -value : value;
  return true;
}

void WarningBox(MessageBoxes& boxes, const std::string& text) {
  boxes.Show(text, TextById(kTextWarning), kMbIconWarning);
}

}  // namespace

void TmrcaDialog::OnInit(DialogView& view) {
  view.SetTextLimit(kIdTmrcaDescendants, kMaxTmrcaDescendantsText);
  view.SetCaption(TextById(kTextTmrcaTitle));
  view.SetText(kIdTmrcaAllowUnknown, TextById(kTextAllowUnknownAncestorValues));
  view.SetText(kIdTmrcaChangeOrder, TextById(kTextChangeOrder));
  view.SetText(kIdOk, TextById(kTextCalculate));
  view.SetText(kIdCancel, TextById(kTextExitButton));
  view.SetText(kIdTmrcaDescendantsLabel, TextById(kTextDescendantHaplotypesLabel) + ":");
  view.SetText(kIdTmrcaResultLabel, TextById(kTextResults));
  view.SetText(kIdTmrcaManual, TextById(kTextShortManual));
  view.SetText(kIdTmrcaAncestorLabel, TextById(kTextAncestorHaplotypeLabel));
  view.SetText(kIdTmrcaDetermineAncestor, TextById(kTextDetermineAncestor));
  view.SetText(kIdTmrcaTreemaker, TextById(kTextAncestorByTreemaker));
  view.SetText(kIdTmrcaGenerationsLabel, TextById(kTextGenerationsWithoutAncestor));
  view.SetText(kIdTmrcaMinMarkersLabel, TextById(kTextMinMarkers));
  state_.estimator.generationsWithoutAncestor = 0;
  view.SetText(kIdTmrcaGenerations, "0");

  view.ClearItems(kIdTmrcaOrder);
  const std::string& ftdna = TextById(kTextOrderFtdna);
  view.AddItem(kIdTmrcaOrder, ftdna);
  for (const int32_t limit : kOrderLimits) {
    const std::string only = Format(TextById(kTextOnlyFirstMarkers).c_str(), limit);
    view.AddItem(kIdTmrcaOrder, Format("%s, %s", ftdna.c_str(), only.c_str()));
  }
  for (const int32_t text : kOrderPanelTexts) view.AddItem(kIdTmrcaOrder, TextById(text));

  view.ClearItems(kIdTmrcaMarkerChoice);
  for (const int32_t text : {kTextSingleCopyMarkersOnly, kTextSingleAndMultiCopyMarkers, kTextMultiCopyMarkersOnly}) {
    view.AddItem(kIdTmrcaMarkerChoice, TextById(text));
  }

  view.ClearItems(kIdTmrcaGraphMode);
  const std::string& byGeneration = TextById(kTextProbabilitiesByGeneration);
  const std::string& sums = TextById(kTextSumProbabilitiesByGeneration);
  const std::string& fromFirst = TextById(kTextFromFirstGeneration);
  for (const std::string& mode : {byGeneration, sums, byGeneration + fromFirst, sums + fromFirst}) {
    view.AddItem(kIdTmrcaGraphMode, mode);
  }

  ReadSettings();
  state_.changeOrder = 0;
  currentOrder_ = state_.order;
  view.SetSelection(kIdTmrcaOrder, state_.order);
  view.SetSelection(kIdTmrcaMarkerChoice, state_.markerChoice);
  view.SetSelection(kIdTmrcaGraphMode, state_.graphMode);
  view.SetChecked(kIdTmrcaAllowUnknown, state_.allowUnknown != 0);
  view.SetChecked(kIdTmrcaChangeOrder, state_.changeOrder != 0);
  view.SetText(kIdTmrcaMinMarkers, Format("%d", state_.minimumMarkers));

  view.Enable(kIdTmrcaTreemaker, false);
  view.Enable(kIdTmrcaChangeOrder, false);
  view.Show(kIdTmrcaManual, false);
  view.SetFocus(kIdTmrcaDescendants);
}

void TmrcaDialog::ReadSettings() {
  if (!settings_.KeyExists()) return;
  uint32_t value = 0;
  // A stored order index out of range opens the dialog with the first order.
  if (ReadSettingNumber(settings_, "PoredakStar", value)) {
    state_.order = value < static_cast<uint32_t>(kTmrcaOrderCount) ? static_cast<int32_t>(value) : 0;
  }
  if (ReadSettingBelow(settings_, "IzborOznak", 3, value)) state_.markerChoice = static_cast<int32_t>(value);
  if (ReadSettingBelow(settings_, "NacinCrtStar", 4, value)) state_.graphMode = static_cast<int32_t>(value);
  if (ReadSettingNumber(settings_, "DozvNepPredVr", value)) state_.allowUnknown = static_cast<int32_t>(value);
  // "PreurediRasp" is read as the other values are, but the change-order
  // box always opens unchecked.
  if (ReadSettingNumber(settings_, "PreurediRasp", value)) state_.changeOrder = static_cast<int32_t>(value);
  if (ReadSettingBelow(settings_, "NajmOznak", kMaxTmrcaMinimumMarkers + 1, value)) {
    state_.minimumMarkers = static_cast<int32_t>(value);
  }
  ReadCollectionSearchSettings(settings_, state_.searchSettings);
}

void TmrcaDialog::WriteSettings() {
  WriteSettingNumber(settings_, "PoredakStar", static_cast<uint32_t>(state_.order));
  WriteSettingNumber(settings_, "IzborOznak", static_cast<uint32_t>(state_.markerChoice));
  WriteSettingNumber(settings_, "NacinCrtStar", static_cast<uint32_t>(state_.graphMode));
  WriteSettingNumber(settings_, "DozvNepPredVr", static_cast<uint32_t>(state_.allowUnknown));
  WriteSettingNumber(settings_, "PreurediRasp", static_cast<uint32_t>(state_.changeOrder));
  WriteSettingNumber(settings_, "NajmOznak", static_cast<uint32_t>(state_.minimumMarkers));
}

void TmrcaDialog::OnCommand(DialogView& view, int id, int notification) {
  switch (id) {
    case kIdOk:
      if (notification == kNotifyClicked) Calculate(view);
      break;
    case kIdCancel:
      if (notification == kNotifyClicked) {
        state_.estimator.Clear();
        view.EndDialog(kIdCancel);
      }
      break;
    case kIdTmrcaDetermineAncestor:
      if (notification == kNotifyClicked) DetermineAncestor(view);
      break;
    case kIdTmrcaGraphMode:
      if (notification == kNotifySelChange) {
        state_.graphMode = std::max(0, view.GetSelection(kIdTmrcaGraphMode));
        view.Redraw(kIdTmrcaGraph);
      }
      break;
    case kIdTmrcaMarkerChoice:
      if (notification == kNotifySelChange) state_.markerChoice = view.GetSelection(kIdTmrcaMarkerChoice);
      break;
    case kIdTmrcaOrder:
      // Rewriting the descendants from the old order to the new one belongs
      // to the change-order box, which stays disabled.
      if (notification == kNotifySelChange) currentOrder_ = view.GetSelection(kIdTmrcaOrder);
      break;
    case kIdTmrcaAllowUnknown:
      if (notification == kNotifyClicked) state_.allowUnknown = view.IsChecked(kIdTmrcaAllowUnknown) ? 1 : 0;
      break;
    case kIdTmrcaChangeOrder:
      if (notification == kNotifyClicked) state_.changeOrder = view.IsChecked(kIdTmrcaChangeOrder) ? 1 : 0;
      break;
    case kIdTmrcaDescendants:
      // An ancestor found for other descendants must not be used for these.
      if (notification == kNotifyEditChange) view.SetText(kIdTmrcaAncestor, "");
      break;
    case kIdTmrcaGenerations:
      if (notification == kNotifyKillFocus) ReadGenerations(view);
      break;
    case kIdTmrcaMinMarkers:
      if (notification == kNotifyKillFocus) ReadMinimumMarkers(view);
      break;
    default:
      break;
  }
}

bool TmrcaDialog::ReadInput(DialogView& view, TmrcaHaplotypes& haplotypes) {
  const TmrcaInputText input{view.GetText(kIdTmrcaDescendants), view.GetText(kIdTmrcaAncestor), state_.order,
                             state_.minimumMarkers};
  std::vector<std::string> names;
  std::string error;
  if (ReadTmrcaInput(input, haplotypes, names, error)) return true;
  ShowInputError(view, error);
  return false;
}

void TmrcaDialog::ShowInputError(DialogView& view, const std::string& error) {
  // The report and graph of an earlier run belong to other input.
  state_.estimator.Clear();
  view.SetText(kIdTmrcaResult, error);
  view.Redraw(kIdTmrcaGraph);
}

void TmrcaDialog::ShowAncestor(DialogView& view, const TmrcaHaplotypes& haplotypes) {
  view.SetText(kIdTmrcaAncestor, FormatAncestor(haplotypes.front(), state_.order));
}

void TmrcaDialog::DetermineAncestor(DialogView& view) {
  state_.order = std::max(0, view.GetSelection(kIdTmrcaOrder));
  TmrcaHaplotypes haplotypes;
  if (!ReadInput(view, haplotypes)) return;
  if (CompleteAncestor(haplotypes, state_.allowUnknown != 0)) ShowAncestor(view, haplotypes);
}

void TmrcaDialog::Calculate(DialogView& view) {
  state_.order = std::max(0, view.GetSelection(kIdTmrcaOrder));
  ReadMinimumMarkers(view);
  WriteSettings();

  TmrcaHaplotypes haplotypes;
  if (!ReadInput(view, haplotypes)) return;
  const bool allowUnknown = state_.allowUnknown != 0;
  // Entry 0 is the ancestor: four entries are three or more descendants.
  if (haplotypes.size() >= 4 && allowUnknown) WarningBox(boxes_, TextById(kTextWarnUnknownAncestorValues));
  if (CompleteAncestor(haplotypes, allowUnknown)) ShowAncestor(view, haplotypes);

  std::vector<CSTROznaka> records;
  std::string error;
  if (!PrepareMarkers(haplotypes, state_.markerChoice, state_.order, records, error)) {
    ShowInputError(view, error);
    return;
  }
  const std::string warning = WarnFewValues(records);
  // Only a note: the computation goes on with the markers as they are.
  if (!warning.empty()) boxes_.Show(warning, TextById(kTextWarning), kMbIconInformation);

  view.SetText(kIdTmrcaResult, "");
  StartComputation(view, std::move(records));
}

void TmrcaDialog::StartComputation(DialogView& view, std::vector<CSTROznaka> records) {
  // The worker computes on its own copy of the input.  The finished (or
  // stopped) estimator is handed back on the user-interface thread before
  // the launcher's end step repaints the graph, so a repaint during the run
  // never reads what the worker writes.
  auto run = std::make_shared<CRaspodelaStarostiNajSkorZajedPredka>();
  run->records = std::move(records);
  run->generationsWithoutAncestor = state_.estimator.generationsWithoutAncestor;
  auto report = std::make_shared<std::string>();
  const int32_t markerChoice = state_.markerChoice;
  const int32_t language = g_language;
  UiThread* ui = &ui_;
  TmrcaState* state = &state_;
  Computation compute = [run, report, markerChoice, language, ui, state](std::atomic<int>& stop,
                                                                        ProgressSink& progress) {
    const TmrcaProgress toProgress = [&progress](const std::string& text) { progress.SetStatusLine(2, text); };
    const bool finished = run->Run(markerChoice, stop, toProgress, *report, language);
    ui->Post([run, state] { state->estimator = std::move(*run); });
    return finished;
  };
  launcher_.StartTmrca(view, std::move(compute), [report] { return *report; });
}

void TmrcaDialog::ReadGenerations(DialogView& view) {
  int64_t number = 0;
  if (!ParseBoxNumber(view.GetText(kIdTmrcaGenerations), number)) return;
  CRaspodelaStarostiNajSkorZajedPredka& estimator = state_.estimator;
  if (number < 0 || number > CRaspodelaStarostiNajSkorZajedPredka::kMaxGenerationsWithoutAncestor) {
    view.SetText(kIdTmrcaGenerations, Format("%d", estimator.generationsWithoutAncestor));
    return;
  }
  if (number == estimator.generationsWithoutAncestor) return;
  std::string report;
  estimator.SetGenerationsWithoutAncestor(static_cast<int32_t>(number), report);
  if (report.empty()) return;  // nothing computed yet: the number is only stored
  view.SetText(kIdTmrcaResult, report);
  view.Redraw(kIdTmrcaGraph);
}

void TmrcaDialog::ReadMinimumMarkers(DialogView& view) {
  int64_t number = 0;
  if (!ParseBoxNumber(view.GetText(kIdTmrcaMinMarkers), number)) return;
  state_.minimumMarkers = static_cast<int32_t>(std::clamp<int64_t>(number, 0, kMaxTmrcaMinimumMarkers));
}

void TmrcaDialog::OnDrawItem(int id, Canvas& canvas, const Rect& rect) {
  if (id != kIdTmrcaGraph) return;
  const int32_t mode = state_.graphMode;
  DrawAgeGraph(canvas, rect, state_.estimator.distribution, mode == 1 || mode == 3, mode == 2 || mode == 3);
}

void OpenTmrca(DialogHost& host, SettingsStore& settings, UiThread& ui, ThreadStarter& threads, MessageBoxes& boxes) {
  ComputationLauncher launcher(host, ui, threads, boxes);
  TmrcaDialog dialog(settings, launcher, ui, boxes);
  host.RunModal(TmrcaTemplate(), dialog);
}

}  // namespace varnik
