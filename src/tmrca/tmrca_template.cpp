// Template 138, the age estimator's dialog.  The tab order is the order of
// the controls here.
#include "tmrca/tmrca_dialog.h"

namespace varnik {

namespace {

DialogTemplate MakeTmrcaTemplate() {
  constexpr unsigned kTab = kStyleTabStop;
  DialogTemplate dialog;
  dialog.id = kTmrcaTemplateId;
  dialog.caption = "Starost najskorijega zajednickoga predka";
  dialog.cx = 609;
  dialog.cy = 338;
  dialog.controls = {
      {kIdTmrcaDescendantsLabel, ControlKind::kStatic, 12, 10, 240, 9, kStyleNone, ""},
      {kIdTmrcaDescendants, ControlKind::kEdit, 7, 22, 414, 60, kStyleMultiLine | kStyleVScroll | kTab, ""},
      {kIdTmrcaAncestorLabel, ControlKind::kStatic, 12, 85, 240, 9, kStyleNone, ""},
      {kIdTmrcaAncestor, ControlKind::kEdit, 7, 98, 414, 15, kTab, ""},
      {kIdTmrcaMarkerChoice, ControlKind::kComboBox, 428, 22, 175, 73, kStyleVScroll | kTab, ""},
      {kIdTmrcaMinMarkersLabel, ControlKind::kStatic, 433, 40, 124, 18, kStyleNone, ""},
      {kIdTmrcaMinMarkers, ControlKind::kEdit, 562, 40, 40, 12, kStyleDigitsOnly | kTab, ""},
      {kIdTmrcaAllowUnknown, ControlKind::kCheckBox, 435, 57, 164, 19, kTab, ""},
      {kIdTmrcaDetermineAncestor, ControlKind::kButton, 432, 82, 170, 20, kTab, ""},
      {kIdTmrcaTreemaker, ControlKind::kButton, 432, 105, 101, 24, kStyleDisabled | kTab, ""},
      {kIdTmrcaChangeOrder, ControlKind::kCheckBox, 542, 107, 56, 19, kStyleDisabled | kTab, ""},
      {kIdTmrcaResultLabel, ControlKind::kStatic, 14, 119, 73, 10, kStyleNone, ""},
      {kIdTmrcaResult, ControlKind::kEdit, 8, 132, 414, 116, kStyleMultiLine | kStyleReadOnly | kStyleVScroll | kTab,
       ""},
      {kIdTmrcaOrder, ControlKind::kComboBox, 428, 131, 175, 125, kStyleVScroll | kTab, ""},
      {kIdTmrcaGenerationsLabel, ControlKind::kStatic, 432, 159, 124, 18, kStyleNone, ""},
      {kIdTmrcaGenerations, ControlKind::kEdit, 561, 159, 40, 12, kStyleDigitsOnly | kTab, ""},
      {kIdTmrcaManual, ControlKind::kButton, 501, 188, 100, 14, kStyleHidden | kTab, ""},
      {kIdOk, ControlKind::kButton, 476, 213, 64, 14, kStyleDefaultButton | kTab, ""},
      {kIdCancel, ControlKind::kButton, 551, 213, 50, 14, kTab, ""},
      {kIdTmrcaGraphMode, ControlKind::kComboBox, 428, 236, 175, 152, kStyleVScroll | kTab, ""},
      {kIdTmrcaGraph, ControlKind::kOwnerDrawn, 8, 255, 593, 76, kStyleNone, ""},
  };
  return dialog;
}

}  // namespace

const DialogTemplate& TmrcaTemplate() {
  static const DialogTemplate dialog = MakeTmrcaTemplate();
  return dialog;
}

}  // namespace varnik
