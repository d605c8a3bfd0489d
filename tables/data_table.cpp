#include "tables/data_table.h"

#include <algorithm>
#include <cmath>

#include "tables/text_utils.h"

namespace kovalin {

TDataTable::TDataTable() { Resize(1, 1); }

void TDataTable::Resize(int columns, int rows) {
  if (columns < 0) columns = 0;
  if (rows < 0) rows = 0;
  const auto n = static_cast<std::size_t>(rows);
  const int oldColumns = NrOfColumns();
  // A reader grows the table one column at a time: the column list grows
  // geometrically and the columns are only visited when the rows change, so
  // that reading a wide file takes time in proportion to its columns.
  const bool rowsChange = rows != rows_;
  // Every allocation happens before anything changes, so that running out of
  // memory leaves the table as it was.
  const auto wanted = static_cast<std::size_t>(columns);
  if (wanted > columns_.capacity()) columns_.reserve(std::max(wanted, 2 * columns_.capacity()));
  rowNames_.reserve(n);
  rowAttribs_.reserve(n);
  if (rowsChange) {
    for (Column& column : columns_) {
      column.values.reserve(n);
      column.states.reserve(n);
    }
  }
  std::vector<Column> added;
  for (int c = oldColumns; c < columns; ++c) {
    Column column;
    column.name = DefaultColName(c + 1);
    column.values.assign(n, 0.0);
    column.states.assign(n, 0);
    added.push_back(std::move(column));
  }
  if (columns < oldColumns) columns_.resize(static_cast<std::size_t>(columns));
  if (rowsChange) {
    for (Column& column : columns_) {
      column.values.resize(n, 0.0);
      column.states.resize(n, 0);
    }
  }
  for (Column& column : added) columns_.push_back(std::move(column));
  const int oldRows = rows_;
  rowNames_.resize(n);
  rowAttribs_.resize(n, 0);
  for (int r = oldRows; r < rows; ++r) rowNames_[static_cast<std::size_t>(r)] = DefaultRowName(r + 1);
  rows_ = rows;
}

bool TDataTable::InsertRow(int i) {
  if (i < 1 || i > rows_ + 1) return false;
  const auto at = static_cast<std::size_t>(i - 1);
  for (Column& column : columns_) {
    column.values.insert(column.values.begin() + static_cast<std::ptrdiff_t>(at), 0.0);
    column.states.insert(column.states.begin() + static_cast<std::ptrdiff_t>(at), 0);
  }
  rowNames_.insert(rowNames_.begin() + static_cast<std::ptrdiff_t>(at), std::string());
  rowAttribs_.insert(rowAttribs_.begin() + static_cast<std::ptrdiff_t>(at), 0);
  ++rows_;
  return true;
}

bool TDataTable::RemoveRow(int i) {
  if (i < 1 || i > rows_ || rows_ < 2) return false;
  const auto at = static_cast<std::ptrdiff_t>(i - 1);
  for (Column& column : columns_) {
    column.values.erase(column.values.begin() + at);
    column.states.erase(column.states.begin() + at);
  }
  rowNames_.erase(rowNames_.begin() + at);
  rowAttribs_.erase(rowAttribs_.begin() + at);
  --rows_;
  return true;
}

bool TDataTable::InsertColumn(int i) {
  if (i < 1 || i > NrOfColumns() + 1) return false;
  Column column;
  for (int k = i;; ++k) {
    column.name = DefaultColName(k);
    if (FindColumn(column.name) == 0) break;
  }
  const auto n = static_cast<std::size_t>(rows_);
  column.values.assign(n, 0.0);
  column.states.assign(n, 0);
  columns_.insert(columns_.begin() + static_cast<std::ptrdiff_t>(i - 1), std::move(column));
  return true;
}

bool TDataTable::RemoveColumn(int i) {
  if (i < 1 || i > NrOfColumns() || NrOfColumns() < 2) return false;
  columns_.erase(columns_.begin() + static_cast<std::ptrdiff_t>(i - 1));
  return true;
}

void TDataTable::Clear() {
  for (int c = 0; c < NrOfColumns(); ++c) {
    Column& column = columns_[static_cast<std::size_t>(c)];
    column.name = DefaultColName(c + 1);
    column.attrib = 0;
    column.scale = stInterval;
    column.labels.clear();
    std::fill(column.values.begin(), column.values.end(), 0.0);
    std::fill(column.states.begin(), column.states.end(), std::uint8_t{0});
  }
  for (int r = 0; r < rows_; ++r) {
    rowNames_[static_cast<std::size_t>(r)] = DefaultRowName(r + 1);
    rowAttribs_[static_cast<std::size_t>(r)] = 0;
  }
}

double TDataTable::GetRawElem(int col, int row) const {
  if (!Inside(col, row)) return 0;
  return columns_[static_cast<std::size_t>(col - 1)].values[static_cast<std::size_t>(row - 1)];
}

double TDataTable::GetElem(int col, int row) const {
  const double v = GetRawElem(col, row);
  const TMScaleType scale = GetScaleType(col);
  if (scale == stNominal || scale == stOrdinal) return std::nearbyint(v);  // halves to even
  return v;
}

void TDataTable::SetElem(int col, int row, double value) {
  if (!Inside(col, row)) return;
  columns_[static_cast<std::size_t>(col - 1)].values[static_cast<std::size_t>(row - 1)] = value;
}

std::uint8_t TDataTable::GetCellState(int col, int row) const {
  if (!Inside(col, row)) return 0;
  return columns_[static_cast<std::size_t>(col - 1)].states[static_cast<std::size_t>(row - 1)];
}

void TDataTable::SetCellState(int col, int row, std::uint8_t state) {
  if (!Inside(col, row)) return;
  columns_[static_cast<std::size_t>(col - 1)].states[static_cast<std::size_t>(row - 1)] = state;
}

bool TDataTable::IsNumber(int col, int row) const {
  return Inside(col, row) && (GetCellState(col, row) & (kCellNotANumber | kCellEmpty)) == 0;
}

std::string TDataTable::GetColName(int col) const {
  if (col < 1 || col > NrOfColumns()) return {};
  return columns_[static_cast<std::size_t>(col - 1)].name;
}

void TDataTable::SetColName(int col, std::string_view name) {
  if (col < 1 || col > NrOfColumns()) return;
  columns_[static_cast<std::size_t>(col - 1)].name = Utf8Prefix(name, kMaxColNameLength);
}

std::string TDataTable::GetRowName(int row) const {
  if (row < 1 || row > rows_) return {};
  return rowNames_[static_cast<std::size_t>(row - 1)];
}

void TDataTable::SetRowName(int row, std::string_view name) {
  if (row < 1 || row > rows_) return;
  rowNames_[static_cast<std::size_t>(row - 1)] = std::string(name);
}

int TDataTable::GetColAttrib(int col) const {
  if (col < 1 || col > NrOfColumns()) return 0;
  return columns_[static_cast<std::size_t>(col - 1)].attrib;
}

void TDataTable::SetColAttrib(int col, int value) {
  if (col < 1 || col > NrOfColumns()) return;
  columns_[static_cast<std::size_t>(col - 1)].attrib = value;
}

int TDataTable::GetRowAttrib(int row) const {
  if (row < 1 || row > rows_) return 0;
  return rowAttribs_[static_cast<std::size_t>(row - 1)];
}

TMScaleType TDataTable::GetScaleType(int col) const {
  if (col < 1 || col > NrOfColumns()) return stUnknown;
  return columns_[static_cast<std::size_t>(col - 1)].scale;
}

void TDataTable::SetScaleType(int col, TMScaleType scale) {
  if (col < 1 || col > NrOfColumns()) return;
  columns_[static_cast<std::size_t>(col - 1)].scale = scale;
}

int TDataTable::FindColumn(std::string_view name) const {
  for (int c = 1; c <= NrOfColumns(); ++c) {
    if (EqualsNoCase(columns_[static_cast<std::size_t>(c - 1)].name, name)) return c;
  }
  return 0;
}

int TDataTable::NominalLabelCount(int col) const {
  if (col < 1 || col > NrOfColumns()) return 0;
  return static_cast<int>(columns_[static_cast<std::size_t>(col - 1)].labels.size());
}

std::string TDataTable::NominalLabel(int col, int ordinal) const {
  if (ordinal < 1 || ordinal > NominalLabelCount(col)) return {};
  return columns_[static_cast<std::size_t>(col - 1)].labels[static_cast<std::size_t>(ordinal - 1)];
}

int TDataTable::FindNominalLabel(int col, std::string_view label) const {
  if (col < 1 || col > NrOfColumns()) return 0;
  const std::string cut = Utf8Prefix(label, kMaxLabelLength);
  const auto& labels = columns_[static_cast<std::size_t>(col - 1)].labels;
  for (std::size_t k = 0; k < labels.size(); ++k) {
    if (EqualsNoCase(labels[k], cut)) return static_cast<int>(k + 1);
  }
  return 0;
}

int TDataTable::AddNominalLabel(int col, std::string_view label) {
  if (col < 1 || col > NrOfColumns()) return 0;
  if (const int found = FindNominalLabel(col, label); found > 0) return found;
  Column& column = columns_[static_cast<std::size_t>(col - 1)];
  if (static_cast<int>(column.labels.size()) >= kMaxNominalLabels) return 0;
  column.labels.push_back(Utf8Prefix(label, kMaxLabelLength));
  column.scale = stNominal;
  return static_cast<int>(column.labels.size());
}

}  // namespace kovalin
