#include "predictor/collection_search_settings.h"

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

}  // namespace varnik
