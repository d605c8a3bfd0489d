#include "engine/distributions.h"

#include <array>
#include <cmath>

#include "engine/missing.h"

namespace kovalin {

namespace {

constexpr double kSqrt2 = 1.41421356237309504880;
constexpr double kLn2Pi = 1.83787706640934548356;  // ln(2 pi)

// Upper tail of the standard normal, accurate in the far tail too.
double NormalUpperTail(double x) { return 0.5 * std::erfc(x / kSqrt2); }

double NormalDensity(double x) { return std::exp(-0.5 * x * x - 0.5 * kLn2Pi); }

// ln(n!) - ln(sqrt(2 pi n) (n/e)^n), the error of Stirling's formula. Small n from
// a table computed once with 40-digit arithmetic, larger n from its asymptotic
// series (Loader, "Fast and accurate computation of binomial probabilities", 2000).
double StirlingError(double n) {
  static constexpr std::array<double, 16> kTable = {
      0.0,
      0.08106146679532725822, 0.041340695955409294094, 0.027677925684998339149,
      0.020790672103765093112, 0.016644691189821192163, 0.013876128823070747999,
      0.011896709945891770095, 0.010411265261972096497, 0.0092554621827127329177,
      0.0083305634333628712565, 0.007573675487951840795, 0.0069428401072095298657,
      0.0064089941880042070684, 0.0059513701127588477356, 0.005554733551962801371};
  if (n <= 15) return kTable[static_cast<std::size_t>(n)];  // n is a whole number 0..15
  constexpr double S0 = 1.0 / 12, S1 = 1.0 / 360, S2 = 1.0 / 1260, S3 = 1.0 / 1680,
                   S4 = 1.0 / 1188;
  const double nn = n * n;
  if (n > 500) return (S0 - S1 / nn) / n;
  if (n > 80) return (S0 - (S1 - S2 / nn) / nn) / n;
  if (n > 35) return (S0 - (S1 - (S2 - S3 / nn) / nn) / nn) / n;
  return (S0 - (S1 - (S2 - (S3 - S4 / nn) / nn) / nn) / nn) / n;
}

// x ln(x / np) + np - x without the cancellation near x = np (Loader, 2000).
double DevianceTerm(double x, double np) {
  if (std::fabs(x - np) < 0.1 * (x + np)) {
    const double v = (x - np) / (x + np);
    double s = (x - np) * v;
    double ej = 2 * x * v;
    const double v2 = v * v;
    for (int j = 1; j < 1000; ++j) {
      ej *= v2;
      const double s1 = s + ej / (2 * j + 1);
      if (s1 == s) return s1;
      s = s1;
    }
    return s;
  }
  return x * std::log(x / np) + np - x;
}

// P(X = k) for X ~ Binomial(m, 1/2), 0 <= k <= m whole numbers.
double HalfBinomialTerm(double k, double m) {
  if (k == 0 || k == m) return std::ldexp(1.0, -static_cast<int>(std::fmin(m, 2000.0)));
  const double half = 0.5 * m;
  const double lc = StirlingError(m) - StirlingError(k) - StirlingError(m - k) -
                    DevianceTerm(k, half) - DevianceTerm(m - k, half);
  const double lf = kLn2Pi + std::log(k) + std::log1p(-k / m);
  return std::exp(lc - 0.5 * lf);
}

}  // namespace

double ChiSquareTail(double x, int df) {
  if (std::isnan(x) || x < 0 || IsMissing(x)) return kMissing;
  // Closed forms: a chi-square on 1 df is Z^2, on 2 df an exponential of mean 2.
  if (df == 1) return std::erfc(std::sqrt(0.5 * x));
  if (df == 2) return std::exp(-0.5 * x);
  return kMissing;
}

double NormalTwoSidedP(double z) {
  if (std::isnan(z) || IsMissing(z)) return kMissing;
  return std::erfc(std::fabs(z) / kSqrt2);
}

double NormalUpperQuantile(double q) {
  if (!(q > 0 && q < 1)) return kMissing;
  if (q > 0.5) return -NormalUpperQuantile(1 - q);
  // Start from Abramowitz and Stegun 26.2.23 (error below 4.5e-4), then Halley
  // steps on P(Z >= x) = q, which converge cubically to full precision.
  const double t = std::sqrt(-2 * std::log(q));
  double x = t - (2.515517 + t * (0.802853 + t * 0.010328)) /
                     (1 + t * (1.432788 + t * (0.189269 + t * 0.001308)));
  for (int i = 0; i < 10; ++i) {
    const double u = (NormalUpperTail(x) - q) / NormalDensity(x);
    const double step = u / (1 - 0.5 * x * u);
    x += step;
    if (std::fabs(step) <= 1e-16 * std::fmax(1.0, std::fabs(x))) break;
  }
  return x;
}

double ExactBinomialTwoSidedP(double b, double c) {
  // Larger counts would take too long to sum and exceed the range where whole
  // numbers are exact doubles.
  constexpr double kMaxPairs = 1e12;
  if (!(b >= 0 && c >= 0) || std::floor(b) != b || std::floor(c) != c) return kMissing;
  const double m = b + c;
  if (m > kMaxPairs) return kMissing;
  if (m == 0) return 1.0;
  const double k = std::fmin(b, c);
  // Sum P(X = j) from j = k down: k <= m/2, so the terms only shrink, and they
  // follow from each other by t(j-1) = t(j) j / (m - j + 1).
  double term = HalfBinomialTerm(k, m);
  double sum = term;
  for (double j = k; j >= 1 && term > sum * 1e-18; --j) {
    term *= j / (m - j + 1);
    sum += term;
  }
  return std::fmin(1.0, 2 * sum);
}

}  // namespace kovalin
