// The translated-text table: every user-visible text of the program in
// Serbian (Cyrillic script), English and Russian, under a numeric id.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "texts/text_ids.h"

namespace varnik {

// Interface language: 0 Serbian (Cyrillic), 1 English, 2 Russian.
extern int32_t g_language;

inline constexpr int32_t kLanguageSerbian = 0;
inline constexpr int32_t kLanguageEnglish = 1;
inline constexpr int32_t kLanguageRussian = 2;

// One row of the table.
struct CPrevodNaziva {
  using ENiskaSlov = varnik::ENiskaSlov;
  int32_t id = -1;
  std::string serbian;
  std::string english;
  std::string russian;  // may be empty: lookups then fall back to English
};

class CSpisakPrevoda {
 public:
  // Builds the program's table from FillTexts().
  CSpisakPrevoda();
  // Builds a table from the given rows, in that order (tests use small tables).
  explicit CSpisakPrevoda(std::vector<CPrevodNaziva> rows);

  // language -1 means g_language.  Unknown ids and languages outside 0..2
  // give the fallback text.
  const std::string& TextById(int32_t id, int32_t language = -1) const;
  // First row, in table order, whose Serbian text equals `name` exactly.
  const std::string& TranslateSerbianName(std::string_view name) const;
  // First row, in table order, whose English text equals `name` exactly.  In
  // Russian the stored Russian text is returned even when it is empty.  An
  // unknown name gives `name` itself when keepIfUnknown is non-zero.
  std::string TranslateEnglishName(std::string_view name, int keepIfUnknown) const;

  const std::vector<CPrevodNaziva>& Rows() const { return rows_; }
  const std::string& Fallback() const { return fallback_; }

 private:
  void SortAndIndex();
  const std::string& Pick(const CPrevodNaziva& row, int32_t language) const;

  std::vector<CPrevodNaziva> rows_;
  std::unordered_map<int32_t, std::size_t> positionById_;
  std::string fallback_ = "<no translation>";
};

// The program's rows in their fixed order, before sorting (text_rows.cpp).
std::vector<CPrevodNaziva> FillTexts();

// The process-wide table; built on first use and never changed.  `g_texts`
// refers to it.
const CSpisakPrevoda& Texts();
extern const CSpisakPrevoda& g_texts;

// Shorthand for Texts().TextById(id, language).
inline const std::string& TextById(int32_t id, int32_t language = -1) {
  return Texts().TextById(id, language);
}

}  // namespace varnik
