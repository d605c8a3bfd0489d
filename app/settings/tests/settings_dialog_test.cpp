#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/settings/settings_commands.h"
#include "app/settings/settings_dialog.h"
#include "app/settings/settings_state.h"
#include "app/testing/scripted_questions.h"

namespace kovalin::app {
namespace {

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ScriptedQuestions().Reset();
    ProgramSettings = tSettingsRec{};
    DefaultsPending = true;
    SetAsDefaultDeclined = false;
  }
  void Hover(QWidget* widget) {
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(widget, &enter);
  }

  QTemporaryDir dir_;
  tQSettingsStore store_{dir_.filePath("SOFTWARE.conf")};
};

TEST_F(SettingsDialogTest, FieldsStatusHelpAndTheOkButton) {
  tSettingsRec stored;
  stored.Iterations = 2500;
  stored.Tolerance = 14;
  stored.RTFDocument = 0;
  ASSERT_TRUE(store_.WriteSettings(kSettingsKey, kSettingsValueName, stored).ok);

  TForm_Orsino_Cnf dialog(nullptr, store_);
  dialog.show();
  EXPECT_EQ(dialog.Field(kTagIterations)->text(), "2500");
  EXPECT_EQ(dialog.Field(kTagTolerance)->text(), "14");
  EXPECT_EQ(dialog.Field(kTagDecimals)->text(), "3");
  EXPECT_FALSE(dialog.RichTextBox()->isChecked());
  EXPECT_TRUE(dialog.SetAsDefaultBox()->isChecked());
  EXPECT_EQ(dialog.StatusText(), "");

  Hover(dialog.RichTextBox());
  EXPECT_EQ(dialog.StatusText(), "If checked the results are showed in Reach Text Format ");
  Hover(dialog.OkButton());
  EXPECT_EQ(dialog.StatusText(), "");

  // The OK button follows the field edited last...
  dialog.Field(kTagIterations)->setText("99");
  EXPECT_FALSE(dialog.OkButton()->isEnabled());
  EXPECT_EQ(dialog.StatusText(), "Maximum number of iterations (valid range: 100 to 1.00E+007)");
  dialog.Field(kTagDecimals)->setText("9");
  EXPECT_TRUE(dialog.OkButton()->isEnabled());
  // ...but OK does not take a record with an invalid field in it.
  dialog.OkButton()->click();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(ProgramSettings.Iterations, 2500);
  EXPECT_FALSE(dialog.OkButton()->isEnabled());

  dialog.Field(kTagIterations)->setText("10000000");
  dialog.OkButton()->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  tSettingsRec reread;
  ASSERT_TRUE(store_.ReadSettings(kSettingsKey, kSettingsValueName, reread));
  EXPECT_EQ(reread.Iterations, 10000000);
  EXPECT_EQ(reread.Decimals, 9);
  EXPECT_EQ(reread, ProgramSettings);
  EXPECT_TRUE(ScriptedQuestions().Messages().isEmpty());
}

TEST_F(SettingsDialogTest, TheVersionBoxAsksToStoreAndIsReadAtStart) {
  {
    TForm_Orsino_Cnf dialog(nullptr, store_);
    dialog.show();
    EXPECT_FALSE(dialog.SetAsDefaultBox()->isChecked());
    dialog.VersionBox()->click();
    dialog.VersionBox()->click();
    EXPECT_TRUE(dialog.SetAsDefaultBox()->isChecked());
    dialog.VersionBox()->click();
    dialog.accept();
  }
  ProgramSettings = tSettingsRec{};
  StartSettings({"kovalin"}, store_);
  EXPECT_TRUE(AutomaticVersionCheckWanted());
  EXPECT_TRUE(RichTextDocumentWanted());
}

// The user unticked "Set as default options" and pressed OK: the next opening
// must not tick it again, or its OK would write the machine-wide store unasked.
TEST_F(SettingsDialogTest, AnUntickedDefaultBoxStaysUntickedAtTheNextOpening) {
  tSettingsRec stored;
  stored.Iterations = 2500;
  ASSERT_TRUE(store_.WriteSettings(kSettingsKey, kSettingsValueName, stored).ok);
  {
    TForm_Orsino_Cnf dialog(nullptr, store_);
    dialog.show();
    ASSERT_TRUE(dialog.SetAsDefaultBox()->isChecked());  // the stored record was read
    dialog.SetAsDefaultBox()->setChecked(false);
    dialog.Field(kTagIterations)->setText("5000");
    dialog.OkButton()->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
  }
  {
    TForm_Orsino_Cnf dialog(nullptr, store_);
    dialog.show();
    EXPECT_FALSE(dialog.SetAsDefaultBox()->isChecked());
    dialog.OkButton()->click();
  }
  tSettingsRec reread;
  ASSERT_TRUE(store_.ReadSettings(kSettingsKey, kSettingsValueName, reread));
  EXPECT_EQ(reread.Iterations, 2500);
  // Ticking it again at an OK stores, and the box is ticked from then on.
  {
    TForm_Orsino_Cnf dialog(nullptr, store_);
    dialog.show();
    dialog.SetAsDefaultBox()->setChecked(true);
    dialog.Field(kTagIterations)->setText("7000");
    dialog.OkButton()->click();
  }
  TForm_Orsino_Cnf dialog(nullptr, store_);
  EXPECT_TRUE(dialog.SetAsDefaultBox()->isChecked());
  ASSERT_TRUE(store_.ReadSettings(kSettingsKey, kSettingsValueName, reread));
  EXPECT_EQ(reread.Iterations, 7000);
}

}  // namespace
}  // namespace kovalin::app
