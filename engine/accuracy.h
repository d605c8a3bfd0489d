#pragma once

#include <array>

#include "engine/missing.h"

namespace kovalin {

// Cells X[1..8] of the paired table in the usual order (index 0 unused), as
// given: the extended report never adds an increment or a correction.
using tCells = std::array<double, 9>;

struct tInterval {
  double Inf = kMissing;
  double Sup = kMissing;
};

// A proportion with its Wald standard error and its intervals.
struct tProportionAccuracy {
  double estimate = kMissing;
  double se = kMissing;  // missing when the proportion is 0 or 1
  tInterval wald;        // cut to [0, 1]; the rule of three at 0 and 1
  tInterval wilson;
  tInterval exact;  // Clopper-Pearson
  tInterval yu;     // Yu, Guo and Xu (2014)
};

// A diagnostic likelihood ratio with the standard error of its logarithm.
struct tRatioAccuracy {
  double estimate = kMissing;
  double seLog = kMissing;
  tInterval log;  // exp(ln r -/+ z seLog)
  // The delta-method standard error of the ratio itself, and the interval of
  // Martin Andres and Alvarez Hernandez (2014).
  double se = kMissing;
  tInterval martinAndres;
};

// Youden's (1950) index Se + Sp - 1 with its standard error and Wald interval.
struct tYoudenIndex {
  double estimate = kMissing;
  double se = kMissing;
  tInterval wald;
};

struct tTestAccuracy {
  tProportionAccuracy Se, Sp, PPV, NPV;
  tRatioAccuracy DLRpos, DLRneg;
  tYoudenIndex youden;
};

struct tPairedAccuracy {
  tProportionAccuracy prevalence;
  tTestAccuracy A, B;
};

// The accuracy of both tests at confidence level 1 - alpha.
tPairedAccuracy AccuracyOfTests(const tCells& X, double alpha);

// The two-sided normal quantile of level alpha (1.959964 for 0.05), exact to
// the last digit, unlike the rounded Z of the interval methods.
double TwoSidedZ(double alpha);

}  // namespace kovalin
