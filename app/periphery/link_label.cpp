#include "app/periphery/link_label.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace kovalin::app {

namespace {

class tHoverColours : public QObject {
 public:
  tHoverColours(QWidget* widget, const QColor& normal, const QColor& hover)
      : QObject(widget), normal_(normal), hover_(hover) {
    Paint(widget, normal_);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != nullptr) {
      if (event->type() == QEvent::Enter) Paint(widget, hover_);
      if (event->type() == QEvent::Leave) Paint(widget, normal_);
    }
    return false;
  }

 private:
  static void Paint(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
  }

  QColor normal_;
  QColor hover_;
};

}  // namespace

void SetHoverColours(QWidget* widget, const QColor& normal, const QColor& hover) {
  widget->installEventFilter(new tHoverColours(widget, normal, hover));
}

tLinkLabel::tLinkLabel(const QString& text, QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setText(text);
  setAccessibleName(text);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
  SetHoverColours(this, kLinkColour, kLinkHoverColour);
}

void tLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit Clicked();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

void tLinkLabel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
      event->key() == Qt::Key_Space) {
    emit Clicked();
    return;
  }
  QLabel::keyPressEvent(event);
}

}  // namespace kovalin::app
