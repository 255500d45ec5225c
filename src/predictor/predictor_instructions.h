// The predictor's short user manual, shown by its "Short user manual" button.
#pragma once

#include <cstdint>
#include <string>

namespace varnik {

// Six paragraphs joined by "\r\n\r\n" in `language` (0 Serbian, 1 English,
// 2 Russian; others give English).
std::string PredictorInstructions(int32_t language);

}  // namespace varnik
