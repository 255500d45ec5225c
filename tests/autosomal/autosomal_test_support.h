// Small files for the autosomal tests, written into a folder of the test's
// own name.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "autosomal/admixture_data.h"
#include "autosomal_simulator.h"

namespace varnik {

class AutosomalFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              (std::string("varnik_autosomal_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    context.language = 1;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  // Loads `calculator` (a file name in the folder) and `sample` for the
  // admixture; the data is left in `data`.
  bool Load(const std::string& calculator, const std::string& sample, int mode = kLoadForAdmixture) {
    data = CProracunPoreklaOdsecaka();
    data.calculatorPath = (folder_ / calculator).string();
    data.samplePath = (folder_ / sample).string();
    return data.LoadAdmixtureInputs(mode, context);
  }

  std::filesystem::path folder_;
  CProracunPoreklaOdsecaka data;
  AdmixtureRunContext context;
};

// A text calculator of two populations, "P1" and "P2", and the given SNP
// lines, with `end` after every line.
inline std::string TwoPopulationCalculator(const std::string& snpLines, const std::string& end = "\n") {
  return "2" + end + "P1,255,0,0" + end + "P2,0,0,255" + end + snpLines;
}

// The panel's SNPs with a simulated person's genotypes, ready to compute.
inline CProracunPoreklaOdsecaka SimulatedSample(const datagen::SimulatedPanel& panel,
                                                const datagen::SimulatedPerson& person) {
  CProracunPoreklaOdsecaka data;
  data.populationNames = panel.populations;
  for (std::size_t i = 0; i < panel.snps.size(); ++i) {
    CPodaciSNPaZaPorekloOdsecaka snp;
    snp.snpName = panel.snps[i].name;
    snp.chromosome = panel.snps[i].chromosome;
    snp.position = panel.snps[i].position;
    snp.geneticPosition = panel.snps[i].cm;
    snp.refAllele1 = panel.snps[i].allele1;
    snp.refAllele2 = panel.snps[i].allele2;
    snp.sampleAllele1 = person.alleles[2 * i];
    snp.sampleAllele2 = person.alleles[2 * i + 1];
    for (std::size_t p = 0; p < panel.populations.size(); ++p) snp.frequencies.push_back(panel.Frequency(i, p));
    data.snps.push_back(snp);
  }
  return data;
}

}  // namespace varnik
