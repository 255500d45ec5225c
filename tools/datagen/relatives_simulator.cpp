#include "relatives_simulator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <sstream>

#include "split_mix.h"

namespace varnik::datagen {

namespace {

// One copy of a chromosome set: a letter and a founder haplotype per SNP.
struct Copy {
  std::string letters;
  std::vector<uint16_t> founder;
};

Copy CopyOf(const Relative& person, int copy) {
  Copy result;
  result.letters.resize(person.alleles.size() / 2);
  for (std::size_t i = 0; i < result.letters.size(); ++i) result.letters[i] = person.alleles[2 * i + copy];
  result.founder = person.founder[copy];
  return result;
}

// A gamete: along each chromosome the parent's two copies alternate at
// crossovers that fall at exponential distances of mean 1 Morgan.
Copy Meiosis(const SimulatedPanel& panel, const Relative& parent, SplitMix64& random) {
  const Copy copies[2] = {CopyOf(parent, 0), CopyOf(parent, 1)};
  Copy gamete;
  const std::size_t n = panel.snps.size();
  gamete.letters.resize(n);
  gamete.founder.resize(n);
  int32_t chromosome = 0;
  int current = 0;
  double nextCrossover = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const SimulatedSnp& snp = panel.snps[i];
    if (snp.chromosome != chromosome) {
      chromosome = snp.chromosome;
      current = random.Uniform() < 0.5 ? 0 : 1;
      nextCrossover = -std::log(1.0 - random.Uniform()) * 100.0;
    }
    while (snp.cm >= nextCrossover) {
      current = 1 - current;
      nextCrossover += -std::log(1.0 - random.Uniform()) * 100.0;
    }
    gamete.letters[i] = copies[current].letters[i];
    gamete.founder[i] = copies[current].founder[i];
  }
  return gamete;
}

Relative Child(const SimulatedPanel& panel, const std::string& name, const Relative& mother, const Relative& father,
               SplitMix64& random) {
  const Copy gametes[2] = {Meiosis(panel, mother, random), Meiosis(panel, father, random)};
  Relative child;
  child.name = name;
  child.alleles.resize(2 * panel.snps.size());
  for (int c = 0; c < 2; ++c) {
    child.founder[c] = gametes[c].founder;
    for (std::size_t i = 0; i < panel.snps.size(); ++i) child.alleles[2 * i + c] = gametes[c].letters[i];
  }
  return child;
}

bool WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(out);
}

}  // namespace

std::vector<Relative> MakeFamily(const SimulatedPanel& panel, uint64_t seed, double errorRate) {
  SplitMix64 random(seed);
  const std::vector<double> shares(panel.populations.size(), 1.0 / static_cast<double>(panel.populations.size()));
  std::vector<Relative> family;
  const char* founders[] = {"F1", "F2", "S1", "S2"};
  for (int f = 0; f < 4; ++f) {
    const SimulatedPerson person = MakePerson(panel, seed * 31 + static_cast<uint64_t>(f), shares, 4.0);
    Relative founder;
    founder.name = founders[f];
    founder.alleles = person.alleles;
    for (int c = 0; c < 2; ++c) founder.founder[c].assign(panel.snps.size(), static_cast<uint16_t>(2 * f + c));
    family.push_back(std::move(founder));
  }
  const auto add = [&](const std::string& name, const std::string& mother, const std::string& father) {
    // Copies: the family vector may grow while the parents are read.
    const Relative m = FindRelative(family, mother), d = FindRelative(family, father);
    family.push_back(Child(panel, name, m, d, random));
  };
  add("C1", "F1", "F2");
  add("C2", "F1", "F2");
  add("G1", "C1", "S1");
  add("G1b", "C1", "S1");
  add("G2", "S2", "C2");
  add("H", "G2", "G1");
  if (errorRate > 0.0) {
    for (Relative& person : family) {
      for (std::size_t i = 0; i < person.alleles.size(); ++i) {
        if (random.Uniform() >= errorRate) continue;
        const SimulatedSnp& snp = panel.snps[i / 2];
        person.alleles[i] = person.alleles[i] == snp.allele1 ? snp.allele2 : snp.allele1;
      }
    }
  }
  return family;
}

const Relative& FindRelative(const std::vector<Relative>& family, const std::string& name) {
  for (const Relative& person : family) {
    if (person.name == name) return person;
  }
  return family.front();
}

