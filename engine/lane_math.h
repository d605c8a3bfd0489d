#pragma once

namespace kovalin {

// The exponential and the natural logarithm of the interval methods. They give
// the same bits as the vector lanes that compute many samples at once (the
// library's functions have no vector form with the scalar one's results), and
// lie within one ulp of the exact value. Special values as the C library's:
// Exp(NaN) and Log(NaN) are NaN, Exp overflows to infinity and underflows to
// zero, Log(0) is -infinity, Log(x < 0) is NaN, Log(infinity) is infinity.
double Exp(double x);
double Log(double x);

}  // namespace kovalin
