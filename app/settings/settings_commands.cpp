#include "app/settings/settings_commands.h"

namespace kovalin::app {

// The dialogs come next; until then neither command changes anything.
bool RunSettingsDialog(QWidget*) { return false; }
bool RunOptionsDialog(QWidget*) { return false; }

}  // namespace kovalin::app
