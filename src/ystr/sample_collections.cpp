#include "ystr/sample_collections.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <fstream>

#include "common/format.h"
#include "common/utf.h"
#include "texts/text_ids.h"
#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"
#include "ystr/markers.h"
#include "ystr/panels.h"

namespace varnik {
namespace {

constexpr CZbirkaUzoraka kCollections[kCollectionCount] = {
    {"UzorciPredvigjaca.txt", 0, kTextCollectionPredictorSamples},
    {"Uzorci sa FTDNA bez PJRov.txt", 0, kTextCollectionFtdnaWithoutSnps},
    {"Ravanski DNK poduhvat - Uzorci na 16-17 oznak.txt", 5, kTextCollectionRavanski},
    {"Haplovrste 17ozn - Crna Gora 404.txt", 1, kTextCollectionMontenegro},
    {"Haplovrste 17ozn - Srbija 179.txt", 1, kTextCollectionSerbia},
    {"Haplovrste 17ozn - Italija 884.txt", 3, kTextCollectionItaly},
    {"Haplovrste 17ozn - Hrvatska 1100.txt", 2, kTextCollectionCroatia},
    {"Haplovrste 17ozn - Bugarska 247.txt", 4, kTextCollectionBulgaria},
    {"Haplovrste 23ozn - Bosna i Hercegovina 100.txt", 6, kTextCollectionBosnia},
    {"Haplovrste 17ozn - Severna Grcka 191 i razne druge.txt", 7, kTextCollectionNorthernGreece},
};

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Lines of a UTF-16LE stream after its byte-order mark, read a buffer at a
// time; CR, LF and CR LF all end a line (empty lines are the caller's).
class Utf16LineReader {
 public:
  explicit Utf16LineReader(std::istream& in) : in_(in), bytes_(kCollectionBufferBytes) {}

  // False at the end of the stream; `tooLong` is set when a line outgrows
  // kMaxCollectionLineUnits, which ends the reading.  The view lasts until
  // the next call.
  bool Next(std::u16string_view& line, bool& tooLong) {
    pending_.clear();
    tooLong = false;
    for (;;) {
      if (at_ == units_.size() && !Fill()) {
        line = pending_;
        return !pending_.empty();
      }
      const std::size_t start = at_;
      while (at_ < units_.size() && units_[at_] != u'\r' && units_[at_] != u'\n') ++at_;
      if (pending_.size() + (at_ - start) > kMaxCollectionLineUnits) {
        tooLong = true;
        return true;
      }
      if (at_ < units_.size()) {
        // The line end; a following LF gives an empty line.
        if (pending_.empty()) {
          line = std::u16string_view(units_).substr(start, at_ - start);
        } else {
          pending_.append(units_.data() + start, at_ - start);
          line = pending_;
        }
        ++at_;
        return true;
      }
      // The line goes on in the next buffer.
      pending_.append(units_.data() + start, at_ - start);
    }
  }

  // Reads the mark FF FE; false when the stream does not start with it.
  bool ReadMark() {
    char mark[2] = {};
    in_.read(mark, 2);
    return in_.gcount() == 2 && static_cast<uint8_t>(mark[0]) == 0xFF && static_cast<uint8_t>(mark[1]) == 0xFE;
  }

 private:
  bool Fill() {
    units_.clear();
    at_ = 0;
    if (!in_) return false;
    in_.read(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    const auto got = static_cast<std::size_t>(in_.gcount());
    std::size_t k = 0;
    if (carry_ >= 0 && got > 0) {
      units_.push_back(static_cast<char16_t>(carry_ | (static_cast<uint8_t>(bytes_[0]) << 8)));
      carry_ = -1;
      k = 1;
    }
    const std::size_t pairs = (got - k) / 2;
    const std::size_t first = units_.size();
    units_.resize(first + pairs);
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(units_.data() + first, bytes_.data() + k, 2 * pairs);
    } else {
      for (std::size_t i = 0; i < pairs; ++i) {
        units_[first + i] = static_cast<char16_t>(static_cast<uint8_t>(bytes_[k + 2 * i]) |
                                                  (static_cast<uint8_t>(bytes_[k + 2 * i + 1]) << 8));
      }
    }
    k += 2 * pairs;
    // An odd byte waits for its partner; one left at the end is ignored.
    if (k < got) carry_ = static_cast<uint8_t>(bytes_[k]);
    return !units_.empty();
  }

