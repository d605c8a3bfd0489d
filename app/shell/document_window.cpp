#include "app/shell/document_window.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace kovalin::app {

tDocumentWindow::tDocumentWindow(TFMDIParent* creator, QWidget* parent)
    : QWidget(parent), TFMDIChild(creator) {}

QMdiSubWindow* tDocumentWindow::SubWindow() const {
  return qobject_cast<QMdiSubWindow*>(parentWidget());
}

bool tDocumentWindow::RequestClose() {
  // The frame asks this widget first (closeEvent below) and closes only when it agrees.
  if (QMdiSubWindow* frame = SubWindow()) return frame->close();
  return close();
}

void tDocumentWindow::BringToFront() {
  QMdiSubWindow* frame = SubWindow();
  if (frame == nullptr) return;
  if (QMdiArea* area = frame->mdiArea(); area != nullptr && area->activeSubWindow() != frame) {
    area->setActiveSubWindow(frame);
  }
}

void tDocumentWindow::SetModified(bool modified) {
  StatusModificado = modified;
  if (modified) IsCloseQuery = true;
  setWindowModified(modified);
}

void tDocumentWindow::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

void tDocumentWindow::CaptionChanged() { setWindowTitle(Caption() + "[*]"); }

}  // namespace kovalin::app
