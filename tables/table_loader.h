#pragma once

#include <string>
#include <vector>

#include "tables/csv_import.h"
#include "tables/data_table.h"
#include "tables/table_types.h"

namespace kovalin {

// A record-table file read as the main window's Open reads it.
struct tRecordTableFile {
  bool ok = false;
  std::string error;          // when !ok: "PATH: reason"
  TDataTable table;           // each column's attribute holds its decimal places
  tDBType kind = DBnull;      // assignDBType of the table
  char delimiter = '\0';      // the delimiter the file was split at
  tTextEncoding encoding = encPlain;
  std::vector<int> decimals;  // getPrecision of each column, 0..11
  std::vector<std::string> warnings;  // "PATH:LINE:FIELD: message"
};

// Loads a record-table file: first line = column names, no row names.
// csvUnknown detects the delimiter (whatever the extension, so a ".csv" from a
// spreadsheet loads with commas or semicolons as well as tabs). A file that
// cannot be read gives ok = false and the error; nothing is loaded then.
// Typical use:
//   tRecordTableFile f = LoadRecordTable(path);
//   if (!f.ok) report(f.error);
//   TNTabEd grid(&f.table);            // columns by name: grid.GetValueByName("PA", row)
tRecordTableFile LoadRecordTable(const std::string& path, TCSVDelimiters delimiter = csvUnknown,
                                 bool includeColHeaders = true, bool includeRowHeaders = false);

// Warnings of an import as "SOURCE:LINE:FIELD: message" lines.
std::vector<std::string> FormatImportWarnings(const std::string& source,
                                              const std::vector<tImportWarning>& warnings);

}  // namespace kovalin
