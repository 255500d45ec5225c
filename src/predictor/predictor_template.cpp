#include "predictor/predictor_dialog.h"

namespace varnik {
namespace {

DialogTemplate MakePredictorTemplate() {
  DialogTemplate dialog;
  dialog.id = kPredictorTemplate;
  dialog.caption = "Predvigjac muskih loza";
  dialog.cx = 480;
  dialog.cy = 352;
  constexpr unsigned kTab = kStyleTabStop;
  constexpr unsigned kList = kStyleTabStop | kStyleVScroll;
  // Template order is the Tab order.
  dialog.controls = {
      {kIdInputLabel, ControlKind::kStatic, 7, 6, 466, 10, kStyleNone, "Ulazni podaci"},
      {kIdPredictorInput, ControlKind::kEdit, 7, 17, 466, 72, kStyleMultiLine | kStyleVScroll | kTab, ""},
      {kIdInputOrder, ControlKind::kComboBox, 7, 94, 230, 120, kList, ""},
      {kIdPredictorChoice, ControlKind::kComboBox, 243, 94, 230, 120, kList, ""},
      {kIdCompleteness, ControlKind::kComboBox, 243, 110, 230, 60, kList | kStyleHidden | kStyleDisabled, ""},
      {kIdKnownSnpLabel, ControlKind::kStatic, 7, 112, 170, 10, kStyleNone, "Poznat SNP"},
      {kIdKnownSnp, ControlKind::kComboBox, 180, 110, 293, 160, kList, ""},
      {kIdCompareHaplotypes, ControlKind::kCheckBox, 7, 126, 200, 10, kTab | kStyleHidden | kStyleDisabled,
       "Poregjenje"},
      {kIdOk, ControlKind::kButton, 7, 128, 80, 14, kTab | kStyleDefaultButton, "Izracunaj"},
      {kIdBatch, ControlKind::kButton, 92, 128, 110, 14, kTab, "Mnozhestveno"},
      {kIdMostFrequent, ControlKind::kButton, 207, 128, 130, 14, kTab, "Najcesce vrednosti"},
      {kIdManual, ControlKind::kButton, 342, 128, 131, 14, kTab, "Uputstvo"},
      {kIdTemplate17, ControlKind::kButton, 342, 146, 131, 14, kTab | kStyleHidden, "Obrazac 17"},
      {kIdResultsLabel, ControlKind::kStatic, 7, 148, 200, 10, kStyleNone, "Ishodi"},
      // Long warnings and the instructions wrap at the box's width.
      {kIdPredictorResults, ControlKind::kEdit, 7, 160, 300, 168,
       kStyleMultiLine | kStyleReadOnly | kStyleVScroll | kTab, ""},
      {kIdResultBranches, ControlKind::kComboBox, 313, 160, 160, 160, kList, ""},
      {kIdValueTable, ControlKind::kOwnerDrawn, 313, 176, 160, 152, kStyleNone, ""},
      {kIdCancel, ControlKind::kButton, 393, 333, 80, 14, kTab, "Izlaz"},
  };
  return dialog;
}

}  // namespace

const DialogTemplate& PredictorTemplate() {
  static const DialogTemplate dialog = MakePredictorTemplate();
  return dialog;
}

}  // namespace varnik
