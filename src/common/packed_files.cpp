#include "common/packed_files.h"

#include <utility>

namespace varnik {

namespace {

Unpacker& RegisteredUnpacker() {
  static Unpacker unpacker;
  return unpacker;
}

}  // namespace

Packing PackingOf(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1F && static_cast<unsigned char>(bytes[1]) == 0x8B) {
    return Packing::kGzip;
  }
  // A local file header, or the end record of an empty archive.
  if (bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K' &&
      ((bytes[2] == 3 && bytes[3] == 4) || (bytes[2] == 5 && bytes[3] == 6))) {
    return Packing::kZip;
  }
  return Packing::kNone;
}

void SetUnpacker(Unpacker unpacker) { RegisteredUnpacker() = std::move(unpacker); }

bool CanUnpack() { return static_cast<bool>(RegisteredUnpacker()); }

UnpackStatus Unpack(Packing packing, std::string_view packed, std::size_t maxBytes, std::vector<PackedEntry>& files) {
  files.clear();
  if (!CanUnpack() || packing == Packing::kNone) return UnpackStatus::kUnsupported;
  const UnpackStatus status = RegisteredUnpacker()(packing, packed, maxBytes, files);
  if (status != UnpackStatus::kOk) files.clear();
  return status;
}

}  // namespace varnik
