#include "simulation/record_source.h"

#include "simulation/column_lookup.h"

namespace kovalin {

tRecordTableKind RecordTableKind(const tRecordSource& table) {
  if (FindColumn(table, "X[1]") > 0) return tRecordTableKind::rawData;
  if (FindColumn(table, "PA") > 0) return tRecordTableKind::paramsVP;
  if (FindColumn(table, "SA") > 0) return tRecordTableKind::paramsSeSp;
  return tRecordTableKind::other;
}

}  // namespace kovalin
