#include "predictor/haplotype_search.h"

namespace varnik {
namespace {

DialogTemplate MakeSearchTemplate() {
  DialogTemplate dialog;
  dialog.id = kHaplotypeSearchTemplate;
  dialog.caption = "Pretraga haplovrst";
  dialog.cx = 480;
  dialog.cy = 352;
  constexpr unsigned kTab = kStyleTabStop;
  constexpr unsigned kList = kStyleTabStop | kStyleVScroll;
  // Template order is the Tab order.
  dialog.controls = {
      {kIdSearchInputLabel, ControlKind::kStatic, 7, 6, 300, 10, kStyleNone, "Ulazni podaci"},
      {kIdSearchInput, ControlKind::kEdit, 7, 17, 300, 84, kStyleMultiLine | kStyleVScroll | kTab, ""},
      {kIdSearchOrder, ControlKind::kComboBox, 7, 106, 300, 120, kList, ""},
      {kIdOk, ControlKind::kButton, 7, 124, 80, 14, kTab | kStyleDefaultButton, "Trazi"},
      {kIdSearchManual, ControlKind::kButton, 92, 124, 105, 14, kTab, "Uputstvo"},
      {kIdSearchTemplate17, ControlKind::kButton, 202, 124, 105, 14, kTab, "Obrazac 17"},
      {kIdChooseCollections, ControlKind::kButton, 7, 142, 190, 14, kTab, "Zbirke..."},
      {kIdSettingsGroup, ControlKind::kGroupBox, 313, 4, 160, 58, kStyleNone, "Postavke"},
      {kIdMinCommonLabel, ControlKind::kStatic, 319, 16, 110, 10, kStyleNone, "Najmanje zajednickih"},
      {kIdMinCommon, ControlKind::kEdit, 432, 14, 34, 12, kTab, ""},
      {kIdMaxDiffLabel, ControlKind::kStatic, 319, 30, 110, 10, kStyleNone, "Najvise razlika"},
      {kIdMaxDiff, ControlKind::kEdit, 432, 28, 28, 12, kTab, ""},
      {-1, ControlKind::kStatic, 462, 30, 8, 10, kStyleNone, "%"},
      {kIdMaxShownLabel, ControlKind::kStatic, 319, 44, 110, 10, kStyleNone, "Najvise ispisanih"},
      {kIdMaxShown, ControlKind::kEdit, 432, 42, 34, 12, kTab, ""},
      {kIdConstraintsGroup, ControlKind::kGroupBox, 313, 64, 160, 104, kStyleNone, "Ogranicenja"},
      {kIdConstraintColumn[0], ControlKind::kComboBox, 319, 76, 90, 150, kList, ""},
      {kIdConstraintRange[0], ControlKind::kEdit, 414, 76, 52, 12, kTab, ""},
      {kIdConstraintColumn[1], ControlKind::kComboBox, 319, 91, 90, 150, kList, ""},
      {kIdConstraintRange[1], ControlKind::kEdit, 414, 91, 52, 12, kTab, ""},
      {kIdConstraintColumn[2], ControlKind::kComboBox, 319, 106, 90, 150, kList, ""},
      {kIdConstraintRange[2], ControlKind::kEdit, 414, 106, 52, 12, kTab, ""},
      {kIdConstraintColumn[3], ControlKind::kComboBox, 319, 121, 90, 150, kList, ""},
      {kIdConstraintRange[3], ControlKind::kEdit, 414, 121, 52, 12, kTab, ""},
      {kIdConstraintColumn[4], ControlKind::kComboBox, 319, 136, 90, 150, kList, ""},
      {kIdConstraintRange[4], ControlKind::kEdit, 414, 136, 52, 12, kTab, ""},
      {kIdConstraintColumn[5], ControlKind::kComboBox, 319, 151, 90, 150, kList, ""},
      {kIdConstraintRange[5], ControlKind::kEdit, 414, 151, 52, 12, kTab, ""},
      {kIdRanking, ControlKind::kComboBox, 313, 172, 160, 60, kList, ""},
      {kIdSearchResultsLabel, ControlKind::kStatic, 7, 176, 200, 10, kStyleNone, "Ishodi"},
      {kIdSearchResults, ControlKind::kEdit, 7, 188, 466, 140,
       kStyleMultiLine | kStyleReadOnly | kStyleVScroll | kStyleHScroll | kTab, ""},
      {kIdCancel, ControlKind::kButton, 393, 333, 80, 14, kTab, "Izlaz"},
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
