#pragma once

#include <cstdint>
#include <string>

namespace kovalin {

// Input format chosen when a table is created.
enum tInputType : std::uint8_t { itRawData, itParamsPV, itParamsS, itNA };

// Kind of a record table.
enum tDBType : std::uint8_t { DBRawData, DBparamsVP, DBparamsSeSp, DBnull };

// Scale type of a record-table column.
enum TMScaleType : std::uint8_t { stUnknown, stNominal, stOrdinal, stInterval, stRatio };

// The result of the creation dialog.
struct tTableOption {
  std::string title;
  bool FileNew = true;
  tInputType InputType = itParamsPV;
};

// Settings of a frequency table.
struct tRWTS {
  bool SquareTable = false;
  std::int32_t DimR = 0;
  std::int32_t DimC = 0;
  std::string LblR;  // at most 5 characters
  std::string LblC;  // at most 5 characters
  std::int32_t Sampling = 0;  // stored and written unchanged
  bool AllowReals = false;
  bool SaveSettings = false;  // always false in this program
  bool Bloqueado = false;     // locked while the settings dialog edits an existing table
};

struct rTableSettings {
  std::string Problema;
  tRWTS WinReg;
};

// The process-wide settings new documents take their frequency table from. It
// starts empty and changes only when an XML data file is loaded and when the
// table settings dialog of a document closes. Main thread only.
extern rTableSettings CurrentTableSettings;

// "Raw Data", "VP/OR/P parameters", "Se/Sp/P parameters" or "--".
const char* DBTypeCaption(tDBType kind);

// The key column title of a document's properties list: "Data table",
// "Parameters" (both parameter kinds) or empty text.
const char* DBTypePropertiesTitle(tDBType kind);

// Name of a scale type as the command line shows it ("interval", "nominal", ...).
const char* ScaleTypeName(TMScaleType scale);

}  // namespace kovalin
