// The HGDP European reference panel of the shared test data: 156 people,
// their genotypes (PLINK binary), and the allele frequencies (P) and
// ancestry shares (Q) of a published K = 6 analysis.  Used by the
// admixture's real-data test and benchmark.
#pragma once

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "autosomal/admixture_data.h"

namespace varnik {

class HgdpPanel {
 public:
  static std::string Base() { return std::string(VARNIK_SHARED_DATA_DIR) + "/autosomal/hgdp_euro/H938_Euro.LDprune"; }

  std::vector<std::string> names;
  std::vector<int> chromosomes, positions;
  std::vector<char> allele1, allele2;
  std::vector<std::size_t> rows;  // the rows of chromosomes 1-22, in P's order
  std::vector<double> p;          // 6 per row, frequency of allele 2
  std::vector<std::vector<double>> q;
  std::string bed;
  int people = 0;

  // False when the panel is absent or does not have its known shape.
  bool Read() {
    std::istringstream bim(Unzip(Base() + ".bim.gz"));
    std::string name, cm;
    int chromosome = 0, position = 0;
    char a1 = 0, a2 = 0;
    while (bim >> chromosome >> name >> cm >> position >> a1 >> a2) {
      if (chromosome >= 1 && chromosome <= 22) rows.push_back(names.size());
      chromosomes.push_back(chromosome);
      names.push_back(name);
      positions.push_back(position);
      allele1.push_back(a1);
      allele2.push_back(a2);
    }
    std::istringstream frequencies(Unzip(Base() + ".6.P.gz"));
    for (double f = 0; frequencies >> f;) p.push_back(f);
    std::ifstream shares(Base() + ".6.Q");
    for (std::string line; std::getline(shares, line);) {
      std::istringstream row(line);
      std::vector<double> values;
      for (double share = 0; row >> share;) values.push_back(share);
      q.push_back(values);
    }
    people = static_cast<int>(q.size());
    bed = Unzip(Base() + ".bed.gz");
    return people == 156 && !rows.empty() && p.size() == 6 * rows.size() &&
           bed.size() == 3 + names.size() * ((people + 3) / 4);
  }

  // Copies of allele 2 that `person` carries at bim row `row` (0-2), or -1
  // when the genotype is missing.
  int Genotype(std::size_t row, int person) const {
    const std::size_t bytesPerSnp = (people + 3) / 4;
    const int code = (static_cast<unsigned char>(bed[3 + row * bytesPerSnp + person / 4]) >> (2 * (person % 4))) & 3;
    return code == 0 ? 0 : code == 2 ? 1 : code == 3 ? 2 : -1;
  }
  std::string GenotypeText(std::size_t row, int copies) const {
    const char a = allele1[row], b = allele2[row];
    return copies == 0 ? std::string{a, a} : copies == 1 ? std::string{a, b} : std::string{b, b};
  }

  // A calculator of the autosomal rows with P as its frequencies.
  CProracunPoreklaOdsecaka Calculator() const {
    CProracunPoreklaOdsecaka calculator;
    for (int k = 0; k < 6; ++k) calculator.populationNames.push_back("K" + std::to_string(k + 1));
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const std::size_t i = rows[r];
      CPodaciSNPaZaPorekloOdsecaka snp;
      snp.snpName = names[i];
      snp.chromosome = chromosomes[i];
      snp.position = positions[i];
      snp.refAllele1 = FoldToAbCode(allele1[i]);
      snp.refAllele2 = FoldToAbCode(allele2[i]);
      snp.frequencies.assign(p.begin() + 6 * r, p.begin() + 6 * r + 6);
      calculator.snps.push_back(snp);
    }
    return calculator;
  }

  // Puts `person`'s genotypes into a copy of Calculator().
  void SetGenotypes(int person, CProracunPoreklaOdsecaka& data) const {
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const int copies = Genotype(rows[r], person);
      if (copies < 0) continue;
      const std::string genotype = GenotypeText(rows[r], copies);
      data.snps[r].sampleAllele1 = FoldToAbCode(genotype[0]);
      data.snps[r].sampleAllele2 = FoldToAbCode(genotype[1]);
    }
  }

 private:
  static std::string Unzip(const std::string& path) {
    std::string bytes;
    if (!std::ifstream(path).good()) return bytes;
    FILE* pipe = popen(("zcat '" + path + "'").c_str(), "r");
    if (pipe == nullptr) return bytes;
    char buffer[1 << 16];
    for (std::size_t n = 0; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) bytes.append(buffer, n);
    pclose(pipe);
    return bytes;
  }
};

}  // namespace varnik
