#pragma once

#include <string>
#include <vector>

namespace kovalin {

// The texts of a grid's cells, addressed (column, row) from 0 as the grid
// draws them. Reads outside give empty text; writes outside are ignored.
class tTextGrid {
 public:
  void SetSize(int colCount, int rowCount);
  int ColCount() const { return cols_; }
  int RowCount() const { return rows_; }
  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, std::string text);

 private:
  int cols_ = 0;
  int rows_ = 0;
  std::vector<std::string> cells_;
};

// The clipboard text of a frequency or percentage grid: the column labels
// and "Total", then one line per frequency row (label, cells, row total), then
// "Total", the column totals and the grand total followed by one blank. Tabs
// between fields, CR LF between lines, no line break at the end; every cell
// text without its leading and trailing blanks.
std::string ClipboardText(const tTextGrid& grid);

}  // namespace kovalin
