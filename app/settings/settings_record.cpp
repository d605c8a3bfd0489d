#include "app/settings/settings_record.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace kovalin::app {

tSettingsRec ProgramSettings;
bool DefaultsPending = true;

namespace {

void PutInt32(tSettingsBytes& bytes, std::size_t at, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) {
    bytes[at + i] = static_cast<std::uint8_t>((bits >> (8 * i)) & 0xFFu);
  }
}

std::int32_t GetInt32(const tSettingsBytes& bytes, std::size_t at) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    bits |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
  }
  return static_cast<std::int32_t>(bits);
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

tSettingsBytes EncodeSettings(const tSettingsRec& record) {
  tSettingsBytes bytes{};
  PutInt32(bytes, 0, record.Iterations);
  PutInt32(bytes, 4, record.Tolerance);
  PutInt32(bytes, 8, record.Decimals);
  bytes[12] = record.RTFDocument;
  bytes[13] = record.CheckNewVersion;
  bytes[14] = record.reserved[0];
  bytes[15] = record.reserved[1];
  return bytes;
}

tSettingsRec DecodeSettings(const tSettingsBytes& bytes) {
  tSettingsRec record;
  record.Iterations = GetInt32(bytes, 0);
  record.Tolerance = GetInt32(bytes, 4);
  record.Decimals = GetInt32(bytes, 8);
  record.RTFDocument = bytes[12];
  record.CheckNewVersion = bytes[13];
  record.reserved = {bytes[14], bytes[15]};
  return record;
}

void FillSettingsBytes(tSettingsRec& record, const std::uint8_t* data, std::size_t size) {
  if (size > kSettingsRecSize) size = kSettingsRecSize;
  tSettingsBytes bytes = EncodeSettings(record);
  if (size > 0) std::memcpy(bytes.data(), data, size);
  record = DecodeSettings(bytes);
}

tFieldRange SettingsFieldRange(int tag) {
  switch (tag) {
    case kTagIterations: return {100, 10000000};
    case kTagTolerance: return {8, 20};
    case kTagDecimals: return {1, 9};
    default: return {};
  }
}

std::string ExponentText(double value) {
  if (!std::isfinite(value) || value == 0) return "0.00E+000";
  int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  double mantissa = value / std::pow(10.0, exponent);
  // Rounding to three digits can carry into the next power (9.996 -> 10.0).
  if (std::fabs(std::round(mantissa * 100) / 100) >= 10) {
    ++exponent;
    mantissa /= 10;
  }
  char digits[32];
  const auto [end, error] =
      std::to_chars(digits, digits + sizeof digits, mantissa, std::chars_format::fixed, 2);
  std::string text(digits, error == std::errc() ? end : digits);
  const int magnitude = exponent < 0 ? -exponent : exponent;
  std::string power = std::to_string(magnitude);
  if (power.size() < 3) power.insert(0, 3 - power.size(), '0');
  text += exponent < 0 ? "E-" : "E+";
  text += power;
  return text;
}

std::string SettingsStatusText(int tag) {
  const auto number = [](std::int32_t value) { return std::to_string(value); };
  const tFieldRange range = SettingsFieldRange(tag);
  switch (tag) {
    case kTagIterations:
      return "Maximum number of iterations (valid range: " + number(range.low) + " to " +
             ExponentText(range.high) + ")";
    case kTagTolerance:
      return "Zero tolerance (valid range: " + number(range.low) + " to " + number(range.high) +
             ")";
    case kTagDecimals:
      return "Decimal places showed in the results (valid range: " + number(range.low) + " to " +
             number(range.high) + ")";
    case kTagRichText:
      return "If checked the results are showed in Reach Text Format ";
    default:
      return {};
  }
}

std::optional<double> ParseNumberText(std::string_view text) {
  text = Trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return std::nullopt;
  double value = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

bool ValidateNumberText(std::string& text, int decimals, double low, double high) {
  const std::optional<double> value = ParseNumberText(text);
  if (!value || !(low <= *value && *value <= high)) return false;
  if (decimals < 0) decimals = 0;
  char digits[400];
  const auto [end, error] =
      std::to_chars(digits, digits + sizeof digits, *value, std::chars_format::fixed, decimals);
  if (error != std::errc()) return false;
  std::string formatted(digits, end);
  if (formatted.size() < 20) formatted.insert(0, 20 - formatted.size(), ' ');
  text = formatted;
  return true;
}

std::optional<std::int32_t> SettingsFieldValue(std::string_view text, int tag) {
  const tFieldRange range = SettingsFieldRange(tag);
  std::string copy(text);
  if (!ValidateNumberText(copy, 0, range.low, range.high)) return std::nullopt;
  text = Trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace kovalin::app
