#include "app/results/output_grid_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>

namespace kovalin::app {

tOutputGridView::tOutputGridView(tOutputGridModel* model, QWidget* parent)
    : QTableView(parent), model_(model) {
  setModel(model);
  setAccessibleName("Output grid");
  auto* copy = new QAction("&Copy", this);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetShortcut);
  connect(copy, &QAction::triggered, this, &tOutputGridView::CopySelection);
  addAction(copy);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

void tOutputGridView::CopySelection() {
  if (!selectionModel()) return;
  const QString text = model_->CopyText(*selectionModel());
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

}  // namespace kovalin::app
