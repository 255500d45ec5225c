// Sample collection files of every format: the first byte picks the format
// (0-7) and the language of the group names.
#include <sstream>

#include "fuzz_support.h"
#include "ystr/sample_collections.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace varnik;
  if (size == 0) return 0;
  std::istringstream in(std::string(fuzz::AsText(data + 1, size - 1)), std::ios::binary);
  int64_t handed = 0;
  const CIshodCitanjaZbirke result =
      ReadCollection(in, data[0] % 8, (data[0] >> 3) % 3, [&handed](const CUzorakZbirke&) { ++handed; });
  fuzz::Check(result.samples == handed, "every sample counted is handed on");
  fuzz::Check(result.ok || !result.error.empty() || !result.opened, "a failed file says why");
  return 0;
}
