#include "shell/progress_dialog.h"

#include "texts/text_table.h"

namespace varnik {

namespace {

DialogTemplate MakeTmrcaTemplate() {
  DialogTemplate dialog;
  dialog.id = kProgressTemplateTmrca;
  dialog.caption = "Pracenje proracuna";
  dialog.cx = 324;
  dialog.cy = 109;
  dialog.escapeCloses = false;
  dialog.controls = {
      {kIdStopButton, ControlKind::kButton, 113, 86, 102, 14, kStyleTabStop, "Prekini postupak"},
      {kIdStatusLine1, ControlKind::kStatic, 25, 29, 270, 11, kStyleNone, ""},
      {kIdProgressBar, ControlKind::kProgressBar, 25, 44, 270, 10, kStyleNone, ""},
      {kIdProgressTask, ControlKind::kStatic, 25, 61, 150, 11, kStyleNone, ""},
      {kIdStatusLine2, ControlKind::kStatic, 180, 61, 115, 11, kStyleNone, ""},
      {kIdOk, ControlKind::kButton, 52, 88, 44, 11, kStyleHidden | kStyleTabStop, "Ok"},
  };
  return dialog;
}

DialogTemplate MakeAdmixtureTemplate() {
  DialogTemplate dialog;
  dialog.id = kProgressTemplateAdmixture;
  dialog.caption = "Pracenje proracuna";
  dialog.cx = 329;
  dialog.cy = 242;
  dialog.escapeCloses = false;
  dialog.controls = {
      {kIdStopButton, ControlKind::kButton, 192, 222, 102, 14, kStyleTabStop, "Prekini postupak"},
      {kIdStatusLine1, ControlKind::kStatic, 7, 29, 314, 11, kStyleNone, ""},
      {kIdProgressBar, ControlKind::kProgressBar, 7, 44, 314, 10, kStyleNone, ""},
      {kIdProgressTask, ControlKind::kStatic, 7, 61, 150, 11, kStyleNone, ""},
      {kIdStatusLine2, ControlKind::kStatic, 162, 61, 159, 11, kStyleNone, ""},
      {kIdOk, ControlKind::kButton, 120, 222, 64, 14, kStyleHidden | kStyleTabStop, "Ok"},
      {kIdRunningResults, ControlKind::kEdit, 24, 93, 270, 119, kStyleMultiLine | kStyleReadOnly | kStyleVScroll,
       ""},
  };
  return dialog;
}

}  // namespace

int PercentOf(std::string_view statusLine) {
  int value = 0;
  std::size_t at = 0;
  while (at < statusLine.size() && statusLine[at] >= '0' && statusLine[at] <= '9' && value <= 100) {
    value = value * 10 + (statusLine[at++] - '0');
  }
  if (at == 0 || value > 100) return -1;
  while (at < statusLine.size() && statusLine[at] == ' ') ++at;
  return at < statusLine.size() && statusLine[at] == '%' ? value : -1;
}

const DialogTemplate& ProgressTemplateTmrca() {
  static const DialogTemplate dialog = MakeTmrcaTemplate();
  return dialog;
}

const DialogTemplate& ProgressTemplateAdmixture() {
  static const DialogTemplate dialog = MakeAdmixtureTemplate();
  return dialog;
}

void ProgressDialogLogic::OnInit(DialogView& view) {
  view.SetText(kIdStopButton, TextById(kTextStopCalculation));
  view.SetFocus(kIdStopButton);
}

void ProgressDialogLogic::OnCommand(DialogView& view, int id, int notification) {
  if (notification != kNotifyClicked) return;
  if (id == kIdOk) {
    view.EndDialog(0);
  } else if (id == kIdStopButton) {
    stop_ = 1;
  }
}

}  // namespace varnik
