// The main window's client area: a child window that takes the keyboard
// focus (so arrow keys reach the accelerator table instead of moving the
// focus), reports mouse moves and paints through a black back buffer.
#pragma once

#include <functional>

#include <wx/bitmap.h>
#include <wx/window.h>

#include "platform/canvas.h"

namespace varnik {

class ClientCanvas : public wxWindow {
 public:
  using PaintFn = std::function<void(Canvas&)>;
  using MouseFn = std::function<void(unsigned x, unsigned y)>;

  ClientCanvas(wxWindow* parent, PaintFn paint, MouseFn mouseMove);

  // The back buffer of the client size: black, then whatever `paint` draws.
  wxBitmap RenderBackBuffer();

 private:
  void OnPaint(wxPaintEvent& event);
  void OnMouseMove(wxMouseEvent& event);

  PaintFn paint_;
  MouseFn mouseMove_;
};

}  // namespace varnik
