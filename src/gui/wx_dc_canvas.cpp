#include "gui/wx_dc_canvas.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <tuple>

#include <wx/graphics.h>

#include "gui/wx_string.h"

namespace varnik {
namespace {

wxColour ToWx(Color color) { return wxColour(color.r, color.g, color.b); }

}  // namespace

const wxFont& FontCache::Get(const Font& font, wxDC& dc) {
  using Key = std::tuple<std::string, int, int, bool>;
  static std::map<Key, wxFont> cache;
  const Key key{font.face, font.height, font.weight, font.italic};
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;

  const int cell = std::max(font.height, 1);
  const auto make = [&](int emPixels) {
    return wxFont(wxFontInfo(wxSize(0, std::max(emPixels, 1)))
                      .FaceName(varnik::ToWx(font.face))
                      .Weight(font.weight)
                      .Italic(font.italic));
  };
  // The toolkit sizes fonts by their em; the canvas asks for the height of
  // the whole character cell (ascent plus descent), which is larger.  One
  // measurement gives the ratio.
  wxFont made = make(cell);
  const wxFont saved = dc.GetFont();
  dc.SetFont(made);
  const int measured = dc.GetCharHeight();
  if (measured > 0 && measured != cell) {
    made = make(static_cast<int>(std::lround(static_cast<double>(cell) * cell / measured)));
  }
  if (saved.IsOk()) dc.SetFont(saved);
  return cache.emplace(key, made).first->second;
}

WxDcCanvas::WxDcCanvas(wxDC& dc, std::optional<Size> size) : dc_(dc) {
  if (size) {
    size_ = *size;
  } else {
    const wxSize dcSize = dc.GetSize();
    size_ = {dcSize.x, dcSize.y};
  }
  if (wxGraphicsContext* context = dc.GetGraphicsContext()) context->SetAntialiasMode(wxANTIALIAS_NONE);
  dc_.SetPen(*wxBLACK_PEN);
  pen_ = kBlack;
  dc_.SetBrush(*wxWHITE_BRUSH);
  brush_ = kWhite;
  dc_.SetTextForeground(*wxBLACK);
  SetBackground(kWhite, true);
  dc_.SetFont(FontCache::Get(font_, dc_));
}

void WxDcCanvas::SetPen(Color color, int width) {
  pen_ = color;
  penWidth_ = std::max(width, 1);
  wxPen pen(ToWx(color), penWidth_);
  if (penWidth_ == 1) pen.SetCap(wxCAP_BUTT);
  dc_.SetPen(pen);
}

void WxDcCanvas::SetNullPen() {
  pen_.reset();
  dc_.SetPen(*wxTRANSPARENT_PEN);
}

void WxDcCanvas::SetBrush(Color color) {
  brush_ = color;
  dc_.SetBrush(wxBrush(ToWx(color)));
}

void WxDcCanvas::SetNullBrush() {
  brush_.reset();
  dc_.SetBrush(*wxTRANSPARENT_BRUSH);
}

void WxDcCanvas::SetFont(const Font& font) {
  if (font == font_) return;
  font_ = font;
  dc_.SetFont(FontCache::Get(font, dc_));
}

void WxDcCanvas::SetTextColor(Color color) { dc_.SetTextForeground(ToWx(color)); }

void WxDcCanvas::SetBackground(Color color, bool opaque) {
  dc_.SetTextBackground(ToWx(color));
  dc_.SetBackgroundMode(opaque ? wxBRUSHSTYLE_SOLID : wxBRUSHSTYLE_TRANSPARENT);
}

void WxDcCanvas::SetClipRect(std::optional<Rect> clip) {
  dc_.DestroyClippingRegion();
  if (clip) dc_.SetClippingRegion(clip->left, clip->top, clip->width(), clip->height());
}

void WxDcCanvas::FillSolid(int x, int y, int width, int height, Color color) {
  if (width <= 0 || height <= 0) return;
  dc_.SetPen(*wxTRANSPARENT_PEN);
  dc_.SetBrush(wxBrush(ToWx(color)));
  dc_.DrawRectangle(x, y, width, height);
  if (pen_) {
    SetPen(*pen_, penWidth_);
  } else {
    SetNullPen();
  }
  if (brush_) {
    SetBrush(*brush_);
  } else {
    SetNullBrush();
  }
}

// Bresenham from `from` towards `to`, leaving out `to`; consecutive pixels
// of a row (or column) are filled as one span.
void WxDcCanvas::ThinLine(Point from, Point to) {
  const int dx = std::abs(to.x - from.x);
  const int dy = std::abs(to.y - from.y);
  const int sx = to.x >= from.x ? 1 : -1;
  const int sy = to.y >= from.y ? 1 : -1;
  const Color color = *pen_;
  dc_.SetPen(*wxTRANSPARENT_PEN);
  dc_.SetBrush(wxBrush(ToWx(color)));
  const bool xMajor = dx >= dy;
  const int steps = xMajor ? dx : dy;
  const int minor = xMajor ? dy : dx;
  int error = 2 * minor - steps;
  int x = from.x;
  int y = from.y;
  int spanStart = xMajor ? x : y;
  for (int i = 0; i < steps; ++i) {
    const bool last = i + 1 == steps;
    const bool minorStep = error > 0;
    if (minorStep || last) {
      // Close the span that ends at (x, y).
      if (xMajor) {
        const int left = std::min(spanStart, x);
        dc_.DrawRectangle(left, y, std::abs(x - spanStart) + 1, 1);
      } else {
        const int top = std::min(spanStart, y);
        dc_.DrawRectangle(x, top, 1, std::abs(y - spanStart) + 1);
      }
    }
    if (minorStep) {
      if (xMajor) {
        y += sy;
      } else {
        x += sx;
      }
      error -= 2 * steps;
    }
    error += 2 * minor;
    if (xMajor) {
      x += sx;
    } else {
      y += sy;
    }
    if (minorStep) spanStart = xMajor ? x : y;
  }
  SetPen(color, penWidth_);
  if (brush_) {
    SetBrush(*brush_);
  } else {
    SetNullBrush();
  }
}

void WxDcCanvas::LineTo(int x, int y) {
  const Point from = current_;
  current_ = {x, y};
  if (!pen_ || from == current_) return;
  if (penWidth_ == 1) {
    ThinLine(from, current_);
  } else {
    dc_.DrawLine(from.x, from.y, x, y);
  }
}

void WxDcCanvas::FillRect(const Rect& rect) {
  if (brush_) FillSolid(rect.left, rect.top, rect.width(), rect.height(), *brush_);
}

void WxDcCanvas::Rectangle(const Rect& rect) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  if (pen_) {
    dc_.DrawRectangle(rect.left, rect.top, rect.width(), rect.height());
  } else if (brush_) {
    // Without a pen the classic Rectangle leaves out the right column and
    // the bottom row, where the outline would have been.
    FillSolid(rect.left, rect.top, rect.width() - 1, rect.height() - 1, *brush_);
  }
}

