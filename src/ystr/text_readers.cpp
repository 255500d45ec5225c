#include "ystr/text_readers.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "common/binary_io.h"

namespace varnik {
namespace {

// Reads the whole file, refusing one beyond kMaxReaderFileBytes; prints the
// message on failure.
bool ReadFileBytes(const std::string& path, std::string& bytes) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (!error && size > kMaxReaderFileBytes) {
    std::fputs(kMessageTooLarge, stdout);
    return false;
  }
  if (!ReadWholeFile(path, bytes, kMaxReaderFileBytes)) {
    std::fputs(kMessageCannotOpen, stdout);
    return false;
  }
  return true;
}

}  // namespace

bool DecodeUnicodeText(std::string_view bytes, std::u16string& text, const char*& message) {
  if (bytes.size() < 4) {
    message = kMessageTooShort;
    return false;
  }
  if (static_cast<uint8_t>(bytes[0]) != 0xFF || static_cast<uint8_t>(bytes[1]) != 0xFE) {
    message = kMessageNotUnicode;
    return false;
  }
  const std::size_t units = (bytes.size() - 2) / 2;
  text.resize(units);
  for (std::size_t i = 0; i < units; ++i) {
    text[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 + 2 * i]) |
                                    (static_cast<uint8_t>(bytes[3 + 2 * i]) << 8));
  }
  return true;
}

bool ReadUnicodeText(const std::string& path, std::u16string& text) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  const char* message = nullptr;
  if (!DecodeUnicodeText(bytes, text, message)) {
    std::fputs(message, stdout);
    return false;
  }
  return true;
}

bool DecodeDoubles(std::string_view bytes, std::vector<double>& values, const char*& message) {
  if (bytes.size() < 8) {
    message = kMessageTooShort;
    return false;
  }
  values.resize(bytes.size() / 8);
  for (std::size_t i = 0; i < values.size(); ++i) {
    uint64_t word = 0;
    for (int k = 7; k >= 0; --k) word = (word << 8) | static_cast<uint8_t>(bytes[8 * i + static_cast<std::size_t>(k)]);
    std::memcpy(&values[i], &word, sizeof word);
  }
  return true;
}

bool ReadDoubles(const std::string& path, std::vector<double>& values) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  const char* message = nullptr;
  if (!DecodeDoubles(bytes, values, message)) {
    std::fputs(message, stdout);
    return false;
  }
  return true;
}

}  // namespace varnik
