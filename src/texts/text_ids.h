// Ids of the rows of the translated-text table.
#pragma once

#include <cstdint>

namespace varnik {

enum ENiskaSlov : int32_t {
  kTextFirst = 0,
  kTextLast = 373,
};

}  // namespace varnik
