#include "autosomal/autosomal_state.h"

namespace varnik {

CProracunPoreklaOdsecaka g_chromosomePainting;
int32_t g_sortAdmixtureResults = 1;

void ResetAutosomalState() {
  g_chromosomePainting = CProracunPoreklaOdsecaka();
  g_sortAdmixtureResults = 1;
}

}  // namespace varnik
