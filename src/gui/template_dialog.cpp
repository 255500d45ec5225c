#include "gui/template_dialog.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>
#include <utility>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "gui/dialog_controls.h"
#include "gui/dialog_style.h"
#include "gui/wx_dc_canvas.h"
#include "gui/wx_string.h"

namespace varnik {

namespace {

// The widest a dialog may be at the desktop's font, and the smallest font
// it may take to stay so.
constexpr int kMaxDialogWidth = 1000;
constexpr long kMinDialogPoints = 6;

}  // namespace

TemplateDialog::TemplateDialog(wxWindow* parent, const DialogTemplate& dialog, DialogLogic& logic)
    : template_(dialog),
      logic_(logic),
      dialog_(new wxDialog(parent, wxID_ANY, ToWx(TitleText(dialog.caption)), wxDefaultPosition, wxDefaultSize,
                           wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX)) {
  Build();
}

TemplateDialog::~TemplateDialog() {
  // Events that arrive while the windows go away (focus changes) must not
  // reach the logic.  The dialog is deleted at once, not at the next idle
  // time, because its event handlers refer to this object.  A modeless
  // dialog may already be gone with its owner; the weak reference is then
  // null.
  ended_ = true;
  delete dialog_.get();
}

void TemplateDialog::Build() {
  // Dialog units derive from the template's font.  Its point size was
  // chosen next to the classic desktop's 9-point font, so it grows or
  // shrinks with this desktop's font, and the whole dialog with it (whole
  // points: the toolkit draws labels in whole points only).
  constexpr double kClassicDesktopPoints = 9.0;
  wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  const double desktopPoints = font.GetFractionalPointSize();
  const long points =
      desktopPoints > 0 ? std::lround(template_.fontSize * desktopPoints / kClassicDesktopPoints) : template_.fontSize;
  // A dialog wider than kMaxDialogWidth gets a smaller font, to the point
  // where it fits.
  for (long size = std::max(points, 1L);; --size) {
    font.SetPointSize(static_cast<int>(size));
    dialog_->SetFont(font);
    if (size <= kMinDialogPoints || DialogUnits::Of(dialog_).Size(template_.cx, 0).x <= kMaxDialogWidth) break;
  }
  ApplyCompactDialogStyle(dialog_);
  units_ = DialogUnits::Of(dialog_, VerticalStretch(dialog_, template_));
  const DialogUnits& units = units_;
  dialog_->SetClientSize(units.Size(template_.cx, template_.cy));

  // Creation order is the tab order.
  ControlKind previous = ControlKind::kStatic;
  for (const ControlTemplate& entry : template_.controls) {
    const bool startsGroup = (entry.style & kStyleGroup) != 0 || previous != ControlKind::kRadioButton;
    const int id = entry.id;
    wxWindow* window = CreateControl(dialog_, units, entry, startsGroup, [this, id](Canvas& canvas, const Rect& rect) {
      logic_.OnDrawItem(id, canvas, rect);
    });
    controls_.push_back({&entry, window});
    BindEvents(controls_.back());
    previous = entry.kind;
  }
  dialog_->Bind(wxEVT_CHAR_HOOK, &TemplateDialog::OnCharHook, this);
  dialog_->Bind(wxEVT_CLOSE_WINDOW, &TemplateDialog::OnClose, this);
  dialog_->Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& event) {
    if (pendingFocus_ != nullptr) pendingFocus_->SetFocus();
    pendingFocus_ = nullptr;
    event.Skip();
  });
}

void TemplateDialog::BindEvents(const Control& control) {
  const int id = control.entry->id;
  if (id == -1) return;
  wxWindow* window = control.window;
  const auto send = [this, id](int notification) {
    return [this, id, notification](wxCommandEvent&) { Dispatch(id, notification); };
  };
  switch (control.entry->kind) {
    case ControlKind::kButton:
      window->Bind(wxEVT_BUTTON, send(kNotifyClicked));
      break;
    case ControlKind::kCheckBox:
      window->Bind(wxEVT_CHECKBOX, send(kNotifyClicked));
      break;
    case ControlKind::kRadioButton:
      window->Bind(wxEVT_RADIOBUTTON, send(kNotifyClicked));
      break;
    case ControlKind::kListBox:
      window->Bind(wxEVT_LISTBOX, send(kNotifySelChange));
      window->Bind(wxEVT_LISTBOX_DCLICK, send(kNotifyDoubleClick));
      break;
    case ControlKind::kComboBox:
      window->Bind(wxEVT_CHOICE, send(kNotifySelChange));
      break;
    case ControlKind::kEdit:
      window->Bind(wxEVT_TEXT, [this, id](wxCommandEvent&) { OnEditChanged(id); });
      window->Bind(wxEVT_KILL_FOCUS, [this, id](wxFocusEvent& event) {
        event.Skip();
        Dispatch(id, kNotifyKillFocus);
      });
      break;
    default:
      break;
  }
}

