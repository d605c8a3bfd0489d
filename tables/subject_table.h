#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tables/csv_import.h"
#include "tables/data_table.h"
#include "tables/subject_codes.h"

namespace kovalin {

// A subject-level file: one row per subject with the result of test A, the
// result of test B and the disease status (gold standard), each in a column of
// a delimited text whose first line names the columns.
//
// Typical use:
//   tSubjectRequest request;
//   request.a = "mammo"; request.b = "mri"; request.gold = "3";  // by name or number
//   tSubjectTable t = ReadSubjectFile(path, request);
//   if (!t.ok) report(t.error);
//   t.cells[1..8]: the paired table in the cell order +++ +-+ -++ --+ ++- +-- -+- ---
//   t.excluded: the rows left out, each with its line and reason
struct tSubjectRequest {
  std::string a, b, gold;  // a column's name (any case) or its number from 1
  // Where not 0, the column of A, B, the gold standard by its position from 1,
  // whatever the names (a dialog that lists the columns chooses so).
  std::array<int, 3> positions{};
  tSubjectCoding coding;
  TCSVDelimiters delimiter = csvUnknown;  // csvUnknown: detected as the record tables do
};

// A row that was left out of the table.
struct tSubjectExclusion {
  int line = 0;    // line of the file, from 1 (the header is line 1)
  int column = 0;  // field of the first code that could not be read, from 1
  tSubjectCode code = tSubjectCode::missing;  // missing or unknown
  std::string message;  // "column \"gold\": missing" or "column \"gold\": unknown code \"maybe\""
};

struct tSubjectTable {
  bool ok = false;
  std::string error;  // when !ok: what is wrong (the file, a column that is not there)
  char delimiter = '\0';
  std::vector<std::string> columns;           // the header's names
  std::array<int, 3> chosen{};                // columns of A, B and the gold standard, from 1
  std::array<std::int32_t, 9> cells{};        // cells[1..8]; cells[0] is the number of subjects counted
  int rows = 0;                               // data rows read (blank lines not counted)
  std::vector<tSubjectExclusion> excluded;    // in line order
  std::vector<tImportWarning> importWarnings; // unclosed quotes
};

// The first rows of a file, for a dialog that lets the user choose the columns.
struct tSubjectPreview {
  bool ok = false;
  std::string error;
  char delimiter = '\0';
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;  // at most the number asked for
};

// The column that a name or number chooses, from 1; 0 when none does. A name
// is matched first (any case, blanks around it ignored), so a column named
// "2" is found by that name; otherwise a whole number 1..columns.size().
int FindSubjectColumn(const std::vector<std::string>& columns, std::string_view nameOrNumber);

// Counts the subjects of text already in memory (any encoding the record
// tables read). A row with a missing or unknown code in any of the three
// columns is left out and listed; blank lines are skipped.
tSubjectTable ReadSubjectText(std::string_view bytes, const tSubjectRequest& request);
// The same from a file; a file that cannot be read gives !ok and "PATH: reason".
tSubjectTable ReadSubjectFile(const std::string& path, const tSubjectRequest& request);

tSubjectPreview PreviewSubjectText(std::string_view bytes, int maxRows,
                                   TCSVDelimiters delimiter = csvUnknown);
tSubjectPreview PreviewSubjectFile(const std::string& path, int maxRows,
                                   TCSVDelimiters delimiter = csvUnknown);

// The cell (1..8) of a subject with these results: +++ is 1, --- is 8.
int SubjectCell(bool a, bool b, bool diseased);

// A raw-data record table (columns "Id", "X[1]".."X[8]", no decimals) with one
// record: Id 1 and the given cells[1..8].
TDataTable RawDataTableOfCells(const std::array<std::int32_t, 9>& cells);

// One warning line about the left-out rows, or "" when none was:
// "SOURCE: 3 of 120 rows left out (2 with a missing code, 1 with an unknown code)".
std::string ExclusionSummary(const std::string& source, const tSubjectTable& table);
// "SOURCE:LINE:FIELD: message; the row is left out" for every left-out row.
std::vector<std::string> ExclusionLines(const std::string& source, const tSubjectTable& table);

}  // namespace kovalin
