#include "ystr/markers.h"

#include "texts/text_table.h"

namespace varnik {
namespace {

// One FTDNA column.  A multi-copy column's display names get the copy letter
// appended ("DYS 385" + "a"); a single-copy column shows its name as is.
struct ColumnRow {
  std::string_view latin;
  std::string_view cyrillic;
  std::string_view longHeader;
  std::string_view shortHeader;
};

// In column order; the number after each row is its column.
constexpr ColumnRow kColumns[kFtdnaColumnCount] = {
    {"DYS 393", "ДЫС 393", "DYS393", "393"},  // 0
    {"DYS 390", "ДЫС 390", "DYS390", "390"},  // 1
    {"DYS 19", "ДЫС 19", "DYS19", "D19"},  // 2
    {"DYS 391", "ДЫС 391", "DYS391", "391"},  // 3
    {"DYS 385", "ДЫС 385", "DYS385", "385"},  // 4
    {"DYS 426", "ДЫС 426", "DYS426", "426"},  // 5
    {"DYS 388", "ДЫС 388", "DYS388", "388"},  // 6
    {"DYS 439", "ДЫС 439", "DYS439", "439"},  // 7
    {"DYS 389I", "ДЫС 389И", "DYS389i", "389i"},  // 8
    {"DYS 392", "ДЫС 392", "DYS392", "392"},  // 9
    {"DYS 389II", "ДЫС 389ИИ", "DYS389ii-i", "389ii-i"},  // 10
    {"DYS 458", "ДЫС 458", "DYS458", "458"},  // 11
    {"DYS 459", "ДЫС 459", "DYS459", "459"},  // 12
    {"DYS 455", "ДЫС 455", "DYS455", "455"},  // 13
    {"DYS 454", "ДЫС 454", "DYS454", "454"},  // 14
    {"DYS 447", "ДЫС 447", "DYS447", "447"},  // 15
    {"DYS 437", "ДЫС 437", "DYS437", "437"},  // 16
    {"DYS 448", "ДЫС 448", "DYS448", "448"},  // 17
    {"DYS 449", "ДЫС 449", "DYS449", "449"},  // 18
    {"DYS 464", "ДЫС 464", "DYS464", "464"},  // 19
    {"DYS 460", "ДЫС 460", "DYS460", "460"},  // 20
    {"GATA H4", "ГАТА Х4", "Y-GATA-H4", "Y-H4"},  // 21
    {"YCA II", "ЫЦА ИИ", "YCAII", "YCAII"},  // 22
    {"DYS 456", "ДЫС 456", "DYS456", "456"},  // 23
    {"DYS 607", "ДЫС 607", "DYS607", "607"},  // 24
    {"DYS 576", "ДЫС 576", "DYS576", "576"},  // 25
    {"DYS 570", "ДЫС 570", "DYS570", "570"},  // 26
    {"CDY", "ЦДЫ", "CDY", "CDY"},  // 27
    {"DYS 442", "ДЫС 442", "DYS442", "442"},  // 28
    {"DYS 438", "ДЫС 438", "DYS438", "438"},  // 29
    {"DYS 531", "ДЫС 531", "DYS531", "531"},  // 30
    {"DYS 578", "ДЫС 578", "DYS578", "578"},  // 31
    {"DYF 395", "ДЫФ 395", "DYF395S1", "395"},  // 32
    {"DYS 590", "ДЫС 590", "DYS590", "590"},  // 33
    {"DYS 537", "ДЫС 537", "DYS537", "537"},  // 34
    {"DYS 641", "ДЫС 641", "DYS641", "641"},  // 35
    {"DYS 472", "ДЫС 472", "DYS472", "472"},  // 36
    {"DYS 406", "ДЫС 406", "DYF406S1", "406"},  // 37
    {"DYS 511", "ДЫС 511", "DYS511", "511"},  // 38
    {"DYS 425", "ДЫС 425", "DYS425", "425"},  // 39
    {"DYS 413", "ДЫС 413", "DYS413", "413"},  // 40
    {"DYS 557", "ДЫС 557", "DYS557", "557"},  // 41
    {"DYS 594", "ДЫС 594", "DYS594", "594"},  // 42
    {"DYS 436", "ДЫС 436", "DYS436", "436"},  // 43
    {"DYS 490", "ДЫС 490", "DYS490", "490"},  // 44
    {"DYS 534", "ДЫС 534", "DYS534", "534"},  // 45
    {"DYS 450", "ДЫС 450", "DYS450", "450"},  // 46
    {"DYS 444", "ДЫС 444", "DYS444", "444"},  // 47
    {"DYS 481", "ДЫС 481", "DYS481", "481"},  // 48
    {"DYS 520", "ДЫС 520", "DYS520", "520"},  // 49
    {"DYS 446", "ДЫС 446", "DYS446", "446"},  // 50
    {"DYS 617", "ДЫС 617", "DYS617", "617"},  // 51
    {"DYS 568", "ДЫС 568", "DYS568", "568"},  // 52
    {"DYS 487", "ДЫС 487", "DYS487", "487"},  // 53
    {"DYS 572", "ДЫС 572", "DYS572", "572"},  // 54
    {"DYS 640", "ДЫС 640", "DYS640", "640"},  // 55
    {"DYS 492", "ДЫС 492", "DYS492", "492"},  // 56
    {"DYS 565", "ДЫС 565", "DYS565", "565"},  // 57
    {"DYS 710", "ДЫС 710", "DYS710", "710"},  // 58
    {"DYS 485", "ДЫС 485", "DYS485", "485"},  // 59
    {"DYS 632", "ДЫС 632", "DYS632", "632"},  // 60
    {"DYS 495", "ДЫС 495", "DYS495", "495"},  // 61
    {"DYS 540", "ДЫС 540", "DYS540", "540"},  // 62
    {"DYS 714", "ДЫС 714", "DYS714", "714"},  // 63
    {"DYS 716", "ДЫС 716", "DYS716", "716"},  // 64
    {"DYS 717", "ДЫС 717", "DYS717", "717"},  // 65
    {"DYS 505", "ДЫС 505", "DYS505", "505"},  // 66
    {"DYS 556", "ДЫС 556", "DYS556", "556"},  // 67
    {"DYS 549", "ДЫС 549", "DYS549", "549"},  // 68
    {"DYS 589", "ДЫС 589", "DYS589", "589"},  // 69
    {"DYS 522", "ДЫС 522", "DYS522", "522"},  // 70
    {"DYS 494", "ДЫС 494", "DYS494", "494"},  // 71
    {"DYS 533", "ДЫС 533", "DYS533", "533"},  // 72
    {"DYS 636", "ДЫС 636", "DYS636", "636"},  // 73
    {"DYS 575", "ДЫС 575", "DYS575", "575"},  // 74
    {"DYS 638", "ДЫС 638", "DYS638", "638"},  // 75
    {"DYS 462", "ДЫС 462", "DYS462", "462"},  // 76
    {"DYS 452", "ДЫС 452", "DYS452", "452"},  // 77
    {"DYS 445", "ДЫС 445", "DYS445", "445"},  // 78
    {"GATA A10", "GATA A10", "Y-GATA-A10", "Y-A10"},  // 79
    {"DYS 463", "ДЫС 463", "DYS463", "463"},  // 80
    {"DYS 441", "ДЫС 441", "DYS441", "441"},  // 81
    {"Y-GGAAT-1B07", "Y-GGAAT-1B07", "Y-GGAAT-1B07", "YB07"},  // 82
    {"DYS 525", "ДЫС 525", "DYS525", "525"},  // 83
    {"DYS 712", "ДЫС 712", "DYS712", "712"},  // 84
    {"DYS 593", "ДЫС 593", "DYS593", "593"},  // 85
    {"DYS 650", "ДЫС 650", "DYS650", "650"},  // 86
    {"DYS 532", "ДЫС 532", "DYS532", "532"},  // 87
    {"DYS 715", "ДЫС 715", "DYS715", "715"},  // 88
    {"DYS 504", "ДЫС 504", "DYS504", "504"},  // 89
    {"DYS 513", "ДЫС 513", "DYS513", "513"},  // 90
    {"DYS 561", "ДЫС 561", "DYS561", "561"},  // 91
    {"DYS 552", "ДЫС 552", "DYS552", "552"},  // 92
    {"DYS 726", "ДЫС 726", "DYS726", "726"},  // 93
    {"DYS 635", "ДЫС 635", "DYS635", "635"},  // 94
    {"DYS 587", "ДЫС 587", "DYS587", "587"},  // 95
    {"DYS 643", "ДЫС 643", "DYS643", "643"},  // 96
    {"DYS 497", "ДЫС 497", "DYS497", "497"},  // 97
    {"DYS 510", "ДЫС 510", "DYS510", "510"},  // 98
    {"DYS 434", "ДЫС 434", "DYS434", "434"},  // 99
    {"DYS 461", "ДЫС 461", "DYS461", "461"},  // 100
    {"DYS 435", "ДЫС 435", "DYS435", "435"},  // 101
};

constexpr std::string_view kLatinCopyLetters[] = {"a", "b", "c", "d"};
constexpr std::string_view kCyrillicCopyLetters[] = {"а", "б", "в", "г"};

static_assert(MarkerIdentity(kColumnDys385, 1) == kDys385b && MarkerIdentity(kColumnGataH4, 0) == kGataH4);
static_assert(MarkerIdentity(kColumnDys389ii, 0) == kDys389ii);

}  // namespace

std::string MarkerDisplayName(int32_t id, int32_t language) {
  int32_t column = 0;
  int32_t copy = 0;
  if (!MarkerColumnAndCopy(id, column, copy)) return {};
  if (language == -1) language = g_language;
  const bool cyrillic = language == kLanguageSerbian || language == kLanguageRussian;
  const ColumnRow& row = kColumns[column];
  std::string name(cyrillic ? row.cyrillic : row.latin);
  if (CopiesInColumn(column) > 1) name += cyrillic ? kCyrillicCopyLetters[copy] : kLatinCopyLetters[copy];
  return name;
}

std::string_view ColumnHeader(int32_t column, bool longForm) {
  if (column < 0 || column >= kFtdnaColumnCount) return {};
  return longForm ? kColumns[column].longHeader : kColumns[column].shortHeader;
}

std::vector<std::string> ColumnHeaders(bool longForm) {
  std::vector<std::string> headers;
  headers.reserve(kFtdnaColumnCount);
  for (int32_t c = 0; c < kFtdnaColumnCount; ++c) headers.emplace_back(ColumnHeader(c, longForm));
  return headers;
}

}  // namespace varnik
