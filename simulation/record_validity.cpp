#include "simulation/record_validity.h"

#include <charconv>
#include <cmath>

#include "engine/missing.h"
#include "simulation/column_lookup.h"

namespace kovalin {

std::string ShortestNumberText(double v) {
  char buf[64];
  // Whole numbers in full ("5000000000", not "5e+09") while they are exact.
  const bool whole = std::fabs(v) < 1e16 && std::trunc(v) == v;
  const auto res = whole ? std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed)
                         : std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

tRecordCheck CheckRawCells(const std::array<tColumnValue, 9>& cells) {
  tRecordCheck check;
  for (std::size_t i = 1; i <= 8; ++i) {
    const std::string name = "X[" + std::to_string(i) + "]";
    const tColumnValue& v = cells[i];
    if (!v) {
      check.problem = "the table has no column " + name;
    } else if (IsMissing(*v)) {
      check.problem = "cell " + name + " is empty or missing (-999)";
    } else if (*v < 0) {
      check.problem = "cell " + name + " is negative (" + ShortestNumberText(*v) + ")";
    }
    if (!check.ok()) return check;
  }
  return check;
}

tRecordCheck CheckSampleSize(tColumnValue n) {
  tRecordCheck check;
  if (!n) {
    check.problem = "the table has no column n";
    return check;
  }
  const double v = *n;
  if (IsMissing(v)) {
    check.problem = "the sample size n is empty or missing (-999)";
    return check;
  }
  const double whole = std::trunc(v);
  if (!(whole >= 1 && whole <= 2147483647.0)) {
    check.problem = "the sample size n (" + ShortestNumberText(v) +
                    ") is not a whole number from 1 to 2147483647";
    return check;
  }
  if (whole != v)
    check.note = "the sample size n (" + ShortestNumberText(v) + ") is truncated to " +
                 ShortestNumberText(whole);
  return check;
}

namespace {

tColumnValue ValueByName(const tRecordSource& table, int row, const std::string& name) {
  const int col = FindColumn(table, name);
  if (col < 1) return std::nullopt;
  return table.Value(col, row);
}

}  // namespace

tRecordCheck CheckRawRow(const tRecordSource& table, int row) {
  std::array<tColumnValue, 9> cells{};
  for (std::size_t i = 1; i <= 8; ++i)
    cells[i] = ValueByName(table, row, "X[" + std::to_string(i) + "]");
  return CheckRawCells(cells);
}

tRecordCheck CheckParamsRow(const tRecordSource& table, int row) {
  return CheckSampleSize(ValueByName(table, row, "n"));
}

}  // namespace kovalin
