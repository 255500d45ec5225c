#include "cli/console.h"

#if defined(_WIN32)
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

#include "common/utf.h"
#endif

namespace varnik::cli {

#if defined(_WIN32)

namespace {

UINT g_consoleCodePage = 0;

void RestoreConsoleCodePage() {
  if (g_consoleCodePage != 0) SetConsoleOutputCP(g_consoleCodePage);
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr || count != argc) {
    if (wide != nullptr) LocalFree(wide);
    return std::vector<std::string>(argv, argv + argc);
  }
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) {
    const std::wstring text(wide[i]);
    arguments.push_back(Utf16ToUtf8(std::u16string(text.begin(), text.end())));
  }
  LocalFree(wide);
  return arguments;
}

void UseUtf8Console() {
  // Output into a file or a pipe is left as the bytes are: UTF-8.
  const UINT current = GetConsoleOutputCP();
  if (current == 0 || current == CP_UTF8) return;
  if (!SetConsoleOutputCP(CP_UTF8)) return;
  g_consoleCodePage = current;
  std::atexit(RestoreConsoleCodePage);
}

#else

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

void UseUtf8Console() {}

#endif

}  // namespace varnik::cli
