#include "simulation/record_snapshot.h"

#include <algorithm>

#include "engine/missing.h"

namespace kovalin {

tRecordSnapshot::tRecordSnapshot(const tRecordSource& table, int firstRow, int lastRow)
    : rowCount_(table.RowCount()),
      first_(std::max(firstRow, 1)),
      last_(std::min(lastRow, table.RowCount())) {
  const int cols = std::max(table.ColumnCount(), 0);
  names_.reserve(static_cast<std::size_t>(cols));
  texts_.reserve(static_cast<std::size_t>(cols));
  for (int c = 1; c <= cols; ++c) {
    names_.push_back(table.ColumnName(c));
    texts_.push_back(table.TextInColumn(c));
  }
  if (last_ < first_) return;
  values_.reserve(static_cast<std::size_t>(last_ - first_ + 1) * static_cast<std::size_t>(cols));
  for (int r = first_; r <= last_; ++r)
    for (int c = 1; c <= cols; ++c) values_.push_back(table.Value(c, r));
}

std::string tRecordSnapshot::ColumnName(int col) const {
  if (col < 1 || col > ColumnCount()) return {};
  return names_[static_cast<std::size_t>(col) - 1];
}

double tRecordSnapshot::Value(int col, int row) const {
  if (col < 1 || col > ColumnCount() || row < first_ || row > last_) return kMissing;
  const std::size_t index = static_cast<std::size_t>(row - first_) * names_.size() +
                            static_cast<std::size_t>(col) - 1;
  return values_[index];
}

std::string tRecordSnapshot::TextInColumn(int col) const {
  if (col < 1 || col > ColumnCount()) return {};
  return texts_[static_cast<std::size_t>(col) - 1];
}

}  // namespace kovalin
