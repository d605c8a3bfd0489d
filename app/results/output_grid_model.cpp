#include "app/results/output_grid_model.h"

#include <QColor>
#include <QItemSelectionModel>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace kovalin::app {

QString FullPrecisionText(double v) {
  if (std::isnan(v)) return QStringLiteral("Nan");
  if (std::isinf(v)) return v > 0 ? QStringLiteral("+Inf") : QStringLiteral("-Inf");
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
  return QString::fromLatin1(buffer, static_cast<qsizetype>(r.ptr - buffer));
}

tOutputGridModel::tOutputGridModel(QObject* parent) : QAbstractTableModel(parent) {
  table_.Resize(5, 4);
  grid_.Bind(&table_);
}

int tOutputGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.GetNrOfRows();
}

int tOutputGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.GetNrOfColumns();
}

QVariant tOutputGridModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  const int col = index.column() + 1;
  const int row = index.row() + 1;
  const bool notRun = notRunFrom_ > 0 && row >= notRunFrom_;
  switch (role) {
    case Qt::DisplayRole:
      if (notRun) return col == 1 ? QStringLiteral("not run") : QString();
      return QString::fromStdString(grid_.CellText(col, row));
    case Qt::ForegroundRole:
      return notRun ? QVariant(QColor(Qt::gray)) : QVariant();
    case Qt::EditRole:
      return FullPrecisionText(grid_.GetElem(col, row));
    case Qt::TextAlignmentRole:
      return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant tOutputGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || section < 0) return {};
  if (orientation == Qt::Horizontal) {
    if (section >= grid_.GetNrOfColumns()) return {};
    return QString::fromStdString(grid_.GetColName(section + 1));
  }
  if (section >= grid_.GetNrOfRows()) return {};
  return section + 1;
}

Qt::ItemFlags tOutputGridModel::flags(const QModelIndex& index) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool tOutputGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) return false;
  const std::string text = value.toString().toStdString();
  if (grid_.StoreTypedText(index.column() + 1, index.row() + 1, text) == tStoreOutcome::Refused)
    return false;
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

void tOutputGridModel::Redimension(int cols, int rows) {
  beginResetModel();
  grid_.Redimension(cols, rows);
  notRunFrom_ = 0;
  endResetModel();
}

void tOutputGridModel::MarkNotRun(int firstRow) {
  notRunFrom_ = firstRow > grid_.GetNrOfRows() ? 0 : std::max(firstRow, 0);
  if (notRunFrom_ > 0)
    emit dataChanged(index(notRunFrom_ - 1, 0),
                     index(grid_.GetNrOfRows() - 1, std::max(grid_.GetNrOfColumns() - 1, 0)),
                     {Qt::DisplayRole, Qt::ForegroundRole});
}

void tOutputGridModel::SetColName(int col, const std::string& name) {
  grid_.SetColName(col, name);
  if (col >= 1 && col <= grid_.GetNrOfColumns())
    emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
}

void tOutputGridModel::SetDecPlaces(int col, int decimals) {
  grid_.SetDecPlaces(col, decimals);
  if (col >= 1 && col <= grid_.GetNrOfColumns() && grid_.GetNrOfRows() > 0)
    emit dataChanged(index(0, col - 1), index(grid_.GetNrOfRows() - 1, col - 1),
                     {Qt::DisplayRole});
}

int tOutputGridModel::GetNrOfColumns() const { return grid_.GetNrOfColumns(); }

void tOutputGridModel::SetElem(int col, int row, double value) {
  if (col < 1 || col > grid_.GetNrOfColumns() || row < 1 || row > grid_.GetNrOfRows()) return;
  grid_.SetElem(col, row, value);
  table_.SetCellState(col, row, 0);
  const QModelIndex i = index(row - 1, col - 1);
  emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
}

QString tOutputGridModel::CopyText(const QItemSelectionModel& selection) const {
  const QModelIndexList cells = selection.selectedIndexes();
  if (cells.isEmpty()) return {};
  int top = cells[0].row(), bottom = top, left = cells[0].column(), right = left;
  for (const QModelIndex& i : cells) {
    top = std::min(top, i.row());
    bottom = std::max(bottom, i.row());
    left = std::min(left, i.column());
    right = std::max(right, i.column());
  }
  QString text;
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) {
      if (c > left) text += u'\t';
      if (selection.isSelected(index(r, c)))
        text += FullPrecisionText(grid_.GetElem(c + 1, r + 1));
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace kovalin::app
