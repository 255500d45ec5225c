#include "gui/client_canvas.h"

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/dcmemory.h>

#include "gui/wx_dc_canvas.h"

namespace varnik {

ClientCanvas::ClientCanvas(wxWindow* parent, PaintFn paint, MouseFn mouseMove)
    : paint_(std::move(paint)), mouseMove_(std::move(mouseMove)) {
  // The whole client area is drawn from the back buffer: no erasing.
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE | wxBORDER_NONE);
  SetBackgroundColour(*wxBLACK);
  Bind(wxEVT_PAINT, &ClientCanvas::OnPaint, this);
  Bind(wxEVT_MOTION, &ClientCanvas::OnMouseMove, this);
  Bind(wxEVT_MOUSEWHEEL, &ClientCanvas::OnMouseWheel, this);
}

void ClientCanvas::OnMouseWheel(wxMouseEvent& event) {
  if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL || !wheel_) {
    event.Skip();
    return;
  }
  // Whole notches; a fine-grained wheel adds up until one is reached.
  wheelRotation_ += event.GetWheelRotation();
  const int delta = std::max(event.GetWheelDelta(), 1);
  const int steps = wheelRotation_ / delta;
  wheelRotation_ -= steps * delta;
  if (steps != 0) wheel_(event.GetPosition().x, event.GetPosition().y, steps);
}

wxBitmap ClientCanvas::RenderBackBuffer() {
  const wxSize size = GetClientSize();
  wxBitmap buffer(std::max(size.x, 1), std::max(size.y, 1), 24);
  {
    wxMemoryDC dc(buffer);
    dc.SetBackground(*wxBLACK_BRUSH);
    dc.Clear();
    WxDcCanvas canvas(dc, Size{size.x, size.y});
    paint_(canvas);
  }
  return buffer;
}

void ClientCanvas::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  const wxBitmap buffer = RenderBackBuffer();
  dc.DrawBitmap(buffer, 0, 0);
}

void ClientCanvas::OnMouseMove(wxMouseEvent& event) {
  const wxPoint at = event.GetPosition();
  // The classic mouse message carries both coordinates as unsigned words.
  mouseMove_(static_cast<unsigned>(at.x) & 0xFFFFu, static_cast<unsigned>(at.y) & 0xFFFFu);
  event.Skip();
}

}  // namespace varnik
