#include "tables/table_types.h"

namespace kovalin {

rTableSettings CurrentTableSettings;

const char* DBTypeCaption(tDBType kind) {
  switch (kind) {
    case DBRawData: return "Raw Data";
    case DBparamsVP: return "VP/OR/P parameters";
    case DBparamsSeSp: return "Se/Sp/P parameters";
    case DBnull: break;
  }
  return "--";
}

const char* DBTypePropertiesTitle(tDBType kind) {
  switch (kind) {
    case DBRawData: return "Data table";
    case DBparamsVP:
    case DBparamsSeSp: return "Parameters";
    case DBnull: break;
  }
  return "";
}

const char* ScaleTypeName(TMScaleType scale) {
  switch (scale) {
    case stUnknown: return "unknown";
    case stNominal: return "nominal";
    case stOrdinal: return "ordinal";
    case stInterval: return "interval";
    case stRatio: return "ratio";
  }
  return "unknown";
}

}  // namespace kovalin
