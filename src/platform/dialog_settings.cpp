#include "platform/dialog_settings.h"

#include <algorithm>

#include "common/binary_io.h"

namespace varnik {

bool ReadSettingBelow(SettingsStore& store, std::string_view name, uint32_t limit, uint32_t& out) {
  uint32_t value = 0;
  if (!ReadSettingNumber(store, name, value) || value >= limit) return false;
  out = value;
  return true;
}

bool ReadSettingSignedInRange(SettingsStore& store, std::string_view name, int32_t low, int32_t high, int32_t& out) {
  uint32_t raw = 0;
  if (!ReadSettingNumber(store, name, raw)) return false;
  const auto value = static_cast<int32_t>(raw);
  if (value < low || value > high) return false;
  out = value;
  return true;
}

bool ReadSettingNotNegative(SettingsStore& store, std::string_view name, int32_t& out) {
  uint32_t raw = 0;
  if (!ReadSettingNumber(store, name, raw)) return false;
  out = std::max(static_cast<int32_t>(raw), 0);
  return true;
}

bool ReadSettingDoubleInRange(SettingsStore& store, std::string_view name, double low, double high, double& out) {
  double value = 0.0;
  if (!ReadSettingDouble(store, name, value) || !(value >= low && value <= high)) return false;
  out = value;
  return true;
}

bool ReadSettingConstraints(SettingsStore& store, std::string_view name, std::vector<CSettingConstraint>& list,
                            int32_t& count) {
  std::vector<uint8_t> bytes;
  if (!ReadSettingBinary(store, name, kSettingsArrayBytes, bytes) || bytes.size() < 8) return false;
  ByteReader reader{std::span<const uint8_t>(bytes)};
  int32_t mark = 0, stated = 0;
  reader.ReadI32(mark);
  reader.ReadI32(stated);
  if (mark != 1) return false;
  // Only whole triples that were actually read can be stored.
  const auto present = static_cast<int32_t>(reader.remaining() / 12);
  const int32_t n = std::clamp(stated, 0, present);
  if (list.size() < static_cast<std::size_t>(n)) list.resize(static_cast<std::size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    CSettingConstraint& c = list[static_cast<std::size_t>(i)];
    int32_t a = 0, b = 0;
    reader.ReadI32(c.column);
    reader.ReadI32(a);
    reader.ReadI32(b);
    // A bound of -1 is open: "20~" must not come back as "~20".
    const bool bothSet = a >= 0 && b >= 0;
    c.low = bothSet ? std::min(a, b) : a;
    c.high = bothSet ? std::max(a, b) : b;
  }
  if (list.size() < kMinConstraintSlots) list.resize(kMinConstraintSlots);
  count = n;
  return true;
}

bool WriteSettingConstraints(SettingsStore& store, std::string_view name, const std::vector<CSettingConstraint>& list,
                             int32_t count) {
  const int32_t n = std::clamp<int32_t>(count, 0, static_cast<int32_t>(std::min<std::size_t>(list.size(), 66)));
  ByteWriter writer;
  writer.WriteI32(1);
  writer.WriteI32(n);
  for (int32_t i = 0; i < n; ++i) {
    const CSettingConstraint& c = list[static_cast<std::size_t>(i)];
    writer.WriteI32(c.column);
    writer.WriteI32(c.low);
    writer.WriteI32(c.high);
  }
  return WriteSettingBinary(store, name, writer.bytes());
}

bool ReadSettingFlags(SettingsStore& store, std::string_view name, std::vector<bool>& flags) {
  std::vector<uint8_t> bytes;
  if (!ReadSettingBinary(store, name, kSettingsArrayBytes, bytes)) return false;
  ByteReader reader{std::span<const uint8_t>(bytes)};
  for (std::size_t i = 0; i < flags.size() && reader.remaining() >= 4; ++i) {
    uint32_t flag = 0;
    reader.ReadU32(flag);
    flags[i] = flag != 0;
  }
  return true;
}

}  // namespace varnik
