#include "app/settings/settings_commands.h"

#include "app/settings/options_commands.h"
#include "app/settings/options_dialog.h"
#include "app/settings/settings_dialog.h"

namespace kovalin::app {

bool RunSettingsDialog(QWidget* parent) {
  TForm_Orsino_Cnf dialog(parent, SettingsStore());
  return dialog.exec() == QDialog::Accepted;
}

bool RunOptionsDialog(QWidget* parent, tOptionsVariant variant) {
  TFMethods dialog(parent, variant);
  return dialog.exec() == QDialog::Accepted;
}

bool RunOptionsDialog(QWidget* parent) {
  return RunOptionsDialog(parent, tOptionsVariant::Ordinary);
}

void OptionsBeforeAnalysis(QWidget* parent) {
  if (!FirstAnalysisPending) return;
  FirstAnalysisPending = false;
  RunOptionsDialog(parent, tOptionsVariant::Ordinary);
}

void OptionsBeforeSimulation(QWidget* parent) {
  if (!FirstSimulationPending) return;
  FirstSimulationPending = false;
  RunOptionsDialog(parent, tOptionsVariant::Simulation);
}

}  // namespace kovalin::app
