#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <locale>
#include <random>
#include <sstream>
#include <string>

#include "engine/lane_math.h"

namespace kovalin {
namespace {

// The distance of got from the exact value, in units of the last place of the
// double nearest to it (subnormal spacing below the normal range).
double UlpError(double got, long double exact) {
  const double nearest = static_cast<double>(exact);
  if (std::isinf(nearest)) return got == nearest ? 0 : 1e9;
  const double unit = std::fabs(nearest) < std::numeric_limits<double>::min()
                          ? std::numeric_limits<double>::denorm_min()
                          : std::ldexp(1.0, std::ilogb(nearest) - 52);
  return static_cast<double>(std::fabs(static_cast<long double>(got) - exact) / unit);
}

// The file's numbers, read the same under any locale: the argument as a C
// hexadecimal float ("-0x1.8p+1"), the value in decimals.
double ReadHexFloat(const std::string& text) {
  const bool negative = !text.empty() && text[0] == '-';
  const std::string digits = text.substr(negative ? 3 : 2);  // after "0x"
  double x = std::numeric_limits<double>::quiet_NaN();
  std::from_chars(digits.data(), digits.data() + digits.size(), x, std::chars_format::hex);
  return negative ? -x : x;
}

long double ReadDecimal(const std::string& text) {
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  long double x = std::numeric_limits<long double>::quiet_NaN();
  in >> x;
  return x;
}

// Against mpmath's values to 50 digits (data/lane_math_reference.txt, written
// by lane_math_reference.py): over the intervals' range, the whole range,
// near 1 for the logarithm and near 0 for the exponential, and subnormals.
TEST(LaneMath, WithinOneUlpOfTheFiftyDigitReference) {
  std::ifstream in(KOVALIN_SOURCE_DIR "/engine/tests/data/lane_math_reference.txt");
  ASSERT_TRUE(in.good());
  std::string line;
  int exps = 0, logs = 0;
  double worstExp = 0, worstLog = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string function, argument, value;
    fields >> function >> argument >> value;
    const double x = ReadHexFloat(argument);
    const long double exact = ReadDecimal(value);
    if (function == "exp") {
      const double e = UlpError(Exp(x), exact);
      worstExp = std::max(worstExp, e);
      EXPECT_LT(e, 1.0) << "Exp(" << argument << ")";
      ++exps;
    } else {
      const double e = UlpError(Log(x), exact);
      worstLog = std::max(worstLog, e);
      EXPECT_LT(e, 1.0) << "Log(" << argument << ")";
      ++logs;
    }
    if (::testing::Test::HasFailure()) return;
  }
  EXPECT_EQ(exps, 10000);
  EXPECT_EQ(logs, 10000);
  RecordProperty("worst_exp_ulp", std::to_string(worstExp));
  RecordProperty("worst_log_ulp", std::to_string(worstLog));
}

// A larger sample against the long double functions (11 bits more than a
// double, so an error of one ulp is measured to 1/2000 of an ulp).
TEST(LaneMath, WithinOneUlpOnManyRandomArguments) {
  std::mt19937_64 rng(17);
  std::uniform_real_distribution<double> wide(-745, 709.7), narrow(-4, 4);
  std::uniform_int_distribution<int> exponent(-1074, 1023);
  std::uniform_real_distribution<double> mantissa(1, 2);
  for (int k = 0; k < 200000; ++k) {
    const double x = k % 2 ? wide(rng) : narrow(rng);
    ASSERT_LT(UlpError(Exp(x), std::exp(static_cast<long double>(x))), 1.0) << x;
    const double y = k % 3 ? std::ldexp(mantissa(rng), exponent(rng)) : 1 + narrow(rng) * 1e-4;
    ASSERT_LT(UlpError(Log(y), std::log(static_cast<long double>(y))), 1.0) << y;
  }
}

TEST(LaneMath, SpecialValuesAreTheLibrarys) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(Exp(0.0), 1.0);
  EXPECT_EQ(Exp(-0.0), 1.0);
  EXPECT_EQ(Exp(inf), inf);
  EXPECT_EQ(Exp(-inf), 0.0);
  EXPECT_TRUE(std::isnan(Exp(nan)));
  EXPECT_EQ(Exp(709.79), inf);
  EXPECT_EQ(Exp(709.78), std::exp(709.78));
  EXPECT_EQ(Exp(-745.2), 0.0);
  EXPECT_EQ(Exp(-745.1), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(Log(1.0), 0.0);
  EXPECT_EQ(Log(0.0), -inf);
  EXPECT_EQ(Log(-0.0), -inf);
  EXPECT_EQ(Log(inf), inf);
  EXPECT_TRUE(std::isnan(Log(-1.0)));
  EXPECT_TRUE(std::isnan(Log(-inf)));
  EXPECT_TRUE(std::isnan(Log(nan)));
  EXPECT_EQ(Log(std::numeric_limits<double>::denorm_min()),
            std::log(std::numeric_limits<double>::denorm_min()));
  for (int k = -1074; k <= 1023; k += 7) EXPECT_EQ(Log(std::ldexp(1.0, k)), std::log(std::ldexp(1.0, k)));
}

}  // namespace
}  // namespace kovalin
