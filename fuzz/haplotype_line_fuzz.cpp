// Haplotype lines in comma mode or not, converted from a panel order.  A
// line that parses formats to text that parses to the same values.
#include "fuzz_support.h"
#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace varnik;
  if (size == 0) return 0;
  const bool comma = (data[0] & 1) != 0;
  const std::string_view line = fuzz::AsText(data + 1, size - 1);
  std::size_t position = 0;
  std::string name;
  Haplotype haplotype;
  int32_t markers = 0;
  if (ParseHaplotypeLine(line, position, name, haplotype, markers, 2, comma) != 1) return 0;
  Haplotype converted = haplotype;
  PanelToFtdna(converted, (data[0] >> 1) % 6, (data[0] & 0x80) != 0);
  const std::string text = FormatHaplotype(haplotype, true);
  std::size_t again = 0;
  std::string secondName;
  Haplotype reparsed;
  fuzz::Check(ParseHaplotypeLine(text, again, secondName, reparsed, markers, 2, false) == 1, "formatted text parses");
  fuzz::Check(FormatHaplotype(reparsed, true) == text, "formatted text parses to the same values");
  return 0;
}
