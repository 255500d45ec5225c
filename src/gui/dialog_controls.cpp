#include "gui/dialog_controls.h"

#include <algorithm>
#include <cmath>

#include <wx/arrstr.h>
#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/control.h>
#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include "gui/dialog_style.h"
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

DialogUnits DialogUnits::Of(const wxWindow* dialog, double stretch) {
  // The toolkit converts whole hundreds of units exactly.
  const wxSize hundred = dialog->ConvertDialogToPixels(wxSize(100, 100));
  return {hundred.x / 100.0, hundred.y / 100.0 * stretch};
}

wxPoint DialogUnits::Point(int dx, int dy) const {
  return {static_cast<int>(std::lround(dx * x)), static_cast<int>(std::lround(dy * y))};
}

wxSize DialogUnits::Size(int dx, int dy) const {
  return {static_cast<int>(std::lround(dx * x)), static_cast<int>(std::lround(dy * y))};
}

wxRect DialogUnits::Cell(const ControlTemplate& control) const {
  const wxPoint from = Point(control.x, control.y);
  const wxPoint to = Point(control.x + control.cx, control.y + control.cy);
  return {from, wxSize(to.x - from.x, to.y - from.y)};
}

double VerticalStretch(wxWindow* window, const DialogTemplate& dialog) {
  // Sample controls of each kind, measured with the window's font and
  // style and then destroyed.
  int buttonHeight = 0, comboHeight = 0, editHeight = 0;
  const auto measure = [](wxWindow* sample) {
    const int height = sample->GetBestSize().y;
    sample->Destroy();
    return height;
  };
  const DialogUnits units = DialogUnits::Of(window);
  double stretch = 1.0;
  for (const ControlTemplate& control : dialog.controls) {
    int needed = 0;
    int cell = control.cy;
    switch (control.kind) {
      case ControlKind::kButton:
        // Exact fit: the toolkit's usual button size is not a minimum.
        if (buttonHeight == 0) {
          buttonHeight = measure(new wxButton(window, wxID_ANY, "Ag", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT));
        }
        needed = buttonHeight;
        break;
      case ControlKind::kComboBox:
        if (comboHeight == 0) {
          const wxString item = "Ag";
          comboHeight = measure(new wxChoice(window, wxID_ANY, wxDefaultPosition, wxDefaultSize, 1, &item));
        }
        needed = comboHeight;
        cell = kClosedComboHeight;
        break;
      case ControlKind::kEdit:
        if (control.style & kStyleMultiLine) continue;
        if (editHeight == 0) editHeight = measure(new wxTextCtrl(window, wxID_ANY, "Ag"));
        needed = editHeight;
        break;
      default:
        continue;
    }
    const double cellHeight = cell * units.y;
    if (cellHeight > 0 && needed > cellHeight) stretch = std::max(stretch, needed / cellHeight);
  }
  return stretch;
}

namespace {

// The natural width of a sample caption control (button, check box, radio
// button) of `window`'s kind and font showing `text`; the sample is
// destroyed again.  `exactFit` drops a button's usual padding.
int SampleWidth(wxWindow* window, ControlKind kind, const wxString& text, bool exactFit) {
  wxWindow* parent = window->GetParent();
  wxWindow* sample = nullptr;
  switch (kind) {
    case ControlKind::kButton:
      sample = new wxButton(parent, wxID_ANY, text, wxDefaultPosition, wxDefaultSize, exactFit ? wxBU_EXACTFIT : 0);
      break;
    case ControlKind::kCheckBox:
      sample = new wxCheckBox(parent, wxID_ANY, text);
      break;
    case ControlKind::kRadioButton:
      sample = new wxRadioButton(parent, wxID_ANY, text);
      break;
    default:
      return 0;
  }
  sample->SetFont(window->GetFont());
  const int width = sample->GetBestSize().x;
  sample->Destroy();
  return width;
}

// The width a caption control needs to show `text` whole.  A button's
// usual padding is what a long caption adds beyond its exact fit (a short
// one would give the toolkit's least button width instead).
int CaptionWidth(wxWindow* window, ControlKind kind, const wxString& text) {
  if (kind != ControlKind::kButton) return SampleWidth(window, kind, text, false);
  const wxString longCaption(wxUniChar('M'), 40);
  const int padding =
      SampleWidth(window, kind, longCaption, false) - SampleWidth(window, kind, longCaption, true);
  return SampleWidth(window, kind, text, true) + std::max(padding, 0);
}

int LongestLine(const wxWindow* window, const wxString& text) {
  int widest = 0;
  for (const wxString& line : wxSplit(text, '\n', '\0')) widest = std::max(widest, window->GetTextExtent(line).x);
  return widest;
}

// A label's text as shown, without mnemonic marks.
wxString ShownLabel(const wxWindow* window) {
  const auto* control = dynamic_cast<const wxControl*>(window);
  return control != nullptr ? control->GetLabelText() : window->GetLabel();
}

}  // namespace

