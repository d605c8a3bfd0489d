#pragma once

#include <QStringList>

namespace kovalin::app {

class TFMain;

// Connects the main window's New data table and Open commands, and opens the
// files named on the command line (arguments as QApplication::arguments()
// gives them: the program first) once the start-up sequence is over. A first
// argument containing "killreg" is the settings' and is not a file.
void ConnectTableCommands(TFMain& window, const QStringList& arguments);

// The files of a command line: every argument after the program, less a first
// one containing "killreg" in any letter case.
QStringList FilesToOpen(const QStringList& arguments);

}  // namespace kovalin::app
