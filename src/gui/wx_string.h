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
  std::string title;
  title.reserve(text.size());
  for (const char c : text) {
    const bool lineEnd = c == '\r' || c == '\n';
    if (!lineEnd) {
      title += c;
    } else if (title.empty() || title.back() != ' ') {
      title += ' ';
    }
  }
  return title;
}

}  // namespace varnik
