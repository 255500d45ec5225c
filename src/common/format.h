// printf-style formatting into std::string, for the system's format strings.
#pragma once

#include <string>

namespace varnik {

#if defined(__MINGW32__)
// The C++ runtime of mingw-w64 selects its C99 printf family
// (__USE_MINGW_ANSI_STDIO), which knows %zu and %lld; the plain attribute
// would check against the older Microsoft one.
__attribute__((format(gnu_printf, 1, 2)))
#elif defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string Format(const char* format, ...);

}  // namespace varnik
