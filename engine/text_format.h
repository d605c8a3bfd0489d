#pragma once

#include <string>
#include <string_view>

namespace kovalin {

// Text widths count characters, not bytes: reports hold "·", "±" and "—".
int CharLength(std::string_view s);

// Right-aligned in width w (the last w characters of 54 spaces + s).
std::string PadLeft(std::string_view s, int w);
// Right-aligned in at least w characters; a longer text is kept whole. Number
// texts go through this, since a number is never cut.
std::string PadLeftWhole(std::string_view s, int w);
// Left-aligned in width w, cut at the right.
std::string PadRight(std::string_view s, int w);
// The first / last min(k, length) characters.
std::string LeftCut(std::string_view s, int k);
std::string RightCut(std::string_view s, int k);
// Leading and trailing blanks and control characters removed.
std::string Trim(std::string_view s);

// x with exactly d decimals, "." as separator, right-aligned in at least w
// characters. A value that rounds to zero prints without a sign.
std::string Fixed(double x, int w, int d);

// Rounds to the nearest integer, halves to even; NaN and values beyond the
// range of int give the given fallback instead of undefined behaviour.
int RoundHalfEven(double x, int fallback = 0);

}  // namespace kovalin
