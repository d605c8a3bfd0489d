#pragma once

#include <functional>

#include <QMainWindow>
#include <QPointer>

#include "app/shell/main_actions.h"
#include "app/shell/main_desk.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace kovalin::app {

class tDocumentWindow;
class tSidePanel;

// The commands other parts of the program carry out. Each stays disabled until its part
// connects a handler (TFMain::ConnectCommand).
enum class tCommand {
  NewTable, Open, ImportSubjects, Analyze, Simulate, Options, Settings,
  About, Website, ExampleTables, Proposal, Citation, CheckVersion, UserGuide,
};

// The main window: document area, side panel (object browser and properties), menus,
// tool bar and status bar over the bookkeeping of tMainDesk. It carries out the
// commands that belong to the frame (Save, Close, Exit, Edit, View, Window, Delete
// branch); the others are connected by the parts that own them.
class TFMain : public QMainWindow, public tMainDesk {
  Q_OBJECT

 public:
  // `periphery`: the start-up splash and automatic version check run (the program);
  // tests and the screenshot tool leave them out.
  explicit TFMain(bool periphery = true, QWidget* parent = nullptr);
  ~TFMain() override;

  const tMainActions& Actions() const { return actions_; }
  QAction* CommandAction(tCommand command) const;
  void ConnectCommand(tCommand command, std::function<void()> handler);

  // A new data table window numbered by the count of tables (New and Open); its
  // caption comes from the table settings' title (CurrentTableSettings.Problema).
  using tWindowFactory = std::function<tDocumentWindow*(int number)>;
  tDocumentWindow* CreateTableWindow(const tWindowFactory& make);
  // A new results window beside the active data table; false without one.
  bool CreateResults(tDocumentWindow* results, bool simulation);

  // The document in front, or none.
  tDocumentWindow* ActiveDocument() const;
  QMdiArea* DocumentArea() const { return area_; }
  tSidePanel* SidePanel() const { return side_; }
  QString StatusPanelText(int panel) const;

  // Every activation of the main window: the caption, then New, Open and Save apply.
  void FormActivate();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

  void StatusChanged(int panel) override;
  void SidePanelChanged() override;
  void ShowDocument(TFMDIChild* document) override;
  void CommandsChanged() override;

 private:
  void BuildWindow();
  void WireCommands();
  void RunStartup();
  // Start-up steps 6 (the splash) and 7 (the automatic version check) of the periphery.
  void StartupSplash();
  void StartupVersionCheck();

  void SaveActive(int mode);
  void ShowXml();
  void TileDocuments(bool sideBySide);
  void ArrangeIcons();
  void RebuildWindowList();
  void TrackFocus(QWidget* now);
  void UpdateEditCommands();

  tMainActions actions_;
  QMdiArea* area_ = nullptr;
  tSidePanel* side_ = nullptr;
  QLabel* status_[2] = {nullptr, nullptr};
  QList<QAction*> windowList_;
  QPointer<QWidget> textFocus_;
  QList<QMetaObject::Connection> textConnections_;
  QList<tCommand> connected_;
  bool activated_ = false;
  bool periphery_ = true;
};

}  // namespace kovalin::app
