#pragma once

#include "engine/paired_types.h"

namespace kovalin {

// Fills the total and the margins of d from its cells X[1..8].
void ComputeSums(tData_Rec& d);

// Prevalence, Se, Sp, PPV and NPV of both tests and the two odds ratios, from
// the cells and margins of d. Zero margins give infinities or NaN, never a trap.
medidas2T ComputeMeasures(const tData_Rec& d);

// The sums of the given cells (X[1..8]; X[0] is recomputed).
tData_Rec DataOfCells(const std::array<double, 9>& X);

}  // namespace kovalin
