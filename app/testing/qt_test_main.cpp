#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/shell/number_locale.h"
#include "app/testing/scripted_questions.h"

// One application object for all cases. No case may reach the machine's settings
// store: both scopes point into a folder that is removed when the program ends.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QStandardPaths::setTestModeEnabled(true);
  QTemporaryDir settingsDir;
  QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, settingsDir.path() + "/system");
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path() + "/user");
  QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, settingsDir.path() + "/system");
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path() + "/user");

  QApplication app(argc, argv);
  // As the program does.
  kovalin::app::KeepPointDecimalNumbers();
  // Any question a case did not answer in advance fails that case instead of blocking.
  kovalin::app::tScriptedQuestions questions;
  kovalin::app::SetQuestions(&questions);
  ::testing::InitGoogleTest(&argc, argv);
  const int status = RUN_ALL_TESTS();
  kovalin::app::SetQuestions(nullptr);
  return status;
}
