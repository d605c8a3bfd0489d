#pragma once

#include <string>
#include <vector>

#include "tables/data_table.h"

namespace kovalin {

// Decimal places of a column, 0 to 11: the most digits any of its values has
// after the point when written with 11 decimals, trailing zeros dropped.
int getPrecision(const TDataTable& table, int icol);

// The export text: a header line of the column names (quoted where they hold
// the delimiter or a quote, ExportColumnName) joined by the
// delimiter, then one line per row with every value right-aligned in 20
// characters with its column's decimal places (decimals[i] for column i+1,
// 0 where missing); each line ends in CR LF. Empty cells are written as their
// stored value and nominal cells as their ordinal.
std::string ExportText(const TDataTable& table, const std::vector<int>& decimals, char delimiter);

// Writes text to path in one piece, replacing the file. False with a reason
// when it cannot be written; a failed write leaves no half-written file.
bool WriteFileBytes(const std::string& path, const std::string& text, std::string& reason);

}  // namespace kovalin
