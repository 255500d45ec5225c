#include "autosomal/painting_view.h"

namespace varnik {

bool ProcessChromosomePainting::ToggleLevelling() {
  if (data_.paintingReady != 1) return false;
  data_.drawLevelled = data_.drawLevelled == 0 ? 1 : 0;
  return true;
}

}  // namespace varnik
