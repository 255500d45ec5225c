// varnik-cli: the toolkit's capabilities for scripting and batch work.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/subcommands.h"
#include "compress/zlib_unpacker.h"

namespace {

struct Subcommand {
  const char* name;
  const char* usage;
  const char* summary;
  int (*run)(varnik::cli::Args&);
};

constexpr Subcommand kSubcommands[] = {
    {"text", "text ID [--lang sr|en|ru]", "print one translated text", varnik::cli::RunText},
    {"menu", "menu [--lang sr|ru]", "print the main menu as the window shows it (Serbian by default)", varnik::cli::RunMenu},
    {"haplotype", "haplotype [--order 0..5] [--comma] [--to-panel N] [--lang sr|en|ru] TEXT", "read a Y-STR haplotype line and show it marker by marker", varnik::cli::RunHaplotype},
    {"tmrca", "tmrca --descendants FILE [--ancestor TEXT] [--order 0..9] [--markers 0|1|2] [--allow-unknown] [--min-markers N] [--without N] [--lang sr|en|ru] [--svg OUT [--graph 0..3]]", "age of the most recent common ancestor of Y-STR haplotypes", varnik::cli::RunTmrca},
    {"transition-table", "transition-table --generations N --out FILE", "write the mutation model's transition tables", varnik::cli::RunTransitionTable},
    {"axes", "axes FILE [--lang sr|en|ru]", "summarise a computed-axes file (.ose): set, groups, axes", varnik::cli::RunAxes},
    {"plot", "plot FILE --svg OUT [--axes X,Y] [--flip-h] [--flip-v] [--size WxH] [--sample-names] [--lang sr|en|ru]", "draw the population plot of a computed-axes file into an SVG file", varnik::cli::RunPlot},
    {"train-model", "train-model --input FILE --out MODEL [--csv] [--min-men N] [--restrict23] [--sets 3,4,5] [--min-markers N] [--keep-fractions] [--smoothing X] [--ancestral-men X] [--max-joins N] [--parent-correction X] [--no-stats]", "build a haplogroup predictor model from labelled haplotypes", varnik::cli::RunTrainModel},
    {"cross-validate", "cross-validate --input FILE [--folds 5] [--csv [--group-column N]] [train-model options]", "train on all folds of labelled men but one and predict that one, for every fold", varnik::cli::RunCrossValidate},
    {"predict", "predict [--order 0..5] [--predictor 0..3 | --model FILE] [--snp NAME] [--batch FILE] [--lang sr|en|ru] [\"HAPLOTYPE\"]", "predict the haplogroup of Y-STR haplotypes", varnik::cli::RunPredict},
    {"admixture", "admixture --sample FILE --calculator FILE [--chromosome N [--from BP --to BP]] [--threshold X] [--no-sort] [--lang sr|en|ru]", "a person's ancestry shares from a raw genotype file and a calculator", varnik::cli::RunAdmixture},
    {"search", "search [--order 0..5] [--min-common N] [--max-diff PERCENT] [--max-shown N] [--rank 0..2] [--constraint COLUMN=RANGE ...] [--collections I,J,...] [--collections-dir DIR] [--comma] [--lang sr|en|ru] \"HAPLOTYPE\"", "search the sample collections for the haplotypes closest to one", varnik::cli::RunSearch},
    {"settings", "settings get NAME | settings set NAME number|double|text|binary VALUE", "read or write one value of the dialogs' saved settings", varnik::cli::RunSettings},
    {"painting", "painting --sample FILE --calculator FILE [--half-window N | --window-cm X [--min-side N]] [--chromosome N [--from BP --to BP]] [--same-population-only] [--levelling N] [--svg OUT [--size WxH]] [--values OUT.tsv] [--lang sr|en|ru]", "local ancestry along the chromosomes of a raw genotype file, as shares, values per SNP or a drawing", varnik::cli::RunPainting},
    {"compare-genomes", "compare-genomes FILE FILE [FILE...] [--map FILE] [--chromosome N [--from BP --to BP]] [--svg OUT [--size WxH]] [--lang sr|en|ru]", "the DNA segments the first of 2-6 raw genotype files shares with each other one", varnik::cli::RunCompareGenomes},
    {"relatedness", "relatedness FILE [FILE...] [--map FILE] [--chromosome N [--from BP --to BP]] [--svg OUT [--size WxH]] [--lang sr|en|ru]", "runs of homozygosity of 1-6 raw genotype files: how related a person's parents are", varnik::cli::RunRelatedness},
};

void PrintHelp() {
  std::printf(
      "Varnik Genealogy Tools v%s, command line\n\n"
      "usage: varnik-cli SUBCOMMAND [ARGUMENTS]\n\n"
      "subcommands:\n",
      VARNIK_VERSION);
  for (const Subcommand& sub : kSubcommands) std::printf("  %-40s %s\n", sub.usage, sub.summary);
  std::printf(
      "\n  --help                                   this text\n"
      "  --version                                the program's version\n\n"
      "Texts are printed in English unless --lang says otherwise.  The exit\n"
      "status is 0 on success and 1 on bad input, with the reason on standard error.\n");
}

}  // namespace

int main(int argc, char** argv) {
  varnik::cli::UseUtf8Console();
  varnik::RegisterUnpacker();  // packed (.zip, .gz) genotype files
  const std::vector<std::string> arguments = varnik::cli::Utf8Arguments(argc, argv);
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintHelp();
    return argc < 2 ? 1 : 0;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("varnik-cli %s\n", VARNIK_VERSION);
    return 0;
  }
  for (const Subcommand& sub : kSubcommands) {
    if (std::strcmp(argv[1], sub.name) != 0) continue;
    std::vector<std::string> rest(arguments.begin() + 2, arguments.end());
    if (!rest.empty() && (rest[0] == "--help" || rest[0] == "-h")) {
      std::printf("usage: varnik-cli %s\n%s\n", sub.usage, sub.summary);
      return 0;
    }
    varnik::cli::Args args(std::move(rest));
    return sub.run(args);
  }
  return varnik::cli::Fail(std::string("unknown subcommand '") + argv[1] + "' (see varnik-cli --help)");
}
