#pragma once

#include <string>
#include <vector>

#include "engine/accuracy.h"
#include "engine/paper_comparisons.h"

namespace kovalin {

// The heading of the summary: the level and the Holm family it judges by.
std::string SummaryTitle(double alpha, tHolmFamily family);

// One sentence per measure (Se, Sp, PPV, NPV, DLR+, DLR-) saying which test is
// higher and whether the difference is significant at level alpha after
// Holm's adjustment in the given family, with the numbers of the extended
// block at d decimals, e.g. "The PPV of test A (0.7240) is not significantly
// different from that of test B (0.8100): p = 0.1330, Holm-adjusted 0.5300."
// list: the comparisons of CompareTestsFully.
std::vector<std::string> PlainSummary(const tPairedAccuracy& acc,
                                      const std::vector<tComparison>& list, double alpha, int d,
                                      tHolmFamily family, const std::string& nameA = "test A",
                                      const std::string& nameB = "test B");

}  // namespace kovalin
