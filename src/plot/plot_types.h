// The records of a loaded population plot: one sample and one population
// group.  Both are plain values, copied field by field.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace varnik {

// One sample of the plot.
struct CUzorak {
  double x = 0.0;                    // coordinate on the axis shown horizontally
  double y = 0.0;                    // coordinate on the axis shown vertically
  std::vector<double> coordinates;   // one per axis of the set, in axis order
  int32_t screenX = 0;               // where the last paint drew the sample
  int32_t screenY = 0;
  bool drawn = false;                // whether the last paint drew it at all
  std::string name;
  std::string secondText;            // kept from the file, not shown
  int32_t group = -1;                // index into the groups
  int32_t visible = 1;               // 0 hides the sample until the next axis change
};

// One population group.
struct CStanovnistvo {
  std::string name;        // Serbian; shown through the text table's translation
  std::string secondText;  // kept from the file, not shown
  uint32_t colour = 0;     // red in the low byte, then green and blue
  int32_t number = 0;      // kept from the file, not used by the plot
  int32_t markerShape = 0; // 0 to 8; other values draw no marker
};

// The colour value of a group as a canvas colour.
inline Color ColorFromValue(uint32_t value) {
  return Color{static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF),
               static_cast<uint8_t>((value >> 16) & 0xFF)};
}
inline uint32_t ValueFromColor(Color c) {
  return static_cast<uint32_t>(c.r) | (static_cast<uint32_t>(c.g) << 8) | (static_cast<uint32_t>(c.b) << 16);
}

// Group indices with fixed meanings in the drawing: a group drawn in red,
// groups that are counted in the data box but never drawn, and a group whose
// samples are drawn without a label.
inline constexpr int32_t kRedGroup = 91;
inline constexpr int32_t kUnlabelledGroup = 115;
inline bool IsNeverDrawnGroup(int32_t group) { return group == 87 || group == 116 || group == 117; }
// Population labels keep statistics for this many group indices.
inline constexpr int32_t kLabelledGroupLimit = 134;

}  // namespace varnik
