#include "compress/zlib_unpacker.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include <unzip.h>
#include <zip.h>

namespace varnik {

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 16;

// A gzip file, of one or more members one after another.
UnpackStatus Gunzip(std::string_view packed, std::size_t maxBytes, std::string& out) {
  z_stream stream{};
  if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) return UnpackStatus::kUnsupported;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  std::size_t left = packed.size();
  UnpackStatus status = UnpackStatus::kOk;
  char buffer[kChunk];
  for (;;) {
    // zlib counts its input in 32 bits.
    const auto take = static_cast<uInt>(std::min<std::size_t>(left, 1u << 30));
    stream.avail_in = take;
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = sizeof buffer;
    const int result = inflate(&stream, Z_NO_FLUSH);
    left -= take - stream.avail_in;
    const std::size_t produced = sizeof buffer - stream.avail_out;
    if (out.size() + produced > maxBytes) {
      status = UnpackStatus::kTooLarge;
      break;
    }
    out.append(buffer, produced);
    if (result == Z_STREAM_END) {
      if (left == 0) break;
      inflateReset(&stream);  // a further member
      continue;
    }
    if (result == Z_OK) continue;
    // Z_BUF_ERROR with nothing left to read: the file was cut short.
    status = UnpackStatus::kDamaged;
    break;
  }
  inflateEnd(&stream);
  return status;
}

// minizip reads the archive through these functions from memory.
struct MemoryFile {
  const char* data = nullptr;
  ZPOS64_T size = 0;
  ZPOS64_T at = 0;
};

voidpf ZCALLBACK OpenMemory(voidpf opaque, const void*, int) {
  static_cast<MemoryFile*>(opaque)->at = 0;
  return opaque;
}
uLong ZCALLBACK ReadMemory(voidpf, voidpf stream, void* buffer, uLong size) {
  auto* file = static_cast<MemoryFile*>(stream);
  const ZPOS64_T n = std::min<ZPOS64_T>(size, file->size - file->at);
  std::memcpy(buffer, file->data + file->at, static_cast<std::size_t>(n));
  file->at += n;
  return static_cast<uLong>(n);
}
uLong ZCALLBACK WriteMemory(voidpf, voidpf, const void*, uLong) { return 0; }
ZPOS64_T ZCALLBACK TellMemory(voidpf, voidpf stream) { return static_cast<MemoryFile*>(stream)->at; }
long ZCALLBACK SeekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto* file = static_cast<MemoryFile*>(stream);
  ZPOS64_T base = 0;
  if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = file->at;
  if (origin == ZLIB_FILEFUNC_SEEK_END) base = file->size;
  if (offset > file->size || base > file->size - offset) return -1;
  file->at = base + offset;
  return 0;
}
int ZCALLBACK CloseMemory(voidpf, voidpf) { return 0; }
int ZCALLBACK MemoryError(voidpf, voidpf) { return 0; }

// The end record of the central directory must close the archive: a cut
// inside it (its comment length even) is a damaged file.
bool EndRecordIsWhole(std::string_view packed) {
  constexpr std::size_t kEndRecord = 22;
  if (packed.size() < kEndRecord) return false;
  const std::size_t lowest = packed.size() > kEndRecord + 0xFFFF ? packed.size() - kEndRecord - 0xFFFF : 0;
  for (std::size_t at = packed.size() - kEndRecord + 1; at-- > lowest;) {
    if (packed.compare(at, 4, "PK\x05\x06") != 0) continue;
    const auto commentLength = static_cast<std::size_t>(static_cast<unsigned char>(packed[at + 20]) |
                                                        (static_cast<unsigned char>(packed[at + 21]) << 8));
    return at + kEndRecord + commentLength == packed.size();
  }
  return false;
}

