#include "platform/svg_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/format.h"
#include "platform/recording_canvas.h"

namespace varnik {
namespace {

std::string Rgb(Color c) { return Format("#%02x%02x%02x", c.r, c.g, c.b); }

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\r':
      case '\n': out += ' '; break;
      default:
        // Other control characters are not allowed in XML.
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
  }
  return out;
}

}  // namespace

SvgCanvas::SvgCanvas(Size size, Color background) : size_(size) {
  body_ += Format("<rect x=\"0\" y=\"0\" width=\"%d\" height=\"%d\" fill=\"%s\"/>\n", size.width, size.height,
                  Rgb(background).c_str());
}

void SvgCanvas::SetPen(Color color, int width) {
  pen_ = color;
  penWidth_ = width < 1 ? 1 : width;
}

void SvgCanvas::SetBackground(Color color, bool opaque) {
  background_ = color;
  opaque_ = opaque;
}

void SvgCanvas::SetClipRect(std::optional<Rect> clip) {
  clip_ = clip;
  if (clip) {
    ++clipCount_;
    body_ += Format("<clipPath id=\"c%d\"><rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\"/></clipPath>\n",
                    clipCount_, clip->left, clip->top, clip->width(), clip->height());
  }
}

void SvgCanvas::Append(const std::string& element) {
  if (clip_) {
    body_ += Format("<g clip-path=\"url(#c%d)\">", clipCount_) + element + "</g>\n";
  } else {
    body_ += element + "\n";
  }
}

void SvgCanvas::LineTo(int x, int y) {
  // The line covers its first pixel but not its last: it ends one step
  // before (x, y) along its longer side.
  const int dx = x - current_.x;
  const int dy = y - current_.y;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  if (pen_ && steps == 1) {
    const int half = (penWidth_ - 1) / 2;  // a wide pen is centred on the pixel
    Append(Format("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>", current_.x - half,
                  current_.y - half, penWidth_, penWidth_, Rgb(*pen_).c_str()));
  } else if (pen_ && steps > 1) {
    const auto back = [steps](int d) {
      return static_cast<int>(std::lround(static_cast<double>(d) * (steps - 1) / steps));
    };
    // Pixel centres sit at half units; square caps reach the outer edges of
    // the first and the last covered pixel.
    Append(Format("<line x1=\"%g\" y1=\"%g\" x2=\"%g\" y2=\"%g\" stroke=\"%s\" stroke-width=\"%d\" "
                  "stroke-linecap=\"square\"/>",
                  current_.x + 0.5, current_.y + 0.5, current_.x + back(dx) + 0.5, current_.y + back(dy) + 0.5,
                  Rgb(*pen_).c_str(), penWidth_));
  }
  current_ = {x, y};
}

void SvgCanvas::FillRect(const Rect& rect) {
  if (!brush_ || rect.width() <= 0 || rect.height() <= 0) return;
  Append(Format("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>", rect.left, rect.top,
                rect.width(), rect.height(), Rgb(*brush_).c_str()));
}

void SvgCanvas::Rectangle(const Rect& rect) {
  const std::string fill = brush_ ? Rgb(*brush_) : "none";
  const std::string stroke = pen_ ? Format(" stroke=\"%s\" stroke-width=\"%d\"", Rgb(*pen_).c_str(), penWidth_) : "";
  Append(Format("<rect x=\"%g\" y=\"%g\" width=\"%d\" height=\"%d\" fill=\"%s\"%s/>", rect.left + 0.5,
                rect.top + 0.5, rect.width() - 1, rect.height() - 1, fill.c_str(), stroke.c_str()));
}

void SvgCanvas::SetPixel(int x, int y, Color color) {
  Append(Format("<rect x=\"%d\" y=\"%d\" width=\"1\" height=\"1\" fill=\"%s\"/>", x, y, Rgb(color).c_str()));
}

void SvgCanvas::TextOut(int x, int y, std::string_view text) {
  const Size extent = GetTextExtent(text);
  const char* anchor = (align_ & kAlignCenter) ? "middle" : (align_ & kAlignRight) ? "end" : "start";
  // SVG places text by its baseline; the cell's top is about 0.8 of the
  // height above it.
  const char* baseline = (align_ & kAlignBottom) ? "text-after-edge"
                         : (align_ & kAlignBaseline) ? "alphabetic"
                                                     : "text-before-edge";
  const double degrees = -font_.escapement / 10.0;
  std::string element;
  if (opaque_ && font_.escapement == 0) {
    int left = x;
    if (align_ & kAlignCenter) left = x - extent.width / 2;
    if (align_ & kAlignRight) left = x - extent.width;
    int top = y;
    if (align_ & kAlignBottom) top = y - extent.height;
    if (align_ & kAlignBaseline) top = y - extent.height * 4 / 5;
    element += Format("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>", left, top, extent.width,
                      extent.height, Rgb(background_).c_str());
  }
  element += Format(
      "<text x=\"%d\" y=\"%d\" font-family=\"%s\" font-size=\"%d\" font-weight=\"%d\" fill=\"%s\" "
      "text-anchor=\"%s\" dominant-baseline=\"%s\"",
      x, y, Escape(font_.face).c_str(), std::abs(font_.height), font_.weight, Rgb(textColor_).c_str(), anchor,
      baseline);
  if (degrees != 0) element += Format(" transform=\"rotate(%g %d %d)\"", degrees, x, y);
  element += '>';
  element += Escape(text);
  element += "</text>";
  Append(element);
}

Size SvgCanvas::GetTextExtent(std::string_view text) { return EstimateTextExtent(text, font_.height); }

std::string SvgCanvas::Finish() const {
  std::string document;
  Write([&document](std::string_view piece) {
    document += piece;
    return true;
  });
  return document;
}

bool SvgCanvas::Write(const ByteSink& sink) const {
  const std::string head = Format(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\" "
      "shape-rendering=\"crispEdges\">\n",
      size_.width, size_.height, size_.width, size_.height);
  return sink(head) && sink(body_) && sink("</svg>\n");
}

}  // namespace varnik
