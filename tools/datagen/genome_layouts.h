// One simulated genome written in every raw-file layout the programs read,
// for the shipped examples, the tests and the benchmarks.
#pragma once

#include <string>

namespace varnik::datagen {

enum class GenomeLayout {
  kCommaQuoted,     // RSID,CHROMOSOME,POSITION,RESULT header, quoted values, CR LF
  kTabs,            // '#' comments, rsid chromosome position genotype
  kSpaces,          // name chromosome position genotype
  kTabAlleles,      // '#' comments, a header, rsid chromosome position allele1 allele2, CR LF
  kCommaCommented,  // '#' comments, then a quoted header and quoted values
  kCommaLowerCase,  // rsid,chromosome,position,result, unquoted
};
inline constexpr GenomeLayout kAllGenomeLayouts[] = {GenomeLayout::kCommaQuoted,     GenomeLayout::kTabs,
                                                     GenomeLayout::kSpaces,          GenomeLayout::kTabAlleles,
                                                     GenomeLayout::kCommaCommented, GenomeLayout::kCommaLowerCase};
const char* GenomeLayoutName(GenomeLayout layout);

// The genome of a tab-separated file ('#' comment lines, then "name
// chromosome position genotype" lines, as Genome23andMe writes it) in
// `layout`.  No-calls ("--") become "0 0" in the allele columns, and
// chromosomes X, Y, XY and MT 23 to 26.
std::string GenomeInLayout(const std::string& tabGenome, GenomeLayout layout);

// The example genomes in the layouts with a header, packed: one zipped, one
// gzipped.
inline constexpr const char* kExampleGenomeZip = "Primer genoma - pet stubaca.zip";
inline constexpr const char* kExampleGenomeZipEntry = "Primer genoma - pet stubaca.txt";
inline constexpr const char* kExampleGenomeGzip = "Primer genoma - sa zaglavljem.csv.gz";

}  // namespace varnik::datagen
