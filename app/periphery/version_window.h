#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace kovalin::app {

class tLinkLabel;

// The version window: a small tool window that stays on top, centred on its parent,
// with the check's message, the download link (hidden until a new version is found)
// and a Close button. It deletes itself when closed.
class TVersion : public QWidget {
  Q_OBJECT

 public:
  explicit TVersion(QWidget* parent);

  void ShowWaiting();
  void ShowLatest();
  // `message` is the whole "There is a new version ..." text; the link becomes visible.
  void ShowNewVersion(const QString& message);

  QString Message() const;
  bool LinkShown() const;
  tLinkLabel* Link() const { return link_; }
  QPushButton* CloseButton() const { return close_; }

 private:
  // Opens the download and then the program web site, and closes the window.
  void OpenDownload();
  void CentreOnParent();

  QLabel* message_;
  tLinkLabel* link_;
  QPushButton* close_;
};

}  // namespace kovalin::app
