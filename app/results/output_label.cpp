#include "app/results/output_label.h"

#include <QMouseEvent>

namespace kovalin::app {

tOutputLabel::tOutputLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setFocusPolicy(Qt::StrongFocus);
  SetHighlighted(false);
}

void tOutputLabel::SetHighlighted(bool on) {
  highlighted_ = on;
  QPalette p = palette();
  p.setColor(QPalette::WindowText, on ? Qt::red : Qt::black);
  setPalette(p);
  if (on)
    setCursor(Qt::PointingHandCursor);
  else
    unsetCursor();
}

void tOutputLabel::enterEvent(QEnterEvent* event) {
  SetHighlighted(true);
  QLabel::enterEvent(event);
}

void tOutputLabel::leaveEvent(QEvent* event) {
  SetHighlighted(false);
  QLabel::leaveEvent(event);
}

void tOutputLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
  QLabel::mouseReleaseEvent(event);
}

}  // namespace kovalin::app
