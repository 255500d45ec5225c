#include "platform/settings_store.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/binary_io.h"
#include "common/utf.h"

namespace varnik {
namespace {

constexpr std::size_t kTextBufferBytes = 522;  // 260 characters and the terminator
constexpr char kFileHeader[] = "# Varnik Genealogy Tools settings v1";

bool ReadTyped(SettingsStore& store, std::string_view name, SettingType type, std::size_t bufferSize,
               SettingValue& value) {
  return store.Query(name, bufferSize, value) && value.type == type;
}

std::vector<uint8_t> LittleEndian(uint64_t bits, std::size_t bytes) {
  std::vector<uint8_t> out(bytes);
  for (std::size_t k = 0; k < bytes; ++k) out[k] = static_cast<uint8_t>(bits >> (8 * k));
  return out;
}

uint64_t FromLittleEndian(const std::vector<uint8_t>& data) {
  uint64_t bits = 0;
  for (std::size_t k = 0; k < data.size() && k < 8; ++k) bits |= static_cast<uint64_t>(data[k]) << (8 * k);
  return bits;
}

bool ValidName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    if (c == '=' || c == '\n' || c == '\r' || c == '\0') return false;
  }
  return true;
}

const char* TypeName(SettingType type) {
  switch (type) {
    case SettingType::kText: return "sz";
    case SettingType::kNumber: return "dword";
    default: return "binary";
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool ReadSettingNumber(SettingsStore& store, std::string_view name, uint32_t& out) {
  SettingValue value;
  if (!ReadTyped(store, name, SettingType::kNumber, 4, value) || value.data.size() != 4) return false;
  out = static_cast<uint32_t>(FromLittleEndian(value.data));
  return true;
}

bool ReadSettingDouble(SettingsStore& store, std::string_view name, double& out) {
  SettingValue value;
  if (!ReadTyped(store, name, SettingType::kBinary, 8, value) || value.data.size() != 8) return false;
  const uint64_t bits = FromLittleEndian(value.data);
  std::memcpy(&out, &bits, sizeof out);
  return true;
}

bool ReadSettingText(SettingsStore& store, std::string_view name, std::string& out) {
  SettingValue value;
  if (!ReadTyped(store, name, SettingType::kText, kTextBufferBytes, value) || value.data.size() % 2 != 0) {
    return false;
  }
  std::u16string units;
  for (std::size_t k = 0; k + 1 < value.data.size(); k += 2) {
    const char16_t unit = static_cast<char16_t>(value.data[k] | (value.data[k + 1] << 8));
    if (unit == 0) break;  // the stored terminator
    units += unit;
  }
  out = Utf16ToUtf8(units);
  return true;
}

bool ReadSettingBinary(SettingsStore& store, std::string_view name, std::size_t bufferSize,
                       std::vector<uint8_t>& out) {
  SettingValue value;
  if (!ReadTyped(store, name, SettingType::kBinary, bufferSize, value)) return false;
  out = std::move(value.data);
  return true;
}

bool WriteSettingNumber(SettingsStore& store, std::string_view name, uint32_t value) {
  return store.Write(name, {SettingType::kNumber, LittleEndian(value, 4)});
}

bool WriteSettingDouble(SettingsStore& store, std::string_view name, double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return store.Write(name, {SettingType::kBinary, LittleEndian(bits, 8)});
}

bool WriteSettingText(SettingsStore& store, std::string_view name, std::string_view text) {
  SettingValue value{SettingType::kText, {}};
  for (char16_t unit : Utf8ToUtf16(text)) {
    value.data.push_back(static_cast<uint8_t>(unit & 0xFF));
    value.data.push_back(static_cast<uint8_t>(unit >> 8));
  }
  value.data.push_back(0);
  value.data.push_back(0);
  return store.Write(name, value);
}

bool WriteSettingBinary(SettingsStore& store, std::string_view name, const std::vector<uint8_t>& bytes) {
  return store.Write(name, {SettingType::kBinary, bytes});
}

bool MemorySettingsStore::Query(std::string_view name, std::size_t bufferSize, SettingValue& out) {
  const auto found = values_.find(name);
  if (!exists_ || found == values_.end() || found->second.data.size() > bufferSize) return false;
  out = found->second;
  return true;
}

bool MemorySettingsStore::Write(std::string_view name, const SettingValue& value) {
  if (!ValidName(name)) return false;
  exists_ = true;
  values_[std::string(name)] = value;
  return true;
}

// File layout: a header line, then one line per value,
//   NAME=TYPE:HEX
// where TYPE is sz, dword or binary and HEX the value's bytes as stored.
std::string FileSettingsStore::Serialize(const std::map<std::string, SettingValue, std::less<>>& values) {
  static const char kHex[] = "0123456789abcdef";
  std::string out = std::string(kFileHeader) + "\n";
  for (const auto& [name, value] : values) {
    out += name;
    out += '=';
    out += TypeName(value.type);
    out += ':';
    for (uint8_t byte : value.data) {
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
    out += '\n';
  }
  return out;
}

bool FileSettingsStore::Parse(std::string_view text, std::map<std::string, SettingValue, std::less<>>& values) {
  values.clear();
  std::size_t pos = 0;
  bool first = true;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) return false;  // every line ends with a line feed
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (first) {
      if (line != kFileHeader) return false;
      first = false;
      continue;
    }
    const std::size_t eq = line.find('=');
    const std::size_t colon = eq == std::string_view::npos ? eq : line.find(':', eq);
    if (eq == std::string_view::npos || colon == std::string_view::npos) return false;
    const std::string_view name = line.substr(0, eq);
    const std::string_view type = line.substr(eq + 1, colon - eq - 1);
    const std::string_view hex = line.substr(colon + 1);
    SettingValue value;
    if (type == "sz") {
      value.type = SettingType::kText;
    } else if (type == "dword") {
      value.type = SettingType::kNumber;
    } else if (type == "binary") {
      value.type = SettingType::kBinary;
    } else {
      return false;
    }
    if (!ValidName(name) || hex.size() % 2 != 0) return false;
    for (std::size_t k = 0; k < hex.size(); k += 2) {
      const int hi = HexDigit(hex[k]);
      const int lo = HexDigit(hex[k + 1]);
      if (hi < 0 || lo < 0) return false;
      value.data.push_back(static_cast<uint8_t>(hi * 16 + lo));
    }
    values[std::string(name)] = std::move(value);
  }
  return !first;
}

FileSettingsStore::Load FileSettingsStore::LoadValues(
    std::map<std::string, SettingValue, std::less<>>& values) const {
  values.clear();
  std::error_code ec;
  if (!std::filesystem::exists(path_, ec)) return Load::kMissing;
  std::string text;
  if (!ReadWholeFile(path_, text, std::size_t{16} << 20) || !Parse(text, values)) {
    values.clear();
    return Load::kDamaged;
  }
  return Load::kOk;
}

bool FileSettingsStore::KeyExists() {
  std::map<std::string, SettingValue, std::less<>> values;
  return LoadValues(values) == Load::kOk;
}

bool FileSettingsStore::Query(std::string_view name, std::size_t bufferSize, SettingValue& out) {
  std::map<std::string, SettingValue, std::less<>> values;
  if (LoadValues(values) != Load::kOk) return false;
  const auto found = values.find(name);
  if (found == values.end() || found->second.data.size() > bufferSize) return false;
  out = found->second;
  return true;
}

bool FileSettingsStore::Write(std::string_view name, const SettingValue& value) {
  if (!ValidName(name)) return false;
  std::map<std::string, SettingValue, std::less<>> values;
  std::error_code ec;
  if (LoadValues(values) == Load::kDamaged) {
    // Keep the damaged file for the user rather than overwrite it silently.
    std::filesystem::copy_file(path_, path_ + ".damaged", std::filesystem::copy_options::overwrite_existing, ec);
  }
  values[std::string(name)] = value;
  const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  return WriteFileAtomically(path_, Serialize(values));
}

#if !defined(_WIN32)
std::unique_ptr<SettingsStore> OpenUserSettings(std::string_view keyPath) {
  std::filesystem::path folder;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
    folder = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    folder = std::filesystem::path(home) / ".config";
  } else {
    return std::make_unique<MemorySettingsStore>();
  }
  // The last component of the key names the file.
  std::string leaf(keyPath);
  if (const std::size_t slash = leaf.find_last_of("\\/"); slash != std::string::npos) leaf = leaf.substr(slash + 1);
  if (leaf.empty()) leaf = "settings";
  return std::make_unique<FileSettingsStore>((folder / "varnik" / (leaf + ".settings")).string());
}
#endif

}  // namespace varnik
