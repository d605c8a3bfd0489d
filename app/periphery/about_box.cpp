#include "app/periphery/about_box.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QStringConverter>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/periphery/about_pages.h"
#include "app/periphery/build_info.h"
#include "app/periphery/shell_open.h"
#include "app/periphery/web_addresses.h"

namespace kovalin::app {

namespace {

// A view of one fetched page. It loads nothing by itself: the page's links go to the
// system browser, and its pictures and style sheets are neither fetched nor read from disk.
class tCitationView : public QTextBrowser {
 public:
  explicit tCitationView(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setMinimumSize(460, 320);
    setAccessibleName(QStringLiteral("How to cite this software"));
  }

  void SetPage(const QUrl& address, const QString& html) {
    address_ = address;
    setHtml(html);
  }

  QUrl Resolve(const QUrl& link) const { return address_.resolved(link); }

  QVariant loadResource(int, const QUrl&) override { return {}; }

 private:
  QUrl address_;
};

QString DecodeHtml(const QByteArray& body) {
  const auto encoding = QStringConverter::encodingForHtml(body);
  QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
  return decoder.decode(body);
}

}  // namespace

tAboutBoxOptions DefaultAboutBoxOptions() {
  tAboutBoxOptions options;
  options.citationAddress = WebAddresses().Page(tWebPage::Citation);
  return options;
}

TFAbout::TFAbout(QWidget* parent, const tAboutBoxOptions& options)
    : QDialog(parent),
      options_(options),
      pages_(new QStackedWidget(this)),
      citation_(new tCitationView(this)),
      back_(new QPushButton(QStringLiteral("<<"), this)),
      forward_(new QPushButton(QStringLiteral(">>"), this)),
      citationFetch_(new tFetch(this)) {
  setWindowTitle(QString::fromLatin1(kProductName));
  tAboutPageActions actions;
  actions.showCitation = [this] { Navigate(3); };
  actions.showLicence = [this] { Navigate(4); };
  actions.close = [this] { accept(); };
  pages_->addWidget(MakeSplashPage(pages_));
  pages_->addWidget(MakeAboutPage(pages_, actions));
  pages_->addWidget(citation_);
  pages_->addWidget(MakeLicencePage(pages_));
  back_->setAccessibleName(QStringLiteral("Back"));
  forward_->setAccessibleName(QStringLiteral("Forward"));
  back_->setAutoDefault(false);
  forward_->setAutoDefault(false);

  auto* bar = new QHBoxLayout;
  bar->addWidget(back_);
  bar->addStretch();
  bar->addWidget(forward_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_, 1);
  layout->addLayout(bar);

  connect(back_, &QPushButton::clicked, this, &TFAbout::Back);
  connect(forward_, &QPushButton::clicked, this, &TFAbout::Forward);
  connect(citationFetch_, &tFetch::Finished, this, &TFAbout::OnCitationFetched);
  connect(static_cast<tCitationView*>(citation_), &QTextBrowser::anchorClicked, this,
          [this](const QUrl& link) {
            const QUrl address = static_cast<tCitationView*>(citation_)->Resolve(link);
            ShellOpenOrReport(address, QStringLiteral("Unable to connect"));
          });

  back_->hide();
  forward_->hide();
  pages_->setCurrentIndex(0);
  // The stack is as large as its largest page.
  adjustSize();
  if (options_.fadeIn) {
    opacity_ = 0;
    setWindowOpacity(0.0);
    connect(&fadeTimer_, &QTimer::timeout, this, &TFAbout::FadeStep);
    fadeTimer_.start(25);
  }
}

int TFAbout::CurrentPage() const { return pages_->currentIndex() + 1; }

void TFAbout::ShowPage(int page) {
  if (page < 1 || page > pages_->count()) return;
  if (page == 3) LoadCitation();
  pages_->setCurrentIndex(page - 1);
}

void TFAbout::ShowNavigation() {
  back_->setText(QStringLiteral("<<"));
  forward_->setText(QStringLiteral(">>"));
  back_->show();
  forward_->show();
}

void TFAbout::Back() { Navigate(CurrentPage() - 1); }

void TFAbout::Forward() { Navigate(CurrentPage() + 1); }

void TFAbout::Navigate(int page) {
  ShowNavigation();
  if (page < 1 || page > 4) {
    reject();
    return;
  }
  ShowPage(page);
  if (page == 1) back_->setText(QStringLiteral("X"));
  if (page == 4) forward_->setText(QStringLiteral("X"));
}

void TFAbout::LoadCitation() {
  if (webRefsCargada_ || citationFetch_->Running()) return;
  citation_->setPlainText(QStringLiteral("Loading ") + options_.citationAddress.toDisplayString());
  citationFetch_->Start(options_.citationAddress, options_.fetch);
}

void TFAbout::OnCitationFetched(const tFetchResult& result) {
  auto* view = static_cast<tCitationView*>(citation_);
  if (result.ok) {
    webRefsCargada_ = true;
    view->SetPage(options_.citationAddress, DecodeHtml(result.body));
  } else {
    // Not marked as loaded: the next visit of the page tries again.
    view->setPlainText(QStringLiteral("The citation page could not be loaded.\n") + result.error);
  }
  emit CitationFetched(result.ok);
}

void TFAbout::FadeStep() {
  if (opacity_ <= 230) {
    opacity_ += 25;
  } else {
    opacity_ = 255;
    fadeTimer_.stop();
  }
  setWindowOpacity(opacity_ / 255.0);
}

TFAbout* OpenAboutBox(QWidget* parent, int page, const tAboutBoxOptions& options) {
  auto* box = new TFAbout(parent, options);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setSizeGripEnabled(true);
  box->ShowNavigation();
  box->ShowPage(page);
  box->open();
  return box;
}

}  // namespace kovalin::app
