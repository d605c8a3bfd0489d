#include "app/settings/settings_state.h"

#include "app/settings/settings_commands.h"
#include "app/shell/questions.h"

namespace kovalin::app {

bool KillregRequested(const QStringList& arguments) {
  return arguments.size() > 1 && arguments[1].toLower().contains(QLatin1String("killreg"));
}

tStoreResult StartSettings(const QStringList& arguments, tSettingsStore& store) {
  DefaultsPending = true;
  SetAsDefaultDeclined = false;
  tStoreResult result;
  if (KillregRequested(arguments)) {
    result = store.DeleteSettings();
    if (!result.ok) {
      ProgramSettings = tSettingsRec{};
      return result;
    }
  }
  if (!store.ReadSettings(kSettingsKey, kSettingsValueName, ProgramSettings)) {
    ProgramSettings = tSettingsRec{};
  }
  return result;
}

bool SetAsDefaultDeclined = false;

bool SetAsDefaultStartsTicked(bool storedRead) { return storedRead && !SetAsDefaultDeclined; }

bool ReloadSettings(tSettingsStore& store) {
  if (store.ReadSettings(kSettingsKey, kSettingsValueName, ProgramSettings)) return true;
  if (DefaultsPending) {
    ProgramSettings = tSettingsRec{};
    DefaultsPending = false;
  }
  return false;
}

QString StoreFailureText(const tStoreResult& result) {
  return QStringLiteral("The settings could not be stored in %1: %2.\n"
                        "They stay in effect until the program ends.")
      .arg(result.location, result.reason);
}

void ConfirmSettings(const tSettingsRec& values, bool setAsDefault, tSettingsStore& store) {
  ProgramSettings = values;
  SetAsDefaultDeclined = !setAsDefault;
  if (!setAsDefault) return;
  const tStoreResult result = store.WriteSettings(kSettingsKey, kSettingsValueName, values);
  if (!result.ok) ShowWarning(QStringLiteral("Settings"), StoreFailureText(result));
}

bool RichTextDocumentWanted() { return ProgramSettings.RTFDocument != 0; }

bool AutomaticVersionCheckWanted() { return ProgramSettings.CheckNewVersion != 0; }

void StartSettings(const QStringList& arguments) {
  const tStoreResult result = StartSettings(arguments, SettingsStore());
  if (!result.ok) {
    ShowWarning(QStringLiteral("Settings"),
                QStringLiteral("The stored settings could not be deleted from %1: %2.\n"
                               "The program starts with the default settings.")
                    .arg(result.location, result.reason));
  }
}

}  // namespace kovalin::app
