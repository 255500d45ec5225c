// printf-style formatting into std::string, for the system's format strings.
#pragma once

#include <string>

namespace varnik {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string Format(const char* format, ...);

}  // namespace varnik
