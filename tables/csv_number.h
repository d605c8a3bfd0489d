#pragma once

#include <string_view>

namespace kovalin {

// The number grammar of delimited-text import. Leading and trailing blanks, a
// sign, digits, a decimal point, digits, "E", an exponent sign and exponent
// digits are accepted, and nothing else: "12abc", "12 34", "1E" and
// "2024-01-05" are not numbers, so that a field is never read as its leading
// digits. "-", "abc", "." and "1.2.3" are not numbers; "3." is 3. A leading
// point must be the system separator (here "."), so ",5" is not a number;
// after a digit a comma also serves as the point, so "0,5" is 0.5. Exponents
// beyond 4200 make the field not a number; the value is limited to
// -1.7E308..1.7E308.
bool ParseCsvNumber(std::string_view field, double& value);

// How the export writes a missing cell.
inline constexpr std::string_view kMissingText = "NA";

// A field that reads as a missing cell: empty or blank, or (blanks around it
// and letter case aside) "NA" (R), "NaN", "." (SAS, Stata), "N/A" (our
// reports) or "-nan-" (our grid).
bool IsMissingSpelling(std::string_view field);

}  // namespace kovalin
