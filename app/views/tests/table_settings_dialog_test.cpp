#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/views/table_settings_dialog.h"

namespace kovalin::app {
namespace {

TEST(TableSettingsDialog, InputFormatControlsFollowTheFileAndFormatChoices) {
  TFTable_Settings dialog;
  dialog.open();
  EXPECT_EQ(dialog.windowTitle(), "Open or create data table");
  EXPECT_TRUE(dialog.NewFileChoice()->isChecked());
  EXPECT_TRUE(dialog.Parametrization()->isEnabled());
  EXPECT_EQ(dialog.Options().InputType, itParamsPV);

  dialog.RawChoice()->setChecked(true);
  EXPECT_FALSE(dialog.Parametrization()->isEnabled());
  EXPECT_EQ(dialog.Options().InputType, itRawData);
  dialog.ParametersChoice()->setChecked(true);
  dialog.Parametrization()->setCurrentRow(1);
  EXPECT_EQ(dialog.Options().InputType, itParamsS);

  dialog.OpenFileChoice()->setChecked(true);
  EXPECT_FALSE(dialog.RawChoice()->isEnabled());
  EXPECT_FALSE(dialog.Parametrization()->isEnabled());
  EXPECT_FALSE(dialog.Options().FileNew);

  dialog.Parametrization()->clearSelection();
  EXPECT_FALSE(dialog.OkButton()->isEnabled());

  dialog.TitleEdit()->setText(" Trial ");
  EXPECT_EQ(dialog.Options().title, " Trial ");
  dialog.reject();
}

TEST(TableSettingsDialog, HintsFollowTheMouse) {
  TFTable_Settings dialog;
  dialog.show();
  QEvent enter(QEvent::Enter);
  QCoreApplication::sendEvent(dialog.TitleEdit(), &enter);
  EXPECT_EQ(dialog.Hint(), TFTable_Settings::kTitleHint);
  QCoreApplication::sendEvent(dialog.OkButton(), &enter);
  EXPECT_EQ(dialog.Hint(), TFTable_Settings::kOkHint);
  QCoreApplication::sendEvent(dialog.RawChoice(), &enter);
  EXPECT_EQ(dialog.Hint(), "");
}

TEST(TableSettingsDialog, BothParametrizationsAreShownWhole) {
  TFTable_Settings dialog;
  dialog.show();
  QListWidget* list = dialog.Parametrization();
  const QRect shown = list->viewport()->rect();
  for (int row = 0; row < 2; ++row) {
    const QRect item = list->visualItemRect(list->item(row));
    EXPECT_TRUE(shown.contains(item.topLeft()) && shown.bottom() >= item.bottom()) << "row " << row;
    EXPECT_GE(shown.width(), list->sizeHintForColumn(0)) << "row " << row;
  }
  dialog.reject();
}

}  // namespace
}  // namespace kovalin::app
