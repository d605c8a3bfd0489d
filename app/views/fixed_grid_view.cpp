#include "app/views/fixed_grid_view.h"

#include <QHeaderView>
#include <QScrollBar>

namespace kovalin::app {

tFixedGridView::tFixedGridView(QWidget* parent) : QTableView(parent) {
  top_ = MakeFixedView("FixedRows");
  left_ = MakeFixedView("FixedColumns");
  corner_ = MakeFixedView("FixedCorner");
  // The headings stay shown: QTableView keeps their room free around the
  // cells, and the fixed views lie over them.
  for (QHeaderView* heading : {horizontalHeader(), verticalHeader()}) {
    heading->setSectionsClickable(false);
    heading->setSectionResizeMode(QHeaderView::Fixed);
  }
  // Pixel steps, so that the fixed views can follow exactly.
  setHorizontalScrollMode(ScrollPerPixel);
  setVerticalScrollMode(ScrollPerPixel);
}

QTableView* tFixedGridView::MakeFixedView(const char* name) {
  auto* view = new QTableView(this);
  view->setObjectName(name);
  view->setAccessibleName(QString("Fixed cells of ") + name);
  view->horizontalHeader()->hide();
  view->verticalHeader()->hide();
  view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->setFrameShape(QFrame::NoFrame);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->setHorizontalScrollMode(ScrollPerPixel);
  view->setVerticalScrollMode(ScrollPerPixel);
  view->setFocusPolicy(Qt::NoFocus);
  view->setSelectionMode(NoSelection);
  view->setEditTriggers(NoEditTriggers);
  // Clicks, the wheel and the popup menu reach the grid beneath.
  view->setAttribute(Qt::WA_TransparentForMouseEvents);
  return view;
}

void tFixedGridView::setModel(QAbstractItemModel* model) {
  QTableView::setModel(model);
  for (QTableView* view : {top_, left_, corner_}) view->setModel(model);
  if (model != nullptr) {
    // After the views' own handling of a reset, which shows every section again.
    connect(model, &QAbstractItemModel::modelReset, this, &tFixedGridView::HideFixedSections);
  }
  HideFixedSections();
}

void tFixedGridView::SetCellSize(int width, int height) {
  for (QTableView* view : {static_cast<QTableView*>(this), top_, left_, corner_}) {
    view->horizontalHeader()->setDefaultSectionSize(width);
    view->verticalHeader()->setDefaultSectionSize(height);
  }
  updateGeometries();
}

void tFixedGridView::HideFixedSections() {
  const QAbstractItemModel* m = model();
  if (m == nullptr) return;
  for (int row = 0; row < kFixedRows && row < m->rowCount(); ++row) {
    setRowHidden(row, true);
    left_->setRowHidden(row, true);
  }
  for (int col = 0; col < kFixedCols && col < m->columnCount(); ++col) {
    setColumnHidden(col, true);
    top_->setColumnHidden(col, true);
  }
  updateGeometries();
}

void tFixedGridView::updateGeometries() {
  // The room of the headings is the room of the fixed cells.
  int width = 0;
  int height = 0;
  if (const QAbstractItemModel* m = model()) {
    for (int col = 0; col < kFixedCols && col < m->columnCount(); ++col) width += corner_->columnWidth(col);
    for (int row = 0; row < kFixedRows && row < m->rowCount(); ++row) height += corner_->rowHeight(row);
  }
  verticalHeader()->setFixedWidth(width);
  horizontalHeader()->setFixedHeight(height);
  QTableView::updateGeometries();
  PlaceFixedViews();
}

void tFixedGridView::PlaceFixedViews() {
  const QRect cells = viewport()->geometry();
  const int width = verticalHeader()->width();
  const int height = horizontalHeader()->height();
  top_->setGeometry(cells.left(), cells.top() - height, cells.width(), height);
  left_->setGeometry(cells.left() - width, cells.top(), width, cells.height());
  corner_->setGeometry(cells.left() - width, cells.top() - height, width, height);
  for (QTableView* view : {top_, left_, corner_}) {
    view->setVisible(width > 0 && height > 0);
    view->raise();
  }
  FollowScrolling();
}

void tFixedGridView::scrollContentsBy(int dx, int dy) {
  QTableView::scrollContentsBy(dx, dy);
  FollowScrolling();
}

// The fixed rows scroll sideways with the cells, the fixed columns up and
// down; both hide the same fixed sections, so equal offsets line them up.
void tFixedGridView::FollowScrolling() {
  QScrollBar* across = top_->horizontalScrollBar();
  across->setRange(horizontalScrollBar()->minimum(), horizontalScrollBar()->maximum());
  across->setValue(horizontalScrollBar()->value());
  QScrollBar* down = left_->verticalScrollBar();
  down->setRange(verticalScrollBar()->minimum(), verticalScrollBar()->maximum());
  down->setValue(verticalScrollBar()->value());
}

}  // namespace kovalin::app
