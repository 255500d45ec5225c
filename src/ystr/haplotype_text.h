// Haplotype text: the grammar of a typed haplotype line and writing a
// haplotype back as text.
//
// A line is a sequence of values in FTDNA column order, separated by blanks:
//   13 24 14 11 11-14 12 12 12 13 13 29 ; name
// "15-18" joins further copies to a column ("15 - 18" and "15--18", which
// skips a copy, too); "$", "/" and "_" stand for a missing value, as does
// 500; "15.2" and "15.25" carry a fraction; the text after ";" is the name.
// In comma mode "," separates values as well (see MarkCommaFields).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ystr/str_value.h"

namespace varnik {

// Highest repeat count a line may hold.
inline constexpr int32_t kMaxRepeatCount = 200;
// A typed repeat count that means "missing".
inline constexpr int32_t kMissingRepeatCount = 500;
// Columns of a line from this one on are read but not stored.
inline constexpr int32_t kStoredColumnLimit = 102;
// Most copies a column of a line may join: twice the most that any marker
// of the catalogue has, room for the rare extra copies some laboratories
// report.  A line with more is bad.
inline constexpr int32_t kMaxLineColumnCopies = 8;

// Strips leading and trailing blanks (space, tab, CR, LF), turns every other
// tab, CR and LF into a space and collapses runs of spaces into one.
std::string NormalizeBlanks(std::string_view text);

// Splits at every CR and every LF; each piece is normalised and empty pieces
// are dropped.
std::vector<std::string> SplitInputLines(std::string_view text);

// Prepares a comma-separated line for comma mode: every "," gets a " " in
// front when the field it closes held anything but blanks, and a "$" when
// the field was empty, so '13,24,,15' becomes '13 ,24 ,$,15'.  A comma
// right after digits would otherwise read as a decimal comma.
std::string MarkCommaFields(std::string_view line);

// Reads the number whose first digit is at `position` and moves `position`
// past it.  A "." or "," after the digits that is neither the last nor the
// next-to-last character of the line is a decimal point: one digit 1..9 must
// follow, and one more digit may.  False when the decimal point is not
// followed by such a digit.  Repeat counts too large for the haplotype
// saturate rather than overflow.
bool ParseAlleleNumber(std::string_view line, std::size_t& position, int32_t& value, int32_t& fraction);

// Parses one haplotype line from `position`.  Returns 1 on success, 0 on a
// bad line (haplotype and name then empty, `position` at the offending
// character; a column of more than kMaxLineColumnCopies copies is bad), and `resultIfEmpty` when the line holds no repeat count above 0
// (the entries read are kept).  `markerCount` receives the number of columns
// read, including those from the 103rd on, which are not stored.
int ParseHaplotypeLine(std::string_view line, std::size_t& position, std::string& name, Haplotype& haplotype,
                       int32_t& markerCount, int resultIfEmpty, bool commaMode);

// True when no column of a haplotype in FTDNA order has more copies than
// the marker catalogue gives that column (CopiesInColumn).
bool CopiesFitCatalogue(const Haplotype& haplotype);

// Writes a haplotype as text: "$" for a missing value, "%d" or, with
// `showFractions` and a fraction, "%d.%d"; columns separated by one space,
// further copies joined with "-".  A missing further copy is left out with
// its "-", so later copies of the column move up when the text is read back.
std::string FormatHaplotype(const Haplotype& haplotype, bool showFractions);

// Removes every entry from column lastColumn + 1 on.
void KeepFirstMarkers(Haplotype& haplotype, int32_t lastColumn);

}  // namespace varnik
