#include "app/periphery/about_pages.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/periphery/build_info.h"
#include "app/periphery/link_label.h"
#include "app/periphery/shell_open.h"
#include "app/periphery/web_addresses.h"

namespace kovalin::app {

namespace {

const char kUnableToConnect[] = "Unable to connect";

const char kDescription[] =
    "Compares two binary diagnostic tests applied to the same subjects: predictive "
    "values, their differences and ratios by 21 interval methods, homogeneity tests, "
    "and Monte Carlo studies of how the methods behave.";

const char kMakers[] = "The Kovalin developers";

const char kTermsOfUse[] =
    "Free for non-commercial use under the Creative Commons "
    "Attribution-NonCommercial-NoDerivs 3.0 licence. Provided as is, without warranty.";

const char kLicenceText[] =
    "Kovalin is distributed under the Creative Commons Attribution-NonCommercial-NoDerivs "
    "3.0 licence. You may copy and share the program unchanged, for non-commercial "
    "purposes, naming its makers. You may not sell it, and you may not distribute "
    "changed copies.\n\n"
    "Kovalin is provided as is, without warranty of any kind, express or implied, "
    "including fitness for a particular purpose. The makers are not liable for any "
    "damage that comes from using it. Check the results that matter to you with another "
    "method before you rely on them.";

QLabel* PlainLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  label->setWordWrap(true);
  return label;
}

QLabel* Heading(const QString& text, int pointSize, QWidget* parent) {
  QLabel* label = PlainLabel(text, parent);
  QFont font = label->font();
  font.setBold(true);
  font.setPointSize(pointSize);
  label->setFont(font);
  return label;
}

// A picture drawn at run time, so the program needs no image files.
QPixmap BannerPicture() {
  QPixmap picture(420, 96);
  QPainter painter(&picture);
  QLinearGradient gradient(0, 0, picture.width(), picture.height());
  gradient.setColorAt(0.0, QColor(0x00, 0x00, 0x80));
  gradient.setColorAt(1.0, QColor(0x00, 0x80, 0x80));
  painter.fillRect(picture.rect(), gradient);
  // The eight cells of a paired 2x2x2 table.
  painter.setPen(QPen(QColor(255, 255, 255, 160), 2));
  for (int cell = 0; cell < 8; ++cell) {
    const int column = cell % 4;
    const int row = cell / 4;
    painter.drawRect(300 + column * 26, 22 + row * 28, 20, 20);
  }
  QFont font = painter.font();
  font.setBold(true);
  font.setPointSize(28);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(20, 0, 270, picture.height()), Qt::AlignVCenter | Qt::AlignLeft,
                   QString::fromLatin1(kProductName));
  return picture;
}

QLabel* LicenceLogo(QWidget* parent) {
  QLabel* logo = PlainLabel(QStringLiteral("cc BY-NC-ND 3.0"), parent);
  logo->setWordWrap(false);
  logo->setStyleSheet(QStringLiteral(
      "QLabel { border: 2px solid black; border-radius: 6px; padding: 2px 8px;"
      " font-weight: bold; background: #e0e0e0; color: black; }"));
  logo->setAccessibleName(QStringLiteral("Creative Commons BY-NC-ND 3.0"));
  return logo;
}

tLinkLabel* OpenLink(const QString& text, const QUrl& address, QWidget* parent) {
  auto* link = new tLinkLabel(text, parent);
  QObject::connect(link, &tLinkLabel::Clicked, link, [address] {
    ShellOpenOrReport(address, QString::fromLatin1(kUnableToConnect));
  });
  return link;
}

}  // namespace

