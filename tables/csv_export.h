#pragma once

#include <string>
#include <vector>

#include "tables/data_table.h"

namespace kovalin {

// Decimal places of a column, 0 to 11: the most digits any of its values has
// after the point when written with 11 decimals, trailing zeros dropped.
int getPrecision(const TDataTable& table, int icol);

// A value as the export writes it: with `decimals` decimals when that text
// reads back (ParseCsvNumber) as the very same double, otherwise the shortest
// text that does. The decimals govern how a value is shown, never what a file
// keeps: 0.125 with 2 decimals is "0.125", 0.25 is "0.25" as ever. NaN is
// written as kMissingText, infinities as "inf" and "-inf".
std::string ExportNumber(double v, int decimals);

// One cell as the export writes it: a missing cell (empty or not a number) as
// kMissingText, a label cell of a label column as its label (quoted where
// needed, not padded, so that it reads back as the same text), any other cell
// as ExportNumber of its unrounded value; numbers and kMissingText
// right-aligned in 20 characters.
std::string ExportCellText(const TDataTable& table, int col, int row, int decimals, char delimiter);

// The export text: a header line of the column names (quoted where they hold
// the delimiter or a quote, ExportColumnName) joined by the delimiter, then
// one line per row with every cell as ExportCellText with its column's
// decimal places (decimals[i] for column i+1, 0 where missing); each line
// ends in CR LF.
std::string ExportText(const TDataTable& table, const std::vector<int>& decimals, char delimiter);

// Writes text to path in one piece, replacing the file. False with a reason
// when it cannot be written; a failed write leaves no half-written file.
bool WriteFileBytes(const std::string& path, const std::string& text, std::string& reason);

}  // namespace kovalin
