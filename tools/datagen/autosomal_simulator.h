// The autosomal simulator: reference populations with allele frequencies
// drawn around shared ancestral ones, a genetic map, and people of known
// ancestry whose chromosomes are mosaics of population tracts.  From it
// come the example calculators and genomes that ship with the program, and
// the ground truth of the admixture tests and benchmarks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnik::datagen {

struct SimulatedSnp {
  std::string name;
  int32_t chromosome = 0;
  int32_t position = 0;
  double cm = 0.0;
  char allele1 = 'A';
  char allele2 = 'G';  // the frequencies are those of this allele
};

struct SimulatedPanel {
  std::vector<std::string> populations;  // English names of the text table
  std::vector<uint32_t> colours;         // 0x00BBGGRR
  std::vector<SimulatedSnp> snps;        // by chromosome and position
  std::vector<double> frequencies;       // K per SNP
  double Frequency(std::size_t snp, std::size_t population) const {
    return frequencies[snp * populations.size() + population];
  }
};

// `snpCount` SNPs over chromosomes 1-22 in proportion to their lengths, with
// GRCh37-like positions and a genetic map of realistic total lengths, and
// population frequencies that differ from the ancestral ones by `fst`.
SimulatedPanel MakePanel(uint64_t seed, int snpCount, const std::vector<std::string>& populations, double fst);

// A person: two copies of every chromosome, each a mosaic of tracts whose
// populations are drawn by `proportions`; tracts switch on average
// `generations` times per Morgan.
struct SimulatedPerson {
  std::string alleles;                 // two letters per SNP of the panel
  std::vector<uint8_t> tracts;         // the population of each copy, two per SNP
  std::vector<double> RealisedShares(std::size_t populations) const;
};
SimulatedPerson MakePerson(const SimulatedPanel& panel, uint64_t seed, const std::vector<double>& proportions,
                           double generations);

// Files.  The text calculator carries positions and the genetic map; the
// ".par" calculator is four files named after `stem` in `folder`.
std::string TextCalculator(const SimulatedPanel& panel);
bool WriteParCalculator(const SimulatedPanel& panel, const std::string& folder, const std::string& stem);
// Raw genotype files: the panel's SNPs and `extraSnps` others that no
// calculator knows, in the 23andMe layout (tab-separated, '#' comments, LF)
// or the FTDNA layout (header, quoted values, CR LF).
std::string Genome23andMe(const SimulatedPanel& panel, const SimulatedPerson& person, int extraSnps, uint64_t seed);
std::string GenomeFtdna(const SimulatedPanel& panel, const SimulatedPerson& person, int extraSnps, uint64_t seed);

// GRCh37 length in base pairs and sex-averaged genetic length in cM of
// autosome `chromosome` (1-22).
int32_t ChromosomeBases(int chromosome);
double ChromosomeCm(int chromosome);

// The shipped examples: "Poreklo odsecaka - Svet 6.txt", "Svet6.par" with
// its files, and two example genomes.
bool WriteAutosomalExamples(const std::string& folder);
// The genomes of the two example people of WriteAutosomalExamples (the
// FTDNA example's person, then the 23andMe example's) as tab-separated
// text with the same SNPs.
std::vector<std::string> ExampleGenomesAsTabs();
inline constexpr const char* kExampleTextCalculator = "Poreklo odsecaka - Svet 6.txt";
inline constexpr const char* kExampleParCalculator = "Svet6.par";
inline constexpr const char* kExampleGenomeFtdna = "Primer genoma - FTDNA.csv";
inline constexpr const char* kExampleGenome23andMe = "Primer genoma - 23andMe.txt";

}  // namespace varnik::datagen
