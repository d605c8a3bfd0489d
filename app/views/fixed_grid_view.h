#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

namespace kovalin::app {

// Grid texts are padded to a fixed width (labels with leading blanks); on
// screen a cell shows its text without the padding, so that a column as wide as
// its longest text never cuts a label.
class tTrimmedTextDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// Ctrl+C copies a whole grid when C is released. A user who lets go of Ctrl
// a moment before C still copies: the press armed the copy.
class tCopyKeys {
 public:
  // True for the press of Ctrl+C (the copy waits for the release).
  bool Pressed(const QKeyEvent* event);
  // True when this release completes a copy.
  bool Released(const QKeyEvent* event);

 private:
  bool armed_ = false;
};

// A table view whose first two rows and two columns (the labels and totals of
// a frequency or percentage grid) stay in place while the other cells scroll.
// The scrolling part hides those rows and columns; three views over the same
// model show them above it and to its left, in the room its headings keep, and
// follow its scrolling. The fixed cells take no clicks and no focus, like the
// fixed cells of a spreadsheet grid.
class tFixedGridView : public QTableView {
  Q_OBJECT
 public:
  static constexpr int kFixedRows = 2;
  static constexpr int kFixedCols = 2;

  explicit tFixedGridView(QWidget* parent = nullptr);

  void setModel(QAbstractItemModel* model) override;
  // The smallest cell width and the height of every cell, in every part of
  // the grid; a column is widened to show its longest text whole.
  void SetCellSize(int width, int height);

  // The views of the fixed cells: the rows on top, the columns on the left, the corner.
  QTableView* FixedRowsView() const { return top_; }
  QTableView* FixedColumnsView() const { return left_; }
  QTableView* CornerView() const { return corner_; }

  // Whether a key released in the grid completes Ctrl+C.
  bool IsCopyRelease(const QKeyEvent* event) { return copyKeys_.Released(event); }

 protected:
  void updateGeometries() override;
  void keyPressEvent(QKeyEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  QTableView* MakeFixedView(const char* name);
  void HideFixedSections();
  void FitColumns();
  void PlaceFixedViews();
  void FollowScrolling();

  QTableView* top_;
  QTableView* left_;
  QTableView* corner_;
  int minCellWidth_ = 0;
  tCopyKeys copyKeys_;
};

}  // namespace kovalin::app
