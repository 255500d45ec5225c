// The fixed test panels: the orders in which laboratories report 17-, 19-
// and 23-marker results, as lists of (FTDNA column, copy).
//
// In the two kit orders and the ascending order the DYS389II entry is the
// laboratory's DYS389II and GATA H4 is the laboratory's value; the FTDNA
// conventions are applied when a panel line is converted (PanelToFtdna).
#pragma once

#include <cstdint>
#include <span>

namespace varnik {

struct PanelEntry {
  int32_t column;
  int32_t copy;
  friend bool operator==(const PanelEntry&, const PanelEntry&) = default;
};

enum EPanel : int32_t {
  kPanel17Kit = 0,        // 17 markers, kit order
  kPanel17Ascending = 1,  // 17 markers, ascending by marker number
  kPanel17Ftdna = 2,      // 17 markers, FTDNA order
  kPanel19Ftdna = 3,      // 19 markers, FTDNA order (collection files only)
  kPanel23Kit = 4,        // 23 markers, kit order
  kPanel23Ftdna = 5,      // 23 markers, FTDNA order
  kPanelCount = 6
};

// The entries of a panel in typing order; empty for an unknown panel.
std::span<const PanelEntry> Panel(int32_t panel);

// Panel of an input order of the predictor and the haplotype search:
// 0 FTDNA order gives -1 (no panel), 1..5 give panels 0, 1, 2, 4, 5.
// -1 as well for an order outside 0..5.
int32_t PanelOfInputOrder(int32_t order);

}  // namespace varnik
