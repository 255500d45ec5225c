// A GDI-like drawing surface.  The core draws only through this interface;
// the GUI backs it with a wxDC, tests with a recorder, the command line with
// an SVG writer.
//
// Semantics follow the classic device-context model the drawing code was
// designed for:
//  - coordinates are integer pixels, y grows downwards;
//  - LineTo draws from the current position to the point, covering the first
//    point but not the last, and moves the current position there;
//  - FillRect fills [left, right) x [top, bottom) with the current brush;
//  - Rectangle outlines with the pen and fills the inside with the brush;
//  - text is drawn in the current font and text colour; with an opaque
//    background its cell is first filled with the background colour;
//  - the text alignment chooses which point of the text cell the anchor
//    names; a font's escapement turns the text (tenths of a degree,
//    counter-clockwise);
//  - the clip rectangle, when set, limits every later operation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnik {

struct Color {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0, height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Font {
  std::string face = "Arial";
  int height = 16;      // character cell height in pixels
  int weight = 400;     // 400 normal, 600 semibold, 700 bold
  int escapement = 0;   // tenths of a degree, counter-clockwise
  bool italic = false;
  friend bool operator==(const Font&, const Font&) = default;
};

// Text alignment flags; one horizontal and one vertical flag combine.
enum TextAlign : unsigned {
  kAlignLeft = 0,
  kAlignCenter = 1,
  kAlignRight = 2,
  kAlignTop = 0,
  kAlignBottom = 4,
  kAlignBaseline = 8,
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Size of the drawing surface (the client area).
  virtual Size GetSize() const = 0;

  // width 0 draws one pixel wide, like width 1.
  virtual void SetPen(Color color, int width) = 0;
  virtual void SetNullPen() = 0;
  virtual void SetBrush(Color color) = 0;
  virtual void SetNullBrush() = 0;
  virtual void SetFont(const Font& font) = 0;
  virtual void SetTextColor(Color color) = 0;
  virtual void SetBackground(Color color, bool opaque) = 0;
  virtual void SetTextAlign(unsigned align) = 0;
  virtual void SetClipRect(std::optional<Rect> clip) = 0;

  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void FillRect(const Rect& rect) = 0;
  virtual void Rectangle(const Rect& rect) = 0;
  virtual void SetPixel(int x, int y, Color color) = 0;
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  // Width and height of the text in the current font.
  virtual Size GetTextExtent(std::string_view text) = 0;

  // Convenience: a line from (x0, y0) to (x1, y1), last point excluded.
  void Line(int x0, int y0, int x1, int y1) {
    MoveTo(x0, y0);
    LineTo(x1, y1);
  }
};

}  // namespace varnik
