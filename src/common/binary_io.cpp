#include "common/binary_io.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/utf.h"

namespace varnik {

bool ByteReader::ReadUtf16(std::size_t units, std::string& out) {
  if (!CanHold(units, 2)) return Fail();
  std::u16string text(units, u'\0');
  for (std::size_t k = 0; k < units; ++k) {
    uint16_t u = 0;
    ReadU16(u);
    text[k] = static_cast<char16_t>(u);
  }
  out = Utf16ToUtf8(text);
  return true;
}

std::size_t ByteWriter::WriteUtf16(std::string_view utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  for (char16_t u : units) WriteU16(static_cast<uint16_t>(u));
  return units.size();
}

bool ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > maxBytes) return false;
  in.seekg(0, std::ios::beg);
  std::string data(static_cast<std::size_t>(size), '\0');
  if (size > 0 && !in.read(data.data(), size)) return false;
  out = std::move(data);
  return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(PathFromUtf8(temp), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ec;
      std::filesystem::remove(PathFromUtf8(temp), ec);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(PathFromUtf8(temp), PathFromUtf8(path), ec);
  if (ec) {
    std::filesystem::remove(PathFromUtf8(temp), ec);
    return false;
  }
  return true;
}

}  // namespace varnik
