#include "app/views/record_table_model.h"

namespace kovalin::app {

tRecordTableModel::tRecordTableModel(tRecordTableFrame& frame, QObject* parent)
    : QAbstractTableModel(parent), frame_(frame) {}

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
    case Qt::EditRole:
      return QString::fromStdString(frame_.NTabEd1.CellText(col, row));
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
  const tStoreOutcome outcome = frame_.NTabEd1.StoreTypedText(col, row, value.toString().toStdString());
  if (outcome == tStoreOutcome::Refused) return false;
  frame_.pmodified = true;
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

}  // namespace kovalin::app
