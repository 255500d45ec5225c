// Randomised checks of the haplotype grammar: no input crashes or reads
// outside the line, and every line that parses writes back to text that
// parses to the same haplotype.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "haplotype_test_support.h"
#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"
#include "ystr/panels.h"

namespace varnik {
namespace {

using testing::Parse;
using testing::Parsed;

// What a haplotype reads back as: FormatHaplotype leaves out missing further
// copies, so the copies after them move up.
Haplotype ReadBackForm(const Haplotype& haplotype) {
  Haplotype out;
  int32_t copy = 0;
  for (const CVrednostSTRa& entry : haplotype) {
    if (entry.copy == 0) out.push_back(entry), copy = 0;
    else if (entry.value >= 0) out.push_back({entry.value, entry.fraction, ++copy});
  }
  return out;
}

void CheckParsedLine(const std::string& line, const Parsed& parsed) {
  const Haplotype& haplotype = parsed.haplotype;
  ASSERT_FALSE(haplotype.empty()) << line;
  EXPECT_EQ(haplotype.front().copy, 0) << line;
  EXPECT_LE(ColumnCount(haplotype), kStoredColumnLimit) << line;
  EXPECT_GE(parsed.markerCount, ColumnCount(haplotype)) << line;
  for (const CVrednostSTRa& entry : haplotype) {
    EXPECT_TRUE(entry.value >= -1 && entry.value <= kMaxRepeatCount && entry.fraction >= 0 && entry.fraction <= 99 &&
                (entry.value >= 0 || entry.fraction == 0)) << line;
  }

  const std::string text = FormatHaplotype(haplotype, true);
  const Parsed again = Parse(text);
  ASSERT_EQ(again.result, 1) << line << " -> " << text;
  EXPECT_EQ(again.haplotype, ReadBackForm(haplotype)) << line << " -> " << text;
  EXPECT_EQ(FormatHaplotype(again.haplotype, true), text) << line;

  // The conversions must cope with whatever the grammar lets through.
  Haplotype converted = haplotype, typed = haplotype;
  Convert389(converted, true, false), Convert389(converted, false, true);
  KeepFirstMarkers(converted, static_cast<int32_t>(line.size() % 40));
  const int32_t panel = static_cast<int32_t>(line.size() % kPanelCount);
  if (PanelToFtdna(typed, panel, false) == 0) FtdnaToPanel(typed, panel, false);
}

// Parses a line both plainly and as a comma-separated FTDNA line; returns how
// many of the two parsed.
int ParseBothWays(const std::string& line) {
  const Parsed plain = Parse(line, false, 2);  // 2: an empty line, told apart from a bad one
  EXPECT_LE(plain.position, line.size()) << line;
  if (plain.result == 1) CheckParsedLine(line, plain);
  EXPECT_TRUE(plain.result != 0 || (plain.haplotype.empty() && plain.name.empty())) << line;
  const std::string marked = MarkCommaFields(line);
  const Parsed comma = Parse(marked, true);
  if (comma.result == 1) CheckParsedLine(marked, comma);
  for (const std::string& piece : SplitInputLines(line)) Parse(piece, false, 1);
  return (plain.result == 1) + (comma.result == 1);
}

// Parses `rounds` lines of up to `maxPieces` pieces drawn by `piece`; returns
// how many parsed.
template <typename Piece>
int ParseRandomLines(uint32_t seed, int rounds, int maxPieces, Piece piece) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> pieces(0, maxPieces);
  int parsed = 0;
  for (int round = 0; round < rounds; ++round) {
    std::string line;
    for (int n = pieces(random); n > 0; --n) line += piece(random);
    parsed += ParseBothWays(line);
  }
  return parsed;
}

TEST(HaplotypeRandom, ArbitraryBytesNeverCrash) {
  std::uniform_int_distribution<int> byte(0, 255);
  ParseRandomLines(20240601, 20000, 64, [&](std::mt19937& random) { return static_cast<char>(byte(random)); });
}

// Long lines of mostly valid values, to reach the column limit and the joins.
TEST(HaplotypeRandom, TokenLinesParseAndWriteBack) {
  const std::vector<std::string> good = {"13", "24", "0", "200", "500", "15.2", "15.25", "9,5", "$", "/", "_",
                                         "-", " - ", "\t", ",", "7", "11-14", "15-15-17-18", "12--13", "$-16"};
  // Rare tokens that make a line bad, or end it with a name.
  const std::vector<std::string> rare = {"201", "15.", ".", "15.0", "; name", "x", "-5"};
  std::uniform_int_distribution<std::size_t> pickGood(0, good.size() - 1);
  std::uniform_int_distribution<std::size_t> pickRare(0, rare.size() - 1);
  std::uniform_int_distribution<int> percent(0, 199);
  const auto token = [&](std::mt19937& random) {
    return (percent(random) == 0 ? rare[pickRare(random)] : good[pickGood(random)]) + ' ';
  };
  EXPECT_GT(ParseRandomLines(111, 5000, 300, token), 2000);
}

}  // namespace
}  // namespace varnik
