#include "app/results/link_label.h"

#include <QMouseEvent>

namespace kovalin::app {

tLinkLabel::tLinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setFocusPolicy(Qt::StrongFocus);
  SetHighlighted(false);
}

void tLinkLabel::SetHighlighted(bool on) {
  highlighted_ = on;
  QPalette p = palette();
  p.setColor(QPalette::WindowText, on ? Qt::red : Qt::black);
  setPalette(p);
  if (on)
    setCursor(Qt::PointingHandCursor);
  else
    unsetCursor();
}

void tLinkLabel::enterEvent(QEnterEvent* event) {
  SetHighlighted(true);
  QLabel::enterEvent(event);
}

void tLinkLabel::leaveEvent(QEvent* event) {
  SetHighlighted(false);
  QLabel::leaveEvent(event);
}

void tLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
  QLabel::mouseReleaseEvent(event);
}

}  // namespace kovalin::app
