// Conversions of a haplotype: the DYS389 convention and the fixed panels.
//
// FTDNA reports DYS389II including DYS389I; the program holds column 10 as
// DYS389II minus DYS389I.  Laboratory kits count GATA H4 one higher than
// FTDNA does.
#pragma once

#include <cstdint>

#include "ystr/str_value.h"

namespace varnik {

// Turns column 10 from DYS389II into DYS389II minus DYS389I (plus 13 with
// `addThirteen`), or with `toSumForm` from the difference back into
// DYS389II.  Nothing changes when there is no column 10 or it is below 1.
// False, with the haplotype unchanged, when column 10 is given without a
// DYS389I of at least 1, or when DYS389II is below DYS389I (the program then
// shows text 252).
bool Convert389(Haplotype& haplotype, bool addThirteen, bool toSumForm);

// Turns a line typed in the order of `panel` (EPanel) into FTDNA order, from
// column 0 to the panel's last column, with one missing entry for each
// column the panel lacks.  The second DYS385 value is kept only when it is at
// least 1; GATA H4 of at least 1 is lowered by 1.  Returns 0 on success and 1,
// with the haplotype unchanged, when the number of entries differs from the
// panel's size or the panel is unknown.
int PanelToFtdna(Haplotype& haplotype, int32_t panel, bool dropFractions);

// The reverse, for writing a haplotype in a panel's order: one entry per
// panel item, missing when the haplotype lacks that column or copy, GATA H4
// raised by 1.  Only the 17- and 23-marker panels are written; any other
// panel gives an empty haplotype.
Haplotype FtdnaToPanel(const Haplotype& haplotype, int32_t panel, bool dropFractions);

}  // namespace varnik
