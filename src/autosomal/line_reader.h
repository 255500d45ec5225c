// The 8-bit line reader of the raw genotype and calculator files.
//
// Bytes are characters as they stand (no code-page conversion).  A line is
// either taken whole or split at one separator character:
//   - separators at the start of a line yield nothing;
//   - two adjacent separators, once a field has been collected in the line,
//     yield the field "NC" (the companies' code for a missing value);
//   - a separator at the end of the line yields nothing.
// Each call says how the line ends:
//   - kTolerant: LF, or CR followed by LF (a CR followed by anything else is
//     a read error);
//   - kStrict: the CR or LF that ends a line must be followed by an LF;
//   - kSingle: one CR or one LF ends the line, so CR LF gives an extra empty
//     line;
//   - kAny: CR, LF or CR LF each end one line.
// A last line without a line end is still returned.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace varnik {

enum class LineEnds { kTolerant, kStrict, kSingle, kAny };

// Results of a read call.
inline constexpr int kLineRead = 0;
inline constexpr int kLineEndOfFile = 1;
inline constexpr int kLineReadError = 2;

class ByteLineReader {
 public:
  // `bytes` must outlive the reader and every field it returns.
  explicit ByteLineReader(std::string_view bytes) : bytes_(bytes) {}

  // Reads one line whole (without its line end).
  int ReadLine(LineEnds ends, std::string_view& line);
  // Reads one line and splits it at `separator`.  Fields point into the
  // bytes (or at the literal "NC").
  int ReadFields(LineEnds ends, char separator, std::vector<std::string_view>& fields);

  // Lines returned so far (the number of the last line read, from 1).
  int64_t LineNumber() const { return lineNumber_; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  int64_t lineNumber_ = 0;
};

// Splits `line` at `separator` with the rules above.
void SplitFields(std::string_view line, char separator, std::vector<std::string_view>& fields);

}  // namespace varnik
