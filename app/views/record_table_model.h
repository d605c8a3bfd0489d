#pragma once

#include <QAbstractTableModel>
#include <QModelIndexList>

#include <functional>

#include "tables/cell_block.h"
#include "tables/record_table_frame.h"

class QUndoStack;

namespace kovalin::app {

// The record store as a Qt table: every cell is read from the store when a
// view asks for it, through the numeric grid's display rules, and typed text is
// stored through its storing rules. Nothing is copied, so a table of any size
// costs the view only the cells on screen.
//
// Every change a user makes (an edit, a paste, a clear, a row or column
// inserted or deleted) is one step of the model's undo stack; the stack's clean
// state is what the record table's modified mark follows.
class tRecordTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // The text-free state of a cell (its state byte), for delegates that paint marks.
  static constexpr int kCellStateRole = Qt::UserRole + 1;

  explicit tRecordTableModel(tRecordTableFrame& frame, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  // DisplayRole is the cell as the grid shows it; EditRole the stored value at
  // full precision, so an editor opened and closed leaves the value as it was.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // A text equal to the cell's edit text changes nothing and is no undo step.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // The store changed its shape or its content as a whole (load, new table,
  // record operations): every view reads it again.
  void Reload();
  // The decimal places or the read-only mode changed: same shape, new texts or flags.
  void Repaint();

  // --- Edits that are undo steps ---
  // The given cells become missing; false when none changed.
  bool ClearCells(const QModelIndexList& cells);
  // A tab-separated block with its top left cell at `at`, as one step; rows are
  // added when it runs past the end. False with the reason in `message` when it
  // is refused (it would run past the last column, the table takes no edits).
  bool PasteBlock(const QModelIndex& at, const QString& text, QString& message);
  // The bounding block of the cells, tab-separated at full precision.
  QString CopyText(const QModelIndexList& cells) const;
  // A change of the table's columns (a column inserted or deleted) as one
  // step: `change` runs on the frame and says whether it changed anything;
  // undo puts back a copy of the table as it was.
  bool ChangeShape(const QString& text, const std::function<bool(tRecordTableFrame&)>& change);

  // A record inserted before `at` (1..rows+1), or record `at` deleted (at
  // least two records), as one step.
  bool ChangeRows(bool insert, int at);

  QUndoStack* UndoStack() const { return undo_; }
  // The table was saved: the current step is the saved one.
  void MarkSaved();
  // The table was replaced by a change that is no undo step (a load, the record
  // buttons, Delete all): earlier steps no longer apply to it.
  void ForgetHistory();

 signals:
  // A typed text was taken by the store (stored or marked as not a number).
  void cellEdited(int column, int row);
  // The record table's modified mark may have changed.
  void modifiedChanged(bool modified);
  // Rows or columns came or went through an undo step: counts, field list and
  // the table's kind follow.
  void shapeChanged(bool columns);

 private:
  friend class tCellsCommand;
  friend class tShapeCommand;
  friend class tRowCommand;
  void CellsChanged(int firstCol, int firstRow, int lastCol, int lastRow, bool rowsChanged);
  void FollowUndoStack();

  tRecordTableFrame& frame_;
  QUndoStack* undo_;
  // A change outside the undo stack is not saved yet.
  bool changedOutsideHistory_ = false;
};

}  // namespace kovalin::app
