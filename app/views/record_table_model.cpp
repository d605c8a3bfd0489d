#include "app/views/record_table_model.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace kovalin::app {

namespace {

// Enough steps for a working session; a shape step keeps a copy of the table.
constexpr int kUndoLimit = 100;

struct tCellValue {
  double value = 0;
  std::uint8_t state = 0;
};

struct tCellChange {
  int col = 0;
  int row = 0;
  tCellValue before;
  tCellValue after;
};

tCellValue ReadCell(const TDataTable& table, int col, int row) {
  return {table.GetRawElem(col, row), table.GetCellState(col, row)};
}

void WriteCell(TDataTable& table, int col, int row, const tCellValue& cell) {
  table.SetElem(col, row, cell.value);
  table.SetCellState(col, row, cell.state);
}

}  // namespace

// Cells that changed, with the rows a paste added: undo puts the old values
// back and removes the added rows, redo does the change again. The change is
// made before the command is pushed, so its first redo does nothing.
class tCellsCommand : public QUndoCommand {
 public:
  tCellsCommand(tRecordTableModel* model, const QString& text, int rowsBefore, int rowsAfter,
                std::vector<tCellChange> cells)
      : QUndoCommand(text), model_(model), rowsBefore_(rowsBefore), rowsAfter_(rowsAfter), cells_(std::move(cells)) {}

  void undo() override {
    tRecordTableFrame& frame = model_->frame_;
    for (const tCellChange& c : cells_) {
      if (c.row <= rowsBefore_) WriteCell(frame.DataTable1, c.col, c.row, c.before);
    }
    if (rowsAfter_ != rowsBefore_) frame.NTabEd1.Redimension(frame.DataTable1.NrOfColumns(), rowsBefore_);
    Changed();
  }

  void redo() override {
    if (alreadyDone_) {
      alreadyDone_ = false;
      return;
    }
    tRecordTableFrame& frame = model_->frame_;
    if (rowsAfter_ != rowsBefore_) frame.NTabEd1.Redimension(frame.DataTable1.NrOfColumns(), rowsAfter_);
    for (const tCellChange& c : cells_) WriteCell(frame.DataTable1, c.col, c.row, c.after);
    Changed();
  }

 private:
  void Changed() {
    int firstCol = cells_.front().col, lastCol = firstCol, firstRow = cells_.front().row, lastRow = firstRow;
    for (const tCellChange& c : cells_) {
      firstCol = std::min(firstCol, c.col);
      lastCol = std::max(lastCol, c.col);
      firstRow = std::min(firstRow, c.row);
      lastRow = std::max(lastRow, c.row);
    }
    model_->CellsChanged(firstCol, firstRow, lastCol, lastRow, rowsAfter_ != rowsBefore_);
  }

  tRecordTableModel* model_;
  int rowsBefore_;
  int rowsAfter_;
  std::vector<tCellChange> cells_;
  bool alreadyDone_ = true;
};

// A row or column inserted or deleted: undo puts back a copy of the table as it
// was (values, states, names, labels, decimal places), redo runs the change again.
class tShapeCommand : public QUndoCommand {
 public:
  tShapeCommand(tRecordTableModel* model, const QString& text, std::function<bool(tRecordTableFrame&)> change)
      : QUndoCommand(text), model_(model), change_(std::move(change)) {
    const tRecordTableFrame& frame = model_->frame_;
    table_ = frame.DataTable1;
    for (int c = 1; c <= frame.NTabEd1.GetNrOfColumns(); ++c) decimals_.push_back(frame.NTabEd1.GetDecPlaces(c));
    varList_ = frame.VarList;
  }

  // Runs the change; false (and nothing to push) when it changed nothing.
  bool Apply() {
    if (!change_(model_->frame_)) return false;
    Changed();
    return true;
  }

