// The settings file of systems without a registry.  What parses writes
// back to text that parses to the same values.
#include "fuzz_support.h"
#include "platform/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace varnik;
  std::map<std::string, SettingValue, std::less<>> values;
  if (!FileSettingsStore::Parse(fuzz::AsText(data, size), values)) return 0;
  const std::string written = FileSettingsStore::Serialize(values);
  std::map<std::string, SettingValue, std::less<>> again;
  fuzz::Check(FileSettingsStore::Parse(written, again), "a written file parses");
  fuzz::Check(FileSettingsStore::Serialize(again) == written, "a written file writes back the same text");
  return 0;
}
