// Transition-table files: the header, the index and every matrix it names.
#include "fuzz_support.h"
#include "tmrca/mutation_model.h"
#include "tmrca/transition_table_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace varnik;
  CTablicePrelazaka tables;
  if (!tables.OpenBytes(std::string(fuzz::AsText(data, size)))) return 0;
  for (int32_t marker = 0; marker < tables.markers() && marker < 4; ++marker) {
    CSTROznaka record;
    record.marker = marker;
    tables.ReadMatrix(0, true, record);
    tables.ReadMatrix(tables.generations() + 3, true, record);
  }
  return 0;
}
