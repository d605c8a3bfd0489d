#include "simulation/sim_precision.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kovalin {

double MonteCarloStandardError(double p, long long n) {
  if (n <= 0 || !(p >= 0 && p <= 1)) return std::numeric_limits<double>::quiet_NaN();
  return std::sqrt(p * (1 - p) / static_cast<double>(n));
}

std::string GroupedCount(long long count) {
  const bool negative = count < 0;
  std::string digits = std::to_string(count);
  if (negative) digits.erase(0, 1);
  std::string out;
  const std::size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
  out = digits.substr(0, lead);
  for (std::size_t i = lead; i < digits.size(); i += 3) out += "," + digits.substr(i, 3);
  return negative ? "-" + out : out;
}

namespace {

// Fixed-point with a point whatever the locale.
std::string Fixed(double v, int decimals) {
  char buffer[64];
  const auto r =
      std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
  return r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string("?");
}

}  // namespace

std::string PrecisionHint(double level, long long samples) {
  const double se = MonteCarloStandardError(level, samples);
  if (std::isnan(se)) return {};
  return "\xC2\xB1" + Fixed(se, 4) + " at " + Fixed(level, 2) + " with " + GroupedCount(samples) +
         (samples == 1 ? " sample" : " samples");
}

}  // namespace kovalin