const TemplateDialog::Control* TemplateDialog::Find(int id) const {
  for (const Control& control : controls_) {
    if (control.entry->id == id) return &control;
  }
  return nullptr;
}

const TemplateDialog::Control* TemplateDialog::FindByWindow(const wxWindow* window) const {
  // The focus may sit in an inner window of a control.
  for (; window != nullptr && window != dialog_.get(); window = window->GetParent()) {
    for (const Control& control : controls_) {
      if (control.window == window) return &control;
    }
  }
  return nullptr;
}

wxWindow* TemplateDialog::Window(int id) const {
  const Control* control = Find(id);
  return control != nullptr ? control->window : nullptr;
}

void TemplateDialog::Dispatch(int id, int notification) {
  if (ended_) return;
  logic_.OnCommand(*this, id, notification);
}

// The user's typing or pasting that would make a limited edit box longer
// than its limit is cut back to it, from the end of what was inserted (the
// caret), with a beep.  A text the program made longer may shrink but not
// grow.
void TemplateDialog::OnEditChanged(int id) {
  if (cutting_) return;
  const auto limit = textLimits_.find(id);
  if (limit != textLimits_.end()) {
    auto* edit = static_cast<wxTextCtrl*>(Window(id));
    const long length = edit->GetLastPosition();
    const long bound = std::max(limit->second.maxChars, limit->second.length);
    if (length > bound) {
      const long end = std::max(edit->GetInsertionPoint(), length - bound);
      cutting_ = true;
      edit->Remove(end - (length - bound), end);
      cutting_ = false;
      wxBell();
    }
    limit->second.length = edit->GetLastPosition();
  }
  Dispatch(id, kNotifyEditChange);
}

void TemplateDialog::FitTexts() {
  std::vector<std::pair<const ControlTemplate*, wxWindow*>> controls;
  controls.reserve(controls_.size());
  for (const Control& control : controls_) controls.emplace_back(control.entry, control.window);
  FitControlsToTexts(dialog_, units_, template_, controls);
  // Texts that make the dialog too wide get a smaller font, the whole
  // dialog with them.
  while (dialog_->GetSize().x > kMaxDialogWidth && dialog_->GetFont().GetPointSize() > kMinDialogPoints) {
    wxFont font = dialog_->GetFont();
    font.SetPointSize(font.GetPointSize() - 1);
    dialog_->SetFont(font);
    units_ = DialogUnits::Of(dialog_, VerticalStretch(dialog_, template_));
    dialog_->SetClientSize(units_.Size(template_.cx, template_.cy));
    for (const Control& control : controls_) PlaceControl(control.window, units_, *control.entry, font);
    FitControlsToTexts(dialog_, units_, template_, controls);
  }
  fitted_ = true;
}

int TemplateDialog::Run() {
  logic_.OnInit(*this);
  if (!ended_) FitTexts();
  if (!ended_) {
    running_ = true;
    dialog_->ShowModal();
    running_ = false;
  }
  return result_;
}

void TemplateDialog::InitModeless(std::function<void()> onEnded) {
  onEnded_ = std::move(onEnded);
  logic_.OnInit(*this);
  if (!ended_) FitTexts();
}

void TemplateDialog::ShowModeless() {
  if (ended_) return;
  dialog_->Show();
  if (pendingFocus_ != nullptr) pendingFocus_->SetFocus();
  pendingFocus_ = nullptr;
}

bool TemplateDialog::HasFocusInside() const {
  for (const wxWindow* window = wxWindow::FindFocus(); window != nullptr; window = window->GetParent()) {
    if (window == dialog_.get()) return true;
  }
  return false;
}

// Enter presses the focused push button, or else the default button (the
// OK button when the template names none); a multi-line edit box that wants
// Enter keeps it for a new line.
bool TemplateDialog::PressEnter() {
  const Control* focused = FindByWindow(wxWindow::FindFocus());
  if (focused != nullptr) {
    const unsigned style = focused->entry->style;
    if (focused->entry->kind == ControlKind::kEdit && (style & kStyleMultiLine) && (style & kStyleWantReturn)) {
      return false;
    }
    if (focused->entry->kind == ControlKind::kButton && focused->entry->id != -1) {
      Dispatch(focused->entry->id, kNotifyClicked);
      return true;
    }
  }
  int defaultId = kIdOk;
  for (const Control& control : controls_) {
    if (control.entry->kind == ControlKind::kButton && (control.entry->style & kStyleDefaultButton)) {
      defaultId = control.entry->id;
      break;
    }
  }
  const Control* button = Find(defaultId);
  if (button != nullptr && (!button->window->IsEnabled() || !button->window->IsShown())) return true;
  Dispatch(defaultId, kNotifyClicked);
  return true;
}

