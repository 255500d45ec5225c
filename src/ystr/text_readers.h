// Two small file readers shared by several tools: a whole UTF-16LE text
// file and a file of consecutive doubles.
//
// Both print a one-line Serbian message on standard output when they fail
// ("Ulazno spremiste ...", as every reader of the program does) and leave
// their output untouched then.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnik {

// Files larger than this are refused before they are read.
inline constexpr std::size_t kMaxReaderFileBytes = std::size_t{256} << 20;

inline constexpr const char* kMessageCannotOpen = "Ulazno spremiste se ne moze otvoriti\n";
inline constexpr const char* kMessageTooShort = "Ulazno spremiste je prazno ili prekratko\n";
inline constexpr const char* kMessageNotUnicode = "Ulazno spremiste mora biti UNICODE\n";
inline constexpr const char* kMessageTooLarge = "Ulazno spremiste je preveliko\n";

// The code units after the byte-order mark FF FE, little-endian; an odd last
// byte is ignored.  Fewer than 4 bytes give kMessageTooShort, another mark
// kMessageNotUnicode.
bool DecodeUnicodeText(std::string_view bytes, std::u16string& text, const char*& message);
bool ReadUnicodeText(const std::string& path, std::u16string& text);

// size / 8 little-endian doubles (a remainder is ignored); fewer than 8
// bytes give kMessageTooShort.
bool DecodeDoubles(std::string_view bytes, std::vector<double>& values, const char*& message);
bool ReadDoubles(const std::string& path, std::vector<double>& values);

}  // namespace varnik
