#include <gtest/gtest.h>

#include "app/settings/settings_record.h"

namespace kovalin::app {
namespace {

TEST(SettingsRecord, DefaultsAndTheirSixteenBytes) {
  const tSettingsBytes bytes = EncodeSettings(tSettingsRec{});
  const tSettingsBytes expected{0xE8, 0x03, 0, 0, 10, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0};
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(DecodeSettings(bytes), tSettingsRec{});
}

TEST(SettingsRecord, ValidateNumberText) {
  std::string text = " 150 ";
  EXPECT_TRUE(ValidateNumberText(text, 0, 100, 10000000));
  EXPECT_EQ(text, std::string(17, ' ') + "150");
  text = "0.25";
  EXPECT_TRUE(ValidateNumberText(text, 2, 0, 1));
  EXPECT_EQ(text.size(), 20u);
  EXPECT_EQ(text.substr(16), "0.25");

  // Bounds are inside; anything else leaves the text as typed.
  for (const char* bad : {"99", "10000001", "", "12a", "1,5", "nan", "inf", "0x20", "--5"}) {
    std::string typed = bad;
    EXPECT_FALSE(ValidateNumberText(typed, 0, 100, 10000000)) << bad;
    EXPECT_EQ(typed, bad);
  }
  text = "1e7";
  EXPECT_TRUE(ValidateNumberText(text, 0, 100, 10000000));
}

TEST(SettingsRecord, FieldValuesAreWholeNumbersInTheTagsRange) {
  EXPECT_EQ(SettingsFieldValue("10000000", kTagIterations), 10000000);
  EXPECT_EQ(SettingsFieldValue("+8", kTagTolerance), 8);
  EXPECT_EQ(SettingsFieldValue("9", kTagDecimals), 9);
  EXPECT_EQ(SettingsFieldValue("10", kTagDecimals), std::nullopt);
  EXPECT_EQ(SettingsFieldValue("7", kTagTolerance), std::nullopt);
  // In range as numbers, but no whole number to store.
  EXPECT_EQ(SettingsFieldValue("1500.5", kTagIterations), std::nullopt);
  EXPECT_EQ(SettingsFieldValue("1e3", kTagIterations), std::nullopt);
}

TEST(SettingsRecord, StatusHelpByTag) {
  EXPECT_EQ(SettingsStatusText(kTagIterations),
            "Maximum number of iterations (valid range: 100 to 1.00E+007)");
  EXPECT_EQ(SettingsStatusText(kTagTolerance), "Zero tolerance (valid range: 8 to 20)");
  EXPECT_EQ(SettingsStatusText(kTagDecimals),
            "Decimal places showed in the results (valid range: 1 to 9)");
  EXPECT_EQ(SettingsStatusText(kTagRichText),
            "If checked the results are showed in Reach Text Format ");
  EXPECT_EQ(SettingsStatusText(kTagNone), "");
  EXPECT_EQ(ExponentText(99960), "1.00E+005");
  EXPECT_EQ(ExponentText(0.00123), "1.23E-003");
}

}  // namespace
}  // namespace kovalin::app
