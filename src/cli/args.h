// Small helpers for the subcommands of varnik-cli.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/binary_io.h"

namespace varnik::cli {

// Arguments of one subcommand, without the program and subcommand names.
class Args {
 public:
  explicit Args(std::vector<std::string> args) : args_(std::move(args)) {}

  // Removes "--name" and returns whether it was there.
  bool TakeFlag(const std::string& name);
  // Removes "--name VALUE" (or "--name=VALUE") and returns VALUE.  A name
  // without its value sets error().
  std::optional<std::string> TakeOption(const std::string& name);
  // What is left after the options were taken, in order.
  const std::vector<std::string>& rest() const { return args_; }
  // An option that was given without its value, or an unknown "--" option.
  const std::string& error() const { return error_; }
  // Sets error() when an argument beginning with "--" is left.
  bool CheckNoUnknownOptions();

 private:
  std::vector<std::string> args_;
  std::string error_;
};

// Parses "--lang sr|en|ru" into a language index (0, 1, 2); English by default.
bool ParseLanguage(const std::optional<std::string>& value, int& language);
// Parses a whole decimal integer within [low, high].
bool ParseInt(const std::string& text, int low, int high, int& value);
// Splits "A<sep>B" into two whole numbers within [low, high].
bool ParsePair(const std::string& text, char separator, int low, int high, int& a, int& b);

// "--chromosome N [--from BP --to BP]" of the autosomal subcommands: the
// chromosome 0 to `maxChromosome` and, with both ends given, the base-pair
// window 0 to `maxBasePairs`.  Returns an empty text, or why the options
// are wrong.
struct ChromosomeWindow {
  int chromosome = 0;
  int windowOnly = 0;
  int start = 0;
  int end = 0;
};
std::string ParseChromosomeWindow(const std::optional<std::string>& chromosome, const std::optional<std::string>& from,
                                  const std::optional<std::string>& to, int maxChromosome, int maxBasePairs,
                                  ChromosomeWindow& window);

// Reads a whole text file of at most `maxBytes` as UTF-8 (see
// TextFileToUtf8).  On failure `error`, when given, receives the message.
bool ReadTextFile(const std::string& path, std::size_t maxBytes, std::string& text, std::string* error = nullptr);
// Writes `text` to standard output with the dialogs' "\r\n" line ends as
// a terminal's "\n".
void PrintText(const std::string& text);

// Writes an output file through WriteFileAtomically; "-" is standard output.
// Returns 0, or 1 after printing why the file could not be written.
int WriteOutput(const std::string& path, std::string_view bytes);
int WriteOutput(const std::string& path, const std::function<bool(const ByteSink&)>& produce);

// Prints "varnik-cli: MESSAGE" on standard error and returns exit status 1.
int Fail(const std::string& message);

}  // namespace varnik::cli
