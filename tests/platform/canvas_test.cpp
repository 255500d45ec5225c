#include <gtest/gtest.h>

#include "platform/recording_canvas.h"
#include "platform/svg_canvas.h"

namespace varnik {
namespace {

TEST(RecordingCanvas, KeepsTheStateOfEachOperation) {
  RecordingCanvas canvas({300, 200});
  canvas.SetPen({196, 196, 196}, 1);
  canvas.Line(52, 24, 283, 24);
  canvas.SetFont({"Arial", 12, 700, 900});
  canvas.SetTextColor({255, 255, 0});
  canvas.SetBackground(kBlack, false);
  canvas.SetTextAlign(kAlignCenter | kAlignBottom);
  canvas.SetClipRect(Rect{53, 25, 282, 157});
  canvas.TextOut(10, 20, "Оса");
  ASSERT_EQ(canvas.ops().size(), 2u);
  EXPECT_EQ(canvas.ops()[0].color, (Color{196, 196, 196}));  // the pen of its time
  const DrawOp& text = canvas.ops()[1];
  EXPECT_EQ(text.state.font.escapement, 900);
  EXPECT_EQ(text.state.align, kAlignCenter | kAlignBottom);
  EXPECT_FALSE(text.state.opaqueBackground);
  EXPECT_EQ(text.state.clip, (Rect{53, 25, 282, 157}));
  EXPECT_EQ(canvas.GetTextExtent("Оса").width, canvas.GetTextExtent("abc").width);  // characters, not bytes
}

TEST(SvgCanvas, WritesEscapedTextAndClippedElements) {
  SvgCanvas canvas({100, 50});
  canvas.SetBrush({255, 0, 0});
  canvas.FillRect({1, 2, 4, 6});
  canvas.FillRect({5, 5, 5, 9});  // empty: nothing written
  canvas.SetClipRect(Rect{0, 0, 50, 50});
  canvas.SetBackground(kBlack, false);
  canvas.TextOut(3, 4, "a<b & \"c\"\r\n");
  const std::string svg = canvas.Finish();
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("<rect x=\"1\" y=\"2\" width=\"3\" height=\"4\" fill=\"#ff0000\"/>"), std::string::npos);
  EXPECT_EQ(svg.find("x=\"5\" y=\"5\""), std::string::npos);
  EXPECT_NE(svg.find(">a&lt;b &amp; &quot;c&quot;  </text>"), std::string::npos) << svg;
  EXPECT_NE(svg.find("clip-path=\"url(#c1)\""), std::string::npos);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

}  // namespace
}  // namespace varnik
