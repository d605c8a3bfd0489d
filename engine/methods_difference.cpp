#include <cmath>

#include "engine/homogeneity.h"
#include "engine/methods.h"
#include "engine/variance.h"

namespace kovalin {

namespace {

tPredictiveValues PredictiveValues(const medidas2T& m) {
  return tPredictiveValues{m.A.PPV, m.B.PPV, m.A.NPV, m.B.NPV};
}

}  // namespace

// --- d, da: unpooled difference with the Wald interval ---

void tMethod_d::Calc_Estimate() {
  Params.Estimate.value = pA() - pB();
  Calc_Variance();
}

void tMethod_d::Calc_Variance() { SetVariance(Variance_d(Cells(), pA(), pB())); }

void tMethod_d::Calc_ITest() {
  const auto& e = Params.Estimate;
  if (IsMissing(e.variance)) return;
  SetITest(e.value * e.value / e.variance);
}

void tMethod_d::Calc_GTest() {
  GlobalTest(pA() - pB(), qA() - qB(), CovarianceD(Cells(), PredictiveValues(Measures())), GTest);
}

// --- dp: difference with the pooled predictive value ---

void tMethod_dp::Calc_Variance() { SetVariance(Variance_dp(Cells(), pA(), pB())); }

void tMethod_dp::Calc_GTest() {
  GlobalTest(pA() - pB(), qA() - qB(), CovarianceDPooled(Cells(), PredictiveValues(Measures())),
             GTest);
}

// --- Fd, Fda: quadratic interval for the difference ---

void tMethod_Fd::Calc_ITest() {
  const auto& e = Params.Estimate;
  if (IsMissing(e.variance)) return;
  const double est2 = e.value * e.value;
  SetITest(est2 / (e.variance + est2 * (1 / Cells().nA + 1 / Cells().nB - 1 / Cells().n)));
}

void tMethod_Fd::Calc_CI() {
  if (!positive_var) {
    SetIntervalMissing();
    Error_code = kErrVarianceNotPositive;
    return;
  }
  const double est = Params.Estimate.value;
  const double S = Cells().nA_plus_nB;
  const double P = Cells().nA_x_nB;
  const double n1 = Cells().n1;
  const double k = 4 / Cells().n;
  const double qa = Z2 * ((2 * n1 + S) / P - k) - 1;
  const double qb = -2 * est * (Z2 * ((S + n1) / P - k) - 1);
  const double qc = est * est * (Z2 * (S / P - k) - 1) + Z2 * Params.Estimate.variance;
  double D = qb * qb - 4 * qa * qc;
  if (std::fabs(D) <= 1e-9) D = 0;
  auto& ci = Params.CI;
  if (D < 0) {
    // No real roots: every difference is compatible with the data.
    ci.Inf = -1;
    ci.Sup = 1;
    ci.Length = 2;
    return;
  }
  const double r1 = (-qb - std::sqrt(D)) / (2 * qa);
  const double r2 = (-qb + std::sqrt(D)) / (2 * qa);
  ci.Inf = r1 > r2 ? r2 : r1;
  ci.Sup = r1 > r2 ? r1 : r2;
  ci.Length = ci.Sup - ci.Inf;
  semi_amplitud = ci.Length / 2;
}

// --- FdA, FdAa: adjusted difference ---

void tMethod_Fd_A::Calc_Estimate() {
  base_Estimate = pA() - pB();
  base_Var = Variance_d(Cells(), pA(), pB());
  Params.Estimate.value = (1 + Z2 * Cells().n1 / Cells().nA_x_nB) * base_Estimate;
  Calc_Variance();
}

void tMethod_Fd_A::Calc_Variance() {
  const double P = Cells().nA_x_nB;
  const double u = Cells().n1 * Z * base_Estimate / P;
  SetVariance(u * u +
              (1 + Z2 * ((2 * Cells().n1 + Cells().nA_plus_nB) / P - 4 / Cells().n)) * base_Var);
}

void tMethod_Fd_A::Calc_ITest() {
  // The test uses the 5% quantiles whatever the interval's level, and does not
  // read the method's variance, so it exists even when that variance does not.
  const double est = Params.Estimate.value;
  const double P = Cells().nA_x_nB;
  const double V0 = Variance_d(Cells(), pA(), pB());
  const double u = 1.96 * Cells().n1 * est / P;
  const double w = kChi2Crit1 * (2 * Cells().n1 + Cells().nA_plus_nB) / P - 4 / Cells().n + 1;
  const double e = 1 + kChi2Crit1 * Cells().n1 / P;
  SetITest(est * est / ((u * u + V0 * w) / (e * e)));
}

void tMethod_Fd_A::Calc_CI() {
  // The Wald interval around the adjusted estimate, cut to [-1, 1]. With all
  // cells positive its bounds are finite, so this is the default interval.
  t2BDM::Calc_CI();
}

}  // namespace kovalin
