// Checked reads of dialog settings.  Every dialog reads its values when it
// initialises and applies each one only when it can be read with the
// expected type and size and passes its check; otherwise the dialog keeps
// its default.  The `out` argument is changed only on success.
//
// 32-bit numbers are compared unsigned unless a helper says "signed": a
// stored -1 is 0xFFFFFFFF and fails every "below" check.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

namespace varnik {

// Buffer used for the binary arrays of the settings (constraints, flags).
inline constexpr std::size_t kSettingsArrayBytes = 800;

// A 32-bit number accepted when below `limit` (unsigned).
bool ReadSettingBelow(SettingsStore& store, std::string_view name, uint32_t limit, uint32_t& out);
// A 32-bit number read as signed and accepted within [low, high].
bool ReadSettingSignedInRange(SettingsStore& store, std::string_view name, int32_t low, int32_t high, int32_t& out);
// A 32-bit number read as signed; a negative value becomes 0.
bool ReadSettingNotNegative(SettingsStore& store, std::string_view name, int32_t& out);
// An 8-byte double accepted within [low, high], both included (NaN fails).
bool ReadSettingDoubleInRange(SettingsStore& store, std::string_view name, double low, double high, double& out);

// One required value range of an FTDNA column.
struct CSettingConstraint {
  int32_t column = -1;
  int32_t low = 0;
  int32_t high = 0;
  friend bool operator==(const CSettingConstraint&, const CSettingConstraint&) = default;
};

// The value-constraint array: 32-bit little-endian words, word 0 the layout
// mark 1, word 1 the count n, then n triples (column, low, high), read into
// an 800-byte buffer (at most 66 triples).  Accepted when at least 8 bytes
// were read and the mark is 1.  `list` is grown to n entries when shorter;
// the triples present in the bytes read are stored with their two values
// ordered when both are set (-1, an open bound, stays where it is); a count
// beyond the stored triples, or a negative one, only covers what is there;
// finally the list is grown to at least 6 entries.
// `count` receives the number of triples stored.
inline constexpr std::size_t kMinConstraintSlots = 6;
bool ReadSettingConstraints(SettingsStore& store, std::string_view name, std::vector<CSettingConstraint>& list,
                            int32_t& count);
// The writer's counterpart: the layout above for the first `count` entries.
bool WriteSettingConstraints(SettingsStore& store, std::string_view name, const std::vector<CSettingConstraint>& list,
                             int32_t count);

// One 32-bit on/off flag per item, read up to 800 bytes.  Flags beyond
// `flags.size()` are ignored; items without a stored flag keep theirs.
bool ReadSettingFlags(SettingsStore& store, std::string_view name, std::vector<bool>& flags);

}  // namespace varnik