// Tab and Shift+Tab go to the next or previous visible and enabled tab
// stop in template order, wrapping around, from any control (a multi-line
// edit box passes Tab on too); an edit box reached so has its text
// selected.  The toolkit's own order would also stop at controls that are
// no tab stops.
bool TemplateDialog::MoveFocus(bool forward) {
  const int count = static_cast<int>(controls_.size());
  if (count == 0) return false;
  const Control* current = FindByWindow(wxWindow::FindFocus());
  const int from = current != nullptr ? static_cast<int>(current - controls_.data()) : (forward ? -1 : count);
  for (int step = 1; step <= count; ++step) {
    const int index = ((from + (forward ? step : -step)) % count + count) % count;
    const Control& control = controls_[static_cast<std::size_t>(index)];
    if ((control.entry->style & kStyleTabStop) == 0 || !control.window->IsShown() || !control.window->IsEnabled()) {
      continue;
    }
    control.window->SetFocus();
    if (control.entry->kind == ControlKind::kEdit) static_cast<wxTextCtrl*>(control.window)->SelectAll();
    return true;
  }
  return false;
}

void TemplateDialog::OnCharHook(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  if (key == WXK_ESCAPE && !event.HasAnyModifiers()) {
    if (template_.escapeCloses) Dispatch(kIdCancel, kNotifyClicked);
    return;
  }
  if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && !event.HasAnyModifiers() && PressEnter()) return;
  if (key == WXK_TAB && (event.GetModifiers() & ~wxMOD_SHIFT) == 0 && MoveFocus(!event.ShiftDown())) return;
  event.Skip();
}

void TemplateDialog::OnClose(wxCloseEvent& event) {
  if (!event.CanVeto()) {
    EndDialog(kIdCancel);
    return;
  }
  // The logic decides whether the dialog ends.
  event.Veto();
  if (template_.escapeCloses) Dispatch(kIdCancel, kNotifyClicked);
}

std::string TemplateDialog::GetText(int id) {
  const Control* control = Find(id);
  if (control == nullptr) return {};
  wxWindow* window = control->window;
  switch (control->entry->kind) {
    case ControlKind::kEdit:
      return FromEditText(static_cast<wxTextCtrl*>(window)->GetValue());
    case ControlKind::kListBox:
      return FromWx(static_cast<wxListBox*>(window)->GetStringSelection());
    case ControlKind::kProgressBar:
      return std::to_string(static_cast<wxGauge*>(window)->GetValue());
    case ControlKind::kComboBox:
      return FromWx(static_cast<wxChoice*>(window)->GetStringSelection());
    default:
      return FromWx(window->GetLabel());
  }
}

void TemplateDialog::SetText(int id, std::string_view text) {
  const Control* control = Find(id);
  if (control == nullptr) return;
  switch (control->entry->kind) {
    case ControlKind::kEdit:
      // Only the user's edits notify the logic of a changed text.
      static_cast<wxTextCtrl*>(control->window)->ChangeValue(ToEditText(text));
      if (const auto limit = textLimits_.find(id); limit != textLimits_.end()) {
        limit->second.length = static_cast<wxTextCtrl*>(control->window)->GetLastPosition();
      }
      break;
    case ControlKind::kListBox:
    case ControlKind::kComboBox:
      break;
    case ControlKind::kProgressBar: {
      int percent = 0;
      for (std::size_t at = 0; at < text.size() && text[at] >= '0' && text[at] <= '9' && percent <= 100; ++at) {
        percent = percent * 10 + (text[at] - '0');
      }
      static_cast<wxGauge*>(control->window)->SetValue(std::min(percent, 100));
      break;
    }
    default:
      control->window->SetLabel(ToWx(text));
      // The toolkit may make a new label for a button.
      if (control->entry->kind == ControlKind::kButton) LetLabelShrink(control->window);
      // A text that no longer fits widens its control (measuring is cheap,
      // fitting the whole dialog is not: progress lines change often).
      if (fitted_ && WidthForText(control->window, control->entry->kind) > control->window->GetSize().x) FitTexts();
      break;
  }
}

void TemplateDialog::Enable(int id, bool enable) {
  if (const Control* control = Find(id)) control->window->Enable(enable);
}

