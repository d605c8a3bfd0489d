#pragma once

#include "app/periphery/version_check.h"

class QAction;
class QWidget;

namespace kovalin::app {

// The Help and File menu items the main window creates and this part carries out.
// An item left null is not connected.
struct tPeripheryActions {
  QAction* exampleTables = nullptr;  // "Download example tables "
  QAction* website = nullptr;        // "&Kovalin website"
  QAction* proposal = nullptr;       // "&Proposal"
  QAction* citation = nullptr;       // "&How to cite this software"
  QAction* userGuide = nullptr;      // "&User guide"
  QAction* about = nullptr;          // "&About..."
  QAction* checkVersion = nullptr;   // "&Check for a new version"
  // The main window's second status panel, for the manual version check.
  tStatusText status;
};

void ConnectPeripheryActions(const tPeripheryActions& actions, QWidget* mainWindow);

// Start-up: page 1 of the about box for one second, without fade-in; no events run
// during that second.
void ShowSplash(QWidget* mainWindow);

// The version check against the build's web site, ending within 10 seconds whatever the
// network does. `automatic` is the start-up check, asked for by the settings record.
void RunVersionCheck(QWidget* parent, bool automatic, const tStatusText& status = {});

}  // namespace kovalin::app
