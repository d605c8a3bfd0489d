// The main window's Edit and Window commands: they act on the focused text control and
// on the arrangement of the document windows.
#include <optional>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

#include "app/shell/main_window.h"

namespace kovalin::app {

namespace {

struct tTextState {
  bool selection = false;
  bool readOnly = true;
};

// The focused text control's state, or none when the widget is not one.
std::optional<tTextState> TextState(QWidget* widget) {
  if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    return tTextState{line->hasSelectedText(), line->isReadOnly()};
  }
  if (auto* edit = qobject_cast<QTextEdit*>(widget)) {
    return tTextState{edit->textCursor().hasSelection(), edit->isReadOnly()};
  }
  if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
    return tTextState{plain->textCursor().hasSelection(), plain->isReadOnly()};
  }
  return std::nullopt;
}

}  // namespace

void TFMain::TrackFocus(QWidget* now) {
  // Opening a menu moves no focus that matters: the text control stays the target.
  if (now != nullptr && qobject_cast<QMenu*>(now) != nullptr) return;
  for (const QMetaObject::Connection& connection : textConnections_) disconnect(connection);
  textConnections_.clear();
  textFocus_ = TextState(now) ? now : nullptr;
  if (auto* line = qobject_cast<QLineEdit*>(now)) {
    textConnections_ << connect(line, &QLineEdit::selectionChanged, this,
                                [this] { UpdateEditCommands(); });
  } else if (auto* edit = qobject_cast<QTextEdit*>(now)) {
    textConnections_ << connect(edit, &QTextEdit::selectionChanged, this,
                                [this] { UpdateEditCommands(); });
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(now)) {
    textConnections_ << connect(plain, &QPlainTextEdit::selectionChanged, this,
                                [this] { UpdateEditCommands(); });
  }
  UpdateEditCommands();
}

void TFMain::UpdateEditCommands() {
  const std::optional<tTextState> state = TextState(textFocus_);
  const bool pasteable = !QApplication::clipboard()->text().isEmpty();
  actions_.cut->setEnabled(state && state->selection && !state->readOnly);
  actions_.copy->setEnabled(state && state->selection);
  actions_.paste->setEnabled(state && !state->readOnly && pasteable);
}

void TFMain::TileDocuments(bool sideBySide) {
  QList<QMdiSubWindow*> frames;
  for (QMdiSubWindow* frame : area_->subWindowList()) {
    if (!frame->isMinimized() && frame->isVisible()) frames << frame;
  }
  if (frames.isEmpty()) return;
  const QRect room = area_->viewport()->rect();
  const int count = static_cast<int>(frames.size());
  for (int i = 0; i < count; ++i) {
    frames[i]->showNormal();
    if (sideBySide) {
      const int width = room.width() / count;
      frames[i]->setGeometry(i * width, 0, width, room.height());
    } else {
      const int height = room.height() / count;
      frames[i]->setGeometry(0, i * height, room.width(), height);
    }
  }
}

void TFMain::ArrangeIcons() {
  const QRect room = area_->viewport()->rect();
  int x = 0;
  for (QMdiSubWindow* frame : area_->subWindowList()) {
    if (!frame->isMinimized()) continue;
    const QSize size = frame->size();
    frame->move(x, room.height() - size.height());
    x += size.width();
  }
}

void TFMain::RebuildWindowList() {
  for (QAction* action : windowList_) {
    actions_.windowMenu->removeAction(action);
    action->deleteLater();
  }
  windowList_.clear();
  const QList<QMdiSubWindow*> frames = area_->subWindowList();
  if (frames.isEmpty()) return;
  windowList_ << actions_.windowMenu->addSeparator();
  auto* group = new QActionGroup(windowList_.front());
  int number = 0;
  for (QMdiSubWindow* frame : frames) {
    ++number;
    QString title = frame->windowTitle();
    title.remove("[*]");
    QAction* action = actions_.windowMenu->addAction(QString("&%1 %2").arg(number).arg(title));
    action->setCheckable(true);
    action->setChecked(frame == area_->currentSubWindow());
    group->addAction(action);
    connect(action, &QAction::triggered, area_, [this, frame = QPointer<QMdiSubWindow>(frame)] {
      if (frame) area_->setActiveSubWindow(frame);
    });
    windowList_ << action;
  }
}

}  // namespace kovalin::app
