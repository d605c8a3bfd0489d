#include "app/periphery/periphery_commands.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QWidget>

#include "app/periphery/about_box.h"
#include "app/periphery/guide_window.h"
#include "app/periphery/shell_open.h"
#include "app/periphery/web_addresses.h"

namespace kovalin::app {

namespace {

void ConnectOpen(QAction* action, QWidget* context, tWebPage page) {
  if (action == nullptr) return;
  QObject::connect(action, &QAction::triggered, context, [page] {
    ShellOpenOrReport(WebAddresses().Page(page), QStringLiteral("Unable to connect"));
  });
}

void ConnectAboutBox(QAction* action, QWidget* mainWindow, int page) {
  if (action == nullptr) return;
  QObject::connect(action, &QAction::triggered, mainWindow, [mainWindow, page] {
    OpenAboutBox(mainWindow, page, DefaultAboutBoxOptions());
  });
}

}  // namespace

void ConnectPeripheryActions(const tPeripheryActions& actions, QWidget* mainWindow) {
  ConnectOpen(actions.exampleTables, mainWindow, tWebPage::ExampleTables);
  ConnectOpen(actions.website, mainWindow, tWebPage::Website);
  ConnectOpen(actions.proposal, mainWindow, tWebPage::Proposal);
  ConnectAboutBox(actions.citation, mainWindow, 3);
  ConnectAboutBox(actions.about, mainWindow, 2);
  if (actions.userGuide != nullptr) {
    QObject::connect(actions.userGuide, &QAction::triggered, mainWindow,
                     [mainWindow] { ShowUserGuide(mainWindow); });
  }
  if (actions.checkVersion != nullptr) {
    QObject::connect(actions.checkVersion, &QAction::triggered, mainWindow,
                     [mainWindow, status = actions.status] {
                       RunVersionCheck(mainWindow, false, status);
                     });
  }
}

void ShowSplash(QWidget* mainWindow) {
  tAboutBoxOptions options = DefaultAboutBoxOptions();
  options.fadeIn = false;
  TFAbout splash(mainWindow, options);
  splash.setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
  splash.setFixedSize(splash.sizeHint());
  if (mainWindow != nullptr && mainWindow->isVisible()) {
    splash.move(mainWindow->frameGeometry().center() - splash.rect().center());
  }
  splash.show();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  QThread::msleep(1000);
}

void RunVersionCheck(QWidget* parent, bool automatic, const tStatusText& status) {
  tVersionCheckOptions options = DefaultVersionCheckOptions();
  options.status = status;
  CheckVersion(parent, automatic, options);
}

}  // namespace kovalin::app
