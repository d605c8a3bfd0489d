#pragma once

#include <QTableView>

namespace kovalin::app {

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
  // The size of every cell, in every part of the grid.
  void SetCellSize(int width, int height);

  // The views of the fixed cells: the rows on top, the columns on the left, the corner.
  QTableView* FixedRowsView() const { return top_; }
  QTableView* FixedColumnsView() const { return left_; }
  QTableView* CornerView() const { return corner_; }

 protected:
  void updateGeometries() override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  QTableView* MakeFixedView(const char* name);
  void HideFixedSections();
  void PlaceFixedViews();
  void FollowScrolling();

  QTableView* top_;
  QTableView* left_;
  QTableView* corner_;
};

}  // namespace kovalin::app