UnpackStatus Unzip(std::string_view packed, std::size_t maxBytes, std::vector<PackedEntry>& files) {
  if (!EndRecordIsWhole(packed)) return UnpackStatus::kDamaged;
  MemoryFile memory{packed.data(), packed.size(), 0};
  zlib_filefunc64_def functions{OpenMemory, ReadMemory, WriteMemory, TellMemory,
                                SeekMemory, CloseMemory, MemoryError, &memory};
  unzFile zip = unzOpen2_64("memory", &functions);
  if (zip == nullptr) return UnpackStatus::kDamaged;
  UnpackStatus status = UnpackStatus::kOk;
  std::size_t total = 0;
  char buffer[kChunk];
  for (int at = unzGoToFirstFile(zip); at == UNZ_OK && status == UnpackStatus::kOk; at = unzGoToNextFile(zip)) {
    unz_file_info64 info{};
    char name[1024];
    if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) {
      status = UnpackStatus::kDamaged;
      break;
    }
    const std::string entryName(name, strnlen(name, sizeof name));
    if (!entryName.empty() && (entryName.back() == '/' || entryName.back() == '\\')) continue;  // a folder
    if ((info.flag & 1) != 0) {
      status = UnpackStatus::kUnsupported;  // encrypted
      break;
    }
    if (unzOpenCurrentFile(zip) != UNZ_OK) {
      status = UnpackStatus::kDamaged;
      break;
    }
    PackedEntry& entry = files.emplace_back();
    entry.name = entryName;
    for (;;) {
      const int n = unzReadCurrentFile(zip, buffer, sizeof buffer);
      if (n < 0) {
        status = n == UNZ_BADZIPFILE || n == Z_DATA_ERROR || n == UNZ_ERRNO || n == Z_BUF_ERROR ? UnpackStatus::kDamaged
                                                                                               : UnpackStatus::kUnsupported;
        break;
      }
      if (n == 0) break;
      total += static_cast<std::size_t>(n);
      if (total > maxBytes) {
        status = UnpackStatus::kTooLarge;
        break;
      }
      entry.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    // Closing checks the entry's CRC once it was read to its end.
    if (unzCloseCurrentFile(zip) != UNZ_OK && status == UnpackStatus::kOk) status = UnpackStatus::kDamaged;
    if (status == UnpackStatus::kOk && entry.bytes.size() != info.uncompressed_size) status = UnpackStatus::kDamaged;
  }
  unzClose(zip);
  return status;
}

}  // namespace

UnpackStatus UnpackWithZlib(Packing packing, std::string_view packed, std::size_t maxBytes,
                            std::vector<PackedEntry>& files) {
  files.clear();
  if (packing == Packing::kGzip) {
    PackedEntry& entry = files.emplace_back();
    return Gunzip(packed, maxBytes, entry.bytes);
  }
  if (packing == Packing::kZip) return Unzip(packed, maxBytes, files);
  return UnpackStatus::kUnsupported;
}

void RegisterUnpacker() { SetUnpacker(UnpackWithZlib); }

bool WritePackedFile(Packing packing, const std::string& path, const std::vector<PackedEntry>& files) {
  if (packing == Packing::kGzip && !files.empty()) {
    const std::string_view text = files.front().bytes;
    gzFile file = gzopen(path.c_str(), "wb9");
    if (file == nullptr) return false;
    bool ok = true;
    for (std::size_t at = 0; ok && at < text.size(); at += kChunk) {
      const auto n = static_cast<unsigned>(std::min(kChunk, text.size() - at));
      ok = gzwrite(file, text.data() + at, n) == static_cast<int>(n);
    }
    return gzclose(file) == Z_OK && ok;
  }
  if (packing != Packing::kZip) return false;
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  if (zip == nullptr) return false;
  bool ok = true;
  for (const PackedEntry& entry : files) {
    const std::string_view text = entry.bytes;
    zip_fileinfo info{};
    info.tmz_date = {0, 0, 12, 1, 0, 2024};  // a fixed date: the same bytes on every build
    ok = ok && zipOpenNewFileInZip64(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 9,
                                     text.size() >= 0xFFFFFFFFu) == ZIP_OK;
    for (std::size_t at = 0; ok && at < text.size(); at += kChunk) {
      const auto n = static_cast<unsigned>(std::min(kChunk, text.size() - at));
      ok = zipWriteInFileInZip(zip, text.data() + at, n) == ZIP_OK;
    }
    ok = ok && zipCloseFileInZip(zip) == ZIP_OK;
  }
  return zipClose(zip, nullptr) == ZIP_OK && ok;
}

}  // namespace varnik
