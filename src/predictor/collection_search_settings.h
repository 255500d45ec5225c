// Settings of the search of the sample collections, as the predictor and the
// TMRCA estimator read them when they open.  They are written only by the
// haplotype search dialog.  A constraint slot with column -1 constrains
// nothing; a bound of -1 is open.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/dialog_settings.h"

namespace varnik {

inline constexpr int32_t kSampleCollectionCount = 10;

struct CPostavkePretrage {
  int32_t rankingMethod = 0;
  int32_t minCommonMarkers = 12;
  int32_t maxShown = 100;
  double maxDifferenceRatio = 0.4;
  std::vector<CSettingConstraint> constraints = std::vector<CSettingConstraint>(kMinConstraintSlots);
  int32_t constraintCount = 0;
  std::vector<bool> collections = std::vector<bool>(kSampleCollectionCount, true);
};

// Replaces every setting that is stored and passes its check.
void ReadCollectionSearchSettings(SettingsStore& store, CPostavkePretrage& settings);
// Writes all six values; every constraint slot is stored.
void WriteCollectionSearchSettings(SettingsStore& store, const CPostavkePretrage& settings);

}  // namespace varnik
