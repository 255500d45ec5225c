// The one string boundary of the GUI: UTF-8 std::string inside the program,
// wxString at the toolkit.
#pragma once

#include <string>
#include <string_view>

#include <wx/string.h>

namespace varnik {

inline wxString ToWx(std::string_view text) { return wxString::FromUTF8(text.data(), text.size()); }

inline std::string FromWx(const wxString& text) {
  const wxScopedCharBuffer utf8 = text.utf8_str();
  return std::string(utf8.data(), utf8.length());
}

// A window title shows one line: line ends at the end of a stored text are
// dropped, those inside it become spaces.
inline std::string TitleText(std::string_view text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
  std::string title(text);
  for (std::size_t at = 0; (at = title.find_first_of("\r\n", at)) != std::string::npos;) {
    const std::size_t end = title.find_first_not_of("\r\n", at);
    title.replace(at, (end == std::string::npos ? title.size() : end) - at, " ");
    ++at;
  }
  return title;
}

}  // namespace varnik