  void undo() override {
    tRecordTableFrame& frame = model_->frame_;
    frame.DataTable1 = table_;
    frame.NTabEd1.Bind(&frame.DataTable1);
    for (std::size_t i = 0; i < decimals_.size(); ++i) frame.NTabEd1.SetDecPlaces(static_cast<int>(i) + 1, decimals_[i]);
    frame.VarList = varList_;
    Changed();
  }

  void redo() override {
    if (alreadyDone_) {
      alreadyDone_ = false;
      return;
    }
    change_(model_->frame_);
    Changed();
  }

 private:
  void Changed() {
    model_->Reload();
    emit model_->shapeChanged(true);
  }

  tRecordTableModel* model_;
  std::function<bool(tRecordTableFrame&)> change_;
  TDataTable table_;
  std::vector<int> decimals_;
  std::vector<std::string> varList_;
  bool alreadyDone_ = true;
};

// A record inserted or deleted through the row headings' menu: undone by the
// opposite change, with a deleted record's cells and name kept for it, so a
// long table is not copied for a step.
class tRowCommand : public QUndoCommand {
 public:
  tRowCommand(tRecordTableModel* model, bool insert, int at)
      : QUndoCommand(insert ? "Insert row" : "Delete row"), model_(model), insert_(insert), at_(at) {}

  // Makes the change; false (and nothing to push) when the table refused it.
  bool Apply() {
    if (!(insert_ ? Insert() : Remove())) return false;
    Changed();
    return true;
  }
  void undo() override {
    if (insert_ ? Remove() : Insert()) Changed();
  }
  void redo() override {
    if (alreadyDone_) {
      alreadyDone_ = false;
      return;
    }
    if (insert_ ? Insert() : Remove()) Changed();
  }

 private:
  // Inserts the record at at_, with the kept cells when it was deleted before.
  bool Insert() {
    TDataTable& table = model_->frame_.DataTable1;
    if (!table.InsertRow(at_)) return false;
    if (!insert_) {
      for (std::size_t c = 0; c < kept_.size(); ++c) WriteCell(table, static_cast<int>(c) + 1, at_, kept_[c]);
      table.SetRowName(at_, keptName_);
    }
    return true;
  }
  bool Remove() {
    TDataTable& table = model_->frame_.DataTable1;
    if (at_ < 1 || at_ > table.NrOfRows() || table.NrOfRows() < 2) return false;
    if (!insert_) {
      kept_.clear();
      for (int c = 1; c <= table.NrOfColumns(); ++c) kept_.push_back(ReadCell(table, c, at_));
      keptName_ = table.GetRowName(at_);
    }
    return table.RemoveRow(at_);
  }
  void Changed() {
    model_->Reload();
    emit model_->shapeChanged(false);
  }

  tRecordTableModel* model_;
  bool insert_;
  int at_;
  std::vector<tCellValue> kept_;
  std::string keptName_;
  bool alreadyDone_ = true;
};

tRecordTableModel::tRecordTableModel(tRecordTableFrame& frame, QObject* parent)
    : QAbstractTableModel(parent), frame_(frame), undo_(new QUndoStack(this)) {
  undo_->setUndoLimit(kUndoLimit);
  connect(undo_, &QUndoStack::indexChanged, this, &tRecordTableModel::FollowUndoStack);
}

int tRecordTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : frame_.NTabEd1.GetNrOfRows();
}

int tRecordTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : frame_.NTabEd1.GetNrOfColumns();
}

QVariant tRecordTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const int col = index.column() + 1;
  const int row = index.row() + 1;
  const TDataTable& store = frame_.DataTable1;
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(frame_.NTabEd1.CellText(col, row));
    case Qt::EditRole:
      return QString::fromStdString(CellEditText(frame_.NTabEd1, col, row));
    case Qt::TextAlignmentRole: {
      const TMScaleType scale = store.GetScaleType(col);
      const bool label = scale == stNominal || scale == stOrdinal;
      return QVariant::fromValue(Qt::Alignment((label ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter));
    }
    case kCellStateRole:
      return static_cast<int>(store.GetCellState(col, row));
    default:
      return {};
  }
}