void WxDcCanvas::SetPixel(int x, int y, Color color) { FillSolid(x, y, 1, 1, color); }

void WxDcCanvas::TextOut(int x, int y, std::string_view text) {
  if (text.empty()) return;
  const wxString wxText = varnik::ToWx(text);
  wxCoord width = 0, height = 0, descent = 0;
  dc_.GetTextExtent(wxText, &width, &height, &descent);
  // Offset of the anchor inside the unturned text cell.
  double ax = 0;
  if (align_ & kAlignRight) {
    ax = width;
  } else if (align_ & kAlignCenter) {
    ax = width / 2.0;
  }
  double ay = 0;
  if (align_ & kAlignBaseline) {
    ay = height - descent;
  } else if (align_ & kAlignBottom) {
    ay = height;
  }
  if (font_.escapement == 0) {
    dc_.DrawText(wxText, x - static_cast<int>(ax), y - static_cast<int>(ay));
    return;
  }
  // Turn the offset with the text: counter-clockwise on a y-down surface.
  const double angle = font_.escapement / 10.0;
  const double radians = angle * M_PI / 180.0;
  const double c = std::cos(radians), s = std::sin(radians);
  const double left = x - (ax * c + ay * s);
  const double top = y - (-ax * s + ay * c);
  dc_.DrawRotatedText(wxText, static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)), angle);
}

Size WxDcCanvas::GetTextExtent(std::string_view text) {
  const wxSize extent = dc_.GetTextExtent(varnik::ToWx(text));
  return {extent.x, extent.y};
}

}  // namespace varnik
