#pragma once

#include <string>

#include "simulation/record_source.h"

namespace kovalin {

// The first column (from 1) whose name equals name without regard to letter
// case; -1 when none does. A positive lcharsToCheck compares only that many
// leading characters.
int FindColumn(const tRecordSource& table, const std::string& name, int lcharsToCheck = 0);

// The value in that column and row, -999 when the column does not exist.
double ColumnValue(const tRecordSource& table, int row, const std::string& name,
                   int lcharsToCheck = 0);

}  // namespace kovalin
