#include "autosomal_simulator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "split_mix.h"

namespace varnik::datagen {

namespace {

// GRCh37 lengths in base pairs and sex-averaged genetic lengths in cM.
constexpr int32_t kChromosomeBases[22] = {249250621, 243199373, 198022430, 191154276, 180915260, 171115067,
                                          159138663, 146364022, 141213431, 135534747, 135006516, 133851895,
                                          115169878, 107349540, 102531392, 90354753,  81195210,  78077248,
                                          59128983,  63025520,  48129895,  51304566};
constexpr double kChromosomeCm[22] = {278, 263, 224, 214, 209, 194, 187, 170, 168, 181, 159,
                                      174, 126, 119, 141, 134, 128, 117, 107, 108, 62,  74};
// Pairs of alleles that stay apart on either strand (no A/T or C/G).
constexpr char kAllelePairs[4][2] = {{'A', 'G'}, {'C', 'T'}, {'A', 'C'}, {'G', 'T'}};

double Gamma(SplitMix64& random, double shape) {
  if (shape < 1.0) return Gamma(random, shape + 1.0) * std::pow(1.0 - random.Uniform(), 1.0 / shape);
  const double d = shape - 1.0 / 3.0, c = 1.0 / std::sqrt(9.0 * d);
  for (;;) {
    const double x = random.Normal();
    double v = 1.0 + c * x;
    if (v <= 0.0) continue;
    v = v * v * v;
    const double u = 1.0 - random.Uniform();
    if (u < 1.0 - 0.0331 * x * x * x * x || std::log(u) < 0.5 * x * x + d * (1.0 - v + std::log(v))) return d * v;
  }
}

double Beta(SplitMix64& random, double a, double b) {
  const double x = Gamma(random, a), y = Gamma(random, b);
  return x / (x + y);
}

int Draw(SplitMix64& random, const std::vector<double>& weights) {
  double u = random.Uniform();
  for (std::size_t i = 0; i + 1 < weights.size(); ++i) {
    if (u < weights[i]) return static_cast<int>(i);
    u -= weights[i];
  }
  return static_cast<int>(weights.size()) - 1;
}

// Colours of the example populations, one per name.
uint32_t ColourOf(const std::string& name) {
  struct Entry {
    const char* name;
    uint32_t rgb;
  };
  static constexpr Entry kColours[] = {
      {"Atlantic_Baltic", 0x0000A0E0}, {"Southern", 0x0040C040}, {"West_Asian", 0x00C08000},
      {"South_Asian", 0x000060FF},     {"East_Asian", 0x00E0E000}, {"African", 0x004040A0},
      {"Siberian", 0x00FF80C0},        {"Amerindian", 0x0080FF80}, {"Australasian", 0x00A000A0},
      {"Caucasus_Gedrosia", 0x00808080}};
  for (const Entry& entry : kColours) {
    if (name == entry.name) return entry.rgb;
  }
  return 0x00FFFFFF;
}

bool WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(out);
}

// SNPs that no calculator holds, between the panel's, for the genome files.
struct ExtraSnp {
  int32_t chromosome, position;
  std::string name;
  char genotype[2];
};

std::vector<ExtraSnp> ExtraSnps(int count, uint64_t seed) {
  SplitMix64 random(seed);
  std::vector<ExtraSnp> extra(count);
  for (int i = 0; i < count; ++i) {
    ExtraSnp& snp = extra[i];
    snp.chromosome = random.Between(1, 22);
    snp.position = random.Between(10000, kChromosomeBases[snp.chromosome - 1] - 10000);
    snp.name = "rs" + std::to_string(900000000 + i);
    const char* pair = kAllelePairs[random.Between(0, 3)];
    snp.genotype[0] = pair[random.Between(0, 1)];
    snp.genotype[1] = pair[random.Between(0, 1)];
    if (snp.genotype[0] > snp.genotype[1]) std::swap(snp.genotype[0], snp.genotype[1]);
  }
  return extra;
}

// The lines of a genome file in chromosome and position order.
template <typename Line>
std::string GenomeLines(const SimulatedPanel& panel, const SimulatedPerson& person, int extraSnps, uint64_t seed,
                        Line line) {
  std::vector<ExtraSnp> extra = ExtraSnps(extraSnps, seed);
  for (std::size_t i = 0; i < panel.snps.size(); ++i) {
    const SimulatedSnp& snp = panel.snps[i];
    char genotype[2] = {person.alleles[2 * i], person.alleles[2 * i + 1]};
    if (genotype[0] > genotype[1]) std::swap(genotype[0], genotype[1]);
    extra.push_back({snp.chromosome, snp.position, snp.name, {genotype[0], genotype[1]}});
  }
  std::stable_sort(extra.begin(), extra.end(), [](const ExtraSnp& a, const ExtraSnp& b) {
    return a.chromosome != b.chromosome ? a.chromosome < b.chromosome : a.position < b.position;
  });
  std::string text;
  text.reserve(extra.size() * 32);
  for (const ExtraSnp& snp : extra) text += line(snp);
  return text;
}

}  // namespace

