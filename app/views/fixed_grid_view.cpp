#include "app/views/fixed_grid_view.h"

#include <algorithm>
#include <utility>

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

namespace kovalin::app {

namespace {

// A view of fixed cells: it shows the cells at the scroll position its grid
// gives and keeps it through its own layout passes, which would otherwise
// move it back within ranges computed from its own size.
class tFixedPart : public QTableView {
 public:
  using QTableView::QTableView;
  void Follow(int x, int y) {
    x_ = x;
    y_ = y;
    Apply();
  }

 protected:
  void updateGeometries() override {
    QTableView::updateGeometries();
    Apply();
  }
  void scrollTo(const QModelIndex&, ScrollHint) override {}  // it never scrolls on its own

 private:
  void Apply() {
    for (const auto& [bar, value] : {std::pair{horizontalScrollBar(), x_}, std::pair{verticalScrollBar(), y_}}) {
      if (bar->maximum() < value) bar->setMaximum(value);
      bar->setValue(value);
    }
  }
  int x_ = 0;
  int y_ = 0;
};

QList<QTableView*> Parts(QTableView* grid, QTableView* top, QTableView* left, QTableView* corner) {
  return {grid, top, left, corner};
}

}  // namespace

void tTrimmedTextDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  option->text = option->text.trimmed();
}

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
  setItemDelegate(new tTrimmedTextDelegate(this));
}

QTableView* tFixedGridView::MakeFixedView(const char* name) {
  auto* view = new tFixedPart(this);
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
  view->setItemDelegate(new tTrimmedTextDelegate(view));
  return view;
}

void tFixedGridView::setModel(QAbstractItemModel* model) {
  QTableView::setModel(model);
  for (QTableView* view : {top_, left_, corner_}) view->setModel(model);
  if (model != nullptr) {
    // After the views' own handling of a reset, which shows every section again.
    connect(model, &QAbstractItemModel::modelReset, this, &tFixedGridView::HideFixedSections);
    connect(model, &QAbstractItemModel::dataChanged, this, &tFixedGridView::FitColumns);
  }
  HideFixedSections();
}

void tFixedGridView::SetCellSize(int width, int height) {
  minCellWidth_ = width;
  for (QTableView* view : Parts(this, top_, left_, corner_)) {
    view->horizontalHeader()->setDefaultSectionSize(width);
    view->verticalHeader()->setDefaultSectionSize(height);
  }
  FitColumns();
}

void tFixedGridView::FitColumns() {
  const QAbstractItemModel* m = model();
  if (m == nullptr) return;
  const QFontMetrics metrics(font());
  // The text margins of a cell, as the item delegate draws them.
  const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 6;
  for (int col = 0; col < m->columnCount(); ++col) {
    int width = minCellWidth_;
    for (int row = 0; row < m->rowCount(); ++row) {
      const QString text = m->index(row, col).data().toString().trimmed();
      width = std::max(width, metrics.horizontalAdvance(text) + margins);
    }
    for (QTableView* view : Parts(this, top_, left_, corner_)) {
      if (view->columnWidth(col) != width || view->isColumnHidden(col)) view->horizontalHeader()->resizeSection(col, width);
    }
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
  FitColumns();
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

void tFixedGridView::keyPressEvent(QKeyEvent* event) {
  if (copyKeys_.Pressed(event)) {
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

bool tCopyKeys::Pressed(const QKeyEvent* event) {
  armed_ = event->matches(QKeySequence::Copy);
  return armed_;
}

bool tCopyKeys::Released(const QKeyEvent* event) {
  if (event->key() != Qt::Key_C || event->isAutoRepeat()) return false;
  const bool ctrlOnly = (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
  const bool copy = ctrlOnly || armed_;
  armed_ = false;
  return copy;
}

void tFixedGridView::scrollContentsBy(int dx, int dy) {
  QTableView::scrollContentsBy(dx, dy);
  FollowScrolling();
}

// The fixed rows scroll sideways with the cells, the fixed columns up and
// down; both hide the same fixed sections, so equal offsets line them up.
void tFixedGridView::FollowScrolling() {
  static_cast<tFixedPart*>(top_)->Follow(horizontalScrollBar()->value(), 0);
  static_cast<tFixedPart*>(left_)->Follow(0, verticalScrollBar()->value());
  static_cast<tFixedPart*>(corner_)->Follow(0, 0);
}

}  // namespace kovalin::app
