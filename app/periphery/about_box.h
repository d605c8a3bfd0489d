#pragma once

#include <QDialog>
#include <QTimer>
#include <QUrl>

#include "app/periphery/http_fetch.h"

class QPushButton;
class QStackedWidget;
class QTextBrowser;

namespace kovalin::app {

struct tAboutBoxOptions {
  bool fadeIn = true;
  QUrl citationAddress;
  tFetchOptions fetch;
};

// Fade-in, and the citation page of the build's web site.
tAboutBoxOptions DefaultAboutBoxOptions();

// The about box: four pages (splash, about, citation, licence) of which one is shown,
// and a back and a forward button that walk through them and close the box at either end.
class TFAbout : public QDialog {
  Q_OBJECT

 public:
  TFAbout(QWidget* parent, const tAboutBoxOptions& options);

  // The number of the visible page, 1 to 4.
  int CurrentPage() const;
  // Shows page 1 to 4; page 3 loads the citation the first time.
  void ShowPage(int page);
  // Shows both navigation buttons ("<<" and ">>").
  void ShowNavigation();
  void Back();
  void Forward();

  // A fetch of the citation page has completed, so it is not fetched again.
  bool WebRefs_cargada() const { return webRefsCargada_; }
  int Opacity() const { return opacity_; }
  QPushButton* BackButton() const { return back_; }
  QPushButton* ForwardButton() const { return forward_; }
  QTextBrowser* CitationView() const { return citation_; }

 signals:
  // A fetch of the citation page ended; false when it failed.
  void CitationFetched(bool ok);

 private:
  void Navigate(int page);
  void LoadCitation();
  void OnCitationFetched(const tFetchResult& result);
  void FadeStep();

  tAboutBoxOptions options_;
  QStackedWidget* pages_;
  QTextBrowser* citation_;
  QPushButton* back_;
  QPushButton* forward_;
  tFetch* citationFetch_;
  QTimer fadeTimer_;
  int opacity_ = 255;
  bool webRefsCargada_ = false;
};

// "&About..." (page 2) and "&How to cite this software" (page 3): a resizable modal box
// with its navigation buttons, deleted when closed. Returns at once (the box is opened
// with QDialog::open).
TFAbout* OpenAboutBox(QWidget* parent, int page, const tAboutBoxOptions& options);

}  // namespace kovalin::app
