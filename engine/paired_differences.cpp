#include "engine/paired_differences.h"

#include <cmath>

#include "engine/missing.h"

namespace kovalin {

namespace {

bool Usable(double x) { return std::isfinite(x) && !IsMissing(x); }

bool ValidPairs(double b, double c, double n) {
  return Usable(b) && Usable(c) && Usable(n) && b >= 0 && c >= 0 && n > 0 && b + c <= n;
}

double WaldSe(double b, double c, double n) {
  return std::sqrt((b + c) - (b - c) * (b - c) / n) / n;
}

tPairedDifference Around(double centre, double se, double halfWidth) {
  tPairedDifference r;
  if (!Usable(centre) || !Usable(se) || !Usable(halfWidth)) return r;
  r.centre = centre;
  r.se = se;
  r.interval = {centre - halfWidth, centre + halfWidth};
  return r;
}

// Tango's score statistic for the difference delta = p_b - p_c:
// (b - c - n delta) / sqrt(n (2 q + delta (1 - delta))), where q is the
// maximum likelihood estimate of p_c under delta, the root of
// 2n q^2 + (-(b + c) + (2n - b + c) delta) q - c delta (1 - delta) = 0.
double TangoScore(double b, double c, double n, double delta) {
  const double B = -(b + c) + (2 * n - b + c) * delta;
  const double C = -c * delta * (1 - delta);
  const double q = (std::sqrt(B * B - 8 * n * C) - B) / (4 * n);
  return (b - c - n * delta) / std::sqrt(n * (2 * q + delta * (1 - delta)));
}

// The delta between inside and outside where |score| crosses z, by bisection:
// inside has |score| < z, outside (a bound of [-1, 1]) does not.
double TangoBound(double b, double c, double n, double z, double inside, double outside) {
  for (int i = 0; i < 200; ++i) {
    const double mid = 0.5 * (inside + outside);
    if (mid == inside || mid == outside) break;
    const double score = TangoScore(b, c, n, mid);
    if (std::fabs(score) < z)
      inside = mid;
    else
      outside = mid;
  }
  return 0.5 * (inside + outside);
}

}  // namespace

tPairedDifference WaldCorrectedDifference(double b, double c, double n, double z) {
  if (!ValidPairs(b, c, n)) return {};
  const double se = WaldSe(b, c, n);
  return Around((b - c) / n, se, z * se + 1 / n);
}

tPairedDifference AgrestiMinDifference(double b, double c, double n, double z) {
  if (!ValidPairs(b, c, n)) return {};
  const double bb = b + 0.5, cc = c + 0.5, nn = n + 2;
  const double se = WaldSe(bb, cc, nn);
  return Around((bb - cc) / nn, se, z * se);
}

tPairedDifference BonettPriceDifference(double b, double c, double n, double z) {
  if (!ValidPairs(b, c, n)) return {};
  const double pb = (b + 1) / (n + 2), pc = (c + 1) / (n + 2);
  const double se = std::sqrt((pb + pc - (pb - pc) * (pb - pc)) / (n + 2));
  return Around(pb - pc, se, z * se);
}

tPairedDifference TangoDifference(double b, double c, double n, double z) {
  tPairedDifference r;
  if (!ValidPairs(b, c, n) || !(z > 0)) return r;
  const double estimate = (b - c) / n;
  // The estimate has score 0; at delta = 1 (all pairs b) or -1 the score is
  // -infinity or +infinity unless every pair is of that kind, and then the
  // bound is the end itself.
  const double lo = c == n ? -1.0 : TangoBound(b, c, n, z, estimate, -1.0);
  const double hi = b == n ? 1.0 : TangoBound(b, c, n, z, estimate, 1.0);
  if (!Usable(lo) || !Usable(hi)) return r;
  r.centre = estimate;
  r.interval = {lo, hi};
  return r;
}

}  // namespace kovalin
