// The main window's client area: a child window that takes the keyboard
// focus (so arrow keys reach the accelerator table instead of moving the
// focus), reports mouse moves and wheel turns and paints through a black back buffer.
#pragma once

#include <functional>
#include <utility>

#include <wx/bitmap.h>
#include <wx/window.h>

#include "platform/canvas.h"

namespace varnik {

class ClientCanvas : public wxWindow {
 public:
  using PaintFn = std::function<void(Canvas&)>;
  using MouseFn = std::function<void(unsigned x, unsigned y)>;

  ClientCanvas(wxWindow* parent, PaintFn paint, MouseFn mouseMove);

  using WheelFn = std::function<void(int x, int y, int steps)>;
  // Whole notches of the vertical mouse wheel, positive away from the user.
  void OnWheel(WheelFn wheel) { wheel_ = std::move(wheel); }

  // The back buffer of the client size: black, then whatever `paint` draws.
  wxBitmap RenderBackBuffer();

 private:
  void OnPaint(wxPaintEvent& event);
  void OnMouseMove(wxMouseEvent& event);
  void OnMouseWheel(wxMouseEvent& event);

  PaintFn paint_;
  MouseFn mouseMove_;
  WheelFn wheel_;
  int wheelRotation_ = 0;  // turned but less than a notch
};

}  // namespace varnik
