#pragma once

#include <string>
#include <vector>

#include "tables/data_table.h"

namespace kovalin {

// The export writes every cell as a number: an empty cell and a cell that is
// not a number as their stored value, a label as its label number. One text
// per column and kind saying what was written so ("column "X[3]": ..."), in
// column order; none when the table holds numbers only.
std::vector<std::string> ExportNumberWarnings(const TDataTable& table);

// A column name as the export header writes it: in double quotes, with its
// quotes doubled, when it holds the delimiter or a quote, so that the header
// reads back as the same columns.
std::string ExportColumnName(const std::string& name, char delimiter);

}  // namespace kovalin
