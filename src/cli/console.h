// The command line's text boundary with the system: arguments and console
// output in UTF-8 on every platform.
#pragma once

#include <string>
#include <vector>

namespace varnik::cli {

// The program's arguments, the program name first, in UTF-8.  On Windows
// they come from the wide command line, since the narrow `argv` holds them in
// the ANSI code page, which cannot carry most Cyrillic text or paths.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// On Windows, switches the console to UTF-8 output for this run and back to
// its own code page at exit; elsewhere does nothing.
void UseUtf8Console();

}  // namespace varnik::cli
