#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace kovalin {
namespace {

// The texts must be those printf writes in the C locale, since every file and report
// the program wrote so far was written that way.
TEST(NumberText, SameDigitsAsPrintfInTheCLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "C");
  const double values[] = {0.5,     2.5,      0.125, -0.0854,  1e300,   -1e-5, 0.1 + 0.2,
                           5e-324, 123456789012345678.0, 2.675, 1e22, -3.0, 999999.9999995};
  for (const double v : values) {
    for (const int d : {0, 1, 3, 4, 11, 14, 30}) {
      char f[1200], e[1200];
      std::snprintf(f, sizeof f, "%.*f", d, v);
      std::snprintf(e, sizeof e, "%.*E", d, v);
      std::string expected = f;
      if (expected[0] == '-' && expected.find_first_not_of("-0.") == std::string::npos)
        expected.erase(0, 1);
      EXPECT_EQ(FixedNumber(v, d, kPlainSpelling), expected) << v << " " << d;
      EXPECT_EQ(ScientificNumber(v, d, kPlainSpelling), e) << v << " " << d;
    }
  }
  std::setlocale(LC_ALL, saved.c_str());
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FixedNumber(-inf, 2, kSimFileSpelling), "-Inf");
  EXPECT_EQ(FixedNumber(inf, 2, kSimFileSpelling), "+Inf");
  EXPECT_EQ(ScientificNumber(std::nan(""), 1, kReportSpelling), "NAN");
}

TEST(NumberText, ParsingTakesTheWholeTextOnly) {
  EXPECT_EQ(ParseNumber("+0.25"), 0.25);
  EXPECT_EQ(ParseNumber("-1.5e2"), -150);
  EXPECT_EQ(ParseNumber("5."), 5);
  EXPECT_EQ(ParseNumber(".5"), 0.5);
  for (const char* bad : {"", "+", "+-1", "--1", " 1", "1 ", "0,5", "0x10", "1e400", "1e", "."})
    EXPECT_EQ(ParseNumber(bad), std::nullopt) << bad;
  EXPECT_EQ(ParseWholeNumber("+42"), 42);
  EXPECT_EQ(ParseWholeNumber("-7"), -7);
  for (const char* bad : {"", "4.0", "1e3", "99999999999999999999", "+-1", " 3"})
    EXPECT_EQ(ParseWholeNumber(bad), std::nullopt) << bad;
}

TEST(NumberText, CaseOfAsciiLettersOnly) {
  EXPECT_EQ(AsciiUpper("x[1]opos"), "X[1]OPOS");
  EXPECT_EQ(AsciiUpper("\xE9t\xC3\xA9"), "\xE9T\xC3\xA9");  // other bytes stay
  EXPECT_TRUE(EqualsIgnoringAsciiCase("Opos", "OPOS"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\xE9", "\xC9"));
}

}  // namespace
}  // namespace kovalin