  std::istream& in_;
  std::vector<char> bytes_;
  std::u16string units_;
  std::u16string pending_;  // a line that crosses a buffer boundary
  std::size_t at_ = 0;
  int carry_ = -1;
};

enum class LineResult { kSample, kSkipped, kFailed };

// The line as UTF-8 with its blanks normalised (NormalizeBlanks), written
// into `out` so that its buffer serves every line; lines of ASCII text,
// nearly all of them, take the short road.
void NormalizedLine(std::u16string_view units, std::string& out) {
  out.resize(units.size());
  std::size_t n = 0;
  bool pendingSpace = false;
  for (const char16_t u : units) {
    if (u >= 0x80) {
      out = NormalizeBlanks(Utf16ToUtf8(units));
      return;
    }
    const char c = static_cast<char>(u);
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      pendingSpace = n > 0;
      continue;
    }
    if (pendingSpace) out[n++] = ' ';
    pendingSpace = false;
    out[n++] = c;
  }
  out.resize(n);
}

// Where each FTDNA column of a panel line comes from: per column the
// (copy, panel position) pairs in typing order.
struct PanelLayout {
  std::vector<std::vector<std::pair<int32_t, std::size_t>>> columns;
};

const PanelLayout& LayoutOf(int32_t panel) {
  static const std::vector<PanelLayout> layouts = [] {
    std::vector<PanelLayout> all(kPanelCount);
    for (int32_t p = 0; p < kPanelCount; ++p) {
      const auto entries = Panel(p);
      int32_t lastColumn = 0;
      for (const PanelEntry& e : entries) lastColumn = std::max(lastColumn, e.column);
      all[static_cast<std::size_t>(p)].columns.resize(static_cast<std::size_t>(lastColumn) + 1);
      for (std::size_t i = 0; i < entries.size(); ++i) {
        all[static_cast<std::size_t>(p)].columns[static_cast<std::size_t>(entries[i].column)].push_back(
            {entries[i].copy, i});
      }
    }
    return all;
  }();
  return layouts[static_cast<std::size_t>(panel)];
}

// PanelToFtdna with dropped fractions for a line of exactly the panel's
// size, written into `out` so that its buffer serves every sample.
void PanelIntoFtdna(const Haplotype& line, int32_t panel, Haplotype& out) {
  out.clear();
  for (const auto& sources : LayoutOf(panel).columns) {
    const std::size_t start = out.size();
    out.push_back(CVrednostSTRa{});
    for (const auto& [copy, index] : sources) {
      CVrednostSTRa value{line[index].value, 0, copy};
      if (copy == 0) {
        out[start] = value;
      } else if (value.value >= 1) {
        out.push_back(value);
      }
    }
  }
  const int32_t gata = FindColumn(out, kColumnGataH4);
  if (gata >= 0 && out[static_cast<std::size_t>(gata)].value >= 1) --out[static_cast<std::size_t>(gata)].value;
}

std::size_t SkipBlanks(std::string_view line, std::size_t at) {
  while (at < line.size() && IsBlank(line[at])) ++at;
  return at;
}

// The "* [I|U] WEIGHT" part after the "#" of a format-0/5 line; false when
// the number is empty or unreadable.
bool ReadStarredWeight(std::string_view line, std::size_t& at, double& weight) {
  at = SkipBlanks(line, at + 1);
  if (at < line.size() && (line[at] == 'I' || line[at] == 'U')) at = SkipBlanks(line, at + 1);
  const std::size_t start = at;
  while (at < line.size() && (IsDigit(line[at]) || line[at] == '+' || line[at] == '-' || line[at] == 'e' ||
                              line[at] == 'E' || line[at] == '.')) {
    ++at;
  }
  std::string_view number = line.substr(start, at - start);
  if (!number.empty() && number[0] == '+') number.remove_prefix(1);
  if (number.empty()) return false;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), weight);
  return result.ec == std::errc() && result.ptr == number.data() + number.size();
}

