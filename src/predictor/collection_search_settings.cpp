#include "predictor/collection_search_settings.h"

#include "common/binary_io.h"

namespace varnik {

void ReadCollectionSearchSettings(SettingsStore& store, CPostavkePretrage& settings) {
  if (!store.KeyExists()) return;
  ReadSettingNotNegative(store, "Pretr_NacinRegjanja", settings.rankingMethod);
  ReadSettingSignedInRange(store, "Pretr_NajmZajed", 5, 60, settings.minCommonMarkers);
  ReadSettingSignedInRange(store, "Pretr_NajvPecat", 10, 500, settings.maxShown);
  ReadSettingDoubleInRange(store, "Pretr_KolicnNajvRazl", 0.01, 0.7, settings.maxDifferenceRatio);
  ReadSettingConstraints(store, "Pretr_Ogranicenja", settings.constraints, settings.constraintCount);
  ReadSettingFlags(store, "Pretr_OdabrZbirke", settings.collections);
}

void WriteCollectionSearchSettings(SettingsStore& store, const CPostavkePretrage& settings) {
  WriteSettingNumber(store, "Pretr_NacinRegjanja", static_cast<uint32_t>(settings.rankingMethod));
  WriteSettingNumber(store, "Pretr_NajmZajed", static_cast<uint32_t>(settings.minCommonMarkers));
  WriteSettingNumber(store, "Pretr_NajvPecat", static_cast<uint32_t>(settings.maxShown));
  WriteSettingDouble(store, "Pretr_KolicnNajvRazl", settings.maxDifferenceRatio);
  WriteSettingConstraints(store, "Pretr_Ogranicenja", settings.constraints,
                          static_cast<int32_t>(settings.constraints.size()));
  ByteWriter flags;
  for (const bool on : settings.collections) flags.WriteI32(on ? 1 : 0);
  WriteSettingBinary(store, "Pretr_OdabrZbirke", flags.bytes());
}

}  // namespace varnik
