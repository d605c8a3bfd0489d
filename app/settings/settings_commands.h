#pragma once

#include <QStringList>

class QWidget;

namespace kovalin::app {

// Program start, before the main window exists. `arguments` as
// QCoreApplication::arguments() gives them (the program first): when the first
// command-line argument contains "killreg" in any letter case the stored settings
// are deleted, then the settings record is read from the store (defaults when none).
void StartSettings(const QStringList& arguments);

// File > Settings: the Settings dialog, modal. True when closed with OK.
bool RunSettingsDialog(QWidget* parent);

// The toolbar's options button: the ordinary Options dialog over AppOptions, modal.
// True when closed with OK; clears neither first-run flag.
bool RunOptionsDialog(QWidget* parent);

// Whether the version check should run at start (the settings record's flag).
bool AutomaticVersionCheckWanted();

}  // namespace kovalin::app
