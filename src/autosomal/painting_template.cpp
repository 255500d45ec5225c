// Template 133, the chromosome painting dialog.  The tab order is the order
// of the controls here.
#include "autosomal/painting_dialog.h"

namespace varnik {

namespace {

DialogTemplate MakePaintingTemplate() {
  constexpr unsigned kTab = kStyleTabStop;
  DialogTemplate dialog;
  dialog.id = kPaintingTemplateId;
  dialog.caption = "Mazanje hromozoma";
  dialog.cx = 424;
  dialog.cy = 286;
  dialog.controls = {
      {kIdAdmixtureSampleLabel, ControlKind::kStatic, 10, 8, 330, 9, kStyleNone, ""},
      {kIdAdmixtureSamplePath, ControlKind::kEdit, 10, 19, 330, 13, kTab, ""},
      {kIdAdmixtureSampleBrowse, ControlKind::kButton, 346, 18, 68, 15, kTab, ""},
      {kIdAdmixtureCalculatorLabel, ControlKind::kStatic, 10, 40, 330, 9, kStyleNone, ""},
      {kIdAdmixtureCalculatorPath, ControlKind::kEdit, 10, 51, 330, 13, kTab, ""},
      {kIdAdmixtureCalculatorBrowse, ControlKind::kButton, 346, 50, 68, 15, kTab, ""},
      {kIdPaintingBySnpCount, ControlKind::kRadioButton, 10, 76, 200, 12, kStyleGroup | kTab, ""},
      {kIdPaintingByLength, ControlKind::kRadioButton, 214, 76, 200, 12, kStyleNone, ""},
      {kIdPaintingHalfWindowLabel, ControlKind::kStatic, 10, 98, 130, 9, kStyleNone, ""},
      {kIdPaintingHalfWindow, ControlKind::kEdit, 144, 96, 50, 13, kStyleDigitsOnly | kStyleGroup | kTab, ""},
      {kIdPaintingLengthLabel, ControlKind::kStatic, 214, 98, 130, 9, kStyleNone, ""},
      {kIdPaintingLength, ControlKind::kEdit, 348, 96, 50, 13, kTab, ""},
      {kIdAdmixtureChromosomeLabel, ControlKind::kStatic, 10, 122, 300, 9, kStyleNone, ""},
      {kIdAdmixtureChromosome, ControlKind::kEdit, 316, 120, 30, 13, kStyleDigitsOnly | kTab, ""},
      {kIdAdmixtureWindowOnly, ControlKind::kCheckBox, 10, 142, 330, 12, kTab, ""},
      {kIdAdmixtureFromLabel, ControlKind::kStatic, 20, 164, 30, 9, kStyleRight, ""},
      {kIdAdmixtureWindowStart, ControlKind::kEdit, 54, 162, 70, 13, kStyleDigitsOnly | kTab, ""},
      {kIdAdmixtureToLabel, ControlKind::kStatic, 130, 164, 24, 9, kStyleRight, ""},
      {kIdAdmixtureWindowEnd, ControlKind::kEdit, 158, 162, 70, 13, kStyleDigitsOnly | kTab, ""},
      {kIdAdmixtureBasePairsLabel, ControlKind::kStatic, 234, 164, 60, 9, kStyleNone, ""},
      {kIdPaintingDrawZoomed, ControlKind::kCheckBox, 300, 162, 114, 12, kTab, ""},
      {kIdPaintingLevellingLabel, ControlKind::kStatic, 10, 188, 200, 9, kStyleNone, ""},
      {kIdPaintingLevelling, ControlKind::kEdit, 214, 186, 50, 13, kStyleDigitsOnly | kTab, ""},
      {kIdPaintingLevellingNote, ControlKind::kStatic, 10, 204, 404, 18, kStyleNone, ""},
      {kIdPaintingSamePopulationOnly, ControlKind::kCheckBox, 10, 232, 330, 12, kTab, ""},
      {kIdOk, ControlKind::kButton, 290, 262, 58, 15, kStyleDefaultButton | kTab, ""},
      {kIdCancel, ControlKind::kButton, 356, 262, 58, 15, kTab, ""},
  };
  return dialog;
}

}  // namespace

const DialogTemplate& PaintingTemplate() {
  static const DialogTemplate dialog = MakePaintingTemplate();
  return dialog;
}

}  // namespace varnik
