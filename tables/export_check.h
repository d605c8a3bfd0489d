#pragma once

#include <string>
#include <vector>

#include "tables/data_table.h"

namespace kovalin {

// What an export cannot write back as it is held: a cell that is not a number
// (typed text that was never stored) is written as missing, and an infinite
// value as a text. One text per column and kind ("column "X[3]": ..."), in
// column order; none when the table holds nothing of the kind.
std::vector<std::string> ExportNumberWarnings(const TDataTable& table);

// A column name as the export header writes it: in double quotes, with its
// quotes doubled, when it holds the delimiter or a quote, so that the header
// reads back as the same columns.
std::string ExportColumnName(const std::string& name, char delimiter);

}  // namespace kovalin