LineResult ReadFtdnaSample(std::string_view line, int32_t format, CUzorakZbirke& sample, Haplotype& scratch,
                           std::string& error) {
  const std::size_t hash = line.find('#');
  if (hash == std::string_view::npos) return LineResult::kSkipped;
  sample.name = NormalizeBlanks(line.substr(0, hash));
  sample.weight = 1.0;
  std::size_t at = SkipBlanks(line, hash + 1);
  if (at < line.size() && line[at] == '*' && !ReadStarredWeight(line, at, sample.weight)) {
    error = "unreadable weight";
    return LineResult::kFailed;
  }
  std::string ignoredName;
  int32_t columns = 0;
  if (ParseHaplotypeLine(line, at, ignoredName, sample.haplotype, columns, 1, false) == 0) {
    error = "malformed haplotype";
    return LineResult::kFailed;
  }
  Haplotype& h = sample.haplotype;
  if (format == 0) {
    if (columns != 11 && columns != 20 && columns != 30 && columns != 58 && columns != 102) {
      return LineResult::kSkipped;
    }
  } else {
    if (static_cast<int32_t>(h.size()) != columns || (columns != 16 && columns != 17)) return LineResult::kSkipped;
    if (columns == 16) h.push_back(CVrednostSTRa{});
    // The file holds GATA H4 as FTDNA counts it; the panel conversion
    // lowers a laboratory's count, so it is raised first.
    constexpr std::size_t kGataH4Position = 13;
    if (h[kGataH4Position].value >= 1) ++h[kGataH4Position].value;
    std::swap(h, scratch);
    PanelIntoFtdna(scratch, kPanel17Ftdna, h);
  }
  // DYS389II becomes the difference only in FTDNA order, after the panel.
  if (!Convert389(h, false, false)) {
    error = "DYS389II below DYS389I";
    return LineResult::kFailed;
  }
  return LineResult::kSample;
}

int32_t PanelOfFormat(int32_t format) {
  switch (format) {
    case 1: case 7: return kPanel17Kit;
    case 2: return kPanel17Ftdna;
    case 3: return kPanel19Ftdna;
    case 4: return kPanel17Ascending;
    case 6: return kPanel23Kit;
    default: return -1;
  }
}

// True when `mark` stands at `at` as a whole field.
bool FieldIs(std::string_view line, std::size_t at, std::string_view mark) {
  return line.substr(at, mark.size()) == mark && (at + mark.size() == line.size() || IsBlank(line[at + mark.size()]));
}

LineResult ReadPanelSample(std::string_view line, int32_t format, CUzorakZbirke& sample, Haplotype& h,
                           std::string& error) {
  std::size_t at = 0;
  sample.weight = 1.0;
  if (format == 1) {
    at = SkipBlanks(line, 0);
    const std::size_t start = at;
    double weight = 0;
    while (at < line.size() && IsDigit(line[at])) weight = weight * 10 + (line[at++] - '0');
    if (at == start) {
      error = "no weight";
      return LineResult::kFailed;
    }
    sample.weight = weight;
  }
  const int32_t panel = PanelOfFormat(format);
  const std::size_t count = Panel(panel).size();
  const std::string_view missing = format == 3 ? "NA" : "$";
  h.clear();
  for (std::size_t k = 0; k < count; ++k) {
    at = SkipBlanks(line, at);
    if (at >= line.size()) return LineResult::kSkipped;
    if (FieldIs(line, at, missing)) {
      h.push_back(CVrednostSTRa{});
      at += missing.size();
      continue;
    }
    CVrednostSTRa value;
    if (!ParseAlleleNumber(line, at, value.value, value.fraction) || value.value > kMaxRepeatCount ||
        (at < line.size() && !IsBlank(line[at]))) {
      return LineResult::kSkipped;
    }
    h.push_back(value);
  }
  sample.name = NormalizeBlanks(line.substr(at));
  PanelIntoFtdna(h, panel, sample.haplotype);
  if (!Convert389(sample.haplotype, false, false)) return LineResult::kSkipped;
  return LineResult::kSample;
}

}  // namespace

