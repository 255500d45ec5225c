// Persistent named settings with the semantics of a per-user registry key:
// values of three types directly under one key, read into a buffer of an
// expected size.  A value larger than the buffer fails to read.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnik {

enum class SettingType : uint32_t {
  kText = 1,    // UTF-16LE with its terminating zero
  kBinary = 3,  // raw bytes
  kNumber = 4,  // 32-bit little-endian number
};

struct SettingValue {
  SettingType type = SettingType::kBinary;
  std::vector<uint8_t> data;
  friend bool operator==(const SettingValue&, const SettingValue&) = default;
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // Whether the key exists (it is created by the first write).
  virtual bool KeyExists() = 0;
  // Reads a value into a buffer of `bufferSize` bytes: fails when the value
  // is missing or larger than the buffer.
  virtual bool Query(std::string_view name, std::size_t bufferSize, SettingValue& out) = 0;
  // Creates the key when needed and writes one value; other values stay.
  virtual bool Write(std::string_view name, const SettingValue& value) = 0;
};

// Typed reads and writes.  A read fails, and counts as missing, when the
// value has another type or size than asked for.
bool ReadSettingNumber(SettingsStore& store, std::string_view name, uint32_t& out);
bool ReadSettingDouble(SettingsStore& store, std::string_view name, double& out);
// Text of at most 260 characters (a 522-byte buffer with the terminator).
bool ReadSettingText(SettingsStore& store, std::string_view name, std::string& out);
// Binary value read into a buffer of `bufferSize` bytes; returns the bytes read.
bool ReadSettingBinary(SettingsStore& store, std::string_view name, std::size_t bufferSize,
                       std::vector<uint8_t>& out);
bool WriteSettingNumber(SettingsStore& store, std::string_view name, uint32_t value);
bool WriteSettingDouble(SettingsStore& store, std::string_view name, double value);
bool WriteSettingText(SettingsStore& store, std::string_view name, std::string_view text);
bool WriteSettingBinary(SettingsStore& store, std::string_view name, const std::vector<uint8_t>& bytes);

// Settings held in memory (tests, and a fallback when no store can be used).
class MemorySettingsStore : public SettingsStore {
 public:
  bool KeyExists() override { return exists_; }
  bool Query(std::string_view name, std::size_t bufferSize, SettingValue& out) override;
  bool Write(std::string_view name, const SettingValue& value) override;
  const std::map<std::string, SettingValue, std::less<>>& values() const { return values_; }

 private:
  bool exists_ = false;
  std::map<std::string, SettingValue, std::less<>> values_;
};

// Settings in one file, for platforms without a registry.  Every write
// re-reads the file, changes one value and replaces the file atomically, so
// values written by another run are kept.  A damaged file reads as empty; it
// is kept beside the store as "<file>.damaged" when it is first replaced.
class FileSettingsStore : public SettingsStore {
 public:
  explicit FileSettingsStore(std::string path) : path_(std::move(path)) {}
  bool KeyExists() override;
  bool Query(std::string_view name, std::size_t bufferSize, SettingValue& out) override;
  bool Write(std::string_view name, const SettingValue& value) override;
  const std::string& path() const { return path_; }

  // The file's text form; exposed for tests.
  static std::string Serialize(const std::map<std::string, SettingValue, std::less<>>& values);
  static bool Parse(std::string_view text, std::map<std::string, SettingValue, std::less<>>& values);

 private:
  enum class Load { kMissing, kDamaged, kOk };
  Load LoadValues(std::map<std::string, SettingValue, std::less<>>& values) const;

  std::string path_;
};

// The store for the key `keyPath` (such as "Software\\CrteziTalvera"): the
// per-user registry on Windows; elsewhere a file named after the key in the
// user's configuration folder ($XDG_CONFIG_HOME or ~/.config, in "varnik").
std::unique_ptr<SettingsStore> OpenUserSettings(std::string_view keyPath);

}  // namespace varnik
