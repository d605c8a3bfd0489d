#include "app/views/frequency_grid_view.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

#include "app/shell/questions.h"

namespace kovalin::app {

namespace {

bool LeavesTheEditor(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Up || key == Qt::Key_Down ||
         key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

bool IsNavigation(int key) {
  return LeavesTheEditor(key) || key == Qt::Key_Left || key == Qt::Key_Right;
}

// The cell editor hands Enter, Up, Down and Tab to the grid at once, so the
// entry is committed and the cursor moved in one step; Left and Right stay
// inside the text being typed.
class tGridEditorDelegate : public tTrimmedTextDelegate {
 public:
  explicit tGridEditorDelegate(tFrequencyGridView* view) : tTrimmedTextDelegate(view), view_(view) {}

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor != nullptr && event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (LeavesTheEditor(key->key())) {
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        view_->NavigationKey(key->key(), key->modifiers(), true);
        return true;
      }
    } else if (editor != nullptr && event->type() == QEvent::KeyRelease) {
      view_->KeyReleased(static_cast<QKeyEvent*>(event));
    }
    return tTrimmedTextDelegate::eventFilter(object, event);
  }

 private:
  tFrequencyGridView* view_;
};

}  // namespace

bool IsValueKey(int key) {
  return (key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Comma || key == Qt::Key_Minus ||
         key == Qt::Key_Period;
}

tFrequencyGridView::tFrequencyGridView(tFrequencyTable& table, QWidget* parent)
    : tFixedGridView(parent), table_(table), model_(new tTextGridModel(&table.Grid, this)) {
  setObjectName("SGDatos");
  setAccessibleName("Frequency grid");
  setModel(model_);
  setItemDelegate(new tGridEditorDelegate(this));
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  SetCellSize(fontMetrics().horizontalAdvance(QString(11, '0')) + 8, fontMetrics().height() + 6);
  setTabKeyNavigation(true);
  ApplyEditMode();
  connect(model_, &tTextGridModel::textEntered, this, &tFrequencyGridView::OnTextEntered);
  connect(model_, &tTextGridModel::textChanged, this, &tFrequencyGridView::modifiedByEntry);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &tFrequencyGridView::OnCurrentChanged);
}

void tFrequencyGridView::Redraw() {
  const tGridPos at = Cursor();
  model_->Refresh();
  // A reset forgets the cursor; a grid without frequency cells keeps none.
  if (!currentIndex().isValid() && at.IsSet()) SetCursor(at.col, at.row);
}

void tFrequencyGridView::SetCursor(int col, int row) {
  const QModelIndex index = model_->index(row, col);
  if (!index.isValid()) return;
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  scrollTo(index);
}

tGridPos tFrequencyGridView::Cursor() const {
  const QModelIndex index = currentIndex();
  if (!index.isValid()) return {};
  return {index.column(), index.row()};
}

void tFrequencyGridView::SetActiveEditorMode(bool on) {
  activeEditor_ = on;
  ApplyEditMode();
  if (on && currentIndex().isValid() && state() != EditingState) edit(currentIndex());
}

void tFrequencyGridView::UnlockForEditing() {
  table_.UnlockForEditing();
  unlocked_ = true;
  ApplyEditMode();
  emit unlocked();
}

void tFrequencyGridView::ApplyEditMode() {
  if (activeEditor_ || unlocked_) {
    setEditTriggers(AllEditTriggers);
  } else {
    // Not SelectedClicked: while its delayed start runs, Qt refuses to open
    // the editor for a typed key, and the digits typed right after a click on
    // the current cell were lost.
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
  }
  setSelectionMode(unlocked_ ? ContiguousSelection : SingleSelection);
}

bool tFrequencyGridView::Commit(int col, int row) {
  if (tTextGridModel::IsFixed(col, row) || col > table_.TablaDimC + 1 || row > table_.TablaDimR + 1) return true;
  const tCommitResult result = table_.CommitCell(col, row, circularFocus_);
  model_->Refresh();
  if (!result.message.empty()) ShowError("Kovalin", QString::fromStdString(result.message));
  if (!result.accepted) SetCursor(col, row);
  if (result.unlockGrid) UnlockForEditing();
  table_.StatusScan();
  emit statusChanged();
  return result.accepted;
}

void tFrequencyGridView::OnTextEntered(int col, int row) { pending_ = {col, row}; }

void tFrequencyGridView::CommitOpenEditor() {
  if (state() != EditingState) return;
  QWidget* editor = indexWidget(currentIndex());
  if (editor == nullptr) return;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void tFrequencyGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // Moves are the grid's own (NavigationKey), not the delegate's.
  if (hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem) {
    hint = QAbstractItemDelegate::NoHint;
  }
  tFixedGridView::closeEditor(editor, hint);
  if (pending_.IsSet()) {
    const tGridPos at = pending_;
    pending_ = {};
    lastCommitAccepted_ = Commit(at.col, at.row);
  }
}

void tFrequencyGridView::NavigationKey(int key, Qt::KeyboardModifiers modifiers, bool committed) {
  const tGridPos at = Cursor();
  if (!at.IsSet() && !currentIndex().isValid()) return;
  const bool accepted = committed ? lastCommitAccepted_ : Commit(at.col, at.row);
  lastCommitAccepted_ = true;
  if (!accepted) return;  // the cursor stays on the refused cell
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    const tGridPos next = tTextGridModel::IsFixed(at.col, at.row) ? tGridPos{at.col, at.row + 1}
                                                                   : table_.NextCellAfterEnter(at.col, at.row);
    SetCursor(next.col, next.row);
    if (model_->Editable() && state() != EditingState && !tTextGridModel::IsFixed(next.col, next.row)) {
      edit(currentIndex());
    }
    return;
  }
  CursorAction action = MoveNext;
  switch (key) {
    case Qt::Key_Up: action = MoveUp; break;
    case Qt::Key_Down: action = MoveDown; break;
    case Qt::Key_Left: action = MoveLeft; break;
    case Qt::Key_Right: action = MoveRight; break;
    case Qt::Key_Backtab: action = MovePrevious; break;
    default: action = MoveNext; break;
  }
  const QModelIndex next = moveCursor(action, modifiers);
  if (next.isValid()) SetCursor(next.column(), next.row());
}

void tFrequencyGridView::keyPressEvent(QKeyEvent* event) {
  if (state() != EditingState && IsNavigation(event->key()) &&
      !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    NavigationKey(event->key(), event->modifiers(), false);
    event->accept();
    return;
  }
  tFixedGridView::keyPressEvent(event);
}

void tFrequencyGridView::KeyReleased(const QKeyEvent* event) {
  if (IsValueKey(event->key())) emit modifiedByEntry();
  if (IsCopyRelease(event)) emit copyRequested();
}

void tFrequencyGridView::keyReleaseEvent(QKeyEvent* event) {
  KeyReleased(event);
  tFixedGridView::keyReleaseEvent(event);
}

void tFrequencyGridView::focusOutEvent(QFocusEvent* event) {
  tFixedGridView::focusOutEvent(event);
  // Focus into the cell editor does not leave the grid.
  for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
    if (w == this) return;
  }
  if (!table_.PosError.IsSet()) return;
  const tGridPos bad = table_.PosError;
  table_.Grid.SetCell(bad.col, bad.row, "0");
  table_.AsignaDatos();
  model_->Refresh();
  SetCursor(bad.col, bad.row);
}

void tFrequencyGridView::OnCurrentChanged() {
  table_.StatusScan();
  emit statusChanged();
}

}  // namespace kovalin::app
