// Replays inputs through the fuzz targets' entry points without libFuzzer,
// so that the seed inputs and every input that once broke a reader run
// with the ordinary tests (and under the sanitizers of the sanitized build).
//   varnik_fuzz_replay TARGET FOLDER_OR_FILE...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#define VARNIK_FUZZ_TARGET(name) extern "C" int FuzzReplay_##name(const uint8_t* data, std::size_t size);
#include "fuzz_replay_targets.h"
#undef VARNIK_FUZZ_TARGET

namespace {

using Entry = int (*)(const uint8_t*, std::size_t);

struct Target {
  const char* name;
  Entry entry;
};

constexpr Target kTargets[] = {
#define VARNIK_FUZZ_TARGET(name) {#name, FuzzReplay_##name},
#include "fuzz_replay_targets.h"
#undef VARNIK_FUZZ_TARGET
};

// The files to replay, in name order, so that a failure names the input.
std::vector<std::filesystem::path> Inputs(int argc, char** argv) {
  std::vector<std::filesystem::path> inputs;
  for (int i = 2; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (entry.is_regular_file()) inputs.push_back(entry.path());
      }
    } else {
      inputs.push_back(path);
    }
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: varnik_fuzz_replay TARGET FOLDER_OR_FILE...\n");
    return 2;
  }
  Entry entry = nullptr;
  for (const Target& target : kTargets) {
    if (std::strcmp(target.name, argv[1]) == 0) entry = target.entry;
  }
  if (entry == nullptr) {
    std::fprintf(stderr, "varnik_fuzz_replay: no target %s\n", argv[1]);
    return 2;
  }
  const std::vector<std::filesystem::path> inputs = Inputs(argc, argv);
  if (inputs.empty()) {
    std::fprintf(stderr, "varnik_fuzz_replay: no inputs\n");
    return 2;
  }
  for (const std::filesystem::path& path : inputs) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && in.fail()) {
      std::fprintf(stderr, "varnik_fuzz_replay: %s cannot be read\n", path.c_str());
      return 2;
    }
    // A crash or a broken invariant aborts here, after the input's name.
    std::fprintf(stderr, "%s\n", path.c_str());
    entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%zu inputs replayed through %s\n", inputs.size(), argv[1]);
  return 0;
}