QWidget* MakeSplashPage(QWidget* parent) {
  auto* page = new QWidget(parent);
  auto* picture = new QLabel(page);
  picture->setPixmap(BannerPicture());
  picture->setAccessibleName(QString::fromLatin1(kProductName));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(picture, 0, Qt::AlignHCenter);
  layout->addWidget(Heading(QString::fromLatin1(kProductName), 18, page));
  layout->addWidget(PlainLabel(QString::fromLatin1(kVersionText), page));
  layout->addWidget(PlainLabel(QString::fromLatin1(kDescription), page));
  layout->addWidget(PlainLabel(QString::fromLatin1(kMakers), page));
  layout->addStretch();
  layout->addWidget(PlainLabel(QString::fromLatin1(kTermsOfUse), page));
  layout->addWidget(LicenceLogo(page), 0, Qt::AlignLeft);
  return page;
}

QWidget* MakeAboutPage(QWidget* parent, const tAboutPageActions& actions) {
  const tWebAddresses& web = WebAddresses();
  auto* page = new QWidget(parent);
  auto* grid = new QGridLayout;
  int row = 0;
  auto addRow = [&](const char* caption, QWidget* value) {
    QLabel* label = PlainLabel(QString::fromLatin1(caption), page);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    grid->addWidget(label, row, 0, Qt::AlignTop);
    grid->addWidget(value, row, 1);
    ++row;
  };

  auto* version = new QWidget(page);
  auto* versionLine = new QHBoxLayout(version);
  versionLine->setContentsMargins(0, 0, 0, 0);
  versionLine->addWidget(PlainLabel(QString::fromLatin1(kVersionText), version));
  QLabel* build = PlainLabel(QStringLiteral("[") + QString::fromLatin1(BuildLabel) +
                                 QStringLiteral("]"), version);
  build->setObjectName(QStringLiteral("buildLabel"));
  SetHoverColours(build, Qt::gray, Qt::red);
  versionLine->addWidget(build);
  versionLine->addStretch();
  addRow("Version:", version);

  addRow("Authors:", PlainLabel(QString::fromLatin1(kMakers), page));
  auto* address = new QWidget(page);
  auto* addressLines = new QVBoxLayout(address);
  addressLines->setContentsMargins(0, 0, 0, 0);
  addressLines->addWidget(PlainLabel(QStringLiteral("Postal address: see the program web site"),
                                     address));
  addressLines->addWidget(OpenLink(web.contactEmail, web.ContactMail(), address));
  addRow("Address:", address);
  addRow("Web:", OpenLink(web.Page(tWebPage::Website).toDisplayString(),
                          web.Page(tWebPage::Website), page));

  auto* citation =
      new tLinkLabel(QStringLiteral("Please, click here to see how to cite this software"), page);
  QObject::connect(citation, &tLinkLabel::Clicked, page, actions.showCitation);
  addRow("Citation:", citation);

  auto* licence = new tLinkLabel(QStringLiteral("License and warranty"), page);
  QObject::connect(licence, &tLinkLabel::Clicked, page, actions.showLicence);
  grid->addWidget(licence, row++, 1);
  grid->addWidget(OpenLink(QStringLiteral("All feedback is wellcome!"), web.ContactMail(), page),
                  row++, 1);
  grid->setColumnStretch(1, 1);

  auto* institution = OpenLink(QStringLiteral("Institution home page"), web.institution, page);
  institution->setToolTip(web.institution.toDisplayString());
  auto* close = new QPushButton(QStringLiteral("Close"), page);
  QObject::connect(close, &QPushButton::clicked, page, actions.close);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(institution);
  bottom->addStretch();
  bottom->addWidget(close);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Heading(QString::fromLatin1(kProductName), 18, page));
  layout->addLayout(grid);
  layout->addStretch();
  layout->addLayout(bottom);
  return page;
}

QWidget* MakeLicencePage(QWidget* parent) {
  auto* page = new QWidget(parent);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Heading(QStringLiteral("License and warranty"), 14, page));
  layout->addWidget(PlainLabel(QString::fromLatin1(kLicenceText), page));
  layout->addWidget(LicenceLogo(page), 0, Qt::AlignLeft);
  layout->addWidget(OpenLink(QStringLiteral("The licence deed"), WebAddresses().licenceDeed, page));
  layout->addStretch();
  return page;
}

}  // namespace kovalin::app