std::span<const CZbirkaUzoraka> SampleCollections() { return kCollections; }

CIshodCitanjaZbirke ReadCollection(std::istream& in, int32_t format, int32_t language, const SampleSink& sink) {
  CIshodCitanjaZbirke result;
  result.opened = true;
  Utf16LineReader reader(in);
  if (!reader.ReadMark()) {
    result.error = "no byte-order mark FF FE";
    return result;
  }
  const bool ftdnaLines = format == 0 || format == 5;
  if (!ftdnaLines && PanelOfFormat(format) < 0) {
    result.error = Format("unknown format %d", format);
    return result;
  }
  CUzorakZbirke sample;
  Haplotype scratch;
  CGrupaZbirke group;
  const auto closeGroup = [&] {
    if (!group.name.empty() || group.samples > 0 || !result.groups.empty()) result.groups.push_back(group);
  };
  std::u16string_view units;
  bool tooLong = false;
  int64_t lineNumber = 0;
  std::string error;
  std::string line;
  while (reader.Next(units, tooLong)) {
    ++lineNumber;
    if (tooLong) {
      result.error = Format("line %lld: longer than %zu characters", static_cast<long long>(lineNumber),
                            kMaxCollectionLineUnits);
      return result;
    }
    NormalizedLine(units, line);
    if (line.empty() || line[0] == '{') continue;
    if (line[0] == '[') {
      std::vector<std::string> names;
      const std::string_view body = std::string_view(line).substr(1, line.find(']') - 1);
      for (std::size_t start = 0; start <= body.size();) {
        const std::size_t end = std::min(body.find('#', start), body.size());
        std::string name = NormalizeBlanks(body.substr(start, end - start));
        if (!name.empty()) names.push_back(std::move(name));
        start = end + 1;
      }
      if (names.empty()) {
        result.error = Format("line %lld: a group without a name", static_cast<long long>(lineNumber));
        return result;
      }
      closeGroup();
      group = CGrupaZbirke{};
      // Russian falls back to the English name, as the text table does.
      std::size_t index = static_cast<std::size_t>(std::max(language, 0));
      if (index == 2 && names.size() == 2) index = 1;
      if (index < names.size()) group.name = names[index];
      sample.group = group.name;
      continue;
    }
    if (line[0] == ';') {
      sample.note = NormalizeBlanks(std::string_view(line).substr(1));
      continue;
    }
    const LineResult read = ftdnaLines ? ReadFtdnaSample(line, format, sample, scratch, error)
                                       : ReadPanelSample(line, format, sample, scratch, error);
    if (read == LineResult::kFailed) {
      result.error = Format("line %lld: %s", static_cast<long long>(lineNumber), error.c_str());
      return result;
    }
    if (read == LineResult::kSkipped) {
      ++result.skipped;
      continue;
    }
    sample.line = line;
    ++result.samples;
    ++group.samples;
    sink(sample);
  }
  closeGroup();
  result.ok = true;
  return result;
}

CIshodCitanjaZbirke ReadCollection(const std::string& path, int32_t format, int32_t language, const SampleSink& sink) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) return CIshodCitanjaZbirke{};
  return ReadCollection(in, format, language, sink);
}

}  // namespace varnik
