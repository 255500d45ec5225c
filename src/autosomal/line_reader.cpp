#include "autosomal/line_reader.h"

namespace varnik {

int ByteLineReader::ReadLine(LineEnds ends, std::string_view& line) {
  if (pos_ >= bytes_.size()) return kLineEndOfFile;
  const std::size_t start = pos_;
  std::size_t end = start;
  while (end < bytes_.size() && bytes_[end] != '\n' && bytes_[end] != '\r') ++end;
  line = bytes_.substr(start, end - start);
  ++lineNumber_;
  if (end == bytes_.size()) {
    pos_ = end;
    return kLineRead;
  }
  const bool cr = bytes_[end] == '\r';
  const bool lfFollows = end + 1 < bytes_.size() && bytes_[end + 1] == '\n';
  switch (ends) {
    case LineEnds::kTolerant:
      if (cr && !lfFollows) return kLineReadError;
      pos_ = end + (cr ? 2 : 1);
      break;
    case LineEnds::kStrict:
      if (!lfFollows) return kLineReadError;
      pos_ = end + 2;
      break;
    case LineEnds::kSingle:
      pos_ = end + 1;
      break;
    case LineEnds::kAny:
      pos_ = end + (cr && lfFollows ? 2 : 1);
      break;
  }
  return kLineRead;
}

int ByteLineReader::ReadFields(LineEnds ends, char separator, std::vector<std::string_view>& fields) {
  std::string_view line;
  const int result = ReadLine(ends, line);
  fields.clear();
  if (result == kLineRead) SplitFields(line, separator, fields);
  return result;
}

void SplitFields(std::string_view line, char separator, std::vector<std::string_view>& fields) {
  static constexpr std::string_view kMissing = "NC";
  fields.clear();
  std::size_t i = 0;
  while (i < line.size() && line[i] == separator) ++i;
  while (i < line.size()) {
    std::size_t end = i;
    while (end < line.size() && line[end] != separator) ++end;
    fields.push_back(line.substr(i, end - i));
    i = end;
    if (i < line.size()) ++i;  // the separator after the field
    // Every further separator directly after it stands for a missing field.
    while (i < line.size() && line[i] == separator) {
      fields.push_back(kMissing);
      ++i;
    }
  }
}

}  // namespace varnik
