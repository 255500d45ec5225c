// The line a tool adds to its result text when its report could not go into
// the program folder, so the user learns where it is.
#pragma once

#include <cstdint>
#include <string>

#include "platform/program_folder.h"

namespace varnik {

// Empty when the report is in the program folder; otherwise "\r\n", the text
// naming the report's path in `language` (-1: the interface language) and
// "\r\n".
std::string ReportNote(const ReportLocation& where, int32_t language = -1);

}  // namespace varnik
