#pragma once

#include "engine/accuracy.h"

namespace kovalin {

// Intervals of the difference of two paired proportions, such as the
// sensitivities of A and B in the diseased: of n pairs, b are positive on A
// only and c on B only, and the difference is (b - c)/n (A - B).
struct tPairedDifference {
  double centre = kMissing;  // the point the interval is built around
  double se = kMissing;      // its standard error; missing for the score interval
  tInterval interval;
};

// Wald with continuity correction: (b - c)/n -/+ (z se + 1/n), se the Wald
// standard error (Newcombe, Stat Med 1998; 17:2635-2650, method 2; Fleiss,
// Levin and Paik, Statistical Methods for Rates and Proportions, 2003).
tPairedDifference WaldCorrectedDifference(double b, double c, double n, double z);

// Agresti and Min (Stat Med 2005; 24:729-740): the Wald interval after adding
// 0.5 to each of the four cells of the pairs' table.
tPairedDifference AgrestiMinDifference(double b, double c, double n, double z);

// Bonett and Price (J Educ Behav Stat 2012; 37:479-488): the adjusted Wald
// interval with (b + 1)/(n + 2) and (c + 1)/(n + 2).
tPairedDifference BonettPriceDifference(double b, double c, double n, double z);

// Tango (Stat Med 1998; 17:891-908): the score interval, every difference
// whose score statistic with the restricted maximum likelihood variance lies
// within -/+ z; the bounds are found to the last bit.
tPairedDifference TangoDifference(double b, double c, double n, double z);

}  // namespace kovalin
