#include "engine/accuracy.h"

#include <cmath>

#include "engine/distributions.h"
#include "engine/single_test_intervals.h"

namespace kovalin {

namespace {

// Counts of one test against the gold standard.
struct tTwoByTwo {
  double tp, fn, fp, tn;
};

bool Usable(double x) { return std::isfinite(x) && !IsMissing(x); }

tInterval IntervalOrMissing(double lo, double hi) {
  tInterval i;
  if (Usable(lo) && Usable(hi)) {
    i.Inf = lo;
    i.Sup = hi;
  }
  return i;
}

// x successes out of n. Wald: p -/+ z sqrt(p(1-p)/n) cut to [0, 1]; at p = 0
// or 1 it has no width, so the rule of three bound -ln(alpha)/n is used, as
// the R package DTComPair does. Wilson (1927): the score interval.
tProportionAccuracy Proportion(double x, double n, double z, double alpha) {
  tProportionAccuracy r;
  if (!(n > 0)) return r;
  const double p = x / n;
  r.estimate = p;
  if (x <= 0) {
    r.wald = IntervalOrMissing(0, -std::log(alpha) / n);
  } else if (x >= n) {
    r.wald = IntervalOrMissing(1 + std::log(alpha) / n, 1);
  } else {
    r.se = std::sqrt(p * (1 - p) / n);
    r.wald = IntervalOrMissing(std::fmax(0.0, p - z * r.se), std::fmin(1.0, p + z * r.se));
  }
  const double z2 = z * z;
  const double centre = (p + z2 / (2 * n)) / (1 + z2 / n);
  const double half = z * std::sqrt(p * (1 - p) / n + z2 / (4 * n * n)) / (1 + z2 / n);
  r.wilson = IntervalOrMissing(centre - half, centre + half);
  r.exact = ClopperPearsonInterval(x, n, alpha);
  r.yu = YuGuoXuInterval(x, n, z);
  return r;
}

// Simel, Samsa and Matchar (1991): ln(DLR) is nearly normal with variance the
// sum of (1 - p)/x of its two proportions.
tRatioAccuracy Ratio(double estimate, double varLog, double z) {
  tRatioAccuracy r;
  if (!Usable(estimate) || !(estimate > 0) || !Usable(varLog) || !(varLog >= 0)) return r;
  r.estimate = estimate;
  r.seLog = std::sqrt(varLog);
  r.log = IntervalOrMissing(estimate * std::exp(-z * r.seLog), estimate * std::exp(z * r.seLog));
  return r;
}

// The delta method for r = a / b of two independent proportions:
// Var(r) = (Var(a) b^2 + Var(b) a^2) / b^4.
double RatioSe(double a, double varA, double b, double varB) {
  const double v = (varA * b * b + varB * a * a) / (b * b * b * b);
  return Usable(v) && v >= 0 ? std::sqrt(v) : kMissing;
}

tYoudenIndex Youden(double se, double n1, double sp, double n0, double z) {
  tYoudenIndex y;
  const double j = se + sp - 1;
  const double s = std::sqrt(se * (1 - se) / n1 + sp * (1 - sp) / n0);
  if (!Usable(j)) return y;
  y.estimate = j;
  if (!Usable(s)) return y;
  y.se = s;
  y.wald = IntervalOrMissing(j - z * s, j + z * s);
  return y;
}

tTestAccuracy AccuracyOf(const tTwoByTwo& t, double z, double alpha) {
  tTestAccuracy a;
  a.Se = Proportion(t.tp, t.tp + t.fn, z, alpha);
  a.Sp = Proportion(t.tn, t.tn + t.fp, z, alpha);
  a.PPV = Proportion(t.tp, t.tp + t.fp, z, alpha);
  a.NPV = Proportion(t.tn, t.tn + t.fn, z, alpha);
  const double se = t.tp / (t.tp + t.fn);
  const double sp = t.tn / (t.tn + t.fp);
  a.DLRpos = Ratio(se / (1 - sp), (1 - se) / t.tp + sp / t.fp, z);
  a.DLRneg = Ratio((1 - se) / sp, se / t.fn + (1 - sp) / t.tn, z);
  const double n1 = t.tp + t.fn, n0 = t.tn + t.fp;
  const double varSe = se * (1 - se) / n1, varSp = sp * (1 - sp) / n0;
  if (!IsMissing(a.DLRpos.estimate)) a.DLRpos.se = RatioSe(se, varSe, 1 - sp, varSp);
  if (!IsMissing(a.DLRneg.estimate)) a.DLRneg.se = RatioSe(1 - se, varSe, sp, varSp);
  a.DLRpos.martinAndres = MartinAndresRatioInterval(t.tp, n1, t.fp, n0, z);
  a.DLRneg.martinAndres = MartinAndresRatioInterval(t.fn, n1, t.tn, n0, z);
  a.youden = Youden(se, n1, sp, n0, z);
  return a;
}

}  // namespace

double TwoSidedZ(double alpha) { return NormalUpperQuantile(alpha / 2); }

tPairedAccuracy AccuracyOfTests(const tCells& X, double alpha) {
  const double z = TwoSidedZ(alpha);
  tPairedAccuracy r;
  const double diseased = X[1] + X[2] + X[3] + X[4];
  r.prevalence = Proportion(diseased, diseased + X[5] + X[6] + X[7] + X[8], z, alpha);
  r.A = AccuracyOf({X[1] + X[2], X[3] + X[4], X[5] + X[6], X[7] + X[8]}, z, alpha);
  r.B = AccuracyOf({X[1] + X[3], X[2] + X[4], X[5] + X[7], X[6] + X[8]}, z, alpha);
  return r;
}

}  // namespace kovalin
