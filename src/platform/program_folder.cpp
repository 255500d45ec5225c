#include "platform/program_folder.h"

#include <filesystem>
#include <mutex>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#endif

namespace varnik {
namespace {

std::mutex g_folderMutex;
std::string g_folderOverride;

std::string ExecutableFolder() {
  std::filesystem::path exe;
#if defined(_WIN32)
  wchar_t buffer[32768];
  const DWORD n = GetModuleFileNameW(nullptr, buffer, 32768);
  if (n > 0 && n < 32768) exe = std::filesystem::path(std::wstring(buffer, n));
#elif defined(__APPLE__)
  char buffer[4096];
  uint32_t size = sizeof buffer;
  if (_NSGetExecutablePath(buffer, &size) == 0) exe = std::filesystem::path(buffer);
#else
  std::error_code ec;
  exe = std::filesystem::read_symlink("/proc/self/exe", ec);
#endif
  if (exe.empty()) return ".";
  return exe.parent_path().string();
}

}  // namespace

std::string ProgramFolder() {
  std::lock_guard<std::mutex> lock(g_folderMutex);
  if (!g_folderOverride.empty()) return g_folderOverride;
  static const std::string folder = ExecutableFolder();
  return folder;
}

std::string ProgramFile(const std::string& fileName) {
  return (std::filesystem::path(ProgramFolder()) / fileName).string();
}

void SetProgramFolder(const std::string& folder) {
  std::lock_guard<std::mutex> lock(g_folderMutex);
  g_folderOverride = folder;
}

}  // namespace varnik
