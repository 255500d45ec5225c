// Packed raw genotype files: a ".gz" file or a ".zip" archive unpacked
// with zlib and minizip, then the layout detection of every file inside.
#include "autosomal/admixture_data.h"
#include "compress/zlib_unpacker.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace varnik;
  const std::string_view bytes = fuzz::AsText(data, size);
  const Packing packing = PackingOf(bytes);
  if (packing == Packing::kNone) return 0;
  constexpr std::size_t kLimit = std::size_t{1} << 20;
  std::vector<PackedEntry> files;
  const UnpackStatus status = UnpackWithZlib(packing, bytes, kLimit, files);
  if (status != UnpackStatus::kOk) return 0;
  std::size_t total = 0;
  for (const PackedEntry& file : files) {
    total += file.bytes.size();
    int layout = -1;
    if (DetectGenotypeLayout(file.bytes, layout)) fuzz::Check(layout >= 0 && layout <= kLayoutCommaHeader, "a known layout");
  }
  fuzz::Check(total <= kLimit, "the unpacked bytes stay within the limit");
  return 0;
}
