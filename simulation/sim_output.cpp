#include "simulation/sim_output.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "engine/number_text.h"

namespace kovalin {

std::string SimNumberText(double v, int decimals, int width) {
  std::string text = FixedNumber(v, std::clamp(decimals, 0, 30), kSimFileSpelling);
  if (static_cast<int>(text.size()) < width)
    text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  return text;
}

std::string Write_Rec_to_String(const std::vector<double>& res, int n, char delimiter,
                                int decimals, int width) {
  std::string line;
  const int last = std::min(n, static_cast<int>(res.size()) - 1);
  for (int j = 1; j <= last; ++j) {
    if (j > 1) line += delimiter;
    line += SimNumberText(res[static_cast<std::size_t>(j)], decimals, width);
  }
  return line;
}

bool Write_Rec_to_NtabEd(tOutputGrid& grid, int row, int n, const std::vector<double>& res) {
  if (grid.GetNrOfColumns() != n || static_cast<int>(res.size()) <= n) return false;
  for (int j = 1; j <= n; ++j) grid.SetElem(j, row, res[static_cast<std::size_t>(j)]);
  return true;
}

std::vector<tSimColumn> FixedSimColumns() {
  return {{"Rec", true}, {"Pa", false}, {"Pb", false}, {"Na", false},
          {"Nb", false}, {"P", false},  {"O+", false}, {"O-", false},
          {"n", true},   {"d", false},  {"R", false}};
}

std::string HeaderLine(const std::vector<tSimColumn>& columns, char delimiter) {
  std::string line;
  for (std::size_t j = 0; j < columns.size(); ++j) {
    if (j > 0) line += delimiter;
    line += columns[j].name;
  }
  return line;
}

std::vector<double> ReadRecordLine(const std::string& line, char delimiter, int n) {
  std::vector<double> res(static_cast<std::size_t>(std::max(n, 0)) + 1,
                          std::numeric_limits<double>::quiet_NaN());
  std::size_t pos = 0;
  for (int j = 1; j <= n; ++j) {
    // Fields are numbers right-aligned with spaces, between delimiters.
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == delimiter)) ++pos;
    std::size_t end = pos;
    while (end < line.size() && line[end] != ' ' && line[end] != delimiter) ++end;
    if (end == pos) break;
    const std::string field = line.substr(pos, end - pos);
    double v = 0;
    const auto r = std::from_chars(field.data(), field.data() + field.size(), v);
    if (field == "+Inf")
      v = std::numeric_limits<double>::infinity();
    else if (field == "-Inf")
      v = -std::numeric_limits<double>::infinity();
    else if (r.ec != std::errc() || r.ptr != field.data() + field.size())
      v = std::numeric_limits<double>::quiet_NaN();
    res[static_cast<std::size_t>(j)] = v;
    pos = end;
  }
  return res;
}

}  // namespace kovalin
