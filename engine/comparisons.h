#pragma once

#include <string>
#include <vector>

#include "engine/accuracy.h"
#include "engine/paired_types.h"

namespace kovalin {

// How a comparison's statistic is referred to a distribution.
// none: the row gives an interval and tests nothing.
enum class tStatisticKind { chiSquare, normal, exact, none };

// One comparison of test A with test B. Differences are A - B and ratios A / B.
struct tComparison {
  std::string name;     // key, e.g. "se_mcnemar"
  std::string measure;  // "Se", "Sp", "PPV", "NPV", "rPPV", "rNPV", "rDLR+", "rDLR-"
  std::string method;   // e.g. "McNemar"
  bool ratio = false;   // estimate and interval are a ratio A/B (else a difference A-B)
  bool hasEstimate = false;  // the other rows test the measure of the row before them
  double estimate = kMissing;
  double se = kMissing;  // of the difference, or of the logarithm of the ratio
  bool hasInterval = false;
  tInterval interval;
  tStatisticKind kind = tStatisticKind::chiSquare;
  int df = 0;  // chi-square degrees of freedom; 0 for the other kinds
  double statistic = kMissing;
  double p_value = kMissing;
  // Holm-adjusted p-value; only the comparisons of the Holm family carry one.
  bool inHolmFamily = false;
  double p_holm = kMissing;
  // A global test of two measures at once (chi-square on 2 df).
  bool global = false;
  // Holm's adjustment over testCompareR's family: the global tests first,
  // then the individual tests of the measures whose global test is
  // significant after adjustment. notTested: in that family, but its global
  // test is not significant, so it is not carried out.
  bool inGlobalFamily = false;
  bool notTested = false;
  double p_holm_global = kMissing;
};

// Every comparison of the extended report, in the order it prints them, with
// intervals at confidence level 1 - alpha and Holm's adjustment applied over
// the family (one test per measure: McNemar for Se and Sp, the weighted
// generalized score for PPV and NPV, the relative likelihood ratios).
std::vector<tComparison> CompareTests(const tCells& X, double alpha);

// Holm's (1979) step-down adjustment. Missing p-values stay missing and do not
// count in the family. Tied p-values get the same adjusted value whatever
// their order, since every adjusted value is at least the one before it.
std::vector<double> HolmAdjust(const std::vector<double>& p);

// The p-value of a homogeneity test's statistic on df degrees of freedom;
// missing when the statistic is missing or negative (a negative pooled
// variance gives a statistic no distribution describes).
double TestPValue(const tTest& t, int df);

// The cells of a calculation's input as given (integers or reals).
tCells CellsOfInput(const tInputData& input);

}  // namespace kovalin
