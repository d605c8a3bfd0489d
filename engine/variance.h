#pragma once

#include "engine/paired_types.h"

namespace kovalin {

// Variances of the comparison of the positive predictive values pA and pB, from
// the corrected cells. The covariance terms come from the cells shared by both
// tests' positives: X[1] (diseased) and X[5] (non-diseased).

// Difference, unpooled.
double Variance_d(const tData_Rec& d, double pA, double pB);
// Difference, with the common predictive value under PPV(A) = PPV(B).
double Variance_dp(const tData_Rec& d, double pA, double pB);
// Logarithm of the ratio, unpooled.
double Variance_LR(const tData_Rec& d, double pA, double pB);
// Logarithm of the ratio, pooled.
double Variance_LRp(const tData_Rec& d, double pA, double pB);

// The pooled positive predictive value: (nA·pA + nB·pB)/(nA + nB).
double PooledPPV(const tData_Rec& d, double pA, double pB);

}  // namespace kovalin
