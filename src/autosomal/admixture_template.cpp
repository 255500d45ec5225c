// Template 135, the admixture dialog.  The tab order is the order of the
// controls here.
#include "autosomal/admixture_dialog.h"

namespace varnik {

namespace {

DialogTemplate MakeAdmixtureTemplate() {
  constexpr unsigned kTab = kStyleTabStop;
  DialogTemplate dialog;
  dialog.id = kAdmixtureTemplateId;
  dialog.caption = "Proracun izmesanosti";
  dialog.cx = 424;
  dialog.cy = 210;
  dialog.controls = {
      {kIdAdmixtureSampleLabel, ControlKind::kStatic, 10, 8, 330, 9, kStyleNone, ""},
      {kIdAdmixtureSamplePath, ControlKind::kEdit, 10, 19, 330, 13, kTab, ""},
      {kIdAdmixtureSampleBrowse, ControlKind::kButton, 346, 18, 68, 15, kTab, ""},
      {kIdAdmixtureCalculatorLabel, ControlKind::kStatic, 10, 40, 330, 9, kStyleNone, ""},
      {kIdAdmixtureCalculatorPath, ControlKind::kEdit, 10, 51, 330, 13, kTab, ""},
      {kIdAdmixtureCalculatorBrowse, ControlKind::kButton, 346, 50, 68, 15, kTab, ""},
      {kIdAdmixtureThresholdLabel, ControlKind::kStatic, 10, 78, 110, 9, kStyleNone, ""},
      {kIdAdmixtureThreshold, ControlKind::kEdit, 124, 76, 60, 13, kTab, ""},
      {kIdAdmixtureSort, ControlKind::kCheckBox, 214, 76, 200, 12, kTab, ""},
      {kIdAdmixtureChromosomeLabel, ControlKind::kStatic, 10, 100, 300, 9, kStyleNone, ""},
      {kIdAdmixtureChromosome, ControlKind::kEdit, 316, 98, 30, 13, kStyleDigitsOnly | kTab, ""},
      {kIdAdmixtureWindowOnly, ControlKind::kCheckBox, 10, 120, 330, 12, kTab, ""},
      {kIdAdmixtureFromLabel, ControlKind::kStatic, 20, 142, 30, 9, kStyleRight, ""},
      {kIdAdmixtureWindowStart, ControlKind::kEdit, 54, 140, 70, 13, kStyleDigitsOnly | kTab, ""},
      {kIdAdmixtureToLabel, ControlKind::kStatic, 130, 142, 24, 9, kStyleRight, ""},
      {kIdAdmixtureWindowEnd, ControlKind::kEdit, 158, 140, 70, 13, kStyleDigitsOnly | kTab, ""},
      {kIdAdmixtureBasePairsLabel, ControlKind::kStatic, 234, 142, 100, 9, kStyleNone, ""},
      {kIdOk, ControlKind::kButton, 290, 186, 58, 15, kStyleDefaultButton | kTab, ""},
      {kIdCancel, ControlKind::kButton, 356, 186, 58, 15, kTab, ""},
  };
  return dialog;
}

}  // namespace

const DialogTemplate& AdmixtureTemplate() {
  static const DialogTemplate dialog = MakeAdmixtureTemplate();
  return dialog;
}

}  // namespace varnik
