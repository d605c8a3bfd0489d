#pragma once

#include "engine/accuracy.h"

namespace kovalin {

// Intervals of one test's accuracy that the paired-comparison packages print
// beside the Wald and Wilson intervals. Each returns a missing interval where
// its formula has no value (no subject in the denominator, a NaN bound).

// Clopper and Pearson (Biometrika 1934): the exact interval of x successes in n
// trials, from the quantiles of the beta distribution; [0, .] at x = 0 and
// [., 1] at x = n. x and n are whole numbers, or the interval is missing.
tInterval ClopperPearsonInterval(double x, double n, double alpha);

// Yu, Guo and Xu (J Stat Comput Simul 2014; 84:1022-1038): a score-type
// interval whose centre and width carry the correction z^4/53, cut to [0, 1].
tInterval YuGuoXuInterval(double x, double n, double z);

// Martin Andres and Alvarez Hernandez (Stat Comput 2014; 24:65-75): the
// interval of a ratio of two independent proportions, x1/n1 over x2/n2, from
// their adjusted score method with 0.5 added to each count (and 1 to each
// total), as testCompareR computes it. For DLR+ x1 = TP of n1 diseased and x2
// = FP of n2 non-diseased; for DLR- x1 = FN and x2 = TN.
tInterval MartinAndresRatioInterval(double x1, double n1, double x2, double n2, double z);

// The regularized incomplete beta function I_x(a, b) and its inverse in x.
double RegularizedBeta(double x, double a, double b);
double InverseRegularizedBeta(double p, double a, double b);

}  // namespace kovalin
