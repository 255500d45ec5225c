#include "gui/dialog_controls.h"

#include <algorithm>

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include "gui/wx_dc_canvas.h"
#include "gui/wx_string.h"

namespace varnik {
namespace {

long EditStyle(unsigned style) {
  long wxStyle = 0;
  if (style & kStyleMultiLine) wxStyle |= wxTE_MULTILINE;
  if (style & kStyleReadOnly) wxStyle |= wxTE_READONLY;
  if (style & kStyleHScroll) wxStyle |= wxTE_DONTWRAP;
  if (style & kStyleVScroll) wxStyle |= wxVSCROLL;
  return wxStyle;
}

long StaticStyle(unsigned style) {
  long wxStyle = wxST_NO_AUTORESIZE;
  if (style & kStyleCenter) wxStyle |= wxALIGN_CENTRE_HORIZONTAL;
  if (style & kStyleRight) wxStyle |= wxALIGN_RIGHT;
  return wxStyle;
}

wxWindow* CreateEdit(wxWindow* dialog, const ControlTemplate& control, const wxPoint& at, const wxSize& size) {
  auto* edit = new wxTextCtrl(dialog, wxID_ANY, ToEditText(control.text), at, size, EditStyle(control.style));
  if (control.style & kStyleDigitsOnly) edit->SetValidator(wxTextValidator(wxFILTER_DIGITS));
  if (control.style & kStyleFixedFont) {
    edit->SetFont(wxFont(wxFontInfo(dialog->GetFont().GetPointSize()).Family(wxFONTFAMILY_TELETYPE)));
  }
  return edit;
}

// The toolkit's check marks may need more height than the template gives;
// the control then grows about its middle.
void FitHeight(wxWindow* window, const wxPoint& at, const wxSize& size) {
  const int height = std::max(size.y, window->GetBestSize().y);
  window->SetSize(at.x, at.y - (height - size.y) / 2, size.x, height);
}

}  // namespace

wxString ToEditText(std::string_view text) {
  wxString converted = ToWx(text);
  converted.Replace("\r\n", "\n");
  return converted;
}

std::string FromEditText(const wxString& text) {
  wxString converted = text;
  converted.Replace("\n", "\r\n");
  return FromWx(converted);
}

wxWindow* CreateControl(wxWindow* dialog, const ControlTemplate& control, bool startsGroup, DrawItemFn drawItem) {
  const wxPoint at = dialog->ConvertDialogToPixels(wxPoint(control.x, control.y));
  const wxSize size = dialog->ConvertDialogToPixels(wxSize(control.cx, control.cy));
  const wxString text = ToWx(control.text);
  wxWindow* window = nullptr;
  switch (control.kind) {
    case ControlKind::kStatic:
      window = new wxStaticText(dialog, wxID_ANY, text, at, size, StaticStyle(control.style));
      break;
    case ControlKind::kEdit:
      window = CreateEdit(dialog, control, at, size);
      break;
    case ControlKind::kButton: {
      auto* button = new wxButton(dialog, wxID_ANY, text, at, size);
      if (control.style & kStyleDefaultButton) button->SetDefault();
      window = button;
      break;
    }
    case ControlKind::kCheckBox:
      window = new wxCheckBox(dialog, wxID_ANY, text, at, wxSize(size.x, -1));
      FitHeight(window, at, size);
      break;
    case ControlKind::kRadioButton:
      window = new wxRadioButton(dialog, wxID_ANY, text, at, wxSize(size.x, -1), startsGroup ? wxRB_GROUP : 0);
      FitHeight(window, at, size);
      break;
    case ControlKind::kGroupBox:
      window = new wxStaticBox(dialog, wxID_ANY, text, at, size);
      break;
    case ControlKind::kListBox:
      window = new wxListBox(dialog, wxID_ANY, at, size, 0, nullptr,
                             wxLB_SINGLE | ((control.style & kStyleHScroll) ? wxLB_HSCROLL : 0));
      break;
    case ControlKind::kComboBox:
      // The template's height includes the opened list; the closed control
      // keeps its natural height.
      window = new wxChoice(dialog, wxID_ANY, at, wxSize(size.x, -1));
      break;
    case ControlKind::kOwnerDrawn:
      window = new OwnerDrawnControl(dialog, at, size, std::move(drawItem));
      break;
  }
  if (control.style & kStyleDisabled) window->Disable();
  if (control.style & kStyleHidden) window->Hide();
  return window;
}

OwnerDrawnControl::OwnerDrawnControl(wxWindow* parent, const wxPoint& position, const wxSize& size,
                                     DrawItemFn drawItem)
    : drawItem_(std::move(drawItem)) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Create(parent, wxID_ANY, position, size, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE);
  Bind(wxEVT_PAINT, &OwnerDrawnControl::OnPaint, this);
}

void OwnerDrawnControl::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  const wxSize size = GetClientSize();
  if (size.x <= 0 || size.y <= 0) return;
  wxBitmap buffer(size.x, size.y, 24);
  {
    wxMemoryDC memory(buffer);
    memory.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    memory.Clear();
    WxDcCanvas canvas(memory, Size{size.x, size.y});
    drawItem_(canvas, Rect{0, 0, size.x, size.y});
  }
  dc.DrawBitmap(buffer, 0, 0);
}

}  // namespace varnik
