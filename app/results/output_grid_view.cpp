#include "app/results/output_grid_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <algorithm>

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

  // Measuring every column per written cell would cost a run its speed: gather
  // the changed columns and fit them a little later, within the run's yields.
  fitTimer_.setSingleShot(true);
  fitTimer_.setInterval(100);
  connect(&fitTimer_, &QTimer::timeout, this, &tOutputGridView::FitColumns);
  connect(model, &QAbstractItemModel::modelReset, this, [this] {
    const int n = model_->columnCount();
    for (int c = 0; c < n; ++c) horizontalHeader()->resizeSection(c, horizontalHeader()->defaultSectionSize());
    MarkColumns(0, n - 1);
  });
  connect(model, &QAbstractItemModel::dataChanged, this,
          [this](const QModelIndex& from, const QModelIndex& to) {
            MarkColumns(from.column(), to.column());
          });
  connect(model, &QAbstractItemModel::headerDataChanged, this,
          [this](Qt::Orientation o, int first, int last) {
            if (o == Qt::Horizontal) MarkColumns(first, last);
          });
}

void tOutputGridView::MarkColumns(int first, int last) {
  if (first < 0 || last < first) return;
  dirtyFirst_ = dirtyFirst_ < 0 ? first : std::min(dirtyFirst_, first);
  dirtyLast_ = std::max(dirtyLast_, last);
  if (!fitTimer_.isActive()) fitTimer_.start();
}

void tOutputGridView::FitColumns() {
  fitTimer_.stop();
  if (dirtyFirst_ < 0) return;
  QHeaderView* header = horizontalHeader();
  const int last = std::min(dirtyLast_, model_->columnCount() - 1);
  for (int c = dirtyFirst_; c <= last; ++c) {
    const int wanted = std::max({header->defaultSectionSize(), sizeHintForColumn(c),
                                 header->sectionSizeHint(c)});
    if (wanted > header->sectionSize(c)) header->resizeSection(c, wanted);
  }
  dirtyFirst_ = dirtyLast_ = -1;
}

void tOutputGridView::CopySelection() {
  if (!selectionModel()) return;
  const QString text = model_->CopyText(*selectionModel());
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

}  // namespace kovalin::app
