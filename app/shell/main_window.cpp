#include "app/shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>

#include "app/shell/document_window.h"
#include "app/periphery/periphery_commands.h"
#include "app/settings/settings_commands.h"
#include "app/shell/node_icons.h"
#include "app/shell/questions.h"
#include "app/shell/side_panel.h"
#include "engine/app_options.h"
#include "simulation/sim_running.h"
#include "tables/table_types.h"

namespace kovalin::app {

TFMain::TFMain(bool periphery, QWidget* parent) : QMainWindow(parent), periphery_(periphery) {
  setWindowTitle(kTitle);
  setWindowIcon(ShellIcon("kovalin-64"));
  BuildWindow();
  WireCommands();
  RunStartup();
}

TFMain::~TFMain() {
  // Documents go first: they still tell the tree and this window that they leave.
  for (QMdiSubWindow* frame : area_->subWindowList()) delete frame;
}

void TFMain::BuildWindow() {
  actions_ = BuildMainActions(this);
  area_ = new QMdiArea(this);
  area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  side_ = new tSidePanel(this);
  side_->BrowserToolBar()->addActions({actions_.autoExpand, actions_.deleteBranch});
  side_->Tree()->setModel(Tree().Model());
  side_->Tree()->setSelectionModel(Tree().Selection());
  side_->PropertiesView()->setModel(Properties().Model());
  side_->hide();

  auto* splitter = new QSplitter(this);
  splitter->addWidget(side_);
  splitter->addWidget(area_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({240, 760});
  setCentralWidget(splitter);

  status_[0] = new QLabel(this);
  status_[0]->setFixedWidth(270);
  status_[1] = new QLabel(this);
  statusBar()->addWidget(status_[0]);
  statusBar()->addWidget(status_[1], 1);
  resize(1024, 700);
}

QAction* TFMain::CommandAction(tCommand command) const {
  switch (command) {
    case tCommand::NewTable: return actions_.newTable;
    case tCommand::Open: return actions_.open;
    case tCommand::ImportSubjects: return actions_.importSubjects;
    case tCommand::Analyze: return actions_.analyze;
    case tCommand::Simulate: return actions_.simulate;
    case tCommand::Options: return actions_.options;
    case tCommand::Settings: return actions_.settings;
    case tCommand::About: return actions_.about;
    case tCommand::Website: return actions_.website;
    case tCommand::ExampleTables: return actions_.exampleTables;
    case tCommand::Proposal: return actions_.proposal;
    case tCommand::Citation: return actions_.citation;
    case tCommand::CheckVersion: return actions_.checkVersion;
    case tCommand::UserGuide: return actions_.userGuide;
  }
  return nullptr;
}

void TFMain::ConnectCommand(tCommand command, std::function<void()> handler) {
  QAction* action = CommandAction(command);
  connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
  if (!connected_.contains(command)) connected_ << command;
  CommandsChanged();
}

void TFMain::WireCommands() {
  const tMainActions& a = actions_;
  ConnectCommand(tCommand::Options, [this] { RunOptionsDialog(this); });
  ConnectCommand(tCommand::Settings, [this] { RunSettingsDialog(this); });
  tPeripheryActions help;
  help.exampleTables = a.exampleTables;
  help.website = a.website;
  help.proposal = a.proposal;
  help.citation = a.citation;
  help.about = a.about;
  help.userGuide = a.userGuide;
  help.checkVersion = a.checkVersion;
  help.status = [this](const QString& text) { status_[1]->setText(text); };
  ConnectPeripheryActions(help, this);
  connected_ << tCommand::ExampleTables << tCommand::Website << tCommand::Proposal
             << tCommand::Citation << tCommand::About << tCommand::CheckVersion
             << tCommand::UserGuide;
  connect(a.save, &QAction::triggered, this, [this] { SaveActive(-1); });
  connect(a.saveAs, &QAction::triggered, this, [this] { SaveActive(1); });
  connect(a.close, &QAction::triggered, this, [this] {
    if (QMdiSubWindow* frame = area_->currentSubWindow()) frame->close();
  });
  connect(a.exit, &QAction::triggered, this, &QWidget::close);
  connect(a.objectInspector, &QAction::triggered, this,
          [this](bool shown) { SetSidePanelShown(shown); });
  connect(a.xml, &QAction::triggered, this, [this] { ShowXml(); });
  connect(a.autoExpand, &QAction::toggled, this, [this](bool on) {
    AutoExpand = on;
    actions_.autoExpand->setIcon(ShellIcon(on ? "expand_on" : "expand_off"));
    if (on) side_->Tree()->expandAll();
  });
  connect(a.deleteBranch, &QAction::triggered, this, [this] { DeleteBranch(); });
  connect(a.cascade, &QAction::triggered, area_, &QMdiArea::cascadeSubWindows);
  connect(a.tileVertical, &QAction::triggered, this, [this] { TileDocuments(true); });
  connect(a.tileHorizontal, &QAction::triggered, this, [this] { TileDocuments(false); });
  connect(a.arrangeIcons, &QAction::triggered, this, [this] { ArrangeIcons(); });
  connect(a.minimizeAll, &QAction::triggered, this, [this] {
    for (QMdiSubWindow* frame : area_->subWindowList()) frame->showMinimized();
  });
  connect(a.windowMenu, &QMenu::aboutToShow, this, [this] { RebuildWindowList(); });
  connect(a.cut, &QAction::triggered, this, [this] {
    if (textFocus_) QMetaObject::invokeMethod(textFocus_, "cut");
  });
  connect(a.copy, &QAction::triggered, this, [this] {
    if (textFocus_) QMetaObject::invokeMethod(textFocus_, "copy");
  });
  connect(a.paste, &QAction::triggered, this, [this] {
    if (textFocus_) QMetaObject::invokeMethod(textFocus_, "paste");
  });
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { TrackFocus(now); });
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
          [this] { UpdateEditCommands(); });

  connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* frame) {
    if (frame == nullptr) return;
    if (auto* document = qobject_cast<tDocumentWindow*>(frame->widget())) {
      document->FormActivate();
    }
    CommandsChanged();
  });
  // A click on the node already selected still brings its document to the front.
  connect(side_->Tree(), &QTreeView::clicked, this, [this] { TreeViewMainClick(); });
  connect(Tree().Selection(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) side_->Tree()->scrollTo(current);
          });
  connect(Tree().Model(), &QAbstractItemModel::rowsInserted, this, [this] {
    if (AutoExpand) side_->Tree()->expandAll();
  });
}

void TFMain::RunStartup() {
  // Steps 1 to 4: side panel, root node, automatic expansion off, status texts.
  tMainDesk::FormCreate();
  actions_.autoExpand->setChecked(false);
  // Step 5: New data table, Open and Save wait for the first activation.
  activated_ = false;
  CommandsChanged();
  StartupSplash();
  StartupVersionCheck();
  // Step 8: the analysis options at their defaults, no simulation running.
  AppOptions = DefaultAppOptions();
  SimRunning = false;
}

void TFMain::StartupSplash() {
  if (periphery_) ShowSplash(this);
}

void TFMain::StartupVersionCheck() {
  if (periphery_ && AutomaticVersionCheckWanted()) {
    RunVersionCheck(this, true, [this](const QString& text) { status_[1]->setText(text); });
  }
}

void TFMain::FormActivate() {
  setWindowTitle(kTitle + " (x32)");
  activated_ = true;
  CommandsChanged();
}

void TFMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TFMain::closeEvent(QCloseEvent* event) {
  // Every document is asked before any closes: a Cancel anywhere (or a save not
  // made) leaves every window as it was and the program running.
  if (!AgreeAllToClose()) {
    event->ignore();
    return;
  }
  QList<QMdiSubWindow*> frames = area_->subWindowList(QMdiArea::StackingOrder);
  for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
    if (!(*it)->close()) {
      event->ignore();
      return;
    }
  }
  event->accept();
}

tDocumentWindow* TFMain::ActiveDocument() const {
  QMdiSubWindow* frame = area_->currentSubWindow();
  return frame == nullptr ? nullptr : qobject_cast<tDocumentWindow*>(frame->widget());
}

QString TFMain::StatusPanelText(int panel) const { return status_[panel == 0 ? 0 : 1]->text(); }

tDocumentWindow* TFMain::CreateTableWindow(const tWindowFactory& make) {
  TFMDIChild* table = CreateTable(QString::fromStdString(CurrentTableSettings.Problema),
                                  [&make](int number) -> TFMDIChild* { return make(number); });
  return dynamic_cast<tDocumentWindow*>(table);
}

bool TFMain::CreateResults(tDocumentWindow* results, bool simulation) {
  return PlaceResults(results, simulation);
}

void TFMain::StatusChanged(int panel) {
  QLabel* label = status_[panel == 0 ? 0 : 1];
  label->setText(StatusText(panel));
  // The first panel keeps its 270 pixels; a text cut there is shown whole as its tooltip.
  const bool cut = label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width();
  label->setToolTip(panel != 0 || cut ? label->text() : QString());
}

void TFMain::SidePanelChanged() {
  side_->setVisible(SidePanelShown);
  actions_.objectInspector->setChecked(SidePanelShown);
}

void TFMain::ShowDocument(TFMDIChild* document) {
  auto* window = dynamic_cast<tDocumentWindow*>(document);
  if (window == nullptr || window->SubWindow() != nullptr) return;
  QMdiSubWindow* frame = area_->addSubWindow(window);
  frame->setAttribute(Qt::WA_DeleteOnClose);
  frame->setWindowIcon(window->windowIcon());
  window->show();
  frame->show();
}

void TFMain::CommandsChanged() {
  const tMainActions& a = actions_;
  for (tCommand command : {tCommand::Analyze, tCommand::Simulate, tCommand::Options,
                           tCommand::Settings, tCommand::About, tCommand::Website,
                           tCommand::ExampleTables, tCommand::Proposal, tCommand::Citation,
                           tCommand::CheckVersion}) {
    CommandAction(command)->setEnabled(connected_.contains(command));
  }
  a.newTable->setEnabled(activated_ && connected_.contains(tCommand::NewTable));
  a.open->setEnabled(activated_ && connected_.contains(tCommand::Open));
  a.importSubjects->setEnabled(activated_ && connected_.contains(tCommand::ImportSubjects));
  a.save->setEnabled(activated_);
  a.close->setEnabled(area_->currentSubWindow() != nullptr);
  a.deleteBranch->setEnabled(DeleteBranchEnabled());
  UpdateEditCommands();
}

void TFMain::SaveActive(int mode) {
  if (tDocumentWindow* document = ActiveDocument()) document->SaveToFile(mode);
}

void TFMain::ShowXml() {
  tDocumentWindow* document = ActiveDocument();
  if (document == nullptr) return;
  if (document->FormType == tFormType::F_Data) {
    document->ShowXmlStructure();
  } else {
    ShowInformation(kTitle, "A data table must be selected to see its xml structure");
  }
}

}  // namespace kovalin::app