int32_t ChromosomeBases(int chromosome) { return kChromosomeBases[chromosome - 1]; }
double ChromosomeCm(int chromosome) { return kChromosomeCm[chromosome - 1]; }

SimulatedPanel MakePanel(uint64_t seed, int snpCount, const std::vector<std::string>& populations, double fst) {
  SplitMix64 random(seed);
  SimulatedPanel panel;
  panel.populations = populations;
  for (const std::string& name : populations) panel.colours.push_back(ColourOf(name));
  double totalBases = 0;
  for (const int32_t bases : kChromosomeBases) totalBases += bases;
  int made = 0;
  for (int c = 0; c < 22; ++c) {
    const int count = c == 21 ? snpCount - made
                              : static_cast<int>(std::lround(snpCount * (kChromosomeBases[c] / totalBases)));
    made += count;
    // The genetic map: the rate varies from one megabase to the next.
    const int bins = kChromosomeBases[c] / 1000000 + 1;
    std::vector<double> mapAt(bins + 1, 0.0);
    for (int b = 0; b < bins; ++b) mapAt[b + 1] = mapAt[b] + std::exp(0.8 * random.Normal());
    const double scale = kChromosomeCm[c] / mapAt[bins];
    std::vector<int32_t> positions(count);
    for (int32_t& position : positions) position = random.Between(20000, kChromosomeBases[c] - 20000);
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    for (const int32_t position : positions) {
      SimulatedSnp snp;
      snp.chromosome = c + 1;
      snp.position = position;
      const double bin = position / 1000000.0;
      const int b = static_cast<int>(bin);
      snp.cm = scale * (mapAt[b] + (mapAt[b + 1] - mapAt[b]) * (bin - b));
      const char* pair = kAllelePairs[random.Between(0, 3)];
      const bool flip = random.Uniform() < 0.5;
      snp.allele1 = pair[flip ? 1 : 0];
      snp.allele2 = pair[flip ? 0 : 1];
      panel.snps.push_back(snp);
    }
  }
  // Names in ascending rs order along the genome, with gaps.
  uint64_t number = 1000;
  for (SimulatedSnp& snp : panel.snps) {
    number += 1 + random.Next() % 40;
    snp.name = "rs" + std::to_string(number);
  }
  const std::size_t k = populations.size();
  panel.frequencies.resize(panel.snps.size() * k);
  const double spread = (1.0 - fst) / fst;
  for (std::size_t i = 0; i < panel.snps.size(); ++i) {
    const double ancestral = 0.05 + 0.9 * random.Uniform();
    for (std::size_t p = 0; p < k; ++p) {
      const double f = Beta(random, ancestral * spread, (1.0 - ancestral) * spread);
      panel.frequencies[i * k + p] = std::clamp(f, 0.00001, 0.99999);
    }
  }
  return panel;
}

std::vector<double> SimulatedPerson::RealisedShares(std::size_t populations) const {
  std::vector<double> shares(populations, 0.0);
  for (const uint8_t tract : tracts) shares[tract] += 1.0;
  for (double& share : shares) share /= static_cast<double>(tracts.size());
  return shares;
}

SimulatedPerson MakePerson(const SimulatedPanel& panel, uint64_t seed, const std::vector<double>& proportions,
                           double generations) {
  SplitMix64 random(seed);
  SimulatedPerson person;
  const std::size_t n = panel.snps.size();
  person.alleles.resize(2 * n);
  person.tracts.resize(2 * n);
  for (int copy = 0; copy < 2; ++copy) {
    int population = 0;
    double switchAt = -1.0;
    int32_t chromosome = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const SimulatedSnp& snp = panel.snps[i];
      if (snp.chromosome != chromosome || snp.cm >= switchAt) {
        const double start = snp.chromosome != chromosome ? 0.0 : switchAt;
        chromosome = snp.chromosome;
        population = Draw(random, proportions);
        // Tract lengths in cM are exponential with mean 100 / generations.
        switchAt = start - std::log(1.0 - random.Uniform()) * 100.0 / generations;
        while (switchAt <= snp.cm) switchAt -= std::log(1.0 - random.Uniform()) * 100.0 / generations;
      }
      person.tracts[2 * i + copy] = static_cast<uint8_t>(population);
      const bool second = random.Uniform() < panel.Frequency(i, population);
      person.alleles[2 * i + copy] = second ? snp.allele2 : snp.allele1;
    }
  }
  return person;
}

