#pragma once

#include <cmath>

namespace kovalin {

// The value of every result that does not exist or cannot be computed.
inline constexpr double kMissing = -999.0;
inline constexpr int kMissingInt = -999;

// A NaN is treated as missing wherever a value is compared with -999.
inline bool IsMissing(double x) { return std::isnan(x) || x == kMissing; }

}  // namespace kovalin
