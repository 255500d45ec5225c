// Files that come packed, as raw genotype downloads often do: a ".zip"
// archive or a ".gz" file.  The core tells a packing by its signature and
// leaves the unpacking to a library that the programs register at start
// (src/compress); without one, packed files are refused with a clear
// message rather than read as text.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varnik {

enum class Packing { kNone, kGzip, kZip };

// The packing of a file's first bytes.
Packing PackingOf(std::string_view bytes);

// One file of a packed file; a gzip file holds one, without a name.
struct PackedEntry {
  std::string name;
  std::string bytes;
};

enum class UnpackStatus {
  kOk,
  kDamaged,      // cut short, a bad checksum, not what its signature says
  kTooLarge,     // more than the caller's limit unpacked
  kUnsupported,  // a packing method or feature the library does not read
};

// Unpacks every file of `packed` (directories left out), at most
// `maxBytes` of unpacked bytes in all.
using Unpacker = std::function<UnpackStatus(Packing packing, std::string_view packed, std::size_t maxBytes,
                                            std::vector<PackedEntry>& files)>;

// The program's unpacker; an empty one (the default) refuses packed files.
void SetUnpacker(Unpacker unpacker);
// Whether an unpacker is registered.
bool CanUnpack();
// Unpacks with the registered unpacker; kUnsupported without one.
UnpackStatus Unpack(Packing packing, std::string_view packed, std::size_t maxBytes, std::vector<PackedEntry>& files);

}  // namespace varnik
