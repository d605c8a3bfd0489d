#pragma once

#include <functional>

namespace kovalin::app {

class TFMain;
class tSimulationLaunch;

// What the commands take from the settings; by default the settings record's
// RTFDocument and the Options dialog before the first analysis or simulation.
struct tResultsCommandHooks {
  std::function<bool()> rtfDocument;
  std::function<void(bool simulation)> optionsBeforeFirstRun;
};

// Connects "Analize selected data" and "Perform a simulation" of the main window
// to the active data table document (TFTabla). While a simulation runs, "Perform
// a simulation" is disabled, and closing the table it reads, the results it
// writes or the program asks first. The commands live as long as the window.
tSimulationLaunch& ConnectResultsCommands(TFMain& window, tResultsCommandHooks hooks = {});

}  // namespace kovalin::app
