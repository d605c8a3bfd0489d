#pragma once

#include <array>
#include <optional>
#include <string>

#include "simulation/record_source.h"

namespace kovalin {

// What the analysis and the simulation found about a record before inferring
// from it or sampling it.
struct tRecordCheck {
  std::string problem;  // why the record cannot be analysed; empty when it can
  std::string note;     // what was changed so that it can be (a truncated n)
  bool ok() const { return problem.empty(); }
};

// A column's value as the record readers give it (-999 for an empty cell or
// one that is not a number); no value when the table has no such column.
using tColumnValue = std::optional<double>;

// Cells X[1] to X[8] of a raw-data record (index 0 unused): every cell must be
// there and be a non-negative number.
tRecordCheck CheckRawCells(const std::array<tColumnValue, 9>& cells);

// The sample size n of a parameter record must be a whole number from 1 to
// 2147483647 once truncated; a fractional n is truncated, which the note says.
tRecordCheck CheckSampleSize(tColumnValue n);

// The checks above on row `row` of a table, its columns found by name.
tRecordCheck CheckRawRow(const tRecordSource& table, int row);
tRecordCheck CheckParamsRow(const tRecordSource& table, int row);

// A number as the record messages show it: the shortest text that reads back
// as the same value, a point as decimal separator whatever the locale.
std::string ShortestNumberText(double v);

}  // namespace kovalin
