#pragma once

#include <QAbstractTableModel>

#include "tables/record_table_frame.h"

namespace kovalin::app {

// The record store as a Qt table: every cell is read from the store when a
// view asks for it, through the numeric grid's display rules, and typed text is
// stored through its storing rules. Nothing is copied, so a table of any size
// costs the view only the cells on screen.
class tRecordTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // The text-free state of a cell (its state byte), for delegates that paint marks.
  static constexpr int kCellStateRole = Qt::UserRole + 1;

  explicit tRecordTableModel(tRecordTableFrame& frame, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // The store changed its shape or its content as a whole (load, new table,
  // record operations): every view reads it again.
  void Reload();
  // The decimal places or the read-only mode changed: same shape, new texts or flags.
  void Repaint();

 signals:
  // A typed text was taken by the store (stored or marked as not a number).
  void cellEdited(int column, int row);

 private:
  tRecordTableFrame& frame_;
};

}  // namespace kovalin::app
