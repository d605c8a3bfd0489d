#include "app/periphery/guide_window.h"

#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/periphery/shell_open.h"

// The guide's resource lives in this static library: registering it here keeps
// the linker from leaving it out of the program.
static void InitGuideResource() { Q_INIT_RESOURCE(guide); }

namespace kovalin::app {

QString UserGuideText() {
  InitGuideResource();
  QFile file(QStringLiteral(":/kovalin/guide.md"));
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("# Kovalin user guide\n\nThe guide is missing from this build.");
  return QString::fromUtf8(file.readAll());
}

TFGuide::TFGuide(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
  setWindowTitle(QStringLiteral("Kovalin user guide"));
  setObjectName(QStringLiteral("UserGuide"));
  setModal(false);
  browser_->setOpenLinks(false);
  browser_->setMarkdown(UserGuideText());
  connect(browser_, &QTextBrowser::anchorClicked, this, &TFGuide::FollowLink);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(820, 640);
}

void TFGuide::FollowLink(const QUrl& url) {
  if (url.isRelative() && url.path().isEmpty() && url.hasFragment()) {
    browser_->scrollToAnchor(url.fragment());
    return;
  }
  ShellOpenOrReport(url, QStringLiteral("Unable to connect"));
}

TFGuide* ShowUserGuide(QWidget* parent) {
  auto* guide = parent != nullptr ? parent->findChild<TFGuide*>(QString(), Qt::FindDirectChildrenOnly)
                                  : nullptr;
  if (guide == nullptr) guide = new TFGuide(parent);
  guide->show();
  guide->raise();
  guide->activateWindow();
  return guide;
}

}  // namespace kovalin::app
