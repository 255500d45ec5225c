// varnik-datagen: writes the data files that ship with the program into the
// program folder.  Every generator uses fixed seeds, so the output is the same
// on every build.
#include <cstdio>
#include <string>

#include "autosomal_simulator.h"
#include "collection_files.h"
#include "compress/zlib_unpacker.h"
#include "example_axes.h"
#include "genome_layouts.h"
#include "predictor_models.h"
#include "relatives_simulator.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: varnik-datagen OUTPUT_FOLDER\n");
    return 1;
  }
  const std::string folder = argv[1];
  if (!varnik::datagen::WriteExampleAxesSet(folder)) {
    std::fprintf(stderr, "varnik-datagen: cannot write %s/%s\n", folder.c_str(), varnik::datagen::kExampleAxesFile);
    return 1;
  }
  if (!varnik::datagen::WritePredictorModels(folder)) return 1;
  if (!varnik::datagen::WriteAutosomalExamples(folder)) {
    std::fprintf(stderr, "varnik-datagen: cannot write the example calculators and genomes in %s\n", folder.c_str());
    return 1;
  }
  // The same people in the layouts with a header, zipped and gzipped.
  const std::vector<std::string> genomes = varnik::datagen::ExampleGenomesAsTabs();
  using varnik::datagen::GenomeLayout;
  const std::vector<varnik::PackedEntry> zipped = {
      {varnik::datagen::kExampleGenomeZipEntry, varnik::datagen::GenomeInLayout(genomes[0], GenomeLayout::kTabAlleles)}};
  const std::vector<varnik::PackedEntry> gzipped = {
      {"", varnik::datagen::GenomeInLayout(genomes[1], GenomeLayout::kCommaCommented)}};
  if (!varnik::WritePackedFile(varnik::Packing::kZip, folder + "/" + varnik::datagen::kExampleGenomeZip, zipped) ||
      !varnik::WritePackedFile(varnik::Packing::kGzip, folder + "/" + varnik::datagen::kExampleGenomeGzip, gzipped)) {
    std::fprintf(stderr, "varnik-datagen: cannot write the packed example genomes in %s (built without zlib?)\n",
                 folder.c_str());
    return 1;
  }
  if (!varnik::datagen::WriteSampleCollections(folder)) return 1;
  if (!varnik::datagen::WriteShippedGeneticMap(folder)) {
    std::fprintf(stderr, "varnik-datagen: cannot write %s/%s\n", folder.c_str(), varnik::datagen::kShippedGeneticMap);
    return 1;
  }
  return 0;
}
