#include "app/periphery/version_window.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/periphery/link_label.h"
#include "app/periphery/shell_open.h"
#include "app/periphery/web_addresses.h"

namespace kovalin::app {

TVersion::TVersion(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      message_(new QLabel(this)),
      link_(new tLinkLabel(QStringLiteral(
                "Click here to download the new version from the website of Orsino"), this)),
      close_(new QPushButton(QStringLiteral("Close"), this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Orsino"));
  // The message may carry the version file's text: never read it as markup.
  message_->setTextFormat(Qt::PlainText);
  message_->setWordWrap(true);
  message_->setAlignment(Qt::AlignCenter);
  QFont bold = link_->font();
  bold.setBold(true);
  link_->setFont(bold);
  link_->setAlignment(Qt::AlignCenter);
  link_->hide();
  close_->setCursor(Qt::PointingHandCursor);
  SetHoverColours(close_, kLinkColour, kLinkHoverColour);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_);
  layout->addWidget(link_);
  layout->addLayout(buttons);

  connect(link_, &tLinkLabel::Clicked, this, &TVersion::OpenDownload);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  ShowWaiting();
}

void TVersion::ShowWaiting() {
  message_->setText(QStringLiteral("Checking this version   ....please wait"));
  link_->hide();
  CentreOnParent();
}

void TVersion::ShowLatest() {
  message_->setText(QStringLiteral("You are using the latest version of Orsino"));
  link_->hide();
  CentreOnParent();
}

void TVersion::ShowNewVersion(const QString& message) {
  message_->setText(message);
  link_->show();
  CentreOnParent();
}

QString TVersion::Message() const { return message_->text(); }

bool TVersion::LinkShown() const { return !link_->isHidden(); }

void TVersion::OpenDownload() {
  const QString failure = QStringLiteral("Conection Error ");
  ShellOpenOrReport(WebAddresses().Page(tWebPage::Download), failure);
  ShellOpenOrReport(WebAddresses().Page(tWebPage::Website), failure);
  close();
}

void TVersion::CentreOnParent() {
  adjustSize();
  const QWidget* owner = parentWidget();
  if (owner == nullptr) return;
  const QRect area = owner->isWindow() ? owner->frameGeometry() : owner->window()->frameGeometry();
  move(area.center() - rect().center());
}

}  // namespace kovalin::app
