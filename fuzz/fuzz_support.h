// Helpers of the fuzz targets: inputs split into parts, and temporary files
// for readers that take a path.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace varnik::fuzz {

inline std::string_view AsText(const uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The input cut at every NUL byte, at most `parts` pieces (the last keeps
// the rest).
inline std::vector<std::string_view> Parts(std::string_view input, std::size_t parts) {
  std::vector<std::string_view> out;
  while (out.size() + 1 < parts) {
    const std::size_t nul = input.find('\0');
    if (nul == std::string_view::npos) break;
    out.push_back(input.substr(0, nul));
    input.remove_prefix(nul + 1);
  }
  out.push_back(input);
  out.resize(parts);
  return out;
}

// A folder of this process for the files a target writes, removed at exit;
// in memory where the system has /dev/shm, because rewriting small files on
// a disk file system every input can cost more than the reader itself.
inline const std::string& ScratchFolder() {
  static const std::string folder = [] {
    std::error_code error;
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
    const std::filesystem::path path = base / ("varnik_fuzz_" + std::to_string(getpid()));
    if (!std::filesystem::create_directories(path, error) && !std::filesystem::is_directory(path)) std::abort();
    static const std::string removed = path.string();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(removed, ignored);
    });
    return path.string();
  }();
  return folder;
}

inline std::string WriteScratch(const std::string& name, std::string_view bytes) {
  const std::string path = ScratchFolder() + "/" + name;
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

// Stops a target with a message when an invariant does not hold.
inline void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

}  // namespace varnik::fuzz
