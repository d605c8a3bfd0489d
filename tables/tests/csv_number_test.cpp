#include "tables/csv_number.h"

#include <locale.h>

#include <gtest/gtest.h>

#include <charconv>
#include <string_view>

#include <cstdlib>
#include <optional>
#include <string>

namespace kovalin {
namespace {

struct NumberCase {
  const char* field;
  std::optional<double> value;  // nullopt: not a number (a label)
};

class CsvNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(CsvNumber, Grammar) {
  double v = -12345;
  const bool isNumber = ParseCsvNumber(GetParam().field, v);
  ASSERT_EQ(isNumber, GetParam().value.has_value()) << "field \"" << GetParam().field << "\"";
  if (isNumber) {
    EXPECT_DOUBLE_EQ(v, *GetParam().value) << GetParam().field;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CsvNumber,
    ::testing::Values(
        NumberCase{"1e3", 1000.0}, NumberCase{"3.", 3.0}, NumberCase{".", std::nullopt}, NumberCase{"0.5", 0.5},
        NumberCase{"0,5", 0.5}, NumberCase{",5", std::nullopt}, NumberCase{".5", 0.5},
        NumberCase{"12abc", std::nullopt}, NumberCase{"12 34", std::nullopt}, NumberCase{"-", std::nullopt},
        NumberCase{"abc", std::nullopt}, NumberCase{"  -2.5", -2.5}, NumberCase{"+7", 7.0},
        NumberCase{"- 1", std::nullopt}, NumberCase{"1.2.3", std::nullopt}, NumberCase{"1E", std::nullopt},
        NumberCase{"2E-2", 0.02}, NumberCase{"2e+2x", std::nullopt}, NumberCase{"E5", std::nullopt},
        NumberCase{"1E 5", std::nullopt}, NumberCase{"1e-", std::nullopt}, NumberCase{"1E4201", std::nullopt},
        NumberCase{"1E400", 1.7e308}, NumberCase{"-1E400", -1.7e308}, NumberCase{"1E-400", 0.0},
        NumberCase{"                0.90", 0.9}, NumberCase{"7-3", std::nullopt}, NumberCase{"2024-01-05", std::nullopt},
        NumberCase{" 0,25  ", 0.25}, NumberCase{"-.", std::nullopt}, NumberCase{"", std::nullopt},
        NumberCase{"   ", std::nullopt}, NumberCase{"00012", 12.0},
        NumberCase{"123456789012345678901234567890123456789012345678901234567890123456789", 1.2345678901234568e68}));

}  // namespace
}  // namespace kovalin

namespace kovalin {
namespace {

// The short-cut for plain decimals must give the correctly rounded value, as a
// full conversion does.
// The C library's reading in the C locale, whatever locale the test runs under.
double LibraryValue(std::string_view t) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  const std::string copy(t);
  return strtod_l(copy.c_str(), nullptr, cLocale);
}

TEST(CsvNumberConversion, PlainDecimalsMatchTheLibraryConversion) {
  const char* texts[] = {"0.1", "0.8014", "123456789012345", "1234567890123456", "99999999999999.9",
                         "0.000000000000001", "3.14159265358979", "12.", "7", "0.3", "2.675"};
  for (const char* t : texts) {
    double ours = 0;
    ASSERT_TRUE(ParseCsvNumber(t, ours)) << t;
    EXPECT_EQ(ours, LibraryValue(t)) << t;
  }
  unsigned seed = 7;
  for (int i = 0; i < 2000; ++i) {
    seed = seed * 1103515245u + 12345u;
    const std::string t = std::to_string(seed % 100000) + "." + std::to_string(seed % 9973);
    double ours = 0;
    ASSERT_TRUE(ParseCsvNumber(t, ours));
    EXPECT_EQ(ours, LibraryValue(t)) << t;
  }
}

// Long texts and subnormal values: every digit counts, and the value is the
// correctly rounded one, as the C library reads it.
TEST(CsvNumberConversion, LongAndTinyNumbersAreReadExactly) {
  const std::string ones(61, '1');
  const std::string zeros(70, '0');
  const std::string texts[] = {ones + ".5",        ones + "." + ones,   "0." + zeros + "1",
                               "0." + zeros + "123e20", std::string(300, '9') + ".0", "1e-308",
                               "4.9e-324",        "2.5e-320",          "0.0001e-305"};
  for (const std::string& t : texts) {
    double ours = 0;
    ASSERT_TRUE(ParseCsvNumber(t, ours)) << t;
    EXPECT_EQ(ours, LibraryValue(t)) << t;
  }
  // Beyond the range the value is limited, whatever the number of digits.
  double v = 0;
  ASSERT_TRUE(ParseCsvNumber(std::string(400, '9') + ".5", v));
  EXPECT_EQ(v, 1.7e308);
  ASSERT_TRUE(ParseCsvNumber("0." + std::string(400, '0') + "1", v));
  EXPECT_EQ(v, 0.0);
  ASSERT_TRUE(ParseCsvNumber("0." + std::string(400, '0') + "1e500", v));
  EXPECT_EQ(v, 1e99);
}

}  // namespace
}  // namespace kovalin
