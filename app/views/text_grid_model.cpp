#include "app/views/text_grid_model.h"

#include <QApplication>
#include <QPalette>

namespace kovalin::app {

tTextGridModel::tTextGridModel(tTextGrid* grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {
  shownCols_ = grid_ ? grid_->ColCount() : 0;
  shownRows_ = grid_ ? grid_->RowCount() : 0;
}

void tTextGridModel::SetGrid(tTextGrid* grid) {
  beginResetModel();
  grid_ = grid;
  shownCols_ = grid_ ? grid_->ColCount() : 0;
  shownRows_ = grid_ ? grid_->RowCount() : 0;
  endResetModel();
}

void tTextGridModel::SetEditable(bool editable) { editable_ = editable; }

int tTextGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows_; }
int tTextGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownCols_; }

QVariant tTextGridModel::data(const QModelIndex& index, int role) const {
  if (!grid_ || !index.isValid() || index.row() >= shownRows_ || index.column() >= shownCols_) return {};
  const int col = index.column();
  const int row = index.row();
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(grid_->Cell(col, row));
    case Qt::EditRole:
      return QString::fromStdString(grid_->Cell(col, row)).trimmed();
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    case Qt::BackgroundRole:
      if (IsFixed(col, row)) return QApplication::palette().button();
      return {};
    default:
      return {};
  }
}

bool tTextGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!grid_ || role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable)) return false;
  const std::string before = grid_->Cell(index.column(), index.row());
  const std::string typed = value.toString().toStdString();
  grid_->SetCell(index.column(), index.row(), typed);
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  emit textEntered(index.column(), index.row());
  if (QString::fromStdString(before).trimmed() != value.toString().trimmed()) emit textChanged(index.column(), index.row());
  return true;
}

Qt::ItemFlags tTextGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (editable_ && !IsFixed(index.column(), index.row())) f |= Qt::ItemIsEditable;
  return f;
}

void tTextGridModel::Refresh() {
  const int cols = grid_ ? grid_->ColCount() : 0;
  const int rows = grid_ ? grid_->RowCount() : 0;
  if (cols != shownCols_ || rows != shownRows_) {
    beginResetModel();
    shownCols_ = cols;
    shownRows_ = rows;
    endResetModel();
    return;
  }
  if (rows > 0 && cols > 0) emit dataChanged(index(0, 0), index(rows - 1, cols - 1));
}

}  // namespace kovalin::app
