// The program folder: the folder of the running executable, where the data
// files that ship with the program lie and reports are written.  All paths
// are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace varnik {

// The folder, without a trailing separator.
std::string ProgramFolder();
// Path of `fileName` inside the program folder.
std::string ProgramFile(const std::string& fileName);
// Makes ProgramFolder() return `folder` (tests); an empty text restores the
// executable's folder.
void SetProgramFolder(const std::string& folder);

// Path of a data file that ships with the program: in the program folder
// when it is there (the build folder, a Windows install), otherwise in
// `share/varnik` beside the program's `bin` folder (an install under a
// prefix such as /usr).  When neither holds it, the program folder's path.
std::string DataFile(const std::string& fileName);

// The user's own folder for reports that cannot go into the program folder:
// %LOCALAPPDATA%\Varnik on Windows, elsewhere $XDG_DATA_HOME/varnik or
// ~/.local/share/varnik.  Empty when none of these is known.
std::string UserReportFolder();
// Makes UserReportFolder() return `folder` (tests); empty restores it.
void SetUserReportFolder(const std::string& folder);

// Where a report went.
struct ReportLocation {
  std::string path;         // the report's file
  bool userFolder = false;  // the program folder was not writable
};

// Where the report `fileName` is to be written: in the program folder when
// a file can be created there, otherwise in the user's report folder, which
// is created when missing.
ReportLocation ReportFile(const std::string& fileName);
// Writes the report `fileName`, replacing an older one: into the program
// folder, or, when that write fails, into the user's report folder.  False
// when neither could be written; `where` names the last place tried.
bool WriteReport(const std::string& fileName, std::string_view bytes, ReportLocation& where);

}  // namespace varnik
