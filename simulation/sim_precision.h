#pragma once

#include <string>

namespace kovalin {

// The Monte Carlo standard error of a proportion p (a coverage or a rejection
// rate) estimated from n valid samples: sqrt(p(1 - p) / n). NaN when n is not
// positive or p is not a proportion (the missing value, NaN).
double MonteCarloStandardError(double p, long long n);

// What the launcher shows before Start: the standard error that `samples` samples
// give at the nominal level, "±0.0069 at 0.95 with 1,000 samples" (UTF-8).
std::string PrecisionHint(double level, long long samples);

// A count with a comma between thousands: 1,000,000.
std::string GroupedCount(long long count);

}  // namespace kovalin
