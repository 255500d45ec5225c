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

}  // namespace varnik
