#include "ystr/haplotype_text.h"

#include <charconv>
#include <limits>

#include "ystr/markers.h"

namespace varnik {
namespace {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Long digit runs stop growing here instead of overflowing; any value this
// large is rejected by the line grammar anyway.
constexpr int32_t kSaturatedRepeatCount = 100000;
static_assert(kSaturatedRepeatCount > kMaxRepeatCount && kSaturatedRepeatCount != kMissingRepeatCount);

void AppendNumber(std::string& out, int32_t number) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  out.append(buffer, result.ptr);
}

}  // namespace

std::string NormalizeBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool pendingSpace = false;
  for (const char c : text) {
    if (IsBlank(c)) {
      pendingSpace = !out.empty();
      continue;
    }
    if (pendingSpace) out += ' ';
    pendingSpace = false;
    out += c;
  }
  return out;
}

std::vector<std::string> SplitInputLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string line = NormalizeBlanks(text.substr(start, end - start));
    if (!line.empty()) lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::string MarkCommaFields(std::string_view line) {
  std::string out;
  out.reserve(line.size() + line.size() / 2);
  bool fieldHasText = false;
  for (const char c : line) {
    if (c == ',') {
      out += fieldHasText ? ' ' : '$';
      fieldHasText = false;
    } else if (!IsBlank(c)) {
      fieldHasText = true;
    }
    out += c;
  }
  return out;
}

bool ParseAlleleNumber(std::string_view line, std::size_t& position, int32_t& value, int32_t& fraction) {
  std::size_t i = position;
  if (i >= line.size() || !IsDigit(line[i])) return false;
  int32_t number = 0;
  for (; i < line.size() && IsDigit(line[i]); ++i) {
    number = number * 10 + (line[i] - '0');
    if (number > kSaturatedRepeatCount) number = kSaturatedRepeatCount;
  }
  int32_t part = 0;
  // A point that ends the line, or has only one character after it, is left
  // to the caller.
  if (i + 1 < line.size() && (line[i] == '.' || line[i] == ',')) {
    const char first = line[i + 1];
    if (first < '1' || first > '9') return false;
    part = first - '0';
    i += 2;
    if (i < line.size() && IsDigit(line[i])) part = part * 10 + (line[i++] - '0');
  }
  value = number;
  fraction = part;
  position = i;
  return true;
}

int ParseHaplotypeLine(std::string_view line, std::size_t& position, std::string& name, Haplotype& haplotype,
                       int32_t& markerCount, int resultIfEmpty, bool commaMode) {
  haplotype.clear();
  name.clear();
  markerCount = 0;
  int32_t copy = 0;
  bool joined = false;  // a "-" came since the last value

  const auto fail = [&](std::size_t at) {
    haplotype.clear();
    name.clear();
    position = at;
    return 0;
  };
  // False for a joined value with no column before it to join.
  const auto add = [&](const CVrednostSTRa& entry) {
    if (entry.copy == 0) {
      if (markerCount < std::numeric_limits<int32_t>::max()) ++markerCount;
    } else if (markerCount == 0) {
      return false;
    }
    if (markerCount <= kStoredColumnLimit) haplotype.push_back(entry);
    joined = false;
    return true;
  };

  std::size_t i = position;
  while (i < line.size()) {
    const char c = line[i];
    if (IsBlank(c) || (commaMode && c == ',')) {
      ++i;
    } else if (c == '-') {
      joined = true;
      if (++copy >= kMaxLineColumnCopies) return fail(i);
      ++i;
    } else if (c == ';') {
      name = NormalizeBlanks(line.substr(i + 1));
      i = line.size();
    } else if (c == '$' || c == '/' || c == '_') {
      if (!joined) copy = 0;
      if (!add({-1, 0, copy})) return fail(i);
      ++i;
    } else if (IsDigit(c)) {
      if (!joined) copy = 0;
      const std::size_t start = i;
      CVrednostSTRa entry{-1, 0, copy};
      if (!ParseAlleleNumber(line, i, entry.value, entry.fraction)) return fail(start);
      if (entry.value == kMissingRepeatCount) {
        entry = {-1, 0, copy};  // a missing value has no fraction
      } else if (entry.value > kMaxRepeatCount) {
        return fail(start);
      }
      if (!add(entry)) return fail(start);
    } else {
      return fail(i);
    }
  }
  position = i;
  for (const CVrednostSTRa& entry : haplotype) {
    if (entry.value > 0) return 1;
  }
  return resultIfEmpty;
}

bool CopiesFitCatalogue(const Haplotype& haplotype) {
  int32_t column = -1;
  for (const CVrednostSTRa& entry : haplotype) {
    if (entry.copy == 0) ++column;
    if (column >= 0 && column < kFtdnaColumnCount && entry.copy >= CopiesInColumn(column)) return false;
  }
  return true;
}

std::string FormatHaplotype(const Haplotype& haplotype, bool showFractions) {
  std::string out;
  out.reserve(haplotype.size() * 3);
  for (const CVrednostSTRa& entry : haplotype) {
    const bool missing = entry.value < 0;
    if (entry.copy > 0 && missing) continue;
    if (!out.empty()) out += entry.copy > 0 ? '-' : ' ';
    if (missing) {
      out += '$';
      continue;
    }
    AppendNumber(out, entry.value);
    if (showFractions && entry.fraction != 0) {
      out += '.';
      AppendNumber(out, entry.fraction);
    }
  }
  return out;
}

void KeepFirstMarkers(Haplotype& haplotype, int32_t lastColumn) {
  if (lastColumn < 0) {
    haplotype.clear();
    return;
  }
  if (lastColumn == std::numeric_limits<int32_t>::max()) return;
  const int32_t end = FindColumn(haplotype, lastColumn + 1);
  if (end >= 0) haplotype.erase(haplotype.begin() + end, haplotype.end());
}

}  // namespace varnik
