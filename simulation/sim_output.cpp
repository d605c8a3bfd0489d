#include "simulation/sim_output.h"

#include <algorithm>
#include <cmath>

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

}  // namespace kovalin
