#include "simulation/record_source.h"

#include "simulation/column_lookup.h"

namespace kovalin {

tRecordTableKind RecordTableKind(const tRecordSource& table) {
  if (FindColumn(table, "X[1]") > 0) return tRecordTableKind::rawData;
  if (FindColumn(table, "PA") > 0) return tRecordTableKind::paramsVP;
  if (FindColumn(table, "SA") > 0) return tRecordTableKind::paramsSeSp;
  return tRecordTableKind::other;
}

std::optional<tTextColumn> TextInNumberColumn(const tRecordSource& table) {
  static const char* const kNumberColumns[] = {"Conf", "PA",   "PB",   "NA",   "NB",   "p",
                                               "Opos", "Oneg", "n",    "X[1]", "X[2]", "X[3]",
                                               "X[4]", "X[5]", "X[6]", "X[7]", "X[8]"};
  for (const char* name : kNumberColumns) {
    const int col = FindColumn(table, name);
    if (col < 1) continue;
    std::string text = table.TextInColumn(col);
    if (!text.empty()) return tTextColumn{table.ColumnName(col), std::move(text)};
  }
  return std::nullopt;
}

}  // namespace kovalin
