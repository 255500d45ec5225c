// Canvas over a wxDC, with the device-context semantics of platform/canvas.h.
// Shapes are drawn without antialiasing so that pixels land where the
// drawing code expects them; one-pixel lines are rasterised here because the
// toolkit's lines include their last point.
#pragma once

#include <optional>

#include <wx/dc.h>
#include <wx/font.h>

#include "platform/canvas.h"

namespace varnik {

class WxDcCanvas : public Canvas {
 public:
  // `size` is the drawing surface; the default is the DC's own size.
  explicit WxDcCanvas(wxDC& dc, std::optional<Size> size = std::nullopt);

  Size GetSize() const override { return size_; }
  void SetPen(Color color, int width) override;
  void SetNullPen() override;
  void SetBrush(Color color) override;
  void SetNullBrush() override;
  void SetFont(const Font& font) override;
  void SetTextColor(Color color) override;
  void SetBackground(Color color, bool opaque) override;
  void SetTextAlign(unsigned align) override { align_ = align; }
  void SetClipRect(std::optional<Rect> clip) override;

  void MoveTo(int x, int y) override { current_ = {x, y}; }
  void LineTo(int x, int y) override;
  void FillRect(const Rect& rect) override;
  void Rectangle(const Rect& rect) override;
  void SetPixel(int x, int y, Color color) override;
  void TextOut(int x, int y, std::string_view text) override;
  Size GetTextExtent(std::string_view text) override;

 private:
  // Fills a rectangle in `color` and puts the current pen and brush back.
  void FillSolid(int x, int y, int width, int height, Color color);
  void ThinLine(Point from, Point to);

  wxDC& dc_;
  Size size_;
  Point current_;
  std::optional<Color> pen_;
  int penWidth_ = 1;
  std::optional<Color> brush_;
  Font font_;
  unsigned align_ = kAlignLeft | kAlignTop;
};

// Toolkit fonts whose character cell is as tall as the canvas font asks,
// made once per face, height, weight and slant.
class FontCache {
 public:
  // `dc` measures the candidate fonts.
  static const wxFont& Get(const Font& font, wxDC& dc);
};

}  // namespace varnik
