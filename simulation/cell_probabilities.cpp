#include "simulation/cell_probabilities.h"

#include <cmath>

namespace kovalin {

double ZeroClip(double v) {
  // Written so that a NaN also takes the zero branch.
  if (!(std::fabs(v) > 1e-9)) return 0.0;
  return v;
}

double SensitivityFromPredictive(double ppv, double npv, double p) {
  return ZeroClip((npv - 1 + p) * ppv / ((ppv + npv - 1) * p));
}

double SpecificityFromPredictive(double ppv, double npv, double p) {
  return ZeroClip((ppv - p) * npv / ((1 - p) * (ppv + npv - 1)));
}

medidas2T MeasuresOfRecord(const tInputDataRec& r) {
  medidas2T m;
  m.A.Prevalencia = m.B.Prevalencia = r.P;
  m.A.Se = r.SeA;
  m.A.Sp = r.SpA;
  m.A.PPV = r.PA;
  m.A.NPV = r.NA;
  m.B.Se = r.SeB;
  m.B.Sp = r.SpB;
  m.B.PPV = r.PB;
  m.B.NPV = r.NB;
  m.O_pos = r.O_pos;
  m.O_neg = r.O_neg;
  return m;
}

void SetSensSpecFromPredictive(medidas2T& m) {
  const double p = m.A.Prevalencia;
  m.A.Se = SensitivityFromPredictive(m.A.PPV, m.A.NPV, p);
  m.A.Sp = SpecificityFromPredictive(m.A.PPV, m.A.NPV, p);
  m.B.Se = SensitivityFromPredictive(m.B.PPV, m.B.NPV, p);
  m.B.Sp = SpecificityFromPredictive(m.B.PPV, m.B.NPV, p);
}

void OddsRatioRoots(double O, double s1, double s2, double& t1, double& t2) {
  if (O == 1.0) {
    // The equation is linear: the cells are those of independent tests.
    t1 = t2 = s1 * s2;
    return;
  }
  const double k = 1 - s1 + O * s1 - s2 + O * s2;
  const double h = std::sqrt(4 * O * (1 - O) * s1 * s2 + k * k);
  const double l = -k;
  t1 = ZeroClip((l - h) / (2 * (1 - O)));
  t2 = ZeroClip((l + h) / (2 * (1 - O)));
}

tJointRoots JointRoots(const medidas2T& m) {
  tJointRoots r;
  OddsRatioRoots(m.O_pos, m.A.Se, m.B.Se, r.x1, r.x2);
  OddsRatioRoots(m.O_neg, m.A.Sp, m.B.Sp, r.y1, r.y2);
  return r;
}

bool CellsFromPair(const medidas2T& m, double p, double x, double y, tCellProbabilities& Q) {
  const double SeA = m.A.Se, SeB = m.B.Se, SpA = m.A.Sp, SpB = m.B.Sp;
  Q[0] = 0;
  Q[1] = ZeroClip(p * x);
  Q[2] = ZeroClip((SeA - x) * p);
  Q[3] = ZeroClip((SeB - x) * p);
  Q[4] = ZeroClip((x + 1 - SeA - SeB) * p);
  Q[5] = ZeroClip((1 - p) * (1 - SpA - SpB + y));
  Q[6] = ZeroClip((1 - p) * (SpB - y));
  Q[7] = ZeroClip((1 - p) * (SpA - y));
  Q[8] = ZeroClip(y * (1 - p));
  double sum = 0;
  for (int i = 1; i <= 8; ++i) {
    // An infinite cell (prevalence 0 or 1, PPV + NPV = 1) is no distribution.
    if (Q[static_cast<std::size_t>(i)] < 0 || !std::isfinite(Q[static_cast<std::size_t>(i)]))
      return false;
    sum += Q[static_cast<std::size_t>(i)];
  }
  return std::fabs(sum - 1) <= 1e-9;
}

int ChooseCellProbabilities(const medidas2T& m, double p, tCellProbabilities& P) {
  const tJointRoots r = JointRoots(m);
  const double xs[4] = {r.x1, r.x1, r.x2, r.x2};
  const double ys[4] = {r.y1, r.y2, r.y1, r.y2};
  int valid = 0;
  for (int k = 0; k < 4; ++k) {
    if (!(xs[k] >= 0 && ys[k] >= 0)) continue;
    tCellProbabilities Q{};
    if (!CellsFromPair(m, p, xs[k], ys[k], Q)) continue;
    if (valid == 0) P = Q;
    ++valid;
  }
  return valid;
}

}  // namespace kovalin
