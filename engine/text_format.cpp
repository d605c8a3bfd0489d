#include "engine/text_format.h"

#include <cmath>
#include <limits>

#include "engine/number_text.h"

namespace kovalin {

namespace {

bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Byte offset of the first character after the first k characters of s.
std::size_t ByteOffsetOfChar(std::string_view s, int k) {
  std::size_t i = 0;
  int seen = 0;
  while (i < s.size() && seen < k) {
    ++i;
    while (i < s.size() && IsContinuationByte(static_cast<unsigned char>(s[i]))) ++i;
    ++seen;
  }
  return i;
}

}  // namespace

int CharLength(std::string_view s) {
  int n = 0;
  for (const char c : s)
    if (!IsContinuationByte(static_cast<unsigned char>(c))) ++n;
  return n;
}

std::string LeftCut(std::string_view s, int k) {
  if (k <= 0) return {};
  return std::string(s.substr(0, ByteOffsetOfChar(s, k)));
}

std::string RightCut(std::string_view s, int k) {
  const int len = CharLength(s);
  if (k <= 0) return {};
  if (k >= len) return std::string(s);
  return std::string(s.substr(ByteOffsetOfChar(s, len - k)));
}

std::string PadLeft(std::string_view s, int w) {
  return RightCut(std::string(54, ' ') + std::string(s), w);
}

std::string PadLeftWhole(std::string_view s, int w) {
  const int len = CharLength(s);
  if (len >= w) return std::string(s);
  return std::string(static_cast<std::size_t>(w - len), ' ') + std::string(s);
}

std::string PadRight(std::string_view s, int w) {
  return LeftCut(std::string(s) + std::string(54, ' '), w);
}

std::string Trim(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return std::string(s.substr(b, e - b));
}

std::string Fixed(double x, int w, int d) {
  return PadLeftWhole(FixedNumber(x, d, kReportSpelling), w);
}

int RoundHalfEven(double x, int fallback) {
  if (!std::isfinite(x)) return fallback;
  const double r = std::nearbyint(x);  // the default rounding mode is to nearest, ties to even
  if (r < static_cast<double>(std::numeric_limits<int>::min()) ||
      r > static_cast<double>(std::numeric_limits<int>::max()))
    return fallback;
  return static_cast<int>(r);
}

}  // namespace kovalin
