#include "engine/single_test_intervals.h"

#include <cmath>

#include "engine/missing.h"

namespace kovalin {

namespace {

bool Usable(double x) { return std::isfinite(x) && !IsMissing(x); }
bool WholeCount(double x) { return Usable(x) && x >= 0 && std::floor(x) == x; }

tInterval Checked(double lo, double hi) {
  tInterval i;
  if (Usable(lo) && Usable(hi)) i = {lo, hi};
  return i;
}

// The continued fraction of I_x(a, b) by the modified Lentz method (Numerical
// Recipes, 3rd ed., section 6.4); it converges fast for x < (a + 1)/(a + b + 2).
double BetaContinuedFraction(double x, double a, double b) {
  constexpr double kTiny = 1e-300;
  const double qab = a + b, qap = a + 1, qam = a - 1;
  double c = 1, d = 1 - qab * x / qap;
  if (std::fabs(d) < kTiny) d = kTiny;
  d = 1 / d;
  double h = d;
  for (int m = 1; m <= 100000; ++m) {
    const double m2 = 2.0 * m;
    double aa = m * (b - m) * x / ((qam + m2) * (a + m2));
    d = 1 + aa * d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = 1 + aa / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1 / d;
    h *= d * c;
    aa = -(a + m) * (qab + m) * x / ((a + m2) * (qap + m2));
    d = 1 + aa * d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = 1 + aa / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1 / d;
    const double del = d * c;
    h *= del;
    if (std::fabs(del - 1) < 1e-16) break;
  }
  return h;
}

}  // namespace

double RegularizedBeta(double x, double a, double b) {
  if (!(a > 0 && b > 0) || !(x >= 0 && x <= 1)) return kMissing;
  if (x == 0 || x == 1) return x;
  const double front = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) +
                                a * std::log(x) + b * std::log1p(-x));
  if (x < (a + 1) / (a + b + 2)) return front * BetaContinuedFraction(x, a, b) / a;
  return 1 - front * BetaContinuedFraction(1 - x, b, a) / b;
}

double InverseRegularizedBeta(double p, double a, double b) {
  if (!(a > 0 && b > 0) || !(p >= 0 && p <= 1)) return kMissing;
  if (p == 0 || p == 1) return p;
  // Bisection: I_x is increasing in x, and halving [0, 1] until the bounds
  // meet gives the quantile to the last bit whatever a and b are.
  double lo = 0, hi = 1;
  for (int i = 0; i < 1100 && lo < hi; ++i) {
    const double mid = 0.5 * (lo + hi);
    if (mid <= lo || mid >= hi) break;
    if (RegularizedBeta(mid, a, b) < p)
      lo = mid;
    else
      hi = mid;
  }
  return 0.5 * (lo + hi);
}

tInterval ClopperPearsonInterval(double x, double n, double alpha) {
  if (!WholeCount(x) || !WholeCount(n) || !(n > 0) || x > n) return {};
  const double lo = x == 0 ? 0.0 : InverseRegularizedBeta(alpha / 2, x, n - x + 1);
  const double hi = x == n ? 1.0 : InverseRegularizedBeta(1 - alpha / 2, x + 1, n - x);
  return Checked(lo, hi);
}

tInterval YuGuoXuInterval(double x, double n, double z) {
  if (!(n > 0) || !(x >= 0) || x > n) return {};
  const double p = x / n;
  const double z2 = z * z;
  const double centre = 0.5 + (n + z2 * z2 / 53) / (n + z2) * (p - 0.5);
  const double half = z / (n + z2) * std::sqrt(n * p * (1 - p) + z2 / 4);
  return Checked(std::fmax(0.0, centre - half), std::fmin(1.0, centre + half));
}

tInterval MartinAndresRatioInterval(double x1, double n1, double x2, double n2, double z) {
  if (!(n1 >= 0 && n2 >= 0 && x1 >= 0 && x2 >= 0) || x1 > n1 || x2 > n2) return {};
  // Every count gets 0.5 and every total 1, so that no zero cell leaves the
  // ratio without an interval.
  const double s = x1 + 0.5, r = x2 + 0.5;
  const double m1 = n1 + 1, m2 = n2 + 1, N = n1 + n2 + 2;
  const double p = s / m1, q = r / m2;  // the adjusted numerator and denominator
  const double z2 = z * z;
  const double root = std::sqrt(N * N * r * s * ((x1 + x2 + 1) - N * q * p) +
                                z2 / 4 * (m1 * s - m2 * r) * (m1 * s - m2 * r));
  const double centre = N * s * r + z2 / 2 * (m1 * s + m2 * r - 2 * s * r);
  const double scale = r * (N * m1 * q - z2 * (m1 - r));
  double lo = (centre - z * root) / scale;
  double hi = (centre + z * root) / scale;
  // Beyond these limits the quadratic's root is not the bound sought, and the
  // simpler bounds of the one-sided forms apply.
  if (!(lo >= s / (N - r)))
    lo = (s * q + z2 / 2 - z * std::sqrt(z2 / 4 + s * (q - p))) / (m1 * q * q + z2);
  if (!(hi <= (N - s) / r))
    hi = (r * p + z2 / 2 + z * std::sqrt(z2 / 4 + r * (p - q))) / (m2 * q * q);
  return Checked(lo, hi);
}

}  // namespace kovalin
