#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace kovalin::app {

// A read-only, scrollable window with a document's XML text; it stays open
// until the user closes it and is deleted then.
class TXML_Show : public QWidget {
  Q_OBJECT
 public:
  TXML_Show(const QString& caption, const QString& xml, QWidget* parent = nullptr);
  QString Text() const;

 private:
  QPlainTextEdit* text_;
};

}  // namespace kovalin::app
