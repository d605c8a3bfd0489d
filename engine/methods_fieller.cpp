#include <cmath>

#include "engine/homogeneity.h"
#include "engine/methods.h"

namespace kovalin {

// --- F1R, F1Ra: Fieller interval for the ratio; the method has no variance ---

void tMethod_F1R::Calc_Variance() {
  Params.Estimate.variance = kMissing;
  Params.Estimate.SE = kMissing;
}

void tMethod_F1R::Calc_ITest() {}

void tMethod_F1R::FiellerInterval(double cA, double cAB, double cB) {
  const double D = cAB * cAB - 4 * cB * cA;
  if (D < 0) {
    SetIntervalMissing();
    Error_code = kErrNoRealRoots;
    return;
  }
  // The roots are ordered as computed, even when cB <= 0 makes the set unbounded.
  const double r1 = (-cAB - std::sqrt(D)) / (2 * cB);
  const double r2 = (-cAB + std::sqrt(D)) / (2 * cB);
  auto& ci = Params.CI;
  ci.Inf = r1 > r2 ? r2 : r1;
  ci.Sup = r1 > r2 ? r1 : r2;
  if (ci.Inf < 0) ci.Inf = 0;
  ci.Length = ci.Sup - ci.Inf;
}

void tMethod_F1R::Calc_CI() {
  const double a = pA(), b = pB();
  const double P = Cells().nA_x_nB;
  const auto& X = Cells().X;
  const double cA = a * a - Z2 * a * (1 - a) / Cells().nA;
  const double cAB = 2 * (Z2 * ((1 - a) * (1 - b) * X[1] + a * b * X[5]) / P - a * b);
  const double cB = b * b - Z2 * b * (1 - b) / Cells().nB;
  FiellerInterval(cA, cAB, cB);
}

// --- F2R, F2Ra: Fieller interval with the adjusted variance ---

void tMethod_F2R::Calc_CI() {
  const double a = pA(), b = pB();
  const double P = Cells().nA_x_nB;
  const double n = Cells().n;
  const double x1 = Cells().X[1];
  const double g = n * Z2 / (n + 4 * Z2);
  const double cA = a * a - g * a * (2 * x1 + Cells().nA * a + Cells().nB) / P;
  const double cAB = 2 * (g * (a * b * (Cells().n1 + Cells().nA_plus_nB) + x1) / P - a * b);
  const double cB = b * b - g * b * (2 * x1 + Cells().nB * b + Cells().nA) / P;
  FiellerInterval(cA, cAB, cB);
}

void tMethod_F2R::Calc_GTest() {
  const tPredictiveValues pv{pA(), pB(), qA(), qB()};
  GlobalTest(pv.pA - pv.pB, pv.qA - pv.qB, CovarianceDAdjusted(Cells(), pv), GTest);
}

}  // namespace kovalin
