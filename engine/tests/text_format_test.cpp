#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/text_format.h"

namespace kovalin {
namespace {

TEST(Fixed, DecimalsWidthAndSign) {
  EXPECT_EQ(Fixed(-0.0853857, 14, 4), "       -0.0854");
  EXPECT_EQ(Fixed(2.5, 6, 1), "   2.5");
  EXPECT_EQ(Fixed(100, 0, 1), "100.0");
  EXPECT_EQ(Fixed(-999, 6, 1), "-999.0");
  EXPECT_EQ(Fixed(0.95, 4, 3), "0.950");
  EXPECT_EQ(Fixed(0.000001, 5, 3), "0.000");
  EXPECT_EQ(Fixed(-0.000001, 5, 3), "0.000");  // no negative zero
  EXPECT_EQ(Fixed(1234567890123.4567, 14, 4), "1234567890123.4568");  // never cut
  EXPECT_EQ(Fixed(std::numeric_limits<double>::quiet_NaN(), 5, 2), "  NAN");
  EXPECT_EQ(Fixed(-std::numeric_limits<double>::infinity(), 5, 2), " -INF");
}

TEST(Padding, CutsAndPads) {
  EXPECT_EQ(PadLeft("N/A", 14), "           N/A");
  EXPECT_EQ(PadLeft("abcdef", 3), "def");
  EXPECT_EQ(PadRight("Method", 8), "Method  ");
  EXPECT_EQ(PadRight("Methodology", 6), "Method");
  EXPECT_EQ(PadLeftWhole("abcdef", 3), "abcdef");
  EXPECT_EQ(LeftCut("abc", 5), "abc");
  EXPECT_EQ(RightCut("abcdef", 2), "ef");
  EXPECT_EQ(Trim(" \t x y \r\n"), "x y");
}

TEST(Padding, CountsCharactersNotBytes) {
  EXPECT_EQ(CharLength("·Se"), 3);
  EXPECT_EQ(PadLeft("±", 3), "  ±");
  EXPECT_EQ(RightCut("a·b", 2), "·b");
  EXPECT_EQ(LeftCut("\u2014\u2014\u2014", 2), "\u2014\u2014");
}

TEST(RoundHalfEven, HalvesAndGuards) {
  EXPECT_EQ(RoundHalfEven(5.5), 6);
  EXPECT_EQ(RoundHalfEven(16.5), 16);
  EXPECT_EQ(RoundHalfEven(11.0), 11);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(94.99999), 95);
  EXPECT_EQ(RoundHalfEven(std::nan(""), -1), -1);
  EXPECT_EQ(RoundHalfEven(1e300, -1), -1);
  EXPECT_EQ(RoundHalfEven(-1e300, 7), 7);
}

}  // namespace
}  // namespace kovalin