bool tRecordTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid()) return false;
  const int col = index.column() + 1;
  const int row = index.row() + 1;
  const std::string text = value.toString().toStdString();
  // The editor opened and closed without a change: the value stays bit for bit.
  if (text == CellEditText(frame_.NTabEd1, col, row)) return false;
  const tCellValue before = ReadCell(frame_.DataTable1, col, row);
  const tStoreOutcome outcome = frame_.NTabEd1.StoreTypedText(col, row, text);
  if (outcome == tStoreOutcome::Refused) return false;
  const tCellValue after = ReadCell(frame_.DataTable1, col, row);
  const int rows = rowCount();
  undo_->push(new tCellsCommand(this, "Edit", rows, rows, {{col, row, before, after}}));
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole, kCellStateRole});
  emit cellEdited(col, row);
  return true;
}

Qt::ItemFlags tRecordTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  const bool locked = frame_.DataTable1.GetCellState(index.column() + 1, index.row() + 1) & kCellLocked;
  if (!frame_.NTabEd1.DataReadOnly() && !locked) f |= Qt::ItemIsEditable;
  return f;
}

QVariant tRecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || section < 0) return QAbstractTableModel::headerData(section, orientation, role);
  if (orientation == Qt::Horizontal) {
    if (section >= columnCount()) return {};
    return QString::fromStdString(frame_.DataTable1.GetColName(section + 1));
  }
  if (section >= rowCount()) return {};
  return QString::fromStdString(frame_.DataTable1.GetRowName(section + 1));
}

void tRecordTableModel::Reload() {
  beginResetModel();
  endResetModel();
}

void tRecordTableModel::Repaint() {
  if (rowCount() == 0 || columnCount() == 0) return;
  emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

bool tRecordTableModel::ClearCells(const QModelIndexList& cells) {
  std::set<std::pair<int, int>> unique;
  for (const QModelIndex& i : cells) {
    if (i.isValid() && i.model() == this) unique.insert({i.column() + 1, i.row() + 1});
  }
  std::vector<tCellChange> changes;
  for (const auto& [col, row] : unique) {
    const tCellValue before = ReadCell(frame_.DataTable1, col, row);
    // A cell that is missing already stays as it is: no step for nothing.
    if ((before.state & kCellEmpty) && !(before.state & kCellNotANumber)) continue;
    if (!ClearCell(frame_.NTabEd1, col, row)) continue;
    changes.push_back({col, row, before, ReadCell(frame_.DataTable1, col, row)});
  }
  if (changes.empty()) return false;
  int firstCol = unique.begin()->first, lastCol = unique.rbegin()->first;
  int firstRow = changes.front().row, lastRow = firstRow;
  for (const tCellChange& c : changes) {
    firstRow = std::min(firstRow, c.row);
    lastRow = std::max(lastRow, c.row);
  }
  const int rows = rowCount();
  undo_->push(new tCellsCommand(this, "Clear", rows, rows, std::move(changes)));
  CellsChanged(firstCol, firstRow, lastCol, lastRow, false);
  return true;
}

bool tRecordTableModel::PasteBlock(const QModelIndex& at, const QString& text, QString& message) {
  const tCellBlock block = ParseCellBlock(text.toStdString());
  const int col = at.isValid() ? at.column() + 1 : 0;
  const int row = at.isValid() ? at.row() + 1 : 0;
  const tPastePlan plan = PlanPaste(frame_.NTabEd1, col, row, block);
  if (!plan.ok) {
    message = QString::fromStdString(plan.message);
    return false;
  }
  TDataTable& store = frame_.DataTable1;
  const int rowsBefore = store.NrOfRows();
  const int columns = store.NrOfColumns();
  std::vector<tCellChange> changes;
  if (plan.rowsNeeded > rowsBefore) {
    frame_.NTabEd1.Redimension(store.NrOfColumns(), plan.rowsNeeded);
    // The added records are missing wherever the block puts nothing.
    for (int r = rowsBefore + 1; r <= plan.rowsNeeded; ++r) {
      for (int c = 1; c <= store.NrOfColumns(); ++c) {
        const tCellValue before = ReadCell(store, c, r);
        ClearCell(frame_.NTabEd1, c, r);
        changes.push_back({c, r, before, ReadCell(store, c, r)});
      }
    }
  }
  for (int r = 0; r < block.Height(); ++r) {
    for (int c = 0; c < block.Width(); ++c) {
      const int tc = col + c;
      const int tr = row + r;
      const tCellValue before = ReadCell(store, tc, tr);
      if (StorePastedText(frame_.NTabEd1, tc, tr, block.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]) ==
          tStoreOutcome::Refused) {
        continue;
      }
      const tCellValue after = ReadCell(store, tc, tr);
      // A new record's cell is already in the list, row by row: its final
      // value replaces the cleared one.
      if (tr > rowsBefore) {
        const auto k = static_cast<std::size_t>(tr - rowsBefore - 1) * static_cast<std::size_t>(columns) +
                       static_cast<std::size_t>(tc - 1);
        changes[k].after = after;
        continue;
      }
      changes.push_back({tc, tr, before, after});
    }
  }
  if (changes.empty()) {
    message = "Nothing could be pasted: the cells are locked.";
    return false;
  }
  undo_->push(new tCellsCommand(this, "Paste", rowsBefore, std::max(rowsBefore, plan.rowsNeeded), std::move(changes)));
  CellsChanged(col, row, col + block.Width() - 1, row + block.Height() - 1, plan.rowsNeeded > rowsBefore);
  return true;
}

