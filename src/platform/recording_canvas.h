// A canvas that records what is drawn, with the drawing state in force at
// each operation, so tests can check pixel positions, colours and texts.
// With recording switched off it only counts operations (for benchmarks).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace varnik {

// Width of `text` in a font of `height` pixels, as the portable canvases
// estimate it: 0.55 of the height per character (close to Arial's average).
Size EstimateTextExtent(std::string_view text, int height);

struct DrawState {
  std::optional<Color> pen;  // nullopt: null pen
  int penWidth = 1;
  std::optional<Color> brush;  // nullopt: null brush
  Font font;
  Color textColor = kBlack;
  Color background = kWhite;
  bool opaqueBackground = true;
  unsigned align = kAlignLeft | kAlignTop;
  std::optional<Rect> clip;
};

struct DrawOp {
  enum Kind { kLine, kFillRect, kRectangle, kPixel, kText };
  Kind kind;
  Point from;       // line start, rectangle top-left, pixel, text anchor
  Point to;         // line end (not drawn), rectangle bottom-right (exclusive)
  Color color;      // the pixel colour for kPixel
  std::string text;
  DrawState state;  // state when the operation was drawn
};

class RecordingCanvas : public Canvas {
 public:
  explicit RecordingCanvas(Size size, bool record = true) : size_(size), record_(record) {}

  Size GetSize() const override { return size_; }
  void SetPen(Color color, int width) override;
  void SetNullPen() override { state_.pen.reset(); }
  void SetBrush(Color color) override { state_.brush = color; }
  void SetNullBrush() override { state_.brush.reset(); }
  void SetFont(const Font& font) override { state_.font = font; }
  void SetTextColor(Color color) override { state_.textColor = color; }
  void SetBackground(Color color, bool opaque) override;
  void SetTextAlign(unsigned align) override { state_.align = align; }
  void SetClipRect(std::optional<Rect> clip) override { state_.clip = clip; }
  void MoveTo(int x, int y) override { current_ = {x, y}; }
  void LineTo(int x, int y) override;
  void FillRect(const Rect& rect) override;
  void Rectangle(const Rect& rect) override;
  void SetPixel(int x, int y, Color color) override;
  void TextOut(int x, int y, std::string_view text) override;
  Size GetTextExtent(std::string_view text) override;

  const std::vector<DrawOp>& ops() const { return ops_; }
  std::size_t count() const { return count_; }
  const DrawState& state() const { return state_; }
  // The texts drawn, in order.
  std::vector<std::string> Texts() const;
  void Clear() {
    ops_.clear();
    count_ = 0;
  }

 private:
  void Add(DrawOp op);

  Size size_;
  bool record_;
  DrawState state_;
  Point current_;
  std::vector<DrawOp> ops_;
  std::size_t count_ = 0;
};

}  // namespace varnik
