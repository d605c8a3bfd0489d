#include "app/shell/main_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "app/shell/node_icons.h"

namespace kovalin::app {

namespace {

QAction* Make(QObject* owner, const QString& caption, const QKeySequence& shortcut = {}) {
  auto* action = new QAction(caption, owner);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  return action;
}

QAction* Hidden(QAction* action) {
  action->setVisible(false);
  return action;
}

// The Options button has no hint: it eats the tool tip its action would show.
class tNoToolTip : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ToolTip) return true;
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

tMainActions BuildMainActions(QMainWindow* window) {
  tMainActions a;
  QMenuBar* bar = window->menuBar();

  QMenu* file = bar->addMenu("&File");
  a.newBranch = Hidden(Make(window, "NewBranch"));
  a.exampleTables = Make(window, "Download example tables ");
  a.newTable = Make(window, "NewTable");
  a.newTable->setToolTip("New data table");
  a.newTable->setIcon(ShellIcon("new"));
  a.open = Make(window, "&Open...", QKeySequence("Ctrl+O"));
  a.open->setToolTip("Open data file");
  a.open->setIcon(ShellIcon("open"));
  a.save = Make(window, "&Save", QKeySequence("Ctrl+S"));
  a.save->setToolTip("Save to file");
  a.save->setIcon(ShellIcon("save"));
  a.saveAs = Make(window, "Save as...");
  a.importSubjects = Make(window, "Import subjects...");
  a.importSubjects->setStatusTip("Counts a file of one row per subject into a raw-data table");
  a.close = Make(window, "&Close");
  a.settings = Hidden(Make(window, "Settings"));
  a.exit = Make(window, "E&xit");
  a.exit->setToolTip("Exit");
  a.exit->setStatusTip("Quits the application");
  file->addAction(a.newBranch);
  file->addAction(a.exampleTables);
  file->addSeparator();
  file->addActions({a.newTable, a.open, a.importSubjects, a.save, a.saveAs, a.close});
  file->addSeparator();
  file->addAction(a.settings);
  file->addSeparator()->setVisible(false);
  file->addAction(a.exit);

  QMenu* edit = bar->addMenu("&Edit");
  a.cut = Make(window, "Cu&t", QKeySequence("Ctrl+X"));
  a.copy = Make(window, "&Copy", QKeySequence("Ctrl+C"));
  a.paste = Make(window, "&Paste", QKeySequence("Ctrl+V"));
  a.font = Make(window, "&Font...", QKeySequence("Ctrl+F"));
  a.font->setEnabled(false);
  edit->addActions({a.cut, a.copy, a.paste});
  edit->addSeparator();
  edit->addAction(a.font);

  QMenu* analysis = bar->addMenu("Analysis");
  a.analyze = Make(window, "Analize selected data");
  a.analyze->setToolTip("Analyze selected row(s)");
  a.analyze->setIcon(ShellIcon("analyze"));
  a.simulate = Make(window, "Perform a simulation");
  a.simulate->setIcon(ShellIcon("simulate"));
  analysis->addActions({a.analyze, a.simulate});

  QMenu* view = bar->addMenu("&View");
  a.objectInspector = Make(window, "Object Inspector");
  a.objectInspector->setCheckable(true);
  a.xml = Make(window, "XML");
  view->addActions({a.objectInspector, a.xml});
  view->addSeparator();
  QMenu* language = view->addMenu("&Language");
  language->menuAction()->setVisible(false);
  auto* languages = new QActionGroup(window);
  a.english = Make(window, "&English");
  a.english->setCheckable(true);
  a.english->setChecked(true);
  a.espanol = Make(window, "&Español");
  a.espanol->setCheckable(true);
  a.espanol->setEnabled(false);
  languages->addAction(a.english);
  languages->addAction(a.espanol);
  language->addActions({a.english, a.espanol});

  a.windowMenu = bar->addMenu("&Window");
  a.webPage = Hidden(Make(window, "Web page"));
  a.cascade = Make(window, "&Cascade");
  a.tileVertical = Make(window, "Tile &Vertical");
  a.tileHorizontal = Make(window, "Tile &Horizontal");
  a.arrangeIcons = Make(window, "&Arrange Icons");
  a.minimizeAll = Make(window, "&Minimize All");
  a.windowMenu->addAction(a.webPage);
  QAction* windowSeparator = a.windowMenu->addSeparator();
  a.windowMenu->addActions({a.cascade, a.tileVertical, a.tileHorizontal, a.arrangeIcons,
                            a.minimizeAll});
  a.windowMenuItems = {a.webPage, windowSeparator, a.cascade, a.tileVertical, a.tileHorizontal,
                       a.arrangeIcons, a.minimizeAll};

  QMenu* help = bar->addMenu("&Help and support");
  a.userGuide = Make(window, "&User guide", QKeySequence(QKeySequence::HelpContents));
  a.about = Make(window, "&About...");
  a.website = Make(window, "&Kovalin website");
  a.proposal = Hidden(Make(window, "&Proposal"));
  a.citation = Hidden(Make(window, "&How to cite this software"));
  a.checkVersion = Hidden(Make(window, "&Check for a new version"));
  help->addAction(a.userGuide);
  help->addAction(a.about);
  help->addSeparator();
  help->addActions({a.website, a.proposal, a.citation, a.checkVersion});

  a.wizard = Hidden(Make(window, "Wizard"));
  a.wizard->setIcon(ShellIcon("wizard"));
  a.options = Make(window, "Options");
  a.options->setIcon(ShellIcon("options"));
  a.toolBar = window->addToolBar("Tool bar");
  a.toolBar->setObjectName("MainToolBar");
  a.toolBar->setMovable(false);
  a.toolBar->addActions({a.wizard, a.newTable, a.open, a.save, a.options, a.analyze});
  a.toolBar->addSeparator();
  a.toolBar->addAction(a.simulate);
  if (QWidget* button = a.toolBar->widgetForAction(a.options)) {
    button->installEventFilter(new tNoToolTip(button));
    button->setAccessibleName("Options");
  }
  for (QAction* action : a.toolBar->actions()) {
    QWidget* button = a.toolBar->widgetForAction(action);
    if (button != nullptr && button->accessibleName().isEmpty()) {
      button->setAccessibleName(action->toolTip());
    }
  }

  a.autoExpand = Make(window, "Auto expand");
  a.autoExpand->setCheckable(true);
  a.autoExpand->setIcon(ShellIcon("expand_off"));
  a.deleteBranch = Make(window, "Delete branch");
  a.deleteBranch->setIcon(ShellIcon("delete_branch"));
  return a;
}

}  // namespace kovalin::app
