#pragma once

namespace kovalin {

// Tail probabilities and quantiles for the p-values of the extended report.
// Every function returns kMissing for an argument outside its domain (a NaN,
// a negative statistic, a non-integer count) instead of trapping.

// P(X >= x) for X chi-square with df = 1 or 2 degrees of freedom.
double ChiSquareTail(double x, int df);

// Two-sided p-value of a standard normal statistic: P(|Z| >= |z|).
double NormalTwoSidedP(double z);

// The x with P(Z >= x) = q, for 0 < q < 1.
double NormalUpperQuantile(double q);

// Exact conditional (binomial) two-sided p-value of McNemar's comparison with
// b and c discordant pairs: min(1, 2 P(X <= min(b, c))), X ~ Binomial(b + c, 1/2).
// The counts must be whole numbers; real-valued frequencies give kMissing.
double ExactBinomialTwoSidedP(double b, double c);

}  // namespace kovalin
