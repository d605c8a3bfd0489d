#include "tables/text_grid.h"

#include "tables/text_utils.h"

namespace kovalin {

namespace {
const std::string kEmpty;
}

void tTextGrid::SetSize(int colCount, int rowCount) {
  cols_ = colCount < 0 ? 0 : colCount;
  rows_ = rowCount < 0 ? 0 : rowCount;
  cells_.assign(static_cast<std::size_t>(cols_) * static_cast<std::size_t>(rows_), std::string());
}

const std::string& tTextGrid::Cell(int col, int row) const {
  if (col < 0 || col >= cols_ || row < 0 || row >= rows_) return kEmpty;
  return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(col)];
}

void tTextGrid::SetCell(int col, int row, std::string text) {
  if (col < 0 || col >= cols_ || row < 0 || row >= rows_) return;
  cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(col)] =
      std::move(text);
}

std::string ClipboardText(const tTextGrid& grid) {
  auto cell = [&](int col, int row) { return std::string(TrimBlanks(grid.Cell(col, row))); };
  const int lastCol = grid.ColCount() - 1;
  const int lastRow = grid.RowCount() - 1;
  std::string out = "\t";
  for (int c = 2; c <= lastCol; ++c) out += cell(c, 0) + "\t";
  out += "Total\r\n";
  for (int r = 2; r <= lastRow; ++r) {
    out += cell(0, r) + "\t";
    for (int c = 2; c <= lastCol; ++c) out += cell(c, r) + "\t";
    out += cell(1, r) + "\r\n";
  }
  out += "Total\t";
  for (int c = 2; c <= lastCol; ++c) out += cell(c, 1) + "\t";
  out += cell(1, 1) + " ";
  return out;
}

}  // namespace kovalin
