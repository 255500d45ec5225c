// varnik-cli settings: read and write one value of the dialogs' settings, in
// the same per-user store the program uses (the registry on Windows).
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "cli/subcommands.h"
#include "common/format.h"
#include "common/utf.h"
#include "platform/settings_store.h"
#include "shell/app_state.h"

namespace varnik::cli {
namespace {

const char kSettingsUsage[] =
    "usage: varnik-cli settings get NAME | settings set NAME number|double|text|binary VALUE";

// The largest value this command reads; the dialogs' values are far smaller.
constexpr std::size_t kReadBufferBytes = std::size_t{1} << 16;

std::string Hex(const std::vector<uint8_t>& bytes) {
  std::string out;
  for (uint8_t b : bytes) out += Format("%02x", b);
  return out;
}

bool ParseHex(const std::string& text, std::vector<uint8_t>& bytes) {
  if (text.size() % 2 != 0) return false;
  bytes.clear();
  for (std::size_t i = 0; i < text.size(); i += 2) {
    int value = 0;
    for (std::size_t k = i; k < i + 2; ++k) {
      const char c = text[k];
      const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (digit < 0) return false;
      value = value * 16 + digit;
    }
    bytes.push_back(static_cast<uint8_t>(value));
  }
  return true;
}

int Get(SettingsStore& store, const std::string& name) {
  SettingValue value;
  if (!store.Query(name, kReadBufferBytes, value)) return Fail("no setting " + name);
  uint32_t number = 0;
  double real = 0;
  std::string text;
  if (value.type == SettingType::kNumber && ReadSettingNumber(store, name, number)) {
    std::printf("number %u\n", number);
  } else if (value.type == SettingType::kText && ReadSettingText(store, name, text)) {
    std::printf("text %s\n", text.c_str());
  } else if (value.type == SettingType::kBinary && value.data.size() == 8 && ReadSettingDouble(store, name, real)) {
    // The shortest text that reads back as the same double.
    char shortest[32];
    const auto written = std::to_chars(shortest, shortest + sizeof shortest, real);
    std::printf("double %.*s (binary %s)\n", static_cast<int>(written.ptr - shortest), shortest, Hex(value.data).c_str());
  } else {
    std::printf("binary %s\n", Hex(value.data).c_str());
  }
  return 0;
}

int Set(SettingsStore& store, const std::string& name, const std::string& type, const std::string& text) {
  bool written = false;
  if (type == "number") {
    uint64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || number > 0xFFFFFFFFu) {
      return Fail("a number setting takes 0 to 4294967295");
    }
    written = WriteSettingNumber(store, name, static_cast<uint32_t>(number));
  } else if (type == "double") {
    char* end = nullptr;
    const double real = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size()) return Fail("'" + text + "' is not a number");
    written = WriteSettingDouble(store, name, real);
  } else if (type == "text") {
    if (Utf16Length(text) > 260) return Fail("a text setting holds at most 260 characters");
    written = WriteSettingText(store, name, text);
  } else if (type == "binary") {
    std::vector<uint8_t> bytes;
    if (!ParseHex(text, bytes)) return Fail("a binary setting is written as pairs of hexadecimal digits");
    written = WriteSettingBinary(store, name, bytes);
  } else {
    return Fail(kSettingsUsage);
  }
  return written ? 0 : Fail("cannot write the setting " + name);
}

}  // namespace

int RunSettings(Args& args) {
  if (!args.CheckNoUnknownOptions()) return Fail(args.error());
  const std::vector<std::string>& rest = args.rest();
  const std::unique_ptr<SettingsStore> store = OpenUserSettings(g_registryRoot);
  if (rest.size() == 2 && rest[0] == "get") return Get(*store, rest[1]);
  if (rest.size() == 4 && rest[0] == "set") return Set(*store, rest[1], rest[2], rest[3]);
  return Fail(kSettingsUsage);
}

}  // namespace varnik::cli
