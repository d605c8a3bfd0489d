#include <cstdio>

#include <QApplication>

#include "app/results/results_commands.h"
#include "app/settings/settings_commands.h"
#include "app/shell/main_window.h"
#include "app/shell/number_locale.h"
#include "app/views/table_registration.h"

namespace {

// Qt aborts without a display; say instead how to go on.
bool DisplayMissing() {
  return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
         qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
  if (DisplayMissing()) {
    std::fputs("kovalin: no display (DISPLAY and WAYLAND_DISPLAY are not set): start it from a "
               "desktop session, under a virtual display with 'xvfb-run ./run', or use the "
               "command line program instead ('./run --help' lists its commands)\n",
               stderr);
    return 1;
  }
  QApplication app(argc, argv);
  kovalin::app::KeepPointDecimalNumbers();
  QApplication::setApplicationName("Kovalin");
  QApplication::setOrganizationName("Quillon");
  // Before the window: "killreg" as first argument deletes the stored settings.
  kovalin::app::StartSettings(QApplication::arguments());
  kovalin::app::TFMain window;
  kovalin::app::ConnectTableCommands(window, QApplication::arguments());
  kovalin::app::ConnectResultsCommands(window);
  window.show();
  return QApplication::exec();
}