QString tRecordTableModel::CopyText(const QModelIndexList& cells) const {
  int firstCol = 0, lastCol = 0, firstRow = 0, lastRow = 0;
  bool any = false;
  for (const QModelIndex& i : cells) {
    if (!i.isValid() || i.model() != this) continue;
    const int c = i.column() + 1;
    const int r = i.row() + 1;
    firstCol = any ? std::min(firstCol, c) : c;
    lastCol = any ? std::max(lastCol, c) : c;
    firstRow = any ? std::min(firstRow, r) : r;
    lastRow = any ? std::max(lastRow, r) : r;
    any = true;
  }
  if (!any) return {};
  return QString::fromStdString(CopyBlockText(frame_.NTabEd1, firstCol, firstRow, lastCol, lastRow));
}

bool tRecordTableModel::ChangeRows(bool insert, int at) {
  auto* command = new tRowCommand(this, insert, at);
  if (!command->Apply()) {
    delete command;
    return false;
  }
  undo_->push(command);
  return true;
}

bool tRecordTableModel::ChangeShape(const QString& text, const std::function<bool(tRecordTableFrame&)>& change) {
  auto* command = new tShapeCommand(this, text, change);
  if (!command->Apply()) {
    delete command;
    return false;
  }
  undo_->push(command);
  return true;
}

void tRecordTableModel::MarkSaved() {
  changedOutsideHistory_ = false;
  undo_->setClean();
  FollowUndoStack();
}

void tRecordTableModel::ForgetHistory() {
  changedOutsideHistory_ = frame_.pmodified;
  undo_->clear();
  FollowUndoStack();
}

void tRecordTableModel::FollowUndoStack() {
  frame_.pmodified = !undo_->isClean() || changedOutsideHistory_;
  emit modifiedChanged(frame_.pmodified);
}

void tRecordTableModel::CellsChanged(int firstCol, int firstRow, int lastCol, int lastRow, bool rowsChanged) {
  if (rowsChanged) {
    Reload();
    emit shapeChanged(false);
    return;
  }
  emit dataChanged(index(firstRow - 1, firstCol - 1), index(lastRow - 1, lastCol - 1),
                   {Qt::DisplayRole, Qt::EditRole, kCellStateRole});
}

}  // namespace kovalin::app
