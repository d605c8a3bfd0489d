#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tables/data_table.h"
#include "tables/numeric_grid.h"

namespace kovalin {

// A rectangle of cell texts as spreadsheets and text editors exchange them
// through the clipboard: one line per row, cells separated by tabs.
struct tCellBlock {
  // Every row holds Width() texts.
  std::vector<std::vector<std::string>> rows;
  int Height() const { return static_cast<int>(rows.size()); }
  int Width() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
};

// Reads a pasted text. Rows end at CR LF, LF or a lone CR; the line end after
// the last row (spreadsheets always add one) is not a row of its own. Cells are
// split at tabs; a cell that starts with a double quote runs to its closing
// quote (a doubled quote inside is one quote), so quoted cells may hold tabs and
// line ends, as spreadsheets write them. Short rows are padded with empty texts.
tCellBlock ParseCellBlock(std::string_view text);

// The shortest text that reads back as the same double ("0.1", "1e+300",
// "5e-324"); "nan" and "inf" for the values that are not numbers.
std::string RoundTripText(double value);

// The text of a cell at full precision, for its editor and for a copy: empty for
// a missing cell and for a cell marked as not a number, the label of a labelled
// ordinal in a nominal or ordinal column (or its integer), otherwise the stored
// value as RoundTripText. Storing this text back leaves the cell as it was.
std::string CellEditText(const TNTabEd& grid, int col, int row);

// The block of cells from (firstCol, firstRow) to (lastCol, lastRow), as
// CellEditText, tab-separated with CR LF between rows.
std::string CopyBlockText(const TNTabEd& grid, int firstCol, int firstRow, int lastCol, int lastRow);

// Makes a cell missing: the empty state, with its value set to NaN so that no
// reader ever sees the old number. False when the grid refuses the cell
// (read-only, locked, outside the table).
bool ClearCell(TNTabEd& grid, int col, int row);

// Stores one pasted cell text: an empty text makes the cell missing; any other
// text is stored as if typed (a decimal comma is read as a point in a numeric
// column, labels are looked up in a labelled column).
tStoreOutcome StorePastedText(TNTabEd& grid, int col, int row, std::string_view text);

// Where a block pasted with its top left cell at (col, row) lands.
struct tPastePlan {
  bool ok = false;
  std::string message;  // why it was refused
  int rowsNeeded = 0;   // the row count the table must reach; rows are added at its end
};
tPastePlan PlanPaste(const TNTabEd& grid, int col, int row, const tCellBlock& block);

}  // namespace kovalin
