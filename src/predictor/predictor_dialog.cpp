#include "predictor/predictor_dialog.h"

#include <algorithm>
#include <cstddef>

#include "platform/dialog_settings.h"
#include "predictor/collection_compare.h"
#include "predictor/predict_lines.h"
#include "predictor/predictor_instructions.h"
#include "predictor/predictor_panel.h"
#include "predictor/scoring.h"
#include "shell/report_note.h"
#include "texts/text_table.h"
#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"
#include "ystr/markers.h"
#include "ystr/panels.h"

namespace varnik {
namespace {

constexpr int32_t kOrderTexts[] = {kTextOrderFtdna, kTextOrder17Kit, kTextOrder17Ascending,
                                   kTextOrder17Ftdna, kTextOrder23Kit, kTextOrder23Ftdna};
constexpr int32_t kCompletenessTexts[] = {kTextUseIncompleteValues, kTextSkipIncompleteValues};
// What the user may type or paste into the input box, and the size of the
// result box, in characters.
constexpr std::size_t kInputLimit = 20 * 1024 * 1024;
constexpr std::size_t kResultLimit = 50 * 1024 * 1024;

// The 17-marker kit as a line to fill in, in FTDNA order up to the kit's
// last column: "?" for its columns, "$" for the others, the copies of a
// column joined as the marker catalogue has them.
std::string Template17() {
  const MarkerSetMaskBits kit = MarkerSetMask(kSet17Kit);
  int32_t last = 0;
  for (int32_t c = 0; c < kMarkerSetColumns; ++c) {
    if (kit[c]) last = c;
  }
  std::string line;
  for (int32_t c = 0; c <= last; ++c) {
    if (c > 0) line += ' ';
    for (int32_t k = 0; k < CopiesInColumn(c); ++k) {
      if (k > 0) line += '-';
      line += kit[c] ? '?' : '$';
    }
  }
  return line;
}

}  // namespace

CPredvigjacDialog::CPredvigjacDialog(const PredictorModels& models, SettingsStore& settings, WaitCursor* cursor,
                                     int32_t language)
    : models_(models), settings_(settings), cursor_(cursor), language_(language) {}

void CPredvigjacDialog::ClearResults() {
  currentHaplotype_.clear();
  resultBranches_.clear();
}

void CPredvigjacDialog::OnInit(DialogView& view) {
  if (language_ < 0) language_ = g_language;
  view.SetTextLimit(kIdPredictorInput, kInputLimit);
  view.SetTextLimit(kIdPredictorResults, kResultLimit);
  ClearResults();
  auto text = [this](int32_t id) -> const std::string& { return TextById(id, language_); };
  view.SetCaption(text(kTextPredictorTitle));
  view.SetText(kIdOk, text(kTextCalculate));
  view.SetText(kIdBatch, text(kTextBatchCalculate));
  view.SetText(kIdMostFrequent, text(kTextMostFrequentValues));
  view.SetText(kIdCancel, text(kTextExitButton));
  view.SetText(kIdInputLabel, text(kTextInputDataExample) + ":    13 24 13 10 15-18 12 12 10 14 16 30");
  view.SetText(kIdResultsLabel, text(kTextResults));
  view.SetText(kIdManual, text(kTextShortManual));
  view.SetText(kIdTemplate17, text(kTextTemplate17Markers));
  view.SetText(kIdKnownSnpLabel, text(kTextKnownSnpLabel));
  view.SetText(kIdCompareHaplotypes, text(kTextCompareHaplotypes));

  view.ClearItems(kIdInputOrder);
  for (int32_t id : kOrderTexts) view.AddItem(kIdInputOrder, text(id));
  view.ClearItems(kIdPredictorChoice);
  for (int32_t p = 0; p < kPredictorCount; ++p) view.AddItem(kIdPredictorChoice, text(PredictorTextId(p)));
  view.ClearItems(kIdCompleteness);
  for (int32_t id : kCompletenessTexts) view.AddItem(kIdCompleteness, text(id));

  uint32_t order = 0, predictor = 0, completeness = 1;
  ReadSettingBelow(settings_, "Poredak", static_cast<uint32_t>(std::size(kOrderTexts)), order);
  ReadSettingBelow(settings_, "Predvigjac3", 4, predictor);
  ReadSettingBelow(settings_, "Potpunosti", 2, completeness);
  // Incomplete values are always used once settings exist, whatever is stored.
  if (settings_.KeyExists()) completeness = 0;
  ReadCollectionSearchSettings(settings_, search_);
  g_poregjenjeHaplovrst.settings = search_;

  view.SetSelection(kIdInputOrder, static_cast<int>(order));
  view.SetSelection(kIdPredictorChoice, static_cast<int>(predictor));
  view.SetSelection(kIdCompleteness, static_cast<int>(completeness));
  completeness_ = static_cast<int>(completeness);
  predictorIndex_ = static_cast<int32_t>(predictor);
  compareHaplotypes_ = false;
  view.SetChecked(kIdCompareHaplotypes, false);
  FillKnownSnpList(view);
  view.ClearItems(kIdResultBranches);
  branchSelection_ = -1;
  view.Enable(kIdCompleteness, false);
  view.SetFocus(kIdPredictorInput);
}

void CPredvigjacDialog::FillKnownSnpList(DialogView& view) {
  view.ClearItems(kIdKnownSnp);
  view.AddItem(kIdKnownSnp, TextById(kTextNoKnownSnp, language_));
  for (const CPodaciPJRaPredvid& node : Model().snpTree) {
    std::string name;
    if (!node.names.empty()) {
      name = node.names[std::min<std::size_t>(static_cast<std::size_t>(language_), node.names.size() - 1)];
    }
    if (node.group != -1) name += " *";
    view.AddItem(kIdKnownSnp, name);
  }
  view.SetSelection(kIdKnownSnp, 0);
}

int32_t CPredvigjacDialog::KnownSnp(DialogView& view) const {
  const int selection = view.GetSelection(kIdKnownSnp);
  return selection > 0 ? selection - 1 : -1;
}

void CPredvigjacDialog::PredictAll(DialogView& view, bool batch, int32_t knownSnp) {
  struct Wait {
    WaitCursor* cursor;
    explicit Wait(WaitCursor* c) : cursor(c) { if (cursor != nullptr) cursor->Begin(); }
    ~Wait() { if (cursor != nullptr) cursor->End(); }
  } wait(cursor_);
  const int order = std::max(view.GetSelection(kIdInputOrder), 0);
  const int completeness = std::max(view.GetSelection(kIdCompleteness), 0);
  WriteSettingNumber(settings_, "Poredak", static_cast<uint32_t>(order));
  WriteSettingNumber(settings_, "Predvigjac3", static_cast<uint32_t>(predictorIndex_));
  WriteSettingNumber(settings_, "Potpunosti", static_cast<uint32_t>(completeness));
  completeness_ = completeness;

  const std::vector<std::string> lines = InputLines(view.GetText(kIdPredictorInput), batch);
  CIshodUnosa run = PredictLines(Model(), lines, order, knownSnp, language_, batch);
  currentHaplotype_ = std::move(run.haplotype);
  resultBranches_ = std::move(run.branches);
  shownKnownSnp_ = knownSnp;
  // The comparison with the sample collections follows a single prediction
  // when its (hidden) check box is on.
  if (!batch && compareHaplotypes_ && !lines.empty() && !currentHaplotype_.empty()) {
    Haplotype query = currentHaplotype_;
    if (!g_poregjenjeHaplovrst.CompareWithCollections(lines.front(), query, language_, true, true, run.output, true,
                                                      order == 0)) {
      run.output += TextById(kTextBadInputData, language_);
    }
  }

  // An unwritable batch report is skipped silently; one that had to go to
  // the user's folder is named under the results.
  std::string shown = run.output;
  ReportLocation where;
  if (batch && WriteBatchReport(run.output, language_, where)) shown += ReportNote(where, language_);
  view.SetText(kIdPredictorResults, shown);
  view.ClearItems(kIdResultBranches);
  for (const std::string& name : run.names) view.AddItem(kIdResultBranches, name);
  branchSelection_ = resultBranches_.empty() ? -1 : 0;
  view.SetSelection(kIdResultBranches, branchSelection_);
  view.Redraw(kIdValueTable);
}

void CPredvigjacDialog::MostFrequent(DialogView& view) {
  const int selection = view.GetSelection(kIdResultBranches);
  if (selection < 0 || static_cast<std::size_t>(selection) >= resultBranches_.size()) return;
  const int completeness = std::max(view.GetSelection(kIdCompleteness), 0);
  Haplotype haplotype = currentHaplotype_;
  MostFrequentValues(Model(), resultBranches_[static_cast<std::size_t>(selection)], haplotype, completeness == 1);
  Convert389(haplotype, false, true);
  const int32_t panel = PanelOfInputOrder(std::max(view.GetSelection(kIdInputOrder), 0));
  if (panel >= 0) haplotype = FtdnaToPanel(haplotype, panel, false);
  const std::string text = FormatHaplotype(haplotype, completeness != 1);
  if (text.empty()) return;
  view.SetText(kIdPredictorInput, text);
  PredictAll(view, false, KnownSnp(view));
}

void CPredvigjacDialog::OnCommand(DialogView& view, int id, int notification) {
  switch (id) {
    case kIdOk:
    case kIdBatch:
      if (notification == kNotifyClicked) PredictAll(view, id == kIdBatch, KnownSnp(view));
      break;
    case kIdMostFrequent:
      if (notification == kNotifyClicked) MostFrequent(view);
      break;
    case kIdCompareHaplotypes:
      compareHaplotypes_ = view.IsChecked(kIdCompareHaplotypes);
      break;
    case kIdCancel:
      view.EndDialog(kIdCancel);
      break;
    case kIdManual:
      ClearResults();
      view.SetText(kIdPredictorResults, PredictorInstructions(language_));
      break;
    case kIdTemplate17:
      view.SetText(kIdPredictorInput, Template17());
      ClearResults();
      break;
    case kIdResultBranches:
      if (notification == kNotifySelChange) {
        branchSelection_ = view.GetSelection(kIdResultBranches);
        view.Redraw(kIdValueTable);
      }
      break;
    case kIdPredictorChoice:
      if (notification == kNotifySelChange) {
        const int selection = view.GetSelection(kIdPredictorChoice);
        if (selection >= 0 && selection < kPredictorCount) predictorIndex_ = selection;
        // Branches, known SNP and values of the old predictor mean nothing
        // in the new one.
        ClearResults();
        shownKnownSnp_ = -1;
        branchSelection_ = -1;
        view.ClearItems(kIdResultBranches);
        view.SetText(kIdPredictorResults, "");
        FillKnownSnpList(view);
        view.Redraw(kIdValueTable);
      }
      break;
    default:
      break;
  }
}

void CPredvigjacDialog::OnDrawItem(int id, Canvas& canvas, const Rect& rect) {
  if (id != kIdValueTable) return;
  const int32_t branch = branchSelection_ >= 0 && static_cast<std::size_t>(branchSelection_) < resultBranches_.size()
                             ? resultBranches_[static_cast<std::size_t>(branchSelection_)]
                             : -1;
  DrawPredictorPanel(canvas, rect, Model(), branch, currentHaplotype_, shownKnownSnp_, completeness_ == 0);
}

void OpenPredictor(DialogHost& host, SettingsStore& settings, WaitCursor* cursor) {
  PredictorModels models;
  if (!LoadPredictorModels(models)) return;
  CPredvigjacDialog dialog(models, settings, cursor);
  host.RunModal(PredictorTemplate(), dialog);
}

}  // namespace varnik
