// The line a tool adds to its result text to name the report it wrote, with
// the report's whole path, so the user can find it; when the program folder
// was not writable, the line also says so.
#pragma once

#include <cstdint>
#include <string>

#include "platform/program_folder.h"

namespace varnik {

// "\r\n", the text naming the written report at `where` in `language` (-1:
// the interface language) and "\r\n"; empty when `where` names no file.
std::string ReportNote(const ReportLocation& where, int32_t language = -1);

}  // namespace varnik
