#pragma once

#include <string>
#include <vector>

#include "engine/comparisons.h"

namespace kovalin {

// Which family Holm's adjustment of the extended report runs over: one test
// per measure (the p_holm of CompareTests), or testCompareR's two stages
// (p_holm_global).
enum class tHolmFamily { measures, global };

// Every comparison of the extended report: those of CompareTests with, for Se
// and Sp, the Wald test and the intervals of the difference by Wald with
// continuity correction, Agresti-Min, Bonett-Price and Tango, the relative Se
// and Sp; and the global tests of Se and Sp, of PPV and NPV and of DLR+ and
// DLR-. Both Holm adjustments are filled in. The new rows' orientation is
// that of CompareTests: A - B and A / B.
std::vector<tComparison> CompareTestsFully(const tCells& X, double alpha);

// The comparison named name; nullptr when there is none.
const tComparison* FindComparison(const std::vector<tComparison>& list, const std::string& name);

// The covariance of ln rPPV and ln rNPV (Moskowitz and Pepe 2006), with which
// a joint confidence region of the two is drawn; missing when undefined.
double LogRelativePredictiveCovariance(const tCells& X);

// The comparison that tests the measure ("Se", "Sp", "PPV", "NPV", "DLR+",
// "DLR-") in the given Holm family, or nullptr.
const tComparison* FamilyTestOf(const std::vector<tComparison>& list, const std::string& measure,
                                tHolmFamily family);

}  // namespace kovalin
