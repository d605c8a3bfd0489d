#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;
class QUrl;

namespace kovalin::app {

// The user guide (docs/guide.md, built into the program), the one text the README,
// the man pages and the R package share.
QString UserGuideText();

// Help > User guide: the guide in a window of its own beside the main window, not
// modal, so that the user can follow it while working. Web links open in the
// browser; links within the guide scroll to their heading.
class TFGuide : public QDialog {
  Q_OBJECT

 public:
  explicit TFGuide(QWidget* parent = nullptr);
  QTextBrowser* Browser() const { return browser_; }

 private:
  void FollowLink(const QUrl& url);
  QTextBrowser* browser_;
};

// Shows the guide window of parent, creating it the first time.
TFGuide* ShowUserGuide(QWidget* parent);

}  // namespace kovalin::app
