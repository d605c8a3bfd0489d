#include "tables/csv_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace kovalin {

namespace {

constexpr double kLimit = 1.7e308;
constexpr int kMaxExponent = 4200;
constexpr char kSystemPoint = '.';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where the first significant digit of digits with an optional point stands:
// 2 for "12.5", 0 for "0.5", -2 for "0.005"; 0 when every digit is zero.
long DecimalMagnitude(const std::string& mantissa) {
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_not_of("0.");
  if (first == std::string::npos) return 0;
  if (first < point) return static_cast<long>(point - first);
  return -static_cast<long>(first - point - 1);
}

}  // namespace

bool IsMissingSpelling(std::string_view field) {
  std::size_t first = 0;
  while (first < field.size() && field[first] == ' ') ++first;
  std::size_t last = field.size();
  while (last > first && field[last - 1] == ' ') --last;
  const std::string_view t = field.substr(first, last - first);
  auto is = [&](std::string_view word) {
    if (t.size() != word.size()) return false;
    for (std::size_t k = 0; k < t.size(); ++k) {
      char c = t[k];
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      if (c != word[k]) return false;
    }
    return true;
  };
  return t.empty() || is(kMissingText) || is("NAN") || is(".") || is("N/A") || is("-NAN-");
}

bool ParseCsvNumber(std::string_view field, double& value) {
  // Leading blanks keep the start state; exported files pad every value with them.
  std::size_t start = 0;
  while (start < field.size() && field[start] == ' ') ++start;
  field.remove_prefix(start);
  // Fast path: digits with an optional point and fraction, 15 digits at most
  // in all. The digits as an integer and the power of ten are both exact, so
  // their quotient is the correctly rounded value.
  if (!field.empty() && field.size() <= 16) {
    static constexpr double kPowers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                         1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};
    long long n = 0;
    std::size_t k = 0;
    int digits = 0;
    while (k < field.size() && IsDigit(field[k])) { n = n * 10 + (field[k++] - '0'); ++digits; }
    int fraction = 0;
    if (digits > 0 && k < field.size() && field[k] == '.') {
      ++k;
      while (k < field.size() && IsDigit(field[k])) { n = n * 10 + (field[k++] - '0'); ++fraction; }
    }
    if (k == field.size() && digits > 0 && digits + fraction <= 15) {
      value = static_cast<double>(n) / kPowers[fraction];
      return true;
    }
  }
  // Accepted characters, rebuilt for from_chars: "-", digits, ".", "e", sign, digits.
  // Every digit is kept: from_chars rounds a mantissa of any length correctly.
  std::string mantissa;
  mantissa.reserve(field.size() + 2);
  bool negative = false;
  long exponent = 0;
  bool exponentNegative = false;
  bool inExponent = false;
  int state = 1;
  auto push = [&](char c) {
    if (state == 3 && mantissa == "0" && c != '.') {
      mantissa[0] = c;  // leading zeros carry nothing
    } else {
      mantissa += c;
    }
  };
  int mantissaDigits = 0;
  std::size_t i = 0;
  for (; i <= field.size(); ++i) {
    const bool atEnd = i == field.size();
    char c = atEnd ? '\0' : field[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const bool digit = IsDigit(c);
    if (digit && state <= 5) ++mantissaDigits;
    const bool point = c == kSystemPoint || (c == ',' && state != 1 && state != 2);
    const bool blank = c == ' ';
    const bool sign = c == '+' || c == '-';
    const bool expo = c == 'E';
    bool finished = false;
    switch (state) {
      case 1:
        if (point) { push('.'); state = 4; }
        else if (blank) {}
        else if (sign) { negative = c == '-'; state = 2; }
        else if (digit) { push(c); state = 3; }
        else return false;
        break;
      case 2:
        if (c == kSystemPoint) { push('.'); state = 4; }
        else if (digit) { push(c); state = 3; }
        else return false;
        break;
      case 3:
        if (point) { push('.'); state = 4; }
        else if (digit) { push(c); }
        else if (expo) { state = 6; }
        else finished = true;
        break;
      case 4:
      case 5:
        if (point) return false;
        if (digit) { push(c); state = 5; }
        else if (expo) { state = 6; }
        else finished = true;
        break;
      case 6:
        if (sign) { exponentNegative = c == '-'; state = 7; }
        else if (digit) { exponent = c - '0'; inExponent = true; state = 8; }
        else if (point || blank || expo) return false;
        else finished = true;
        break;
      case 7:
        if (digit) { exponent = c - '0'; inExponent = true; state = 8; }
        else if (atEnd || !(point || blank || sign || expo)) finished = true;
        else return false;
        break;
      case 8:
        if (digit) {
          exponent = exponent * 10 + (c - '0');
          if (exponent > kMaxExponent) return false;
        } else {
          finished = true;
        }
        break;
      default:
        return false;
    }
    if (finished || atEnd) break;
  }
  if (state == 1 || state == 2 || mantissaDigits == 0) return false;
  // The number must be the whole field: "12abc" or a date is a text, not its leading digits.
  if (state == 6 || state == 7) return false;
  for (; i < field.size(); ++i) {
    if (field[i] != ' ') return false;
  }
  // A text ending in the point gets a "0".
  if (!mantissa.empty() && mantissa.back() == '.') mantissa += '0';
  // "0" in front, so that from_chars reads ".5" and "." alike.
  if (!mantissa.empty() && mantissa[0] == '.') mantissa.insert(mantissa.begin(), '0');
  const long totalExponent = inExponent ? (exponentNegative ? -exponent : exponent) : 0;
  std::string text = mantissa;
  if (totalExponent != 0) {
    text += 'e';
    text += std::to_string(totalExponent);
  }
  double v = 0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    v = DecimalMagnitude(mantissa) + totalExponent > 0 ? kLimit : 0.0;
  } else if (res.ec != std::errc()) {
    return false;
  }
  if (v > kLimit) v = kLimit;
  if (negative) v = -v;
  value = v;
  return true;
}

}  // namespace kovalin
