// A build without zlib and minizip: packed files are refused.
#include "compress/zlib_unpacker.h"

namespace varnik {

UnpackStatus UnpackWithZlib(Packing, std::string_view, std::size_t, std::vector<PackedEntry>& files) {
  files.clear();
  return UnpackStatus::kUnsupported;
}

void RegisterUnpacker() { SetUnpacker({}); }

bool WritePackedFile(Packing, const std::string&, const std::vector<PackedEntry>&) { return false; }

}  // namespace varnik
