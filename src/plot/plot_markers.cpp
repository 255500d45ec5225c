#include "plot/plot_markers.h"

namespace varnik {
namespace {

// Lines cover their first point but not their last, as on the window's
// device context; the shapes are laid out with that in mind.
void Plus(Canvas& c, int px, int py, int arm) {
  c.Line(px - arm, py, px + arm, py);
  c.Line(px, py - arm, px, py + arm);
}

void Cross(Canvas& c, int px, int py) {
  c.Line(px - 4, py - 4, px + 4, py + 4);
  c.Line(px - 4, py + 4, px + 4, py - 4);
}

// Square outline drawn as four lines: top, bottom, left, right.
void SquareOutline(Canvas& c, int px, int py, int half) {
  c.Line(px - half, py - half, px + half, py - half);
  c.Line(px - half, py + half, px + half, py + half);
  c.Line(px - half, py - half, px - half, py + half);
  c.Line(px + half, py - half, px + half, py + half);
}

void Diamond(Canvas& c, int px, int py) {
  c.MoveTo(px - 4, py);
  c.LineTo(px, py + 4);
  c.LineTo(px + 4, py);
  c.LineTo(px, py - 4);
  c.LineTo(px - 4, py);
}

}  // namespace

void DrawMarker(Canvas& c, int shape, int px, int py, Color colour) {
  if (shape < 0 || shape > 8) return;
  c.SetPen(colour, 1);
  c.SetBrush(colour);
  switch (shape) {
    case 0:
      c.FillRect({px - 2, py - 2, px + 2, py + 2});
      break;
    case 1:
      Plus(c, px, py, 4);
      break;
    case 2:
      Cross(c, px, py);
      break;
    case 3:
      Plus(c, px, py, 4);
      SquareOutline(c, px, py, 4);
      break;
    case 4:
      Diamond(c, px, py);
      break;
    case 5:
      Diamond(c, px, py);
      Plus(c, px, py, 9);
      break;
    case 6:
      Diamond(c, px, py);
      Plus(c, px, py, 4);
      break;
    case 7:
      Plus(c, px, py, 3);
      SquareOutline(c, px, py, 3);
      c.FillRect({px - 3, py - 3, px, py});
      c.FillRect({px + 1, py + 1, px + 4, py + 4});
      break;
    case 8:
      Cross(c, px, py);
      SquareOutline(c, px, py, 4);
      break;
  }
}

}  // namespace varnik
