// The program folder: the folder of the running executable, where the data
// files that ship with the program lie and reports are written.
#pragma once

#include <string>

namespace varnik {

// The folder, without a trailing separator.
std::string ProgramFolder();
// Path of `fileName` inside the program folder.
std::string ProgramFile(const std::string& fileName);
// Makes ProgramFolder() return `folder` (tests); an empty text restores the
// executable's folder.
void SetProgramFolder(const std::string& folder);

}  // namespace varnik
