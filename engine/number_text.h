#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kovalin {

// Every number text the program writes and reads goes through here, never through the
// C library's locale: a desktop program inherits the user's locale, under which
// printf("%f") writes "0,8000" and strtod stops at the point.

// How a text spells the values that are not finite. Each kind of output keeps its own.
struct tNonFiniteSpelling {
  std::string_view nan;
  std::string_view positiveInfinity;
  std::string_view negativeInfinity;
};

inline constexpr tNonFiniteSpelling kReportSpelling{"NAN", "INF", "-INF"};      // analysis reports
inline constexpr tNonFiniteSpelling kSimFileSpelling{"Nan", "+Inf", "-Inf"};    // simulation files
inline constexpr tNonFiniteSpelling kPlainSpelling{"nan", "inf", "-inf"};       // grid, export

// x with exactly `decimals` decimals (0 when negative), "." as separator, as printf
// "%.*f" writes it in the C locale. A value that rounds to zero has no sign.
std::string FixedNumber(double x, int decimals, const tNonFiniteSpelling& spelling);

// x as printf "%.*E" writes it in the C locale: one digit, `decimals` decimals, "E",
// the exponent's sign and at least two exponent digits ("1.5E+03").
std::string ScientificNumber(double x, int decimals, const tNonFiniteSpelling& spelling);

// The whole text as a decimal number: [sign] digits [. digits] [e|E [sign] digits],
// or "inf", "infinity", "nan" in any letter case; no blanks, no hexadecimal.
// Values beyond a double's range (above about 1.8e308, or below its smallest
// subnormal) give nothing.
std::optional<double> ParseNumber(std::string_view text);
// The whole text as a decimal integer with an optional sign.
std::optional<long long> ParseWholeNumber(std::string_view text);

// Letter case of ASCII letters only; other bytes stay as they are.
char AsciiUpper(char c);
std::string AsciiUpper(std::string_view s);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace kovalin
