#pragma once

#include "engine/paired_types.h"

namespace kovalin {

// A 2×2 matrix of doubles.
struct tMatrix2 {
  double M11 = 0, M12 = 0, M21 = 0, M22 = 0;
};

// The predictive values of both tests: positive (pA, pB) and negative (qA, qB).
struct tPredictiveValues {
  double pA = 0, pB = 0, qA = 0, qB = 0;
};

// Inverse of M; false (and every entry of Minv -999) when |det| <= 1e-9.
bool Inverse2x2(const tMatrix2& M, tMatrix2& Minv);

// v'·M·v for v = (a, b).
double QuadForm2(double a, double b, const tMatrix2& M);

// Covariance matrices of (PPV, NPV) comparisons: on the proportion scale (D) and
// on the log scale (L), unpooled or with the common values under the hypothesis.
tMatrix2 CovarianceD(const tData_Rec& d, const tPredictiveValues& pv);
tMatrix2 CovarianceDPooled(const tData_Rec& d, const tPredictiveValues& pv);
tMatrix2 CovarianceL(const tData_Rec& d, const tPredictiveValues& pv);
tMatrix2 CovarianceLPooled(const tData_Rec& d, const tPredictiveValues& pv);
// The covariance of the differences with the Fieller-type adjustment of F2R.
tMatrix2 CovarianceDAdjusted(const tData_Rec& d, const tPredictiveValues& pv);

// The global test of (a, b) against M: the quadratic form with the inverse of M,
// significant from 5.991 on; -999 and not significant when M is singular.
void GlobalTest(double a, double b, const tMatrix2& M, tTest& test);

}  // namespace kovalin
