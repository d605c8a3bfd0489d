// The scalar form of the lanes' exponential and logarithm: the same source,
// engine/lane_math.inc, with one double for the vector. Built with
// -ffp-contract=off, as the lanes are.
#include "engine/lane_math.h"

#include <cstdint>
#include <cstring>

namespace kovalin {
namespace {

using V = double;
using VI = std::int64_t;
using VB = bool;

inline V Sel(VB m, V a, V b) { return m ? a : b; }
inline VI SelI(VB m, VI a, VI b) { return m ? a : b; }
inline VB Not(VB m) { return !m; }
inline V Splat(double x) { return x; }
inline VI SplatI(long long x) { return x; }
inline VI Bits(V x) {
  VI b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}
inline V Real(VI b) {
  V x;
  std::memcpy(&x, &b, sizeof x);
  return x;
}

}  // namespace
}  // namespace kovalin

#include "engine/lane_math.inc"

namespace kovalin {

double Exp(double x) { return ExpOf(x); }
double Log(double x) { return LogOf(x); }

}  // namespace kovalin
