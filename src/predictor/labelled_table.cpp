#include "predictor/labelled_table.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"
#include "ystr/markers.h"

namespace varnik {
namespace {

struct MarkerCell {
  int32_t column;
  int32_t copy;
};

// Upper case, letters and digits only: "Y-GATA-H4" and "YGATAH4" meet.
std::string Key(std::string_view name) {
  std::string key;
  for (char c : name) {
    if (std::isalnum(static_cast<unsigned char>(c))) key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return key;
}

// Marker names of every column and copy, by Key.
const std::map<std::string, MarkerCell>& MarkerNames() {
  static const std::map<std::string, MarkerCell> names = [] {
    std::map<std::string, MarkerCell> out;
    for (int32_t column = 0; column < kFtdnaColumnCount; ++column) {
      std::string name = Key(ColumnHeader(column, true));
      if (column == kColumnDys389ii) name = "DYS389II";
      out[name] = {column, 0};
      if (name.rfind("YGATA", 0) == 0) out[name.substr(1)] = {column, 0};
      for (int32_t copy = 0; CopiesInColumn(column) > 1 && copy < CopiesInColumn(column); ++copy) {
        out[name + static_cast<char>('A' + copy)] = {column, copy};
      }
    }
    return out;
  }();
  return names;
}

char Delimiter(std::string_view header) {
  const char candidates[] = {',', ';', '\t'};
  char best = ',';
  std::ptrdiff_t most = 0;
  for (char c : candidates) {
    const std::ptrdiff_t n = std::count(header.begin(), header.end(), c);
    if (n > most) {
      most = n;
      best = c;
    }
  }
  return best;
}

// The fields of one row; a field in double quotes may hold the delimiter
// and doubled quotes.
std::vector<std::string> Fields(std::string_view line, char delimiter) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == delimiter) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  for (std::string& field : fields) field = NormalizeBlanks(field);
  return fields;
}

int32_t FindColumn(const std::vector<std::string>& header, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    for (std::size_t i = 0; i < header.size(); ++i) {
      if (Key(header[i]) == Key(name)) return static_cast<int32_t>(i);
    }
  }
  return -1;
}

// A repeat count, optionally with a one-digit fraction: true with value -1
// for a missing cell, false for anything else that is not a number.
bool ParseCell(const std::string& cell, int32_t& value, int32_t& fraction) {
  value = -1;
  fraction = 0;
  if (cell.empty() || cell == "-" || cell == "--" || cell == "NA" || cell == "?") return true;
  int32_t whole = 0;
  std::size_t i = 0;
  for (; i < cell.size() && std::isdigit(static_cast<unsigned char>(cell[i])); ++i) {
    whole = whole * 10 + (cell[i] - '0');
    if (whole > 999) return false;
  }
  if (i == 0) return false;
  if (i < cell.size()) {
    if (cell[i] != '.' || i + 2 != cell.size() || !std::isdigit(static_cast<unsigned char>(cell[i + 1]))) return false;
    fraction = cell[i + 1] - '0';
  }
  value = whole;
  return true;
}

// The levels of a label: "R1b1a" gives "R", "R1", "R1b", "R1b1", "R1b1a".
// Empty unless it starts with a capital letter; reading stops at the first
// character that is neither a lower-case letter nor a digit.
std::vector<std::string> LabelLevels(std::string_view label) {
  std::vector<std::string> levels;
  if (label.empty() || !std::isupper(static_cast<unsigned char>(label[0]))) return levels;
  std::size_t end = 1;
  levels.emplace_back(label.substr(0, 1));
  while (end < label.size()) {
    const unsigned char c = static_cast<unsigned char>(label[end]);
    if (std::islower(c)) {
      ++end;
    } else if (std::isdigit(c)) {
      while (end < label.size() && std::isdigit(static_cast<unsigned char>(label[end]))) ++end;
    } else {
      break;
    }
    levels.emplace_back(label.substr(0, end));
  }
  return levels;
}

struct Row {
  std::string label;
  std::string snp;
  std::string group;
  Haplotype haplotype;
};

}  // namespace

