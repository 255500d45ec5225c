#include "platform/recording_canvas.h"

#include <cmath>

namespace varnik {

Size EstimateTextExtent(std::string_view text, int height) {
  std::size_t chars = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++chars;  // count code points, not bytes
  }
  const int h = std::abs(height);
  return {static_cast<int>(std::lround(0.55 * h * static_cast<double>(chars))), h};
}

void RecordingCanvas::SetPen(Color color, int width) {
  state_.pen = color;
  state_.penWidth = width < 1 ? 1 : width;
}

void RecordingCanvas::SetBackground(Color color, bool opaque) {
  state_.background = color;
  state_.opaqueBackground = opaque;
}

void RecordingCanvas::Add(DrawOp op) {
  ++count_;
  if (record_) {
    op.state = state_;
    ops_.push_back(std::move(op));
  }
}

void RecordingCanvas::LineTo(int x, int y) {
  Add({DrawOp::kLine, current_, {x, y}, state_.pen.value_or(kBlack), {}, {}});
  current_ = {x, y};
}

void RecordingCanvas::FillRect(const Rect& rect) {
  Add({DrawOp::kFillRect, {rect.left, rect.top}, {rect.right, rect.bottom}, state_.brush.value_or(kBlack), {}, {}});
}

void RecordingCanvas::Rectangle(const Rect& rect) {
  Add({DrawOp::kRectangle, {rect.left, rect.top}, {rect.right, rect.bottom}, state_.brush.value_or(kBlack), {}, {}});
}

void RecordingCanvas::SetPixel(int x, int y, Color color) {
  Add({DrawOp::kPixel, {x, y}, {x + 1, y + 1}, color, {}, {}});
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text) {
  Add({DrawOp::kText, {x, y}, {x, y}, state_.textColor, std::string(text), {}});
}

Size RecordingCanvas::GetTextExtent(std::string_view text) {
  return EstimateTextExtent(text, state_.font.height);
}

std::vector<std::string> RecordingCanvas::Texts() const {
  std::vector<std::string> out;
  for (const DrawOp& op : ops_) {
    if (op.kind == DrawOp::kText) out.push_back(op.text);
  }
  return out;
}

}  // namespace varnik
