// Placeholder rows; replaced by the full table.
#include "texts/text_table.h"

namespace varnik {

std::vector<CPrevodNaziva> FillTexts() {
  return {};
}

}  // namespace varnik