bool ParseLabelledTable(std::string_view text, const CStupciTabele& columns, CTabelaUzoraka& table,
                        std::string& error) {
  table = {};
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  std::size_t first = 0;
  while (first < lines.size() && NormalizeBlanks(lines[first]).empty()) ++first;
  if (first == lines.size()) {
    error = "no header row";
    return false;
  }
  const char delimiter = Delimiter(lines[first]);
  const std::vector<std::string> header = Fields(lines[first], delimiter);
  auto pick = [&header](int32_t given, std::initializer_list<const char*> names) {
    return given > 0 ? given - 1 : FindColumn(header, names);
  };
  const int32_t labelAt = pick(columns.label, {"Haplogroup"});
  const int32_t snpAt = pick(columns.snp, {"SNP"});
  const int32_t groupAt = pick(columns.group, {"Reference", "Study", "Group"});
  if (labelAt < 0 || labelAt >= static_cast<int32_t>(header.size())) {
    error = "line " + std::to_string(first + 1) + ": no label column";
    return false;
  }
  std::vector<std::pair<std::size_t, MarkerCell>> markers;
  for (std::size_t i = 0; i < header.size(); ++i) {
    const auto it = MarkerNames().find(Key(header[i]));
    if (it != MarkerNames().end() && static_cast<int32_t>(i) != labelAt) markers.push_back({i, it->second});
  }
  if (markers.empty()) {
    error = "line " + std::to_string(first + 1) + ": no marker column";
    return false;
  }

  std::vector<Row> rows;
  for (std::size_t n = first + 1; n < lines.size(); ++n) {
    if (NormalizeBlanks(lines[n]).empty()) continue;
    const std::vector<std::string> f = Fields(lines[n], delimiter);
    auto field = [&f](int32_t at) { return at >= 0 && at < static_cast<int32_t>(f.size()) ? f[at] : std::string(); };
    std::vector<std::vector<CVrednostSTRa>> values(kFtdnaColumnCount);
    int32_t typed = 0;
    for (const auto& [at, cell] : markers) {
      int32_t value = 0;
      int32_t fraction = 0;
      if (!ParseCell(field(static_cast<int32_t>(at)), value, fraction)) {
        error = "line " + std::to_string(n + 1) + ": " + header[at] + " is not a repeat count";
        return false;
      }
      if (value < 1) continue;
      // Laboratories count GATA H4 one higher than FTDNA.
      if (cell.column == kColumnGataH4) --value;
      if (value < 1) continue;
      values[cell.column].push_back({value, fraction, 0});
      ++typed;
    }
    Row row;
    row.label = field(labelAt);
    row.snp = field(snpAt);
    row.group = field(groupAt);
    // "Q-M242*": the star marks men outside the SNP's known subclades.
    while (!row.label.empty() && (row.label.back() == '*' || row.label.back() == ' ')) row.label.pop_back();
    const std::size_t dash = row.label.find('-');
    if (dash != std::string::npos) {
      if (row.snp.empty()) row.snp = NormalizeBlanks(row.label.substr(dash + 1));
      row.label = row.label.substr(0, dash);
    }
    for (int32_t column = 0; column < kFtdnaColumnCount; ++column) {
      auto& copies = values[column];
      std::sort(copies.begin(), copies.end(), [](const CVrednostSTRa& a, const CVrednostSTRa& b) {
        return a.value != b.value ? a.value < b.value : a.fraction < b.fraction;
      });
      if (copies.empty()) copies.push_back({-1, 0, 0});
      for (std::size_t k = 0; k < copies.size(); ++k) {
        copies[k].copy = static_cast<int32_t>(k);
        row.haplotype.push_back(copies[k]);
      }
    }
    if (typed == 0 || LabelLevels(row.label).empty() || !Convert389(row.haplotype, false, false)) {
      ++table.skipped;
      continue;
    }
    rows.push_back(std::move(row));
  }

  // The defining SNP of each label: the most frequent, the first in name
  // order of equally frequent ones.
  std::map<std::string, std::map<std::string, int32_t>> snpCounts;
  for (const Row& row : rows) {
    if (!row.snp.empty()) ++snpCounts[row.label][row.snp];
  }
  std::map<std::string, std::string> nodeName;
  for (const auto& [label, counts] : snpCounts) {
    const auto best = std::max_element(counts.begin(), counts.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    nodeName[label] = label + " (" + best->first + ")";
  }
  for (Row& row : rows) {
    CUzorakSaOgrankom sample;
    for (const std::string& level : LabelLevels(row.label)) {
      const auto named = nodeName.find(level);
      sample.snpPath.push_back(named == nodeName.end() ? level : named->second);
    }
    sample.branch = sample.snpPath.back();
    sample.haplotype = std::move(row.haplotype);
    table.samples.push_back(std::move(sample));
    table.groups.push_back(std::move(row.group));
  }
  return true;
}

void MergeRareBranches(std::vector<CUzorakSaOgrankom>& samples, int32_t minMen) {
  std::size_t deepest = 0;
  for (const CUzorakSaOgrankom& s : samples) deepest = std::max(deepest, s.snpPath.size());
  for (std::size_t depth = deepest; depth >= 2; --depth) {
    std::map<std::vector<std::string>, int32_t> men;
    for (const CUzorakSaOgrankom& s : samples) {
      if (s.snpPath.size() == depth) ++men[s.snpPath];
    }
    for (CUzorakSaOgrankom& s : samples) {
      if (s.snpPath.size() != depth || men[s.snpPath] >= minMen) continue;
      s.snpPath.pop_back();
      s.branch = s.snpPath.back();
      s.serbianName.clear();
    }
  }
}

}  // namespace varnik
