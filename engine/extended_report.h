#pragma once

#include <string>

#include "engine/accuracy.h"
#include "engine/paired_types.h"
#include "engine/paper_comparisons.h"
#include "engine/test_names.h"

namespace kovalin {

class tMethodSet;
class tTextDocument;

// How the extended block adjusts and names: the Holm family its p(Holm)
// column and its summary use, and the names of the two tests in the summary.
struct tExtendedOptions {
  tHolmFamily holm = tHolmFamily::measures;
  std::string nameA = "test A";
  std::string nameB = "test B";
};

// The options' Holm family, with the given names of the tests in the summary
// (the default names when the user gave none).
tExtendedOptions ExtendedOptionsOf(const tConf_rec& options, const tTestNames& names = {});

// Appends the block "[3] ACCURACY OF EACH TEST AND COMPARISONS": the accuracy
// of each test, the comparisons of A with B with their p-values and Holm's
// adjustment, the p-values of the homogeneity tests of the active methods
// (which must have calculated already) and a summary in words. X are the
// cells as given; numbers get the given decimals, intervals the confidence
// level 1 - alpha.
void AppendExtendedReport(tTextDocument& memo, const tCells& X, double alpha, int decimals,
                          tMethodSet& methods, const tExtendedOptions& options = {});

// A p-value with d decimals; one that would print as zero shows as "<" and the
// smallest value that can be printed ("<0.0001" for d = 4); "N/A" when missing.
std::string PValueText(double p, int d);

}  // namespace kovalin
