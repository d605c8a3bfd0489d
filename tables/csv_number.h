#pragma once

#include <string_view>

namespace kovalin {

// The number grammar of delimited-text import. Leading blanks, a sign, digits,
// a decimal point, digits, "E", an exponent sign and exponent digits are
// accepted; the number ends at the first character that cannot continue it, so
// "12abc" and "12 34" are 12. "-", "abc" and "1.2.3" are not numbers, "." is 0
// and "3." is 3. A leading point must be the system separator (here "."), so
// ",5" is not a number; after a digit a comma also serves as the point, so
// "0,5" is 0.5. Exponents beyond 4200 make the field not a number; the value is
// limited to -1.7E308..1.7E308.
bool ParseCsvNumber(std::string_view field, double& value);

}  // namespace kovalin
