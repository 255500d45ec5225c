// Little-endian binary reading and writing over memory buffers.  Readers
// never read past the end: every read reports success, and a failed read
// leaves the reader failed, so a file reader can check once at the end of a
// record.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnik {

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  explicit ByteReader(std::string_view bytes)
      : bytes_(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()) {}

  bool ok() const { return ok_; }
  std::size_t position() const { return pos_; }
  std::size_t remaining() const { return bytes_.size() - pos_; }
  bool AtEnd() const { return pos_ == bytes_.size(); }

  bool ReadBytes(void* out, std::size_t n) {
    if (!ok_ || n > remaining()) return Fail();
    if (n != 0) std::memcpy(out, bytes_.data() + pos_, n);
    pos_ += n;
    return true;
  }
  bool Skip(std::size_t n) {
    if (!ok_ || n > remaining()) return Fail();
    pos_ += n;
    return true;
  }
  bool ReadU8(uint8_t& v) { return ReadBytes(&v, 1); }
  bool ReadU16(uint16_t& v) { return ReadLittle(v); }
  bool ReadU32(uint32_t& v) { return ReadLittle(v); }
  bool ReadI32(int32_t& v) {
    uint32_t u = 0;
    if (!ReadLittle(u)) return false;
    v = static_cast<int32_t>(u);
    return true;
  }
  bool ReadU64(uint64_t& v) { return ReadLittle(v); }
  bool ReadF64(double& v) {
    uint64_t u = 0;
    if (!ReadLittle(u)) return false;
    std::memcpy(&v, &u, sizeof v);
    return true;
  }
  bool ReadF32(float& v) {
    uint32_t u = 0;
    if (!ReadLittle(u)) return false;
    std::memcpy(&v, &u, sizeof v);
    return true;
  }
  // Reads `units` UTF-16LE code units and converts them to UTF-8.
  bool ReadUtf16(std::size_t units, std::string& out);
  // True when `count` elements of `elementSize` bytes can still follow: a
  // reader checks a count from the file with this before allocating for it.
  bool CanHold(uint64_t count, std::size_t elementSize) const {
    return ok_ && (elementSize == 0 || count <= remaining() / elementSize);
  }
  bool Fail() {
    ok_ = false;
    return false;
  }

 private:
  template <typename T>
  bool ReadLittle(T& v) {
    uint8_t raw[sizeof(T)];
    if (!ReadBytes(raw, sizeof(T))) return false;
    T value = 0;
    for (std::size_t k = 0; k < sizeof(T); ++k) value |= static_cast<T>(raw[k]) << (8 * k);
    v = value;
    return true;
  }

  std::span<const uint8_t> bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

class ByteWriter {
 public:
  void WriteBytes(const void* data, std::size_t n) {
    const auto* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + n);
  }
  void WriteU8(uint8_t v) { bytes_.push_back(v); }
  void WriteU16(uint16_t v) { WriteLittle(v); }
  void WriteU32(uint32_t v) { WriteLittle(v); }
  void WriteI32(int32_t v) { WriteLittle(static_cast<uint32_t>(v)); }
  void WriteU64(uint64_t v) { WriteLittle(v); }
  void WriteF64(double v) {
    uint64_t u = 0;
    std::memcpy(&u, &v, sizeof v);
    WriteLittle(u);
  }
  void WriteF32(float v) {
    uint32_t u = 0;
    std::memcpy(&u, &v, sizeof v);
    WriteLittle(u);
  }
  // Writes the UTF-16LE code units of a UTF-8 text (no terminator, no count)
  // and returns how many units were written.
  std::size_t WriteUtf16(std::string_view utf8);

  const std::vector<uint8_t>& bytes() const { return bytes_; }
  std::string str() const { return std::string(bytes_.begin(), bytes_.end()); }

 private:
  template <typename T>
  void WriteLittle(T v) {
    for (std::size_t k = 0; k < sizeof(T); ++k) bytes_.push_back(static_cast<uint8_t>(v >> (8 * k)));
  }

  std::vector<uint8_t> bytes_;
};

// Whole-file helpers.  ReadWholeFile fails for a missing or unreadable file
// and for files larger than maxBytes.
bool ReadWholeFile(const std::string& path, std::string& out,
                   std::size_t maxBytes = std::size_t{1} << 32);
// Writes through a temporary file of its own in the same folder and renames
// it over the target, so a failed write never leaves a half-written file and
// writers running at once never share a temporary file.  A symbolic link is
// followed and its final target replaced, so the link stays.  A path that
// names something other than a regular file (a device, a FIFO, a socket) is
// written directly.  On failure `error`, when given, receives the reason.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);
// Receives the bytes of a file piece by piece; false when they could not be
// written.
using ByteSink = std::function<bool(std::string_view)>;
// The same for a file produced piece by piece: `produce` hands every piece to
// the sink and returns false to give up (a stop request), which leaves the
// target as it was (unless it is written directly) and `error` empty.
bool WriteFileAtomically(const std::string& path, const std::function<bool(const ByteSink&)>& produce,
                         std::string* error = nullptr);

}  // namespace varnik
