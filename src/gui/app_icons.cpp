#include "gui/app_icons.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/icon.h>

namespace varnik {
namespace {

struct Dot {
  int x, y;  // on a 32-unit grid
  int group;
};

constexpr Dot kDots[] = {
    {9, 9, 0},   {12, 7, 0},  {11, 12, 0}, {14, 10, 0}, {21, 11, 1}, {24, 14, 1}, {22, 16, 1},
    {26, 10, 1}, {12, 21, 2}, {15, 23, 2}, {10, 24, 2}, {17, 19, 2}, {19, 22, 2},
};

wxIcon DrawIcon(int size) {
  wxBitmap bitmap(size, size, 24);
  {
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(wxColour(16, 24, 48)));
    dc.Clear();
    const double unit = size / 32.0;
    const auto at = [unit](int v) { return static_cast<int>(v * unit); };
    dc.SetPen(wxPen(wxColour(170, 170, 170), 1));
    dc.DrawLine(at(4), at(28), at(29), at(28));
    dc.DrawLine(at(4), at(3), at(4), at(28));
    const wxColour groups[] = {wxColour(250, 90, 70), wxColour(90, 200, 110), wxColour(90, 150, 250)};
    const int radius = size >= 32 ? 2 : 1;
    dc.SetPen(*wxTRANSPARENT_PEN);
    for (const Dot& dot : kDots) {
      dc.SetBrush(wxBrush(groups[dot.group]));
      dc.DrawRectangle(at(dot.x) - radius / 2, at(dot.y) - radius / 2, radius + 1, radius + 1);
    }
  }
  wxIcon icon;
  icon.CopyFromBitmap(bitmap);
  return icon;
}

}  // namespace

wxIconBundle MakeAppIcons() {
  wxIconBundle icons;
  icons.AddIcon(DrawIcon(32));  // resource 107
  icons.AddIcon(DrawIcon(16));  // resource 108
  return icons;
}

}  // namespace varnik
