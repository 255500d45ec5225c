// The per-user registry as the settings store on Windows.
#if defined(_WIN32)
#include <windows.h>

#include "common/utf.h"
#include "platform/settings_store.h"

namespace varnik {
namespace {

std::wstring Wide(std::string_view text) {
  const std::u16string units = Utf8ToUtf16(text);
  return std::wstring(units.begin(), units.end());
}

class RegistrySettingsStore : public SettingsStore {
 public:
  explicit RegistrySettingsStore(std::string_view keyPath) : key_(Wide(keyPath)) {}

  bool KeyExists() override {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  bool Query(std::string_view name, std::size_t bufferSize, SettingValue& out) override {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    std::vector<uint8_t> buffer(bufferSize);
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(bufferSize);
    const LONG result = RegQueryValueExW(key, Wide(name).c_str(), nullptr, &type, buffer.data(), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return false;
    buffer.resize(size);
    out.type = static_cast<SettingType>(type);
    out.data = std::move(buffer);
    return true;
  }

  bool Write(std::string_view name, const SettingValue& value) override {
    HKEY key = nullptr;
    wchar_t keyClass[] = L"VP";
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    const LONG result = RegSetValueExW(key, Wide(name).c_str(), 0, static_cast<DWORD>(value.type),
                                       value.data.data(), static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
  }

 private:
  std::wstring key_;
};

}  // namespace

std::unique_ptr<SettingsStore> OpenUserSettings(std::string_view keyPath) {
  return std::make_unique<RegistrySettingsStore>(keyPath);
}

}  // namespace varnik
#endif
