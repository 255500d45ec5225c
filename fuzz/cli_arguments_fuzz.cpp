// The command line's argument parser: NUL-separated arguments.
#include "cli/args.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace varnik;
  std::vector<std::string> argv;
  for (const std::string_view part : fuzz::Parts(fuzz::AsText(data, size), 16)) argv.emplace_back(part);
  cli::Args args(argv);
  int language = 1, number = 0;
  cli::ParseLanguage(args.TakeOption("--lang"), language);
  if (const auto order = args.TakeOption("--order")) cli::ParseInt(*order, 0, 9, number);
  args.TakeFlag("--comma");
  args.TakeOption("--svg");
  args.CheckNoUnknownOptions();
  return 0;
}
