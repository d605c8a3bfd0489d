#include <cmath>

#include "engine/homogeneity.h"
#include "engine/lane_math.h"
#include "engine/methods.h"
#include "engine/variance.h"

namespace kovalin {

namespace {

tPredictiveValues PredictiveValues(const medidas2T& m) {
  return tPredictiveValues{m.A.PPV, m.B.PPV, m.A.NPV, m.B.NPV};
}

// The score-type transform of a ratio used by the R methods' global test.
double ScoreOfRatio(double r) { return (r - 1) / std::sqrt(r); }

}  // namespace

// --- LR, LRa: log ratio ---

void tMethod_LR::Calc_Estimate() {
  Params.Estimate.value = pA() / pB();
  Calc_Variance();
}

void tMethod_LR::Calc_Variance() { SetVariance(Variance_LR(Cells(), pA(), pB())); }

void tMethod_LR::Calc_ITest() {
  const auto& e = Params.Estimate;
  if (IsMissing(e.variance)) return;
  const double logEst = Log(e.value);
  SetITest(logEst * logEst / e.variance);
}

void tMethod_LR::Calc_GTest() {
  GlobalTest(Log(pA() / pB()), Log(qA() / qB()),
             CovarianceL(Cells(), PredictiveValues(Measures())), GTest);
}

void tMethod_LR::Calc_CI() {
  auto& ci = Params.CI;
  ci.Inf = kMissing;
  ci.Sup = kMissing;
  if (!positive_var) return;
  const double est = Params.Estimate.value;
  const double zse = Z * Params.Estimate.SE;
  ci.Inf = est * Exp(-zse);
  ci.Sup = est * Exp(zse);
  ci.Length = ci.Sup - ci.Inf;
}

// --- LRp: log ratio, pooled ---

void tMethod_LRp::Calc_Variance() { SetVariance(Variance_LRp(Cells(), pA(), pB())); }

void tMethod_LRp::Calc_GTest() {
  GlobalTest(Log(pA() / pB()), Log(qA() / qB()),
             CovarianceLPooled(Cells(), PredictiveValues(Measures())), GTest);
}

// --- R, Ra ---

void tMethod_R::Calc_ITest() {
  const auto& e = Params.Estimate;
  if (IsMissing(e.variance)) return;
  SetITest((e.value - 1) * (e.value - 1) / (e.value * e.variance));
}

void tMethod_R::Calc_GTest() {
  GlobalTest(ScoreOfRatio(pA() / pB()), ScoreOfRatio(qA() / qB()),
             CovarianceL(Cells(), PredictiveValues(Measures())), GTest);
}

void tMethod_R::Calc_CI() {
  // A missing or negative variance gives NaN bounds here, which count as missing.
  const double est = Params.Estimate.value;
  const double V = Params.Estimate.variance;
  const double a = 1 + Z2 * V / 2;
  const double b = Z * Params.Estimate.SE * std::sqrt(1 + Z2 * V / 4);
  auto& ci = Params.CI;
  ci.Inf = (a - b) * est;
  ci.Sup = (a + b) * est;
  ci.Length = ci.Sup - ci.Inf;
}

// --- Rp: the pooled variance is kept as it comes, negative or not ---

void tMethod_Rp::Calc_Variance() {
  const double v = Variance_LRp(Cells(), pA(), pB());
  Params.Estimate.variance = v;
  Params.Estimate.SE = std::sqrt(v);
}

void tMethod_Rp::Calc_GTest() {
  GlobalTest(ScoreOfRatio(pA() / pB()), ScoreOfRatio(qA() / qB()),
             CovarianceLPooled(Cells(), PredictiveValues(Measures())), GTest);
}

// --- R1, R1a ---

void tMethod_R1::Calc_CI() {
  auto& ci = Params.CI;
  ci.Inf = kMissing;
  ci.Sup = kMissing;
  // Without a variance there is no interval (a missing SE would otherwise turn
  // into a pair of negative bounds).
  if (!positive_var) return;
  const double est = Params.Estimate.value;
  const double k = Z * Params.Estimate.SE / 2;
  const double a = 1 + k;
  const double b = 1 - k;
  if (b > 0) {
    ci.Inf = est * b / a;
    ci.Sup = est * a / b;
    ci.Length = ci.Sup - ci.Inf;
  }
}

// --- R2, R2a: adjusted ratio ---

void tMethod_R2::Calc_Estimate() {
  base_Estimate = pA() / pB();
  base_Var = Variance_LR(Cells(), pA(), pB());
  Params.Estimate.value = (1 + Z2 * base_Var / 2) * base_Estimate;
  Calc_Variance();
}

void tMethod_R2::Calc_Variance() {
  const double s = std::sqrt(base_Var) * base_Estimate * std::sqrt(1 + Z2 * base_Var / 4);
  SetVariance(s * s);
}

void tMethod_R2::Calc_CI() {
  if (!positive_var) return;
  const double est = Params.Estimate.value;
  const double zse = Z * Params.Estimate.SE;
  auto& ci = Params.CI;
  ci.Inf = est - zse;
  ci.Sup = est + zse;
  ci.Length = ci.Sup - ci.Inf;
}

}  // namespace kovalin
