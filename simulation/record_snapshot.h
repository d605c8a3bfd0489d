#pragma once

#include <string>
#include <vector>

#include "simulation/record_source.h"

namespace kovalin {

// The rows first..last of a record table copied when a run starts: the run reads
// them while it yields to the user interface, where the table may be edited or
// closed. Rows outside the copy read as missing; row numbers stay the table's.
class tRecordSnapshot : public tRecordSource {
 public:
  tRecordSnapshot(const tRecordSource& table, int firstRow, int lastRow);
  int ColumnCount() const override { return static_cast<int>(names_.size()); }
  int RowCount() const override { return rowCount_; }
  std::string ColumnName(int col) const override;
  double Value(int col, int row) const override;
  std::string TextInColumn(int col) const override;

 private:
  std::vector<std::string> names_;
  std::vector<std::string> texts_;
  std::vector<double> values_;  // row by row, ColumnCount() values each
  int rowCount_ = 0;
  int first_ = 1;
  int last_ = 0;
};

}  // namespace kovalin
