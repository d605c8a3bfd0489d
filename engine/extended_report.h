#pragma once

#include <string>

#include "engine/accuracy.h"

namespace kovalin {

class tMethodSet;
class tTextDocument;

// Appends the block "[3] ACCURACY OF EACH TEST AND COMPARISONS": the accuracy
// of each test, the comparisons of A with B with their p-values and Holm's
// adjustment, and the p-values of the homogeneity tests of the active methods
// (which must have calculated already). X are the cells as given; numbers get
// the given decimals, intervals the confidence level 1 - alpha.
void AppendExtendedReport(tTextDocument& memo, const tCells& X, double alpha, int decimals,
                          tMethodSet& methods);

// A p-value with d decimals; one that would print as zero shows as "<" and the
// smallest value that can be printed ("<0.0001" for d = 4); "N/A" when missing.
std::string PValueText(double p, int d);

}  // namespace kovalin
