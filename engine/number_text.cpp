#include "engine/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace kovalin {

namespace {

// Digits before the point of the largest double, a sign and the point.
constexpr std::size_t kIntegerRoom = 312;
// Beyond the 1074 decimals of the smallest subnormal every further digit is 0.
constexpr int kMaxDecimals = 1100;

std::string NonFinite(double x, const tNonFiniteSpelling& spelling) {
  if (std::isnan(x)) return std::string(spelling.nan);
  return std::string(x > 0 ? spelling.positiveInfinity : spelling.negativeInfinity);
}

std::string Format(double x, int decimals, std::chars_format format) {
  const int d = std::clamp(decimals, 0, kMaxDecimals);
  std::string text(kIntegerRoom + static_cast<std::size_t>(d), '\0');
  const auto res = std::to_chars(text.data(), text.data() + text.size(), x, format, d);
  text.resize(res.ec == std::errc() ? static_cast<std::size_t>(res.ptr - text.data()) : 0);
  return text;
}

}  // namespace

std::string FixedNumber(double x, int decimals, const tNonFiniteSpelling& spelling) {
  if (!std::isfinite(x)) return NonFinite(x, spelling);
  std::string text = Format(x, decimals, std::chars_format::fixed);
  // "-0.000" is written as zero.
  if (!text.empty() && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
    text.erase(0, 1);
  return text;
}

std::string ScientificNumber(double x, int decimals, const tNonFiniteSpelling& spelling) {
  if (!std::isfinite(x)) return NonFinite(x, spelling);
  std::string text = Format(x, decimals, std::chars_format::scientific);
  for (char& c : text)
    if (c == 'e') c = 'E';
  return text;
}

std::optional<double> ParseNumber(std::string_view text) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  // from_chars takes a minus but not a plus; "+-1" stays refused.
  if (first != last && *first == '+' && last - first > 1 && first[1] != '-') ++first;
  double v = 0;
  const auto res = std::from_chars(first, last, v, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != last) return std::nullopt;
  return v;
}

std::optional<long long> ParseWholeNumber(std::string_view text) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+' && last - first > 1 && first[1] != '-') ++first;
  long long v = 0;
  const auto res = std::from_chars(first, last, v);
  if (res.ec != std::errc() || res.ptr != last) return std::nullopt;
  return v;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string AsciiUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

}  // namespace kovalin
