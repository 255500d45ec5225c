#include "cli/args.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "common/binary_io.h"
#include "common/format.h"
#include "common/utf.h"

namespace varnik::cli {

bool Args::TakeFlag(const std::string& name) {
  for (auto it = args_.begin(); it != args_.end(); ++it) {
    if (*it == name) {
      args_.erase(it);
      return true;
    }
  }
  return false;
}

std::optional<std::string> Args::TakeOption(const std::string& name) {
  for (auto it = args_.begin(); it != args_.end(); ++it) {
    if (*it == name) {
      if (it + 1 == args_.end()) {
        error_ = "option " + name + " needs a value";
        args_.erase(it);
        return std::nullopt;
      }
      std::string value = *(it + 1);
      args_.erase(it, it + 2);
      return value;
    }
    if (it->rfind(name + "=", 0) == 0) {
      std::string value = it->substr(name.size() + 1);
      args_.erase(it);
      return value;
    }
  }
  return std::nullopt;
}

bool Args::CheckNoUnknownOptions() {
  for (const std::string& arg : args_) {
    if (arg.size() > 2 && arg.rfind("--", 0) == 0) {
      error_ = "unknown option " + arg;
      return false;
    }
  }
  return error_.empty();
}

bool ParseLanguage(const std::optional<std::string>& value, int& language) {
  if (!value || *value == "en") {
    language = 1;
  } else if (*value == "sr") {
    language = 0;
  } else if (*value == "ru") {
    language = 2;
  } else {
    return false;
  }
  return true;
}

bool ParseInt(const std::string& text, int low, int high, int& value) {
  int parsed = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, parsed);
  if (ec != std::errc() || ptr != end || text.empty() || parsed < low || parsed > high) return false;
  value = parsed;
  return true;
}

bool ParsePair(const std::string& text, char separator, int low, int high, int& a, int& b) {
  const std::size_t at = text.find(separator);
  return at != std::string::npos && ParseInt(text.substr(0, at), low, high, a) &&
         ParseInt(text.substr(at + 1), low, high, b);
}

std::string ParseChromosomeWindow(const std::optional<std::string>& chromosome, const std::optional<std::string>& from,
                                  const std::optional<std::string>& to, int maxChromosome, int maxBasePairs,
                                  ChromosomeWindow& window) {
  if (chromosome && !ParseInt(*chromosome, 0, maxChromosome, window.chromosome)) {
    return "--chromosome takes 0 to " + std::to_string(maxChromosome);
  }
  if (from.has_value() != to.has_value()) return "--from and --to go together";
  if (!from) return "";
  if (window.chromosome == 0) return "--from and --to need --chromosome 1 to " + std::to_string(maxChromosome);
  if (!ParseInt(*from, 0, maxBasePairs, window.start) || !ParseInt(*to, 0, maxBasePairs, window.end)) {
    return "--from and --to take 0 to " + std::to_string(maxBasePairs);
  }
  window.windowOnly = 1;
  return "";
}

bool ReadTextFile(const std::string& path, std::size_t maxBytes, std::string& text, std::string* error) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes, maxBytes)) {
    if (error != nullptr) {
      std::error_code ec;
      const uintmax_t size = std::filesystem::file_size(path, ec);
      *error = !ec && size > maxBytes
                   ? Format("%s is larger than the limit of %llu bytes", path.c_str(),
                            static_cast<unsigned long long>(maxBytes))
                   : "cannot read " + path;
    }
    return false;
  }
  text = TextFileToUtf8(bytes);
  return true;
}

void PrintText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
}

int WriteOutput(const std::string& path, std::string_view bytes) {
  return WriteOutput(path, [bytes](const ByteSink& sink) { return sink(bytes); });
}

int WriteOutput(const std::string& path, const std::function<bool(const ByteSink&)>& produce) {
  std::string error;
  if (path == "-") {
    const ByteSink sink = [&error](std::string_view piece) {
      if (piece.empty() || std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size()) return true;
      error = std::generic_category().message(errno != 0 ? errno : EIO);
      return false;
    };
    errno = 0;
    const bool produced = produce(sink);
    if (std::fflush(stdout) != 0 && error.empty()) error = std::generic_category().message(errno != 0 ? errno : EIO);
    if (!error.empty()) return Fail("cannot write the standard output: " + error);
    return produced ? 0 : Fail("the output was not finished");
  }
  if (WriteFileAtomically(path, produce, &error)) return 0;
  return Fail("cannot write " + path + (error.empty() ? std::string() : ": " + error));
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "varnik-cli: %s\n", message.c_str());
  return 1;
}

}  // namespace varnik::cli
