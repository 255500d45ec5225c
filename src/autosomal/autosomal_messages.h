// Why an autosomal file could not be read or a run could not go on, in the
// three interface languages.  The messages name the file and the line, so
// a user can find and mend the line or pick the right file.
#pragma once

#include <string>
#include <string_view>

#include "common/format.h"

namespace varnik {

enum class AutosomalMessage {
  kCannotOpen,            // the file
  kTooLarge,              // the file
  kLineEnd,               // a line end the format does not allow
  kPopulationCount,       // line 1 does not give K >= 2
  kPopulationLine,        // a population line is not "name,red,green,blue"
  kSnpLineFields,         // %d fields expected
  kNotANumber,            // field %d: "%s"
  kMissingValue,          // field %d
  kAllelePair,            // "%s"
  kParTooShort,           // the calculator file names fewer than 7 lines
  kTooFewPopulations,     // a population file with fewer than 2 names
  kAlleleField,           // an allele field is not one character
  kFrequencyCount,        // %d expected, %d found
  kFrequencyFileShort,    // ends after %d lines of %d
  kUnknownLayout,         // not a raw genotype file of a known layout (lists them)
  kLayoutNotForPainting,  // layout 3 has no positions
  kNoCommonSnps,          // no SNP of the sample is in the calculator
  kNoPossibleGenotype,    // every common SNP has a genotype the frequencies rule out
  kNoCalculatorAlleles,   // every common SNP has a letter neither calculator allele is
  kReportNotWritten,      // a run's report file could not be written
  kNoSuchChromosome,      // chromosome %d, %d runs
  kStopped,
  kChromosomeField,       // field 2 or 3 of a sample line is not a number
  kEmptyGeneticMap,       // a genetic map without one usable line
  kMapLayout,             // a map line of no known layout
  kTooFewGenomes,         // a comparison needs two genomes, relatedness one
  kPackedDamaged,         // a .zip or .gz cut short or damaged
  kPackedUnsupported,     // a packing method (or encryption) that cannot be read
  kNoUnpacking,           // a program built without unpacking
  kZipContents,           // %s: the files of a .zip, none or several of them raw genotype files
  kOtherBuildCalculator,  // %lld of %lld SNPs elsewhere than in the calculator
  kOtherBuildMap,         // %lld of %lld SNPs elsewhere than in the map; %lld left out
};

// The message's text in `language` (-1: the interface language), with
// printf-style placeholders as noted above.
const char* AutosomalMessageText(AutosomalMessage message, int language);

// The message with its placeholders filled; a message without any is
// taken as it stands.
template <typename... Args>
std::string AutosomalMessageFormat(AutosomalMessage message, int language, Args... args) {
  if constexpr (sizeof...(Args) == 0) {
    return AutosomalMessageText(message, language);
  } else {
    return Format(AutosomalMessageText(message, language), args...);
  }
}

// "FILE: TEXT" or "FILE, line N: TEXT" (line 0 leaves the line out), with
// only the file's name, not its folder.
std::string FileMessage(std::string_view path, long long line, std::string_view text, int language);

}  // namespace varnik
