// The look of dialogs built from templates where the toolkit's defaults do
// not fit the classic dialog-unit layout.  GTK's themes give push buttons,
// drop-down lists and single-line edit boxes generous padding, which makes
// them taller than their template cells; template dialogs get a style that
// takes the padding away, and labels that may shrink (with an ellipsis)
// when a translation is longer than its control.  Elsewhere these do
// nothing.
#pragma once

#include <wx/window.h>

namespace varnik {

// Gives `dialog` and every control on it the compact style.  Call before
// the controls are created or measured.
void ApplyCompactDialogStyle(wxWindow* dialog);

// Lets the label of a push button, check box or radio button shrink below
// its text's width instead of widening the control beyond its cell.
void LetLabelShrink(wxWindow* control);

}  // namespace varnik
