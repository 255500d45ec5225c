#include "platform/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <system_error>

#include "common/binary_io.h"
#include "common/utf.h"

#if defined(_WIN32)
#include <windows.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#endif

namespace varnik {
namespace {

std::mutex g_folderMutex;
std::string g_folderOverride;
std::string g_userFolderOverride;

std::string ExecutableFolder() {
  std::filesystem::path exe;
#if defined(_WIN32)
  std::wstring buffer(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n > 0 && n < buffer.size()) exe = std::filesystem::path(buffer.substr(0, n));
#elif defined(__APPLE__)
  char buffer[4096];
  uint32_t size = sizeof buffer;
  if (_NSGetExecutablePath(buffer, &size) == 0) exe = std::filesystem::path(buffer);
#else
  std::error_code ec;
  exe = std::filesystem::read_symlink("/proc/self/exe", ec);
#endif
  if (exe.empty()) return ".";
  return PathToUtf8(exe.parent_path());
}

bool IsFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

// Whether a new file can be created in `folder`: a probe file is created and
// removed again.
bool CanCreateFileIn(const std::string& folder, const std::string& fileName) {
  const std::filesystem::path probe = PathFromUtf8(folder) / PathFromUtf8(fileName + ".probe");
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    if (!out) return false;
  }
  std::error_code ec;
  std::filesystem::remove(probe, ec);
  return true;
}

// The user's report folder, created when missing; empty when it is unknown
// or cannot be created.
std::string MakeUserReportFolder() {
  const std::string folder = UserReportFolder();
  if (folder.empty()) return "";
  std::error_code ec;
  std::filesystem::create_directories(PathFromUtf8(folder), ec);
  return ec ? "" : folder;
}

std::string Join(const std::string& folder, const std::string& fileName) {
  return PathToUtf8(PathFromUtf8(folder) / PathFromUtf8(fileName));
}

std::string Environment(const char* name) {
#if defined(_WIN32)
  const std::wstring wide(name, name + std::char_traits<char>::length(name));
  const wchar_t* value = _wgetenv(wide.c_str());
  return value == nullptr ? "" : PathToUtf8(std::filesystem::path(value));
#else
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
#endif
}

}  // namespace

std::string ProgramFolder() {
  std::lock_guard<std::mutex> lock(g_folderMutex);
  if (!g_folderOverride.empty()) return g_folderOverride;
  static const std::string folder = ExecutableFolder();
  return folder;
}

std::string ProgramFile(const std::string& fileName) { return Join(ProgramFolder(), fileName); }

void SetProgramFolder(const std::string& folder) {
  std::lock_guard<std::mutex> lock(g_folderMutex);
  g_folderOverride = folder;
}

std::string DataFile(const std::string& fileName) {
  const std::string beside = ProgramFile(fileName);
  if (IsFile(PathFromUtf8(beside))) return beside;
  const std::filesystem::path shared =
      PathFromUtf8(ProgramFolder()).parent_path() / "share" / "varnik" / PathFromUtf8(fileName);
  return IsFile(shared) ? PathToUtf8(shared) : beside;
}

std::string UserReportFolder() {
  {
    std::lock_guard<std::mutex> lock(g_folderMutex);
    if (!g_userFolderOverride.empty()) return g_userFolderOverride;
  }
#if defined(_WIN32)
  for (const char* name : {"LOCALAPPDATA", "APPDATA"}) {
    const std::string base = Environment(name);
    if (!base.empty()) return Join(base, "Varnik");
  }
  return "";
#else
  // The data home must be absolute to count; otherwise the default applies.
  if (const std::string xdg = Environment("XDG_DATA_HOME"); !xdg.empty() && xdg[0] == '/') return Join(xdg, "varnik");
  const std::string home = Environment("HOME");
  return home.empty() ? "" : Join(home, ".local/share/varnik");
#endif
}

void SetUserReportFolder(const std::string& folder) {
  std::lock_guard<std::mutex> lock(g_folderMutex);
  g_userFolderOverride = folder;
}

ReportLocation ReportFile(const std::string& fileName) {
  const std::string programFolder = ProgramFolder();
  if (CanCreateFileIn(programFolder, fileName)) return {Join(programFolder, fileName), false};
  const std::string userFolder = MakeUserReportFolder();
  if (userFolder.empty()) return {Join(programFolder, fileName), false};
  return {Join(userFolder, fileName), true};
}

bool WriteReport(const std::string& fileName, std::string_view bytes, ReportLocation& where) {
  where = {ProgramFile(fileName), false};
  if (WriteFileAtomically(where.path, bytes)) return true;
  const std::string userFolder = MakeUserReportFolder();
  if (userFolder.empty()) return false;
  where = {Join(userFolder, fileName), true};
  return WriteFileAtomically(where.path, bytes);
}

}  // namespace varnik
