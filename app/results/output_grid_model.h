#pragma once

#include <QAbstractTableModel>
#include <QString>

#include "simulation/output_grid.h"
#include "tables/data_table.h"
#include "tables/numeric_grid.h"

class QItemSelectionModel;

namespace kovalin::app {

// The grid page of a results document: a numeric grid over its own record
// store, shown through a table model, that a simulation fills row by row.
class tOutputGridModel : public QAbstractTableModel, public tOutputGrid {
  Q_OBJECT
 public:
  explicit tOutputGridModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  void Redimension(int cols, int rows) override;
  void SetColName(int col, const std::string& name) override;
  void SetDecPlaces(int col, int decimals) override;
  int GetNrOfColumns() const override;
  void SetElem(int col, int row, double value) override;

  const TNTabEd& Grid() const { return grid_; }

  // A stopped run: rows from firstRow on were never run; their first cell reads
  // "not run" instead of looking like an empty or zero result. 0: every row ran.
  void MarkNotRun(int firstRow);
  int NotRunFrom() const { return notRunFrom_; }

  // The cells of the selection (its bounding rectangle), tab between columns and
  // CR LF after each row, every number at full precision.
  QString CopyText(const QItemSelectionModel& selection) const;

 private:
  TDataTable table_;
  TNTabEd grid_;
  int notRunFrom_ = 0;
};

// A number with the fewest digits that read back to the same double, with a
// point whatever the locale; "Nan", "+Inf", "-Inf" as the simulation files write them.
QString FullPrecisionText(double v);

}  // namespace kovalin::app
