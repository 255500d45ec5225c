// Toolkit controls for the entries of a dialog template.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include <wx/window.h>

#include "platform/dialog.h"

namespace varnik {

// Paints an owner-drawn control whose client rectangle is `rect`.
using DrawItemFn = std::function<void(Canvas& canvas, const Rect& rect)>;

// Dialog units in pixels.  A horizontal unit is a quarter of the dialog
// font's average character width and a vertical one an eighth of its
// height, times `stretch`, by which the vertical unit grows when the
// toolkit's single-line controls need more height than their cells give.
struct DialogUnits {
  double x = 1.0;
  double y = 1.0;

  // The units of `dialog`'s font with the vertical unit times `stretch`.
  static DialogUnits Of(const wxWindow* dialog, double stretch = 1.0);
  wxPoint Point(int dx, int dy) const;
  wxSize Size(int dx, int dy) const;
  // A control's rectangle; neighbouring cells in dialog units stay
  // neighbours in pixels.
  wxRect Cell(const ControlTemplate& control) const;
};

// The height in dialog units of a drop-down list's closed field; its
// template height includes the opened list.
inline constexpr int kClosedComboHeight = 12;

// How much the vertical dialog unit must grow so that every push button,
// drop-down list and single-line edit box of `dialog` gets at least the
// height the toolkit needs for it on `window` (1 when all fit).
double VerticalStretch(wxWindow* window, const DialogTemplate& dialog);

// Creates the control for `control` on `dialog` in its cell, with its
// style flags applied.  `startsGroup` makes a radio button the first of a
// new group.
// The width a control needs to show its whole text (the longest line of a
// label, a button's or check box's caption with its frame or mark, a
// drop-down list's longest item), or 0 for controls whose text scrolls.
int WidthForText(wxWindow* window, ControlKind kind);

// Moves and widens the controls of `dialog` so that every text fits: a
// control grows to the right by what its text lacks, the controls beside it
// in the same rows move right by as much, a group box grows around what it
// holds, and the dialog grows to hold them all.  Cells come from the
// template; the dialog never shrinks below the template's size.
void FitControlsToTexts(wxWindow* dialog, const DialogUnits& units, const DialogTemplate& dialogTemplate,
                        const std::vector<std::pair<const ControlTemplate*, wxWindow*>>& controls);

// Gives a created control `font` (a fixed-pitch edit box keeps its family)
// and puts it into its cell of `units`, as CreateControl does.
void PlaceControl(wxWindow* window, const DialogUnits& units, const ControlTemplate& control, const wxFont& font);

wxWindow* CreateControl(wxWindow* dialog, const DialogUnits& units, const ControlTemplate& control,
                        bool startsGroup, DrawItemFn drawItem);

// An owner-drawn static control: painted through a back buffer of the
// dialog's background colour by `drawItem`; it never takes the focus.
class OwnerDrawnControl : public wxWindow {
 public:
  OwnerDrawnControl(wxWindow* parent, const wxPoint& position, const wxSize& size, DrawItemFn drawItem);
  bool AcceptsFocus() const override { return false; }

 private:
  void OnPaint(wxPaintEvent& event);
  DrawItemFn drawItem_;
};

// Edit boxes of several lines exchange text with "\r\n" line ends with the
// program; the toolkit's edit boxes use "\n".
wxString ToEditText(std::string_view text);
std::string FromEditText(const wxString& text);

}  // namespace varnik
