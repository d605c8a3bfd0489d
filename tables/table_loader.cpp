#include "tables/table_loader.h"

#include "tables/csv_export.h"
#include "tables/db_structure.h"

namespace kovalin {

std::vector<std::string> FormatImportWarnings(const std::string& source,
                                              const std::vector<tImportWarning>& warnings) {
  std::vector<std::string> lines;
  lines.reserve(warnings.size());
  for (const tImportWarning& w : warnings) {
    std::string place = source + ":" + std::to_string(w.line);
    if (w.column > 0) {
      place += ':';
      place += std::to_string(w.column);
    }
    lines.push_back(place + ": " + w.message);
  }
  return lines;
}

tRecordTableFile LoadRecordTable(const std::string& path, TCSVDelimiters delimiter,
                                 bool includeColHeaders, bool includeRowHeaders) {
  tRecordTableFile file;
  const tImportResult imported =
      ImportFromCSV(file.table, path, delimiter, includeColHeaders, includeRowHeaders);
  if (!imported.ok) {
    file.error = imported.error;
    return file;
  }
  file.ok = true;
  file.delimiter = imported.delimiter;
  file.encoding = imported.encoding;
  file.warnings = FormatImportWarnings(path, imported.warnings);
  for (int c = 1; c <= file.table.NrOfColumns(); ++c) {
    const int d = getPrecision(file.table, c);
    file.decimals.push_back(d);
    file.table.SetColAttrib(c, d);
  }
  file.kind = assignDBType(file.table);
  return file;
}

}  // namespace kovalin
