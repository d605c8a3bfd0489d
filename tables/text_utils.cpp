#include "tables/text_utils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "engine/number_text.h"

namespace kovalin {

namespace {

// Length in bytes of the UTF-8 character starting at s[i]; 1 for invalid bytes.
std::size_t CharBytes(std::string_view s, std::size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  std::size_t n = 1;
  if (c >= 0xC2 && c <= 0xDF) n = 2;
  else if (c >= 0xE0 && c <= 0xEF) n = 3;
  else if (c >= 0xF0 && c <= 0xF4) n = 4;
  if (n == 1 || i + n > s.size()) return 1;
  for (std::size_t k = 1; k < n; ++k) {
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
  }
  return n;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string Utf8Prefix(std::string_view s, int n) {
  std::size_t i = 0;
  for (int count = 0; count < n && i < s.size(); ++count) i += CharBytes(s, i);
  return std::string(s.substr(0, i));
}

int Utf8Length(std::string_view s) {
  int count = 0;
  for (std::size_t i = 0; i < s.size(); i += CharBytes(s, i)) ++count;
  return count;
}

std::string ToUpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string PadNumber(std::string_view s, int width) {
  const int len = Utf8Length(s);
  if (len >= width) return std::string(s);
  return std::string(static_cast<std::size_t>(width - len), ' ') + std::string(s);
}

std::string FixedText(double x, int d) {
  return FixedNumber(x, std::clamp(d, 0, 30), kPlainSpelling);
}

bool ParseStrictDecimal(std::string_view text, double& value) {
  text = TrimBlanks(text);
  std::string buf;
  buf.reserve(text.size());
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') buf += '-';
    ++i;
  }
  int mantissaDigits = 0;
  if (i < text.size() && text[i] == '.') buf += '0';  // from_chars wants a digit before the point
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') { buf += text[i++]; ++mantissaDigits; }
  if (i < text.size() && text[i] == '.') {
    buf += '.';
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') { buf += text[i++]; ++mantissaDigits; }
  }
  if (mantissaDigits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    buf += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) buf += text[i++];
    int expDigits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') { buf += text[i++]; ++expDigits; }
    if (expDigits == 0) return false;
  }
  if (i != text.size()) return false;
  if (buf.back() == '.') buf += '0';
  double v = 0;
  const auto res = std::from_chars(buf.data(), buf.data() + buf.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    // Underflow reads as 0; overflow is not a number we can hold.
    const bool overflow = std::string_view(buf).find("e-") == std::string_view::npos;
    if (overflow) return false;
    v = 0;
  } else if (res.ec != std::errc() || res.ptr != buf.data() + buf.size() || !std::isfinite(v)) {
    return false;
  }
  value = v;
  return true;
}

}  // namespace kovalin
