#include "texts/text_table.h"

#include <numeric>
#include <utility>

namespace varnik {

int32_t g_language = kLanguageSerbian;

CSpisakPrevoda::CSpisakPrevoda() : CSpisakPrevoda(FillTexts()) {}

CSpisakPrevoda::CSpisakPrevoda(std::vector<CPrevodNaziva> rows) : rows_(std::move(rows)) {
  SortAndIndex();
}

void CSpisakPrevoda::SortAndIndex() {
  // Selection sort of an index list by Serbian text (code-unit order; for
  // the Basic Multilingual Plane UTF-8 byte order is the same).  Selection
  // sort is not stable, and which row of two equal texts ends up first is
  // part of the table's behaviour, so no library sort is used here.
  const std::size_t n = rows_.size();
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  for (std::size_t i = 0; i < n; ++i) {
    std::size_t best = i;
    for (std::size_t j = i + 1; j < n; ++j) {
      if (rows_[order[j]].serbian < rows_[order[best]].serbian) best = j;
    }
    std::swap(order[i], order[best]);
  }
  std::vector<CPrevodNaziva> sorted;
  sorted.reserve(n);
  positionById_.clear();
  for (std::size_t p = 0; p < n; ++p) {
    sorted.push_back(rows_[order[p]]);
    positionById_[sorted.back().id] = p;  // a duplicated id keeps the later row
  }
  rows_ = std::move(sorted);
}

const std::string& CSpisakPrevoda::Pick(const CPrevodNaziva& row, int32_t language) const {
  switch (language) {
    case kLanguageSerbian: return row.serbian;
    case kLanguageEnglish: return row.english;
    case kLanguageRussian: return row.russian.empty() ? row.english : row.russian;
    default: return fallback_;
  }
}

const std::string& CSpisakPrevoda::TextById(int32_t id, int32_t language) const {
  if (language == -1) language = g_language;
  const auto found = positionById_.find(id);
  if (found == positionById_.end()) return fallback_;
  return Pick(rows_[found->second], language);
}

const std::string& CSpisakPrevoda::TranslateSerbianName(std::string_view name) const {
  for (const CPrevodNaziva& row : rows_) {
    if (row.serbian == name) return Pick(row, g_language);
  }
  return fallback_;
}

std::string CSpisakPrevoda::TranslateEnglishName(std::string_view name, int keepIfUnknown) const {
  for (const CPrevodNaziva& row : rows_) {
    if (row.english != name) continue;
    switch (g_language) {
      case kLanguageSerbian: return row.serbian;
      case kLanguageEnglish: return row.english;
      case kLanguageRussian: return row.russian;
      default: return fallback_;
    }
  }
  return keepIfUnknown != 0 ? std::string(name) : fallback_;
}

const CSpisakPrevoda& Texts() {
  static const CSpisakPrevoda table;
  return table;
}

const CSpisakPrevoda& g_texts = Texts();

}  // namespace varnik
