#include "engine/paired_measures.h"

namespace kovalin {

void ComputeSums(tData_Rec& d) {
  const auto& X = d.X;
  d.X[0] = X[1] + X[2] + X[3] + X[4] + X[5] + X[6] + X[7] + X[8];
  d.n = d.X[0];
  d.n1 = X[1] + X[5];
  d.n2 = X[2] + X[6];
  d.n3 = X[3] + X[7];
  d.n4 = X[4] + X[8];
  d.nA = d.n1 + d.n2;
  d.nB = d.n1 + d.n3;
  d.nnA = d.n3 + d.n4;
  d.nnB = d.n2 + d.n4;
  d.m1 = X[1] + X[2] + X[3] + X[4];
  d.m2 = d.n - d.m1;
  d.nA_x_nB = d.nA * d.nB;
  d.nA_plus_nB = d.nA + d.nB;
}

medidas2T ComputeMeasures(const tData_Rec& d) {
  const auto& X = d.X;
  medidas2T m;
  m.A.Prevalencia = m.B.Prevalencia = d.m1 / d.n;
  m.A.Se = (X[1] + X[2]) / d.m1;
  m.B.Se = (X[1] + X[3]) / d.m1;
  m.A.Sp = (X[7] + X[8]) / d.m2;
  m.B.Sp = (X[6] + X[8]) / d.m2;
  m.A.PPV = (X[1] + X[2]) / d.nA;
  m.B.PPV = (X[1] + X[3]) / d.nB;
  m.A.NPV = (X[7] + X[8]) / d.nnA;
  m.B.NPV = (X[6] + X[8]) / d.nnB;
  m.O_pos = X[1] * X[4] / (X[2] * X[3]);
  m.O_neg = X[5] * X[8] / (X[6] * X[7]);
  return m;
}

tData_Rec DataOfCells(const std::array<double, 9>& X) {
  tData_Rec d;
  d.X = X;
  ComputeSums(d);
  return d;
}

}  // namespace kovalin
