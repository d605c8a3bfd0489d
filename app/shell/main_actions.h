#pragma once

#include <QList>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace kovalin::app {

// Every command of the main window, as one QAction each. Menus and tool bars show the
// same actions, so a command is enabled, ticked or hidden in one place.
struct tMainActions {
  // File
  QAction* newBranch = nullptr;       // hidden
  QAction* exampleTables = nullptr;   // Part of the web pages
  QAction* newTable = nullptr;
  QAction* open = nullptr;
  QAction* importSubjects = nullptr;  // a subject-level file as a raw-data table
  QAction* save = nullptr;
  QAction* saveAs = nullptr;
  QAction* close = nullptr;
  QAction* settings = nullptr;        // hidden
  QAction* exit = nullptr;
  // Edit
  QAction* cut = nullptr;
  QAction* copy = nullptr;
  QAction* paste = nullptr;
  QAction* font = nullptr;            // always disabled
  // Analysis
  QAction* analyze = nullptr;
  QAction* simulate = nullptr;
  // View
  QAction* objectInspector = nullptr;
  QAction* xml = nullptr;
  QAction* english = nullptr;         // hidden menu, changes nothing
  QAction* espanol = nullptr;
  // Window
  QAction* webPage = nullptr;         // hidden
  QAction* cascade = nullptr;
  QAction* tileVertical = nullptr;
  QAction* tileHorizontal = nullptr;
  QAction* arrangeIcons = nullptr;
  QAction* minimizeAll = nullptr;
  // Help and support
  QAction* userGuide = nullptr;       // docs/guide.md in a window of its own
  QAction* about = nullptr;
  QAction* website = nullptr;
  QAction* proposal = nullptr;        // hidden
  QAction* citation = nullptr;        // hidden
  QAction* checkVersion = nullptr;    // hidden
  // Tool bar only
  QAction* wizard = nullptr;          // hidden
  QAction* options = nullptr;
  // The object browser's own tool bar
  QAction* autoExpand = nullptr;
  QAction* deleteBranch = nullptr;

  QMenu* windowMenu = nullptr;
  QToolBar* toolBar = nullptr;
  // The Window menu's own items; the list of documents follows them.
  QList<QAction*> windowMenuItems;
};

// Creates the actions, the menu bar and the tool bar of `window`.
tMainActions BuildMainActions(QMainWindow* window);

}  // namespace kovalin::app
