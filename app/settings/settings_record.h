#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kovalin::app {

inline constexpr std::size_t kSettingsRecSize = 16;
using tSettingsBytes = std::array<std::uint8_t, kSettingsRecSize>;

// The program settings, stored as one 16-byte little-endian binary value.
struct tSettingsRec {
  std::int32_t Iterations = 1000;    // iterations of numerical procedures (100 to 10000000)
  std::int32_t Tolerance = 10;       // exponent k of the zero tolerance 1.0E-k (8 to 20)
  std::int32_t Decimals = 3;         // decimal places shown in results (1 to 9)
  std::uint8_t RTFDocument = 1;      // 1: results documents propose rich text when saved
  std::uint8_t CheckNewVersion = 0;  // 1: look for a new version at start
  std::array<std::uint8_t, 2> reserved{};  // kept as read, written back as held

  bool operator==(const tSettingsRec&) const = default;
};

tSettingsBytes EncodeSettings(const tSettingsRec& record);
tSettingsRec DecodeSettings(const tSettingsBytes& bytes);
// A stored value of `size` bytes (1 to 16) replaces only its own bytes of the record.
void FillSettingsBytes(tSettingsRec& record, const std::uint8_t* data, std::size_t size);

// The process-wide record, from program start to exit, and whether the Settings
// dialog may still put the defaults into it when the store holds nothing.
extern tSettingsRec ProgramSettings;
extern bool DefaultsPending;

// Tags of the Settings dialog's controls; they choose the status help and the ranges.
enum tSettingsTag : int {
  kTagNone = 0,
  kTagIterations = 1,
  kTagTolerance = 2,
  kTagDecimals = 3,
  kTagRichText = 4,
};

struct tFieldRange {
  std::int32_t low = 0;
  std::int32_t high = 0;
};
// The valid range of the numeric field with this tag (1 to 3).
tFieldRange SettingsFieldRange(int tag);

// The status help shown while the pointer is over a control with this tag.
std::string SettingsStatusText(int tag);

// "1.00E+007": three significant digits and a three-digit exponent.
std::string ExponentText(double value);

// The whole text (spaces around it allowed) as a finite number, point as decimal
// separator whatever the locale; nothing when it is not one.
std::optional<double> ParseNumberText(std::string_view text);

// True when the whole text is a number with low <= value <= high; the text is then
// replaced by the value right-aligned in 20 characters with `decimals` decimals.
bool ValidateNumberText(std::string& text, int decimals, double low, double high);

// The value of a numeric settings field, when its text is a whole number in range.
// A number with a fraction ("1500.5") is no iteration count and gives nothing.
std::optional<std::int32_t> SettingsFieldValue(std::string_view text, int tag);

}  // namespace kovalin::app
