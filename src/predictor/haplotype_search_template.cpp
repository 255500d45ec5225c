#include "predictor/haplotype_search.h"

namespace varnik {
namespace {

DialogTemplate MakeSearchTemplate() {
  DialogTemplate dialog;
  dialog.id = kHaplotypeSearchTemplate;
  dialog.caption = "Pretraga haplovrst";
  dialog.cx = 490;
  dialog.cy = 352;
  constexpr unsigned kTab = kStyleTabStop;
  constexpr unsigned kList = kStyleTabStop | kStyleVScroll;
  // Template order is the Tab order.
  dialog.controls = {
      {kIdSearchInputLabel, ControlKind::kStatic, 7, 6, 280, 10, kStyleNone, "Ulazni podaci"},
      {kIdSearchInput, ControlKind::kEdit, 7, 17, 280, 84, kStyleMultiLine | kStyleVScroll | kTab, ""},
      {kIdSearchOrder, ControlKind::kComboBox, 7, 106, 280, 120, kList, ""},
      {kIdOk, ControlKind::kButton, 7, 124, 80, 14, kTab | kStyleDefaultButton, "Trazi"},
      {kIdSearchManual, ControlKind::kButton, 92, 124, 195, 14, kTab, "Uputstvo"},
      {kIdChooseCollections, ControlKind::kButton, 7, 142, 165, 14, kTab, "Zbirke..."},
      {kIdSearchTemplate17, ControlKind::kButton, 177, 142, 110, 14, kTab, "Obrazac 17"},
      {kIdSettingsGroup, ControlKind::kGroupBox, 293, 4, 190, 58, kStyleNone, "Postavke"},
      {kIdMinCommonLabel, ControlKind::kStatic, 299, 16, 132, 10, kStyleNone, "Najmanje zajednickih"},
      {kIdMinCommon, ControlKind::kEdit, 433, 14, 36, 12, kTab, ""},
      {kIdMaxDiffLabel, ControlKind::kStatic, 299, 30, 132, 10, kStyleNone, "Najvise razlika"},
      {kIdMaxDiff, ControlKind::kEdit, 433, 28, 36, 12, kTab, ""},
      {-1, ControlKind::kStatic, 471, 30, 8, 10, kStyleNone, "%"},
      {kIdMaxShownLabel, ControlKind::kStatic, 299, 44, 132, 10, kStyleNone, "Najvise ispisanih"},
      {kIdMaxShown, ControlKind::kEdit, 433, 42, 36, 12, kTab, ""},
      {kIdConstraintsGroup, ControlKind::kGroupBox, 293, 64, 190, 104, kStyleNone, "Ogranicenja"},
      {kIdConstraintColumn[0], ControlKind::kComboBox, 299, 76, 116, 150, kList, ""},
      {kIdConstraintRange[0], ControlKind::kEdit, 420, 76, 56, 12, kTab, ""},
      {kIdConstraintColumn[1], ControlKind::kComboBox, 299, 91, 116, 150, kList, ""},
      {kIdConstraintRange[1], ControlKind::kEdit, 420, 91, 56, 12, kTab, ""},
      {kIdConstraintColumn[2], ControlKind::kComboBox, 299, 106, 116, 150, kList, ""},
      {kIdConstraintRange[2], ControlKind::kEdit, 420, 106, 56, 12, kTab, ""},
      {kIdConstraintColumn[3], ControlKind::kComboBox, 299, 121, 116, 150, kList, ""},
      {kIdConstraintRange[3], ControlKind::kEdit, 420, 121, 56, 12, kTab, ""},
      {kIdConstraintColumn[4], ControlKind::kComboBox, 299, 136, 116, 150, kList, ""},
      {kIdConstraintRange[4], ControlKind::kEdit, 420, 136, 56, 12, kTab, ""},
      {kIdConstraintColumn[5], ControlKind::kComboBox, 299, 151, 116, 150, kList, ""},
      {kIdConstraintRange[5], ControlKind::kEdit, 420, 151, 56, 12, kTab, ""},
      {kIdRanking, ControlKind::kComboBox, 293, 172, 190, 60, kList, ""},
      {kIdSearchResultsLabel, ControlKind::kStatic, 7, 176, 200, 10, kStyleNone, "Ishodi"},
      {kIdSearchResults, ControlKind::kEdit, 7, 188, 476, 140,
       kStyleMultiLine | kStyleReadOnly | kStyleVScroll | kStyleHScroll | kTab, ""},
      {kIdCancel, ControlKind::kButton, 403, 333, 80, 14, kTab, "Izlaz"},
  };
  return dialog;
}

DialogTemplate MakeChooserTemplate() {
  DialogTemplate dialog;
  dialog.id = kCollectionChooserTemplate;
  dialog.caption = "Odabir zbirki";
  dialog.cx = 400;
  dialog.cy = 184;
  for (int c = 0; c < kCollectionCount; ++c) {
    dialog.controls.push_back({kIdCollectionBox0 + c, ControlKind::kCheckBox, 7, 7 + 14 * c, 386, 10,
                               kStyleTabStop, "Zbirka"});
  }
  dialog.controls.push_back({kIdAllOn, ControlKind::kButton, 7, 164, 90, 14, kStyleTabStop, "Sve"});
  dialog.controls.push_back({kIdAllOff, ControlKind::kButton, 102, 164, 90, 14, kStyleTabStop, "Nijedna"});
  dialog.controls.push_back(
      {kIdOk, ControlKind::kButton, 228, 164, 80, 14, kStyleTabStop | kStyleDefaultButton, "U redu"});
  dialog.controls.push_back({kIdCancel, ControlKind::kButton, 313, 164, 80, 14, kStyleTabStop, "Otkazi"});
  return dialog;
}

}  // namespace

const DialogTemplate& HaplotypeSearchTemplate() {
  static const DialogTemplate dialog = MakeSearchTemplate();
  return dialog;
}

const DialogTemplate& CollectionChooserTemplate() {
  static const DialogTemplate dialog = MakeChooserTemplate();
  return dialog;
}

}  // namespace varnik
