// The unpacker of ".gz" files (zlib) and ".zip" archives (minizip) that
// the programs register with SetUnpacker.
#pragma once

#include <string>

#include "common/packed_files.h"

namespace varnik {

UnpackStatus UnpackWithZlib(Packing packing, std::string_view packed, std::size_t maxBytes,
                            std::vector<PackedEntry>& files);

// Registers UnpackWithZlib, or nothing in a build without the libraries.
void RegisterUnpacker();

// Writes `files` at `path` as a ".zip" archive, or the first of them as a
// ".gz" file; the same files give the same bytes.  False when the file
// cannot be written or the build has no packing.
bool WritePackedFile(Packing packing, const std::string& path, const std::vector<PackedEntry>& files);

}  // namespace varnik
