// Toolkit controls for the entries of a dialog template.
#pragma once

#include <functional>

#include <wx/window.h>

#include "platform/dialog.h"

namespace varnik {

// Paints an owner-drawn control whose client rectangle is `rect`.
using DrawItemFn = std::function<void(Canvas& canvas, const Rect& rect)>;

// Creates the control for `control` on `dialog`, placed by converting its
// dialog units with the dialog's font, with its style flags applied.
// `startsGroup` makes a radio button the first of a new group.
wxWindow* CreateControl(wxWindow* dialog, const ControlTemplate& control, bool startsGroup, DrawItemFn drawItem);

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
