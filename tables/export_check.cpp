#include "tables/export_check.h"

#include <charconv>

namespace kovalin {

namespace {

std::string Number(double v) {
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

// "1 empty cell is written as a number, in row 4 as 0" or "3 empty cells are
// written as numbers, the first in row 4 as 0".
std::string Cells(int count, const char* one, const char* many, int row, double value) {
  return std::to_string(count) + (count == 1 ? one : many) +
         (count == 1 ? " is written as a number, in row " : " are written as numbers, the first in row ") +
         std::to_string(row) + " as " + Number(value);
}

}  // namespace

std::vector<std::string> ExportNumberWarnings(const TDataTable& table) {
  std::vector<std::string> warnings;
  for (int c = 1; c <= table.NrOfColumns(); ++c) {
    const std::string column = "column \"" + table.GetColName(c) + "\": ";
    const TMScaleType scale = table.GetScaleType(c);
    const bool labels = (scale == stNominal || scale == stOrdinal) && table.NominalLabelCount(c) > 0;
    int empty = 0, notNumber = 0, firstEmpty = 0, firstNotNumber = 0, firstLabel = 0;
    for (int r = 1; r <= table.NrOfRows(); ++r) {
      const std::uint8_t state = table.GetCellState(c, r);
      if (state & kCellEmpty) {
        if (empty++ == 0) firstEmpty = r;
      } else if (state & kCellNotANumber) {
        if (notNumber++ == 0) firstNotNumber = r;
      } else if (labels && firstLabel == 0) {
        const double v = table.GetElem(c, r);
        if (v >= 1 && v <= table.NominalLabelCount(c)) firstLabel = r;
      }
    }
    if (empty > 0)
      warnings.push_back(column + Cells(empty, " empty cell", " empty cells", firstEmpty,
                                        table.GetElem(c, firstEmpty)));
    if (notNumber > 0)
      warnings.push_back(column + Cells(notNumber, " cell that is not a number",
                                        " cells that are not numbers", firstNotNumber,
                                        table.GetElem(c, firstNotNumber)));
    if (firstLabel > 0) {
      const double v = table.GetElem(c, firstLabel);
      warnings.push_back(column + "its labels are written as their label numbers, \"" +
                         table.NominalLabel(c, static_cast<int>(v)) + "\" in row " +
                         std::to_string(firstLabel) + " as " + Number(v));
    }
  }
  return warnings;
}

std::string ExportColumnName(const std::string& name, char delimiter) {
  if (name.find(delimiter) == std::string::npos && name.find('"') == std::string::npos) return name;
  std::string quoted = "\"";
  for (const char ch : name) {
    if (ch == '"') quoted += '"';
    quoted += ch;
  }
  return quoted + "\"";
}

}  // namespace kovalin
