#include "simulation/column_lookup.h"

#include "engine/missing.h"
#include "engine/number_text.h"

namespace kovalin {

namespace {

// Column names compare by ASCII letters: the locale's toupper would fold bytes of
// other letters differently from one user to the next.
std::string Upper(const std::string& s) { return AsciiUpper(s); }

}  // namespace

int FindColumn(const tRecordSource& table, const std::string& name, int lcharsToCheck) {
  std::string wanted = Upper(name);
  if (lcharsToCheck > 0 && static_cast<int>(wanted.size()) > lcharsToCheck)
    wanted.resize(static_cast<std::size_t>(lcharsToCheck));
  const int cols = table.ColumnCount();
  for (int c = 1; c <= cols; ++c) {
    std::string have = Upper(table.ColumnName(c));
    if (lcharsToCheck > 0 && static_cast<int>(have.size()) > lcharsToCheck)
      have.resize(static_cast<std::size_t>(lcharsToCheck));
    if (have == wanted) return c;
  }
  return -1;
}

double ColumnValue(const tRecordSource& table, int row, const std::string& name,
                   int lcharsToCheck) {
  const int col = FindColumn(table, name, lcharsToCheck);
  if (col < 1) return kMissing;
  return table.Value(col, row);
}

}  // namespace kovalin