std::vector<SharedSegment> TrueSharedSegments(const SimulatedPanel& panel, const Relative& a, const Relative& b,
                                              double minCm) {
  const bool self = &a == &b;
  std::vector<SharedSegment> segments;
  const std::size_t n = panel.snps.size();
  int32_t start = -1;
  const auto close = [&](std::size_t end) {
    if (start < 0) return;
    const double cm = panel.snps[end].cm - panel.snps[start].cm;
    if (cm >= minCm) segments.push_back({panel.snps[start].chromosome, start, static_cast<int32_t>(end), cm});
    start = -1;
  };
  for (std::size_t i = 0; i < n; ++i) {
    if (start >= 0 && panel.snps[i].chromosome != panel.snps[start].chromosome) close(i - 1);
    bool shared = false;
    if (self) {
      shared = a.founder[0][i] == a.founder[1][i];
    } else {
      for (int x = 0; x < 2; ++x) {
        for (int y = 0; y < 2; ++y) shared = shared || a.founder[x][i] == b.founder[y][i];
      }
    }
    if (shared && start < 0) start = static_cast<int32_t>(i);
    if (!shared && start >= 0) close(i - 1);
  }
  if (n > 0) close(n - 1);
  return segments;
}

std::string RelativeGenome(const SimulatedPanel& panel, const Relative& person) {
  std::string text = "# A simulated relative: " + person.name + "\n# rsid\tchromosome\tposition\tgenotype\n";
  text.reserve(panel.snps.size() * 28);
  for (std::size_t i = 0; i < panel.snps.size(); ++i) {
    const SimulatedSnp& snp = panel.snps[i];
    char genotype[2] = {person.alleles[2 * i], person.alleles[2 * i + 1]};
    if (genotype[0] > genotype[1]) std::swap(genotype[0], genotype[1]);
    text += snp.name + '\t' + std::to_string(snp.chromosome) + '\t' + std::to_string(snp.position) + '\t' +
            genotype[0] + genotype[1] + '\n';
  }
  return text;
}

std::string GeneticMapText(const std::vector<SimulatedSnp>& snps) {
  std::string text = "name,chromosome,position,cM,cM,cM\r\n";
  char buffer[96];
  for (const SimulatedSnp& snp : snps) {
    std::snprintf(buffer, sizeof buffer, ",%d,%d,%.6f,%.6f,%.6f\r\n", snp.chromosome, snp.position, snp.cm, snp.cm,
                  snp.cm);
    text += snp.name + buffer;
  }
  return text;
}

double SmoothMapCm(int chromosome, int32_t position) {
  // Rate 1 + a cos(2 pi u) along the chromosome's share u: highest near the
  // telomeres, lowest in the middle; its integral gives the map.
  constexpr double kSwing = 0.5;
  const double u = std::clamp(static_cast<double>(position) / ChromosomeBases(chromosome), 0.0, 1.0);
  const double share = u + kSwing * std::sin(2.0 * std::numbers::pi * u) / (2.0 * std::numbers::pi);
  return ChromosomeCm(chromosome) * share;
}

bool WriteShippedGeneticMap(const std::string& folder) {
  std::vector<SimulatedSnp> snps;
  for (const char* file : {kExampleGenomeFtdna, kExampleGenome23andMe}) {
    std::ifstream in(folder + "/" + file, std::ios::binary);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
      if (line.empty() || line[0] == '#' || line.compare(0, 4, "RSID") == 0) continue;
      std::erase(line, '"');
      std::erase(line, '\r');
      std::replace(line.begin(), line.end(), ',', '\t');
      std::istringstream fields(line);
      SimulatedSnp snp;
      if (!(fields >> snp.name >> snp.chromosome >> snp.position)) continue;
      if (snp.chromosome < 1 || snp.chromosome > 22) continue;
      snp.cm = SmoothMapCm(snp.chromosome, snp.position);
      snps.push_back(snp);
    }
  }
  std::sort(snps.begin(), snps.end(), [](const SimulatedSnp& a, const SimulatedSnp& b) {
    return a.chromosome != b.chromosome ? a.chromosome < b.chromosome : a.position < b.position;
  });
  snps.erase(std::unique(snps.begin(), snps.end(),
                         [](const SimulatedSnp& a, const SimulatedSnp& b) {
                           return a.chromosome == b.chromosome && a.position == b.position;
                         }),
             snps.end());
  return WriteFile(folder + "/" + kShippedGeneticMap, GeneticMapText(snps));
}

}  // namespace varnik::datagen
