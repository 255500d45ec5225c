#include "gui/wx_dc_canvas.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>

#include <functional>
#include <string>

namespace varnik {
namespace {

// Draws white on a black bitmap and gives the lit pixels.
class Drawing {
 public:
  Drawing(int width, int height, const std::function<void(Canvas&)>& draw) {
    wxBitmap bitmap(width, height, 24);
    {
      wxMemoryDC dc(bitmap);
      dc.SetBackground(*wxBLACK_BRUSH);
      dc.Clear();
      WxDcCanvas canvas(dc);
      canvas.SetPen(kWhite, 1);
      canvas.SetBrush(kWhite);
      canvas.SetTextColor(kWhite);
      canvas.SetBackground(kBlack, false);
      draw(canvas);
    }
    image_ = bitmap.ConvertToImage();
  }

  bool Lit(int x, int y) const { return image_.GetRed(x, y) > 128; }
  int Count() const { return CountIn(0, 0, image_.GetWidth(), image_.GetHeight()); }
  int CountIn(int left, int top, int right, int bottom) const {
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) count += Lit(x, y);
    return count;
  }
  // Bounding box of the lit pixels, right and bottom excluded.
  Rect Bounds() const {
    Rect box{image_.GetWidth(), image_.GetHeight(), 0, 0};
    for (int y = 0; y < image_.GetHeight(); ++y)
      for (int x = 0; x < image_.GetWidth(); ++x)
        if (Lit(x, y))
          box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
    return box;
  }

 private:
  wxImage image_;
};

TEST(WxDcCanvas, LinesCoverTheFirstPointButNotTheLast) {
  struct Case { Point from, to; int count; Rect bounds; };
  const Case cases[] = {
      {{8, 5}, {2, 5}, 6, {3, 5, 9, 6}},
      {{1, 3}, {6, 8}, 5, {1, 3, 6, 8}},
      {{20, 10}, {2, 4}, 18, {3, 4, 21, 11}},  // shallow, drawn backwards
  };
  for (const Case& c : cases) {
    const Drawing line(30, 20, [&](Canvas& canvas) { canvas.Line(c.from.x, c.from.y, c.to.x, c.to.y); });
    SCOPED_TRACE(std::to_string(c.from.x) + "," + std::to_string(c.from.y));
    EXPECT_EQ(line.Count(), c.count);
    EXPECT_EQ(line.Bounds(), c.bounds);
    EXPECT_TRUE(line.Lit(c.from.x, c.from.y));
    EXPECT_FALSE(line.Lit(c.to.x, c.to.y));
  }
}

TEST(WxDcCanvas, RectanglesExcludeRightAndBottomEdges) {
  const Drawing fill(20, 20, [](Canvas& c) { c.FillRect({3, 4, 9, 7}); });
  EXPECT_EQ(fill.Bounds(), (Rect{3, 4, 9, 7}));
  EXPECT_EQ(fill.Count(), 18);

  const Drawing outline(20, 20, [](Canvas& c) { c.SetNullBrush(), c.Rectangle({3, 4, 9, 9}); });
  EXPECT_EQ(outline.Bounds(), (Rect{3, 4, 9, 9}));
  EXPECT_FALSE(outline.Lit(5, 6));

  const Drawing penless(20, 20, [](Canvas& c) { c.SetNullPen(), c.Rectangle({3, 4, 9, 9}); });
  EXPECT_EQ(penless.Bounds(), (Rect{3, 4, 8, 8}));
}

TEST(WxDcCanvas, ClipRectLimitsDrawingUntilRemoved) {
  const Drawing clipped(20, 20, [](Canvas& c) {
    c.SetClipRect(Rect{5, 5, 10, 10});
    c.FillRect({0, 0, 20, 20});
    c.SetClipRect(std::nullopt);
    c.SetPixel(1, 1, kWhite);
  });
  EXPECT_EQ(clipped.CountIn(5, 5, 10, 10), 25);
  EXPECT_EQ(clipped.Count(), 26);
}

TEST(WxDcCanvas, TextAlignmentAndEscapement) {
  Font font;
  font.face = "Liberation Sans";
  font.height = 20;
  // Right and bottom alignment put the text left of and above the anchor.
  const Drawing rightBottom(120, 60, [&](Canvas& c) {
    c.SetFont(font);
    EXPECT_NEAR(c.GetTextExtent("Ag").height, 20, 1);  // the font's height is its cell height
    c.SetTextAlign(kAlignRight | kAlignBottom);
    c.TextOut(100, 40, "HHH");
  });
  const Rect box = rightBottom.Bounds();
  EXPECT_TRUE(box.right <= 100 && box.right >= 95 && box.bottom <= 40 && box.top >= 40 - 20) << box.right;

  // Escapement 90 degrees: the text runs upwards from the anchor.
  Font turned = font;
  turned.escapement = 900;
  const Drawing upwards(60, 120, [&](Canvas& c) { c.SetFont(turned), c.TextOut(20, 100, "WWW"); });
  const Rect up = upwards.Bounds();
  EXPECT_TRUE(up.bottom <= 101 && up.top < 100 - 30 && up.left >= 19 && up.right <= 20 + 21) << up.top;
}

}  // namespace
}  // namespace varnik