int WidthForText(wxWindow* window, ControlKind kind) {
  switch (kind) {
    case ControlKind::kStatic:
      return LongestLine(window, ShownLabel(window)) + 1;
    case ControlKind::kButton:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton: {
      const wxControl* control = dynamic_cast<const wxControl*>(window);
      return control == nullptr || control->GetLabel().empty() ? 0 : CaptionWidth(window, kind, control->GetLabel());
    }
    case ControlKind::kGroupBox:
      // The caption sits on the frame after a short indent.
      return LongestLine(window, ShownLabel(window)) + 4 * window->GetCharWidth();
    case ControlKind::kComboBox:
      return static_cast<wxChoice*>(window)->GetCount() > 0 ? window->GetBestSize().x : 0;
    default:
      return 0;
  }
}

void FitControlsToTexts(wxWindow* dialog, const DialogUnits& units, const DialogTemplate& dialogTemplate,
                        const std::vector<std::pair<const ControlTemplate*, wxWindow*>>& controls) {
  const std::size_t count = controls.size();
  std::vector<wxRect> cells(count);
  std::vector<int> lack(count, 0), shift(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    const auto& [entry, window] = controls[i];
    cells[i] = units.Cell(*entry);
    lack[i] = std::max(0, WidthForText(window, entry->kind) - cells[i].width);
  }
  const auto sameRows = [&](std::size_t a, std::size_t b) {
    const wxRect& one = cells[a];
    const wxRect& two = cells[b];
    return one.y < two.y + two.height && two.y < one.y + one.height;
  };
  const auto holds = [&](std::size_t box, std::size_t inner) {
    return controls[box].first->kind == ControlKind::kGroupBox && box != inner && cells[box].Contains(cells[inner]);
  };
  // A control moves by the most that a control left of it in its rows
  // grows or moves; a group box grows with what it holds.  Each round can
  // only raise the numbers, and a chain is at most as long as the list.
  for (std::size_t round = 0; round <= count; ++round) {
    bool changed = false;
    for (std::size_t i = 0; i < count; ++i) {
      int moved = 0;
      int grown = lack[i];
      for (std::size_t j = 0; j < count; ++j) {
        if (j == i || holds(j, i)) continue;
        if (holds(i, j)) {
          grown = std::max(grown, shift[j] + lack[j] - shift[i]);
        } else if (sameRows(i, j) && cells[j].GetRight() < cells[i].x) {
          moved = std::max(moved, shift[j] + lack[j]);
        }
      }
      if (moved > shift[i] || grown > lack[i]) {
        shift[i] = std::max(moved, shift[i]);
        lack[i] = std::max(grown, lack[i]);
        changed = true;
      }
    }
    if (!changed) break;
  }
  int width = units.Size(dialogTemplate.cx, dialogTemplate.cy).x;
  int right = 0;
  for (std::size_t i = 0; i < count; ++i) {
    wxWindow* window = controls[i].second;
    const wxRect now = window->GetRect();
    window->SetSize(cells[i].x + shift[i], now.y, cells[i].width + lack[i], now.height);
    right = std::max(right, cells[i].GetRight() + 1 + shift[i] + lack[i]);
  }
  // The template's own right margin stays beside the widest row.
  int templateRight = 0;
  for (std::size_t i = 0; i < count; ++i) templateRight = std::max(templateRight, cells[i].GetRight() + 1);
  width = std::max(width, right + std::max(0, width - templateRight));
  const wxSize client = dialog->GetClientSize();
  if (client.x != width) dialog->SetClientSize(width, client.y);
}

void PlaceControl(wxWindow* window, const DialogUnits& units, const ControlTemplate& control, const wxFont& font) {
  if (control.kind == ControlKind::kEdit && (control.style & kStyleFixedFont)) {
    window->SetFont(wxFont(wxFontInfo(font.GetPointSize()).Family(wxFONTFAMILY_TELETYPE)));
  } else {
    window->SetFont(font);
  }
  const wxRect cell = units.Cell(control);
  switch (control.kind) {
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
      FitHeight(window, cell.GetPosition(), cell.GetSize());
      break;
    case ControlKind::kComboBox:
      window->SetSize(cell.x, cell.y, cell.width, window->GetBestSize().y);
      break;
    default:
      window->SetSize(cell);
      break;
  }
}

wxWindow* CreateControl(wxWindow* dialog, const DialogUnits& units, const ControlTemplate& control,
                        bool startsGroup, DrawItemFn drawItem) {
  const wxRect cell = units.Cell(control);
  const wxPoint at = cell.GetPosition();
  const wxSize size = cell.GetSize();
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
      LetLabelShrink(button);
      window = button;
      break;
    }
    case ControlKind::kCheckBox:
      window = new wxCheckBox(dialog, wxID_ANY, text, at, wxSize(size.x, -1));
      LetLabelShrink(window);
      FitHeight(window, at, size);
      break;
    case ControlKind::kRadioButton:
      window = new wxRadioButton(dialog, wxID_ANY, text, at, wxSize(size.x, -1), startsGroup ? wxRB_GROUP : 0);
      LetLabelShrink(window);
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
    case ControlKind::kProgressBar:
      window = new wxGauge(dialog, wxID_ANY, 100, at, size, wxGA_HORIZONTAL | wxGA_SMOOTH);
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
