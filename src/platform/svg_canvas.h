// A canvas that writes Scalable Vector Graphics, for drawings exported from
// the command line.  Pixels map to SVG user units one to one.
#pragma once

#include <optional>
#include <string>

#include "common/binary_io.h"
#include "platform/canvas.h"

namespace varnik {

class SvgCanvas : public Canvas {
 public:
  // The drawing starts black, as the window's back buffer does.
  explicit SvgCanvas(Size size, Color background = kBlack);

  Size GetSize() const override { return size_; }
  void SetPen(Color color, int width) override;
  void SetNullPen() override { pen_.reset(); }
  void SetBrush(Color color) override { brush_ = color; }
  void SetNullBrush() override { brush_.reset(); }
  void SetFont(const Font& font) override { font_ = font; }
  void SetTextColor(Color color) override { textColor_ = color; }
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

  // The complete document.
  std::string Finish() const;
  // The same, handed to `sink` in pieces without a copy of the drawing.
  bool Write(const ByteSink& sink) const;

 private:
  void Append(const std::string& element);

  Size size_;
  std::string body_;
  std::optional<Color> pen_ = kBlack;
  int penWidth_ = 1;
  std::optional<Color> brush_ = kWhite;
  Font font_;
  Color textColor_ = kBlack;
  Color background_ = kWhite;
  bool opaque_ = true;
  unsigned align_ = kAlignLeft | kAlignTop;
  std::optional<Rect> clip_;
  int clipCount_ = 0;
  Point current_;
};

}  // namespace varnik
