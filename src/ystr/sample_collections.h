// The sample collections that ship with the program and the reader of their
// files.
//
// A collection file is UTF-16LE text with the mark FF FE, read through a
// buffer of 102,400 bytes; lines end at CR, LF or CR LF, are trimmed and
// blank-normalised, and empty lines are skipped.  Line kinds:
//   [Srbi#Serbs#Сербы]   a group: names in Serbian, English, Russian (a
//                        header without a Russian name gives the English)
//   { ...                 ignored
//   ; text                the note for the samples that follow
//   anything else         a sample line of the file's format
// Sample lines:
//   format 0   NAME # [* [I|U] WEIGHT] HAPLOTYPE    FTDNA order, "$" missing;
//              only samples of 11, 20, 30, 58 or 102 columns are used
//   format 5   NAME # [* ...] V1 ... V17            17 markers in FTDNA order
//              without "-" joins; a 16-value sample lacks DYS635
//   format 1   WEIGHT V1 ... V17 NAME               17-marker kit order
//   format 7   V1 ... V17 NAME                      17-marker kit order
//   format 2   V1 ... V17 NAME                      17 markers, FTDNA order
//   format 3   V1 ... V19 NAME                      19 markers, FTDNA order, "NA" missing
//   format 4   V1 ... V17 NAME                      17 markers, ascending
//   format 6   V1 ... V23 NAME                      23-marker kit order
// Panel values are blank-separated numbers or the missing mark; a panel
// line with too few values, another character or a value of 201 or more is
// skipped.  A file fails, and stops, at a missing mark FF FE, a group
// header without a name, a format-0/5 sample whose weight or haplotype
// cannot be read, a format-1 line without its weight, or a line longer than
// kMaxCollectionLineUnits; the samples before have been handed on already.
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <span>
#include <string>
#include <vector>

#include "ystr/str_value.h"

namespace varnik {

struct CZbirkaUzoraka {
  const char* fileName;
  int32_t format;
  int32_t textId;  // display name
};

inline constexpr int32_t kCollectionCount = 10;

// The ten shipped collections, in list order.
std::span<const CZbirkaUzoraka> SampleCollections();

// One sample as the comparison receives it; its haplotype is in FTDNA order
// with column 10 as DYS389II minus DYS389I.
struct CUzorakZbirke {
  std::string name;
  std::string note;    // the note in force
  double weight = 1.0;
  std::string group;   // the current group's name in the reader's language
  std::string line;    // the whole sample line, trimmed
  Haplotype haplotype;
};

struct CGrupaZbirke {
  std::string name;
  int64_t samples = 0;
};

struct CIshodCitanjaZbirke {
  bool opened = false;  // false: the file is missing or cannot be opened
  bool ok = false;      // false: not opened, or the file failed
  int64_t samples = 0;  // handed to the sink
  int64_t skipped = 0;  // sample lines left out by the skip rules
  std::vector<CGrupaZbirke> groups;  // with the samples of each; samples before the first header form a group without a name
  std::string error;    // "line N: ..." when the file failed
};

inline constexpr std::size_t kCollectionBufferBytes = 102400;
inline constexpr std::size_t kMaxCollectionLineUnits = 65536;

using SampleSink = std::function<void(const CUzorakZbirke&)>;

// Reads a collection in `format` from `in`, handing every sample to `sink`;
// group names are taken for `language` (0 Serbian, 1 English, 2 Russian).
CIshodCitanjaZbirke ReadCollection(std::istream& in, int32_t format, int32_t language, const SampleSink& sink);
CIshodCitanjaZbirke ReadCollection(const std::string& path, int32_t format, int32_t language, const SampleSink& sink);

}  // namespace varnik
