#pragma once

#include <string>
#include <string_view>

namespace kovalin {

// Small text helpers of the tables library. Texts are held as UTF-8; a byte that
// does not start a valid UTF-8 sequence counts as one character, so 8-bit texts
// in another code page are cut and counted byte by byte.

// The first n characters of s (all of s when it is shorter).
std::string Utf8Prefix(std::string_view s, int n);
// Number of characters of s.
int Utf8Length(std::string_view s);
// ASCII letters in upper case; other bytes unchanged.
std::string ToUpperAscii(std::string_view s);
// Equal without regard to the case of ASCII letters.
bool EqualsNoCase(std::string_view a, std::string_view b);
// Leading and trailing blanks (spaces and tabs) removed.
std::string_view TrimBlanks(std::string_view s);
// Right-aligned in at least width characters; a longer text is kept whole.
std::string PadNumber(std::string_view s, int width);
// x with d decimals in fixed notation, "." as separator, whatever the locale. A
// value that rounds to zero has no sign; NaN and infinities give "nan"/"inf".
std::string FixedText(double x, int d);
// Strict decimal number: the whole text (blanks around it allowed) must be
// [sign] digits [. digits] [E [sign] digits] with at least one digit in the
// mantissa, and the value must be finite. Locale-independent.
bool ParseStrictDecimal(std::string_view text, double& value);

}  // namespace kovalin
