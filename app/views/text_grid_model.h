#pragma once

#include <QAbstractTableModel>

#include "tables/text_grid.h"

namespace kovalin::app {

// A grid of cell texts (the frequency grid or a percentage view) as a Qt table.
// Rows 0-1 and columns 0-1 are the fixed labels and totals; the other cells
// are editable when the grid allows it. An edit only writes the cell text: the
// view decides when that text is committed as a frequency.
class tTextGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kFixedRows = 2;
  static constexpr int kFixedCols = 2;

  explicit tTextGridModel(tTextGrid* grid, QObject* parent = nullptr);

  void SetGrid(tTextGrid* grid);
  tTextGrid* Grid() const { return grid_; }
  void SetEditable(bool editable);
  bool Editable() const { return editable_; }
  static bool IsFixed(int col, int row) { return col < kFixedCols || row < kFixedRows; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The grid texts changed; a changed size resets the views.
  void Refresh();

 signals:
  void textEntered(int col, int row);
  // The entered text differs from what the cell held (blanks aside).
  void textChanged(int col, int row);

 private:
  tTextGrid* grid_;
  bool editable_ = true;
  int shownCols_ = 0;
  int shownRows_ = 0;
};

}  // namespace kovalin::app
