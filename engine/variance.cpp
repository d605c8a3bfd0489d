#include "engine/variance.h"

namespace kovalin {

double PooledPPV(const tData_Rec& d, double pA, double pB) {
  return (d.nA * pA + d.nB * pB) / d.nA_plus_nB;
}

double Variance_d(const tData_Rec& d, double pA, double pB) {
  const auto& X = d.X;
  return pA * (1 - pA) / d.nA + pB * (1 - pB) / d.nB -
         2 * ((1 - pA) * (1 - pB) * X[1] + pA * pB * X[5]) / d.nA_x_nB;
}

double Variance_dp(const tData_Rec& d, double pA, double pB) {
  const auto& X = d.X;
  const double p = PooledPPV(d, pA, pB);
  return p * (1 - p) * d.nA_plus_nB / d.nA_x_nB -
         2 * ((1 - p) * (1 - p) * X[1] + p * p * X[5]) / d.nA_x_nB;
}

double Variance_LR(const tData_Rec& d, double pA, double pB) {
  const auto& X = d.X;
  return (1 - pA) / (pA * d.nA) + (1 - pB) / (pB * d.nB) -
         (2 / d.nA_x_nB) * ((1 - pA) * (1 - pB) * X[1] / (pA * pB) + X[5]);
}

double Variance_LRp(const tData_Rec& d, double pA, double pB) {
  const auto& X = d.X;
  const double p = PooledPPV(d, pA, pB);
  const double w = (1 - p) / p;
  return w * d.nA_plus_nB / d.nA_x_nB - (2 / d.nA_x_nB) * (w * w * X[1] + X[5]);
}

}  // namespace kovalin
