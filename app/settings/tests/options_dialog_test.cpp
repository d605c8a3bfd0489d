#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include "app/settings/num_io2.h"
#include "app/settings/options_dialog.h"
#include "engine/app_options.h"

namespace kovalin::app {
namespace {

class OptionsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppOptions();
    SimOutDecimals = kInitialSimOutDecimals;
    SimOutWidth = kInitialSimOutWidth;
  }
  void TearDown() override { SetUp(); }

  static std::vector<bool> Ticks(const TFMethods& dialog) {
    std::vector<bool> ticks;
    for (int i = 0; i < kMethodCount; ++i) ticks.push_back(dialog.MethodBox(i)->isChecked());
    return ticks;
  }
};

TEST_F(OptionsDialogTest, CancelLeavesAlphaAtFivePercentAndFourDecimals) {
  AppOptions.alfa_level = 0.01;
  AppOptions.decimals = 7;
  AppOptions.fulloutput = true;
  SimOutDecimals = 9;
  TFMethods dialog(nullptr, tOptionsVariant::Ordinary);
  dialog.show();
  EXPECT_TRUE(dialog.AlphaButton(tAlphaChoice::Alpha005)->isChecked());
  EXPECT_EQ(dialog.DecimalsField()->value(), 4);
  EXPECT_TRUE(dialog.FullOutputBox()->isEnabled());
  EXPECT_TRUE(dialog.FullOutputBox()->isChecked());
  dialog.AlphaButton(tAlphaChoice::Alpha010)->click();
  dialog.MethodButton(tMethodButton::ClearAll)->click();
  dialog.reject();

  EXPECT_EQ(AppOptions.alfa_level, 0.05);
  EXPECT_EQ(AppOptions.decimals, 4);
  EXPECT_EQ(SimOutDecimals, 4);
  EXPECT_TRUE(AppOptions.Methods[1]);
  EXPECT_TRUE(AppOptions.fulloutput);
}

TEST_F(OptionsDialogTest, OkTakesTheFormAndDecimalsNineGiveWidthFifteen) {
  AppOptions.za = 2.5;
  AppOptions.maxsamples = 300;
  TFMethods dialog(nullptr, tOptionsVariant::Ordinary);
  dialog.show();
  // The later twelve open unticked whatever the options hold.
  std::vector<bool> expected(kMethodCount, false);
  std::fill(expected.begin(), expected.begin() + kMethodsShownFromOptions, true);
  EXPECT_EQ(Ticks(dialog), expected);

  EXPECT_EQ(dialog.CorrectionField()->text(), "0.0500");
  dialog.CorrectionField()->clear();
  QTest::keyClicks(dialog.CorrectionField(), "1.x25");  // the letter is refused
  EXPECT_EQ(dialog.CorrectionField()->text(), "1.25");
  EXPECT_TRUE(dialog.CorrectionField()->Warning());
  dialog.DecimalsField()->setValue(9);
  dialog.AlphaButton(tAlphaChoice::Alpha001)->click();
  dialog.ExtendedOutputBox()->setChecked(true);
  EXPECT_FALSE(dialog.NpvOutputBox()->isChecked());
  dialog.NpvOutputBox()->setChecked(true);
  dialog.MethodBox(1)->setChecked(false);
  dialog.OkButton()->click();

  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(SimOutDecimals, 9);
  EXPECT_EQ(SimOutWidth, 15);
  EXPECT_EQ(AppOptions.decimals, 9);
  EXPECT_EQ(AppOptions.epsilon, 1.25);  // out of range, shown in warning colours, still taken
  EXPECT_EQ(AppOptions.alfa_level, 0.01);
  EXPECT_TRUE(AppOptions.extendedoutput);
  EXPECT_TRUE(AppOptions.npvoutput);
  EXPECT_TRUE(AppOptions.Methods[1]);
  EXPECT_FALSE(AppOptions.Methods[2]);
  EXPECT_TRUE(AppOptions.Methods[9]);
  for (int method = 10; method <= kMethodCount; ++method) EXPECT_FALSE(AppOptions.Methods[method]);
  EXPECT_EQ(AppOptions.za, 2.5);
  EXPECT_EQ(AppOptions.maxsamples, 300);
}

TEST_F(OptionsDialogTest, SimulationVariantNeverStoresFullOutput) {
  AppOptions.fulloutput = true;
  AppOptions.alfa_level = 0.10;
  AppOptions.extendedoutput = true;
  TFMethods dialog(nullptr, tOptionsVariant::Simulation);
  dialog.show();
  // The extended block belongs to analyses: shown, not changeable, kept.
  EXPECT_FALSE(dialog.ExtendedOutputBox()->isEnabled());
  EXPECT_TRUE(dialog.ExtendedOutputBox()->isChecked());
  EXPECT_FALSE(dialog.FullOutputBox()->isEnabled());
  EXPECT_FALSE(dialog.FullOutputBox()->isChecked());
  QTest::mouseClick(dialog.FullOutputBox(), Qt::LeftButton);
  EXPECT_FALSE(dialog.FullOutputBox()->isChecked());
  dialog.accept();
  EXPECT_FALSE(AppOptions.fulloutput);
  EXPECT_TRUE(AppOptions.extendedoutput);
  EXPECT_EQ(AppOptions.alfa_level, 0.05);
}

TEST_F(OptionsDialogTest, MethodButtonsAndTheDecimalsLeavingRule) {
  TFMethods dialog(nullptr, tOptionsVariant::Ordinary);
  dialog.show();
  dialog.MethodButton(tMethodButton::R)->click();
  std::vector<bool> rOnly(kMethodCount, true);
  rOnly[0] = rOnly[1] = rOnly[2] = false;
  EXPECT_EQ(Ticks(dialog), rOnly);
  dialog.MethodButton(tMethodButton::Invert)->click();
  dialog.MethodBox(20)->setChecked(true);
  dialog.MethodButton(tMethodButton::Invert)->click();
  rOnly[20] = false;
  EXPECT_EQ(Ticks(dialog), rOnly);
  dialog.MethodButton(tMethodButton::D)->click();
  std::vector<bool> dOnly(kMethodCount, false);
  dOnly[0] = dOnly[1] = dOnly[2] = true;
  EXPECT_EQ(Ticks(dialog), dOnly);

  // Typed past the range, the field becomes 4 when it is left or the dialog is confirmed.
  auto* text = dialog.DecimalsField()->findChild<QLineEdit*>();
  dialog.DecimalsField()->setValue(12);
  text->selectAll();
  QTest::keyClicks(text, "20");
  EXPECT_EQ(dialog.Form().decimals, 4);
  text->selectAll();
  QTest::keyClicks(text, "0");
  dialog.DecimalsField()->interpretText();
  EXPECT_EQ(dialog.DecimalsField()->value(), 4);
  EXPECT_EQ(DecimalsOnLeave(14), 14);
  EXPECT_EQ(DecimalsOnLeave(15), 4);
}

}  // namespace
}  // namespace kovalin::app
