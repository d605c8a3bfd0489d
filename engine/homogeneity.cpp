#include "engine/homogeneity.h"

#include <cmath>

namespace kovalin {

bool Inverse2x2(const tMatrix2& M, tMatrix2& Minv) {
  const double det = M.M11 * M.M22 - M.M12 * M.M21;
  // Singular when the determinant is negligible against the product of the
  // variances (1 - r^2 for a covariance matrix). A cut on the determinant alone
  // would call every matrix of a large sample singular: its entries shrink as 1/n,
  // the determinant as 1/n^2, and below 1e-9 (n of a few thousand) every global
  // test would go missing. A NaN determinant fails this test too.
  if (!(std::fabs(det) > 1e-9 * std::fabs(M.M11 * M.M22))) {
    Minv = tMatrix2{kMissing, kMissing, kMissing, kMissing};
    return false;
  }
  Minv = tMatrix2{M.M22 / det, -M.M12 / det, -M.M21 / det, M.M11 / det};
  return true;
}

double QuadForm2(double a, double b, const tMatrix2& M) {
  return a * (a * M.M11 + b * M.M12) + b * (a * M.M21 + b * M.M22);
}

namespace {

tMatrix2 Symmetric(double m11, double m12, double m22) { return tMatrix2{m11, m12, m12, m22}; }

}  // namespace

tMatrix2 CovarianceD(const tData_Rec& d, const tPredictiveValues& v) {
  const auto& X = d.X;
  const double pA = v.pA, pB = v.pB, qA = v.qA, qB = v.qB;
  const double d11 = pA * (1 - pA) / d.nA + pB * (1 - pB) / d.nB -
                     2 * ((1 - pA) * (1 - pB) * X[1] + pA * pB * X[5]) / (d.nA * d.nB);
  const double d22 = qA * (1 - qA) / d.nnA + qB * (1 - qB) / d.nnB -
                     2 * ((1 - qA) * (1 - qB) * X[8] + qA * qB * X[4]) / (d.nnA * d.nnB);
  const double d12 = ((1 - pA) * qB * X[2] + (1 - qB) * pA * X[6]) / (d.nA * d.nnB) +
                     ((1 - pB) * qA * X[3] + (1 - qA) * pB * X[7]) / (d.nnA * d.nB);
  return Symmetric(d11, d12, d22);
}

tMatrix2 CovarianceDPooled(const tData_Rec& d, const tPredictiveValues& v) {
  const auto& X = d.X;
  const double p = (d.nA * v.pA + d.nB * v.pB) / (d.nA + d.nB);
  const double q = (d.nnA * v.qA + d.nnB * v.qB) / (d.nnA + d.nnB);
  const double d11 = p * (1 - p) / d.nA + p * (1 - p) / d.nB -
                     2 * ((1 - p) * (1 - p) * X[1] + p * p * X[5]) / (d.nA * d.nB);
  const double d22 = q * (1 - q) / d.nnA + q * (1 - q) / d.nnB -
                     2 * ((1 - q) * (1 - q) * X[8] + q * q * X[4]) / (d.nnA * d.nnB);
  const double d12 = ((1 - p) * q * X[2] + (1 - q) * p * X[6]) / (d.nA * d.nnB) +
                     ((1 - p) * q * X[3] + (1 - q) * p * X[7]) / (d.nnA * d.nB);
  return Symmetric(d11, d12, d22);
}

tMatrix2 CovarianceL(const tData_Rec& d, const tPredictiveValues& v) {
  const auto& X = d.X;
  const double pA = v.pA, pB = v.pB, qA = v.qA, qB = v.qB;
  const double l11 = (1 - pA) / (pA * d.nA) + (1 - pB) / (pB * d.nB) -
                     (2 / (d.nA * d.nB)) * ((1 - pA) * (1 - pB) * X[1] / (pA * pB) + X[5]);
  const double l22 = (1 - qA) / (qA * d.nnA) + (1 - qB) / (qB * d.nnB) -
                     (2 / (d.nnA * d.nnB)) * ((1 - qA) * (1 - qB) * X[8] / (qA * qB) + X[4]);
  const double l12 = (1 / (d.nA * d.nnB)) * ((1 - pA) * X[2] / pA + (1 - qB) * X[6] / qB) +
                     (1 / (d.nnA * d.nB)) * ((1 - pB) * X[3] / pB + (1 - qA) * X[7] / qA);
  return Symmetric(l11, l12, l22);
}

tMatrix2 CovarianceLPooled(const tData_Rec& d, const tPredictiveValues& v) {
  const auto& X = d.X;
  const double p = (d.nA * v.pA + d.nB * v.pB) / (d.nA + d.nB);
  const double q = (d.nnA * v.qA + d.nnB * v.qB) / (d.nnA + d.nnB);
  const double l11 = (1 - p) / (p * d.nA) + (1 - p) / (p * d.nB) -
                     (2 / (d.nA * d.nB)) * ((1 - p) * (1 - p) * X[1] / (p * p) + X[5]);
  const double l22 = (1 - q) / (q * d.nnA) + (1 - q) / (q * d.nnB) -
                     (2 / (d.nnA * d.nnB)) * ((1 - q) * (1 - q) * X[8] / (q * q) + X[4]);
  const double l12 = (1 / (d.nA * d.nnB)) * ((1 - p) * X[2] / p + (1 - q) * X[6] / q) +
                     (1 / (d.nnA * d.nB)) * ((1 - p) * X[3] / p + (1 - q) * X[7] / q);
  return Symmetric(l11, l12, l22);
}

tMatrix2 CovarianceDAdjusted(const tData_Rec& d, const tPredictiveValues& v) {
  const auto& X = d.X;
  const double pA = v.pA, pB = v.pB, qA = v.qA, qB = v.qB;
  const tMatrix2 D = CovarianceD(d, v);
  const double dP = pA - pB;
  const double dN = qA - qB;
  const double m11 = D.M11 + (1 / d.nA + 1 / d.nB - 4 / d.n) * dP * dP;
  const double m22 = D.M22 + (1 / d.nnA + 1 / d.nnB - 4 / d.n) * dN * dN;
  // The cells pair with the predictive values the other way round than in D12.
  const double m12 = ((1 - pA) * qB * X[3] + (1 - qB) * pA * X[7]) / (d.nnA * d.nB) +
                     ((1 - pB) * qA * X[2] + (1 - qA) * pB * X[6]) / (d.nA * d.nnB) -
                     4 * dP * dN / d.n;
  return Symmetric(m11, m12, m22);
}

void GlobalTest(double a, double b, const tMatrix2& M, tTest& test) {
  tMatrix2 inverse;
  if (!Inverse2x2(M, inverse)) {
    test.Cexp = kMissing;
    return;
  }
  test.Cexp = QuadForm2(a, b, inverse);
  test.signification = test.Cexp >= test.Calfa;
}

}  // namespace kovalin
