// The one string boundary of the core: UTF-8 inside, UTF-16 at the edges.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace varnik {

// Invalid input sequences become U+FFFD; neither function fails.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Number of UTF-16 code units that `text` takes.
std::size_t Utf16Length(std::string_view text);

// UTF-16LE bytes with the byte-order mark FF FE, as report files are written.
std::string Utf16LeWithBom(std::string_view utf8);

// The text of a file as UTF-8: UTF-16LE with the mark FF FE is converted
// (an odd last byte is dropped), a UTF-8 mark is removed, anything else is
// taken as it is.
std::string TextFileToUtf8(std::string_view bytes);

// File paths are UTF-8 inside the core.  These convert at the file system:
// on Windows a narrow path would be taken in the ANSI code page, which
// cannot name most Cyrillic folders.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace varnik