std::string TextCalculator(const SimulatedPanel& panel) {
  const std::size_t k = panel.populations.size();
  std::string text = std::to_string(k) + "\r\n";
  char buffer[64];
  for (std::size_t p = 0; p < k; ++p) {
    const uint32_t c = panel.colours[p];
    std::snprintf(buffer, sizeof buffer, ",%u,%u,%u\r\n", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    text += panel.populations[p] + buffer;
  }
  const auto ab = [](char c) { return c == 'A' || c == 'T' ? 'A' : 'B'; };
  for (std::size_t i = 0; i < panel.snps.size(); ++i) {
    const SimulatedSnp& snp = panel.snps[i];
    std::snprintf(buffer, sizeof buffer, ",%d,%d,%.4f,%c%c", snp.chromosome, snp.position, snp.cm, ab(snp.allele1),
                  ab(snp.allele2));
    text += snp.name + buffer;
    for (std::size_t p = 0; p < k; ++p) {
      std::snprintf(buffer, sizeof buffer, ",%.5f", panel.Frequency(i, p));
      text += buffer;
    }
    text += "\r\n";
  }
  return text;
}

bool WriteParCalculator(const SimulatedPanel& panel, const std::string& folder, const std::string& stem) {
  const std::size_t k = panel.populations.size();
  // The SNP and frequency files go in name order, as community calculators do.
  std::vector<std::size_t> order(panel.snps.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(),
            [&panel](std::size_t a, std::size_t b) { return panel.snps[a].name < panel.snps[b].name; });
  std::string names, alleles, frequencies;
  for (const std::string& name : panel.populations) names += name + "\n";
  char buffer[32];
  for (const std::size_t i : order) {
    const SimulatedSnp& snp = panel.snps[i];
    alleles += snp.name + ' ' + snp.allele1 + ' ' + snp.allele2 + '\n';
    for (std::size_t p = 0; p < k; ++p) {
      std::snprintf(buffer, sizeof buffer, p == 0 ? "%.5f" : " %.5f", panel.Frequency(i, p));
      frequencies += buffer;
    }
    frequencies += '\n';
  }
  const std::string frequencyFile = stem + "." + std::to_string(k) + ".F";
  const std::string par = "1D-7\n" + std::to_string(k) + "\ngenotype.txt\n" + std::to_string(panel.snps.size()) +
                          "\n" + stem + ".txt\n" + frequencyFile + "\n" + stem + ".alleles\nverbose\ngenomewide\n";
  return WriteFile(folder + "/" + stem + ".txt", names) && WriteFile(folder + "/" + stem + ".alleles", alleles) &&
         WriteFile(folder + "/" + frequencyFile, frequencies) && WriteFile(folder + "/" + stem + ".par", par);
}

std::string Genome23andMe(const SimulatedPanel& panel, const SimulatedPerson& person, int extraSnps, uint64_t seed) {
  std::string text =
      "# This data file was generated by the Varnik Genealogy Tools simulator.\n"
      "# It holds the genotypes of a simulated person, not of a real one.\n"
      "#\n"
      "# rsid\tchromosome\tposition\tgenotype\n";
  return text + GenomeLines(panel, person, extraSnps, seed, [](const ExtraSnp& snp) {
           return snp.name + '\t' + std::to_string(snp.chromosome) + '\t' + std::to_string(snp.position) + '\t' +
                  snp.genotype[0] + snp.genotype[1] + '\n';
         });
}

std::string GenomeFtdna(const SimulatedPanel& panel, const SimulatedPerson& person, int extraSnps, uint64_t seed) {
  return "RSID,CHROMOSOME,POSITION,RESULT\r\n" +
         GenomeLines(panel, person, extraSnps, seed, [](const ExtraSnp& snp) {
           return "\"" + snp.name + "\",\"" + std::to_string(snp.chromosome) + "\",\"" +
                  std::to_string(snp.position) + "\",\"" + snp.genotype[0] + snp.genotype[1] + "\"\r\n";
         });
}

namespace {

struct ExamplePeople {
  SimulatedPanel panel;
  SimulatedPerson european, asian;
};

ExamplePeople MakeExamplePeople() {
  const std::vector<std::string> populations = {"Atlantic_Baltic", "Southern",   "West_Asian",
                                                "South_Asian",     "East_Asian", "African"};
  ExamplePeople people;
  people.panel = MakePanel(0x5657E7A6, 60000, populations, 0.12);
  // A person of European ancestry with some of the Near East, and one of
  // South and Central Asia.
  people.european = MakePerson(people.panel, 11, {0.55, 0.30, 0.15, 0.0, 0.0, 0.0}, 8.0);
  people.asian = MakePerson(people.panel, 12, {0.0, 0.0, 0.35, 0.45, 0.20, 0.0}, 8.0);
  return people;
}

}  // namespace

std::vector<std::string> ExampleGenomesAsTabs() {
  const ExamplePeople people = MakeExamplePeople();
  return {Genome23andMe(people.panel, people.european, 40000, 21), Genome23andMe(people.panel, people.asian, 40000, 22)};
}

bool WriteAutosomalExamples(const std::string& folder) {
  const ExamplePeople people = MakeExamplePeople();
  const SimulatedPanel& panel = people.panel;
  const SimulatedPerson& european = people.european;
  const SimulatedPerson& asian = people.asian;
  return WriteFile(folder + "/" + kExampleTextCalculator, TextCalculator(panel)) &&
         WriteParCalculator(panel, folder, "Svet6") &&
         WriteFile(folder + "/" + kExampleGenomeFtdna, GenomeFtdna(panel, european, 40000, 21)) &&
         WriteFile(folder + "/" + kExampleGenome23andMe, Genome23andMe(panel, asian, 40000, 22));
}

}  // namespace varnik::datagen
