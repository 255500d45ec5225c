#include "autosomal/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnik {
namespace {

// Every line a reader returns, joined by '|', and the last result.
std::string ReadAll(std::string_view bytes, LineEnds ends, int& last) {
  ByteLineReader reader(bytes);
  std::string out;
  std::string_view line;
  while ((last = reader.ReadLine(ends, line)) == kLineRead) out += std::string(line) + "|";
  return out;
}

TEST(ByteLineReader, LineEndsOfEachMode) {
  struct Case {
    const char* bytes;
    LineEnds ends;
    const char* lines;
    int last;
  } cases[] = {
      {"a\nb\r\nc", LineEnds::kTolerant, "a|b|c|", kLineEndOfFile},
      {"a\rb", LineEnds::kTolerant, "", kLineReadError},
      {"a\r\nb\r\n", LineEnds::kStrict, "a|b|", kLineEndOfFile},
      {"a\r\nb\n", LineEnds::kStrict, "a|", kLineReadError},
      {"a\r\nb\rc", LineEnds::kSingle, "a||b|c|", kLineEndOfFile},
      {"a\r\nb\rc\n\nd", LineEnds::kAny, "a|b|c||d|", kLineEndOfFile},
      {"", LineEnds::kTolerant, "", kLineEndOfFile},
  };
  for (const Case& c : cases) {
    int last = -1;
    EXPECT_EQ(ReadAll(c.bytes, c.ends, last), c.lines) << c.bytes;
    EXPECT_EQ(last, c.last) << c.bytes;
  }
}

TEST(ByteLineReader, AdjacentSeparatorsYieldMissingFieldsOnlyAfterAField) {
  struct Case {
    const char* line;
    std::vector<std::string> fields;
  } cases[] = {
      {"a,b,c", {"a", "b", "c"}},
      {",,a,,b,", {"a", "NC", "b"}},
      {"a,,,b", {"a", "NC", "NC", "b"}},
      {",,,", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string_view> fields;
    SplitFields(c.line, ',', fields);
    EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.end()), c.fields) << c.line;
  }
}

}  // namespace
}  // namespace varnik
