#include "predictor/collection_compare.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "common/binary_io.h"
#include "common/format.h"
#include "common/utf.h"
#include "platform/program_folder.h"
#include "shell/report_note.h"
#include "texts/text_table.h"
#include "tmrca/marker_model_table.h"
#include "ystr/haplotype_convert.h"
#include "ystr/haplotype_text.h"

static_assert(varnik::kCollectionCount == varnik::kSampleCollectionCount);

namespace varnik {

CPoregjenjeHaplovrst g_poregjenjeHaplovrst;

void ResetCollectionComparison() { g_poregjenjeHaplovrst = CPoregjenjeHaplovrst(); }

namespace {

// Copies of one column beyond this many are not compared.
constexpr int32_t kMaxComparedCopies = 16;
// Rates below this would make one differing value count for ages beyond
// any meaning.
constexpr double kLowestRate = 1e-5;

// Present values (not missing) of the column that starts at `at`; `at`
// moves to the next column.
int32_t ColumnValues(const Haplotype& h, std::size_t& at, std::array<int32_t, kMaxComparedCopies>& values) {
  int32_t n = 0;
  const std::size_t start = at;
  for (; at < h.size() && (at == start || h[at].copy != 0); ++at) {
    if (h[at].value >= 0 && n < kMaxComparedCopies) values[static_cast<std::size_t>(n++)] = h[at].value;
  }
  return n;
}

bool ParseBound(std::string_view text, int32_t& value) {
  if (text.empty() || text.size() > 6) return false;
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

std::string QueryText(const Haplotype& query) {
  std::string out;
  int32_t column = -1;
  bool started = false;
  for (const CVrednostSTRa& entry : query) {
    if (entry.copy == 0) {
      ++column;
      started = false;
    }
    if (entry.value < 0) continue;
    if (!started) {
      if (!out.empty()) out += ", ";
      out += Format("%s = %d", std::string(ColumnHeader(column, true)).c_str(), entry.value);
      started = true;
    } else {
      out += Format("/%d", entry.value);
    }
  }
  return out;
}

bool Constrains(const CSettingConstraint& c) {
  return c.column >= 0 && c.column < kFtdnaColumnCount && (c.low >= 0 || c.high >= 0);
}

}  // namespace

CPoregjenjeHaplovrst::CPoregjenjeHaplovrst() {
  // The age estimator's per-generation rate of the column's first copy.
  for (int32_t column = 0; column < kFtdnaColumnCount; ++column) {
    const MarkerModelRow* row = MarkerModel(MarkerIdentity(column, 0));
    rates_[static_cast<std::size_t>(column)] = std::max(row != nullptr ? row->rate : 0.0, kLowestRate);
  }
}

double CPoregjenjeHaplovrst::ColumnRate(int32_t column) const {
  return column >= 0 && column < kFtdnaColumnCount ? rates_[static_cast<std::size_t>(column)] : 0.0;
}

void CPoregjenjeHaplovrst::CompareHaplotypes(const Haplotype& query, const Haplotype& sample, CIshodPoregjenja& out,
                                             bool withText) const {
  out = CIshodPoregjenja{};
  double generationSum = 0;
  int32_t generationPairs = 0;
  std::array<int32_t, kMaxComparedCopies> q{}, s{};
  std::size_t qi = 0, si = 0;
  int32_t column = 0;
  const auto comparePair = [&](int32_t qv, int32_t sv) {
    const int32_t d = std::abs(qv - sv);
    ++out.compared;
    if (qv > 0 && sv > 0) {
      generationSum += static_cast<double>(d) * d / (2 * rates_[static_cast<std::size_t>(column)]);
      ++generationPairs;
    }
    if (d == 0) return;
    ++out.differing;
    out.stepSum += (qv == 0) != (sv == 0) ? 1 : d;
    if (withText) {
      if (!out.differences.empty()) out.differences += ", ";
      out.differences += Format("%s = %d (%s%d)", std::string(ColumnHeader(column, true)).c_str(), sv,
                                qv - sv < 1 ? "-" : "+", d);
    }
  };
  for (; qi < query.size() && si < sample.size() && column < kFtdnaColumnCount; ++column) {
    // Most columns hold one copy on both sides.
    if ((qi + 1 == query.size() || query[qi + 1].copy == 0) && (si + 1 == sample.size() || sample[si + 1].copy == 0)) {
      const int32_t qv = query[qi++].value;
      const int32_t sv = sample[si++].value;
      if (qv >= 0 && sv >= 0) comparePair(qv, sv);
      continue;
    }
    const int32_t nq = ColumnValues(query, qi, q);
    const int32_t ns = ColumnValues(sample, si, s);
    const int32_t pairs = std::min(nq, ns);
    uint32_t usedQ = 0, usedS = 0;
    for (int32_t p = 0; p < pairs; ++p) {
      int32_t bestQ = 0, bestS = 0, best = -1;
      for (int32_t a = 0; a < nq; ++a) {
        if (usedQ & (1u << a)) continue;
        for (int32_t b = 0; b < ns; ++b) {
          if (usedS & (1u << b)) continue;
          const int32_t d = std::abs(q[static_cast<std::size_t>(a)] - s[static_cast<std::size_t>(b)]);
          if (best < 0 || d < best) {
            best = d;
            bestQ = a;
            bestS = b;
          }
        }
      }
      usedQ |= 1u << bestQ;
      usedS |= 1u << bestS;
      comparePair(q[static_cast<std::size_t>(bestQ)], s[static_cast<std::size_t>(bestS)]);
    }
  }
  if (generationPairs > 0) out.generations = generationSum / generationPairs;
}

void CPoregjenjeHaplovrst::SetQuery(const Haplotype& query) {
  query_ = query;
  queryColumns_ = ColumnCount(query);
  activeConstraints_.clear();
  for (const CSettingConstraint& c : settings.constraints) {
    if (Constrains(c)) activeConstraints_.push_back(c);
  }
}

bool CPoregjenjeHaplovrst::CompareSample(const CUzorakZbirke& sample, int32_t collection) {
  for (const CSettingConstraint& c : activeConstraints_) {
    const int32_t start = FindColumn(sample.haplotype, c.column);
    bool holds = false;
    for (std::size_t i = static_cast<std::size_t>(std::max(start, 0)); start >= 0 && i < sample.haplotype.size();
         ++i) {
      const CVrednostSTRa& v = sample.haplotype[i];
      if (i > static_cast<std::size_t>(start) && v.copy == 0) break;
      if (v.value >= 0 && (c.low < 0 || v.value >= c.low) && (c.high < 0 || v.value <= c.high)) holds = true;
    }
    if (!holds) return false;
  }
  CIshodPoregjenja found;
  CompareHaplotypes(query_, sample.haplotype, found, false);
  if (found.compared < std::min(settings.minCommonMarkers, queryColumns_) ||
      found.compared == 0 || found.differing > found.compared * settings.maxDifferenceRatio) {
    return false;
  }
  CPodaciZaRegjanje match;
  match.differing = found.differing;
  match.stepSum = found.stepSum;
  match.compared = found.compared;
  match.ratio = static_cast<double>(found.differing) / found.compared;
  match.generations = found.generations;
  match.sequence = matchCount_++;
  // A match that ranks after one already pruned away can never be shown.
  if (threshold_ && !Before(match, *threshold_)) return true;
  CompareHaplotypes(query_, sample.haplotype, found, true);
  match.collection = collection;
  match.line = sample.line;
  match.differences = std::move(found.differences);
  match.name = sample.name;
  match.note = sample.note;
  match.group = sample.group;
  matches_.push_back(std::move(match));
  if (matches_.size() >= 2 * static_cast<std::size_t>(std::max(settings.maxShown, 0)) + 256) Prune();
  return true;
}

bool CPoregjenjeHaplovrst::Before(const CPodaciZaRegjanje& a, const CPodaciZaRegjanje& b) const {
  switch (settings.rankingMethod) {
    case 1:
      if (a.ratio != b.ratio) return a.ratio < b.ratio;
      if (a.stepSum != b.stepSum) return a.stepSum < b.stepSum;
      break;
    case 2: {
      // A match without an estimate goes after every estimate.
      const double ga = a.generations < 0 ? 1e300 : a.generations;
      const double gb = b.generations < 0 ? 1e300 : b.generations;
      if (ga != gb) return ga < gb;
      break;
    }
    default: {
      const double pa = static_cast<double>(a.stepSum) / a.compared;
      const double pb = static_cast<double>(b.stepSum) / b.compared;
      if (pa != pb) return pa < pb;
      if (a.differing != b.differing) return a.differing < b.differing;
      break;
    }
  }
  return a.sequence < b.sequence;
}

void CPoregjenjeHaplovrst::Prune() {
  const std::size_t keep = static_cast<std::size_t>(std::max(settings.maxShown, 0));
  if (matches_.size() <= keep) return;
  const auto before = [this](const CPodaciZaRegjanje& a, const CPodaciZaRegjanje& b) { return Before(a, b); };
  std::nth_element(matches_.begin(), matches_.begin() + static_cast<std::ptrdiff_t>(keep), matches_.end(), before);
  // Every kept match ranks before the first one dropped.
  const CPodaciZaRegjanje& dropped = matches_[keep];
  if (!threshold_ || Before(dropped, *threshold_)) {
    threshold_ = CPodaciZaRegjanje{dropped.differing, dropped.stepSum, dropped.compared, dropped.ratio,
                                   dropped.generations, -1, {}, {}, {}, {}, {}, dropped.sequence};
  }
  matches_.resize(keep);
}

std::vector<CPodaciZaRegjanje> CPoregjenjeHaplovrst::RankedMatches() const {
  std::vector<CPodaciZaRegjanje> ranked = matches_;
  std::sort(ranked.begin(), ranked.end(),
            [this](const CPodaciZaRegjanje& a, const CPodaciZaRegjanje& b) { return Before(a, b); });
  return ranked;
}

void CPoregjenjeHaplovrst::ClearMatches() {
  matches_.clear();
  threshold_.reset();
  matchCount_ = 0;
}

bool CPoregjenjeHaplovrst::CompareWithCollections(const std::string& line, Haplotype& haplotype, int32_t language,
                                                  bool writeFile, bool appendToOutput, std::string& output,
                                                  bool sortConstraints, bool commaMode) {
  if (haplotype.empty()) {
    std::size_t position = 0;
    std::string name;
    int32_t columns = 0;
    const std::string text = commaMode ? MarkCommaFields(line) : line;
    if (ParseHaplotypeLine(text, position, name, haplotype, columns, 0, commaMode) != 1 ||
        !Convert389(haplotype, false, false)) {
      haplotype.clear();
      return false;
    }
  }
  SetQuery(haplotype);
  ClearMatches();
  lastReads_.clear();

  bool incomplete = false;
  const auto collections = SampleCollections();
  for (int32_t c = 0; c < kCollectionCount; ++c) {
    if (static_cast<std::size_t>(c) >= settings.collections.size() || !settings.collections[static_cast<std::size_t>(c)]) {
      continue;
    }
    const CZbirkaUzoraka& collection = collections[static_cast<std::size_t>(c)];
    const std::string path = collectionsFolder.empty() ? DataFile(collection.fileName)
                                                       : collectionsFolder + "/" + collection.fileName;
    CIshodCitanjaZbirke read = ReadCollection(path, collection.format, language,
                                              [this, c](const CUzorakZbirke& sample) { CompareSample(sample, c); });
    if (!read.ok) incomplete = true;
    lastReads_.push_back({c, std::move(read)});
  }
  const std::vector<CPodaciZaRegjanje> ranked = RankedMatches();

  const auto text = [language](int32_t id) { return TextById(id, language).c_str(); };
  std::string out = QueryText(query_) + "\r\n\r\n";
  out += Format("%s: %d\r\n", text(kTextMinCommonMarkers), settings.minCommonMarkers);
  out += Format("%s: %.2f%%\r\n", text(kTextMaxDifferencePercent), settings.maxDifferenceRatio * 100);
  out += Format("%s: %d (%s %lld)\r\n", text(kTextMaxSamplesShown), settings.maxShown, text(kTextFrom),
                static_cast<long long>(matchCount_));
  if (incomplete) out += Format("%s\r\n\r\n", text(kTextWarnCollectionsMissing));
  if (!activeConstraints_.empty()) {
    std::vector<CSettingConstraint> shown = activeConstraints_;
    if (sortConstraints) {
      std::stable_sort(shown.begin(), shown.end(),
                       [](const CSettingConstraint& a, const CSettingConstraint& b) { return a.column < b.column; });
    }
    std::string description = std::string(text(kTextConstraints)) + ": ";
    for (std::size_t i = 0; i < shown.size(); ++i) {
      if (i > 0) description += ", ";
      description += std::string(ColumnHeader(shown[i].column, true)) + " = " +
                     FormatRangeText(shown[i].low, shown[i].high);
    }
    out += description + "\r\n\r\n";
  }
  const std::size_t shownCount = std::min(ranked.size(), static_cast<std::size_t>(std::max(settings.maxShown, 0)));
  for (std::size_t i = 0; i < shownCount; ++i) {
    const CPodaciZaRegjanje& m = ranked[i];
    out += Format("---------------------------------------\r\n%d. %d/%d (%d) [%s 50%% = %.2f] %s\r\n",
                  static_cast<int32_t>(i) + 1, m.differing, m.compared, m.stepSum, text(kTextGenerationsWith),
                  m.generations, m.name.c_str());
    out += m.line + "\r\n";
    if (m.differing > 0) out += m.differences + "\r\n";
    if (!m.note.empty()) out += m.note + "\r\n";
    if (!m.group.empty()) out += m.group + "\r\n";
    out += "\r\n";
  }
  ClearMatches();

  if (appendToOutput) {
    output += out;
  } else {
    output = out;
  }
  if (!writeFile) return true;
  ReportLocation where;
  if (!WriteCloseHaplotypesReport(out, where)) return false;
  // A report that could not go beside the program is named under the text.
  if (where.userFolder) output += ReportNote(where, language);
  return true;
}

void ParseRangeText(std::string_view text, int32_t& low, int32_t& high) {
  low = high = -1;
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  const std::size_t tilde = text.find('~');
  int32_t a = -1, b = -1;
  if (tilde == std::string_view::npos) {
    if (ParseBound(text, a)) low = high = a;
    return;
  }
  const std::string_view left = text.substr(0, tilde);
  const std::string_view right = text.substr(tilde + 1);
  if (!left.empty() && !ParseBound(left, a)) return;
  if (!right.empty() && !ParseBound(right, b)) return;
  if (a >= 0 && b >= 0 && a > b) std::swap(a, b);
  low = a;
  high = b;
}

std::string FormatRangeText(int32_t low, int32_t high) {
  if (low < 0 && high < 0) return "";
  if (low < 0) return Format("~%d", high);
  if (high < 0) return Format("%d~", low);
  if (low == high) return Format("%d", low);
  return Format("%d~%d", low, high);
}

bool WriteCloseHaplotypesReport(const std::string& text, ReportLocation& where) {
  if (!WriteReport(kCloseHaplotypesFileName, Utf16LeWithBom(text), where)) {
    std::fputs("Izlazno spremiste se ne moze otvoriti\n", stdout);
    return false;
  }
  return true;
}

}  // namespace varnik
