// The process-wide state of the autosomal tools: the object that the
// admixture calculation and the chromosome painting load and compute on,
// with the settings their dialogs set, and the admixture's sort setting.
#pragma once

#include <cstdint>

#include "autosomal/admixture_data.h"

namespace varnik {

extern CProracunPoreklaOdsecaka g_chromosomePainting;
extern int32_t g_sortAdmixtureResults;  // 1: the final result list sorted by share

// Start-up values (tests).
void ResetAutosomalState();

}  // namespace varnik