bool TemplateDialog::IsEnabled(int id) {
  const Control* control = Find(id);
  return control != nullptr && control->window->IsThisEnabled();
}

void TemplateDialog::Show(int id, bool show) {
  if (const Control* control = Find(id)) control->window->Show(show);
}

bool TemplateDialog::IsVisible(int id) {
  const Control* control = Find(id);
  return control != nullptr && control->window->IsShown();
}

bool TemplateDialog::IsChecked(int id) {
  const Control* control = Find(id);
  if (control == nullptr) return false;
  if (auto* box = dynamic_cast<wxCheckBox*>(control->window)) return box->GetValue();
  if (auto* radio = dynamic_cast<wxRadioButton*>(control->window)) return radio->GetValue();
  return false;
}

void TemplateDialog::SetChecked(int id, bool checked) {
  const Control* control = Find(id);
  if (control == nullptr) return;
  if (auto* box = dynamic_cast<wxCheckBox*>(control->window)) box->SetValue(checked);
  if (auto* radio = dynamic_cast<wxRadioButton*>(control->window)) radio->SetValue(checked);
}

// The toolkit's own length limit (SetMaxLength) works for single-line boxes
// only and also cuts the program's text, so the limit is kept here for both.
void TemplateDialog::SetTextLimit(int id, std::size_t maxChars) {
  const Control* control = Find(id);
  if (control == nullptr || control->entry->kind != ControlKind::kEdit) return;
  if (maxChars == 0) {
    textLimits_.erase(id);
    return;
  }
  const long length = static_cast<wxTextCtrl*>(control->window)->GetLastPosition();
  textLimits_[id] = {static_cast<long>(std::min<std::size_t>(maxChars, LONG_MAX)), length};
}

namespace {

// List boxes and drop-down lists share the toolkit's item interface.
wxItemContainer* Items(wxWindow* window) { return dynamic_cast<wxItemContainer*>(window); }

}  // namespace

void TemplateDialog::ClearItems(int id) {
  const Control* control = Find(id);
  if (control == nullptr) return;
  if (wxItemContainer* items = Items(control->window)) items->Clear();
}

void TemplateDialog::AddItem(int id, std::string_view text) {
  const Control* control = Find(id);
  if (control == nullptr) return;
  if (wxItemContainer* items = Items(control->window)) items->Append(ToWx(text));
}

int TemplateDialog::ItemCount(int id) {
  const Control* control = Find(id);
  wxItemContainer* items = control != nullptr ? Items(control->window) : nullptr;
  return items != nullptr ? static_cast<int>(items->GetCount()) : 0;
}

std::string TemplateDialog::ItemText(int id, int index) {
  const Control* control = Find(id);
  wxItemContainer* items = control != nullptr ? Items(control->window) : nullptr;
  if (items == nullptr || index < 0 || static_cast<unsigned>(index) >= items->GetCount()) return {};
  return FromWx(items->GetString(static_cast<unsigned>(index)));
}

int TemplateDialog::GetSelection(int id) {
  const Control* control = Find(id);
  wxItemContainer* items = control != nullptr ? Items(control->window) : nullptr;
  return items != nullptr ? items->GetSelection() : -1;
}

void TemplateDialog::SetSelection(int id, int index) {
  const Control* control = Find(id);
  wxItemContainer* items = control != nullptr ? Items(control->window) : nullptr;
  if (items == nullptr) return;
  if (index < 0 || static_cast<unsigned>(index) >= items->GetCount()) index = wxNOT_FOUND;
  items->SetSelection(index);
}

void TemplateDialog::SetFocus(int id) {
  const Control* control = Find(id);
  if (control == nullptr) return;
  // Before the dialog is shown the focus is given when it appears.
  if (dialog_->IsShown()) {
    control->window->SetFocus();
  } else {
    pendingFocus_ = control->window;
  }
}

void TemplateDialog::Redraw(int id) {
  if (const Control* control = Find(id)) {
    control->window->Refresh(false);
    control->window->Update();
  }
}

void TemplateDialog::SetCaption(std::string_view text) { dialog_->SetTitle(ToWx(TitleText(text))); }

void TemplateDialog::EndDialog(int result) {
  if (ended_) return;
  ended_ = true;
  result_ = result;
  if (running_) {
    dialog_->EndModal(result);
  } else if (onEnded_) {
    dialog_->Hide();
    onEnded_();
  }
}

void TemplateDialog::EnableWindow(bool enable) { dialog_->Enable(enable); }

bool TemplateDialog::IsWindowEnabled() { return dialog_->IsEnabled(); }

void TemplateDialog::FocusWindow() {
  dialog_->Raise();
  dialog_->SetFocus();
}

}  // namespace varnik
