// Template 139, the genome comparison dialog.  The tab order is the order
// of the controls here.
#include "autosomal/comparison_dialog.h"

namespace varnik {

namespace {

DialogTemplate MakeComparisonTemplate() {
  constexpr unsigned kTab = kStyleTabStop;
  DialogTemplate dialog;
  dialog.id = kComparisonTemplateId;
  dialog.caption = "Poredjenje genoma i srodnost roditelja";
  dialog.cx = 444;
  dialog.cy = 322;
  dialog.controls = {
      {kIdComparisonModeGenomes, ControlKind::kRadioButton, 10, 8, 200, 12, kStyleGroup | kTab, ""},
      {kIdComparisonModeRelatedness, ControlKind::kRadioButton, 220, 8, 200, 12, kStyleNone, ""},
  };
  for (int i = 0; i < CPoregjenjeUzoraka::kMaxSamples; ++i) {
    const int y = 28 + 21 * i;
    dialog.controls.push_back({kIdComparisonSlotLabel + i, ControlKind::kStatic, 10, y + 2, 110, 9, kStyleNone, ""});
    dialog.controls.push_back({kIdComparisonSlotCheck + i, ControlKind::kCheckBox, 122, y + 1, 12, 12, kTab, ""});
    dialog.controls.push_back({kIdComparisonSlotPath + i, ControlKind::kEdit, 138, y, 232, 13, kTab, ""});
    dialog.controls.push_back({kIdComparisonSlotBrowse + i, ControlKind::kButton, 376, y - 1, 58, 15, kTab, ""});
  }
  dialog.controls.push_back({kIdComparisonMinSnpsLabel, ControlKind::kStatic, 10, 160, 140, 9, kStyleNone, ""});
  dialog.controls.push_back({kIdComparisonMinCmLabel, ControlKind::kStatic, 10, 178, 140, 9, kStyleNone, ""});
  for (int i = 0; i < CPoregjenjeUzoraka::kMaxTableRows; ++i) {
    dialog.controls.push_back({kIdComparisonMinSnps + i, ControlKind::kEdit, 154 + 47 * i, 158, 42, 13,
                               kStyleDigitsOnly | kTab, ""});
  }
  for (int i = 0; i < CPoregjenjeUzoraka::kMaxTableRows; ++i) {
    dialog.controls.push_back({kIdComparisonMinCm + i, ControlKind::kEdit, 154 + 47 * i, 176, 42, 13, kTab, ""});
  }
  const std::vector<ControlTemplate> rest = {
      {kIdComparisonChromosomeLabel, ControlKind::kStatic, 10, 202, 300, 9, kStyleNone, ""},
      {kIdComparisonChromosome, ControlKind::kEdit, 316, 200, 30, 13, kStyleDigitsOnly | kTab, ""},
      {kIdComparisonWindowOnly, ControlKind::kCheckBox, 10, 220, 330, 12, kTab, ""},
      {kIdComparisonFromLabel, ControlKind::kStatic, 20, 240, 30, 9, kStyleRight, ""},
      {kIdComparisonWindowStart, ControlKind::kEdit, 54, 238, 70, 13, kStyleDigitsOnly | kTab, ""},
      {kIdComparisonToLabel, ControlKind::kStatic, 130, 240, 24, 9, kStyleRight, ""},
      {kIdComparisonWindowEnd, ControlKind::kEdit, 158, 238, 70, 13, kStyleDigitsOnly | kTab, ""},
      {kIdComparisonBasePairsLabel, ControlKind::kStatic, 234, 240, 100, 9, kStyleNone, ""},
      {kIdComparisonMarkTooShort, ControlKind::kCheckBox, 10, 260, 330, 12, kTab, ""},
      {kIdComparisonMarkUncomparable, ControlKind::kCheckBox, 10, 276, 330, 12, kTab, ""},
      {kIdOk, ControlKind::kButton, 310, 298, 58, 15, kStyleDefaultButton | kTab, ""},
      {kIdCancel, ControlKind::kButton, 376, 298, 58, 15, kTab, ""},
  };
  dialog.controls.insert(dialog.controls.end(), rest.begin(), rest.end());
  return dialog;
}

}  // namespace

const DialogTemplate& ComparisonTemplate() {
  static const DialogTemplate dialog = MakeComparisonTemplate();
  return dialog;
}

}  // namespace varnik
