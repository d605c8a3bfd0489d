#include "tables/export_check.h"

#include <charconv>
#include <cmath>

namespace kovalin {

namespace {

std::string Number(double v) {
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

}  // namespace

std::vector<std::string> ExportNumberWarnings(const TDataTable& table) {
  std::vector<std::string> warnings;
  for (int c = 1; c <= table.NrOfColumns(); ++c) {
    const std::string column = "column \"" + table.GetColName(c) + "\": ";
    int notNumber = 0, infinite = 0, firstNotNumber = 0, firstInfinite = 0;
    for (int r = 1; r <= table.NrOfRows(); ++r) {
      const std::uint8_t state = table.GetCellState(c, r);
      if (state & kCellEmpty) continue;
      if (state & kCellNotANumber) {
        if (notNumber++ == 0) firstNotNumber = r;
      } else if (std::isinf(table.GetRawElem(c, r))) {
        if (infinite++ == 0) firstInfinite = r;
      }
    }
    if (notNumber > 0) {
      warnings.push_back(column + std::to_string(notNumber) +
                         (notNumber == 1 ? " cell that is not a number is written as missing, in row "
                                         : " cells that are not numbers are written as missing, the first in row ") +
                         std::to_string(firstNotNumber));
    }
    if (infinite > 0) {
      warnings.push_back(column + std::to_string(infinite) +
                         (infinite == 1 ? " infinite value is written as a text, in row "
                                        : " infinite values are written as texts, the first in row ") +
                         std::to_string(firstInfinite) + " as " + Number(table.GetRawElem(c, firstInfinite)));
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
