#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tables/data_table.h"

namespace kovalin {

// Delimiter codes of delimited text.
enum TCSVDelimiters { csvUnknown, csvBlank, csvSemicolon, csvComma, csvColon, csvTab };

// The character of a code; csvUnknown gives NUL.
char DelimiterChar(TCSVDelimiters code);
// "blank", "semicolon", "comma", "colon", "tab"; "none" for csvUnknown.
const char* DelimiterName(TCSVDelimiters code);
// The code of a character (NUL and unknown characters give csvUnknown).
TCSVDelimiters DelimiterCode(char c);
// The code of a name: "auto" gives csvUnknown, the others as DelimiterName.
// False for any other name.
bool DelimiterFromName(const std::string& name, TCSVDelimiters& code);

// Encoding codes recognised from the first bytes of a file.
enum tTextEncoding {
  encUtf16LE = 0, encUtf16BE = 1, encUtf32LE = 2, encUtf32BE = 3, encRichText = 4,
  encUtf8 = 5, encPlain = 6
};
tTextEncoding DetectEncoding(std::string_view bytes);

// Something the import kept apart instead of storing it silently.
struct tImportWarning {
  int line = 0;    // line of the file, from 1
  int column = 0;  // field of the line, from 1 (0 when the whole line is meant)
  std::string message;
};

struct tImportResult {
  bool ok = false;      // false: the file could not be read; the store is unchanged
  std::string error;    // when !ok: the path and the reason
  int code = 0;         // 0, or -1 when a text found no room among a column's labels
  tTextEncoding encoding = encPlain;
  char delimiter = '\0';  // the delimiter used (NUL: each line was one field)
  std::vector<tImportWarning> warnings;
};

// The delimiter detection: among ";", ",", ":" and tab, a candidate that
// occurs in every non-empty line (the header line included) is preferred, the
// one with the highest total first, ties to the earlier; only when none does,
// the candidate (NUL, blank, ";", ",", ":", tab) with the highest total over the
// file wins, ties to the earlier, and NUL when nothing occurs. This lets the
// program re-read its own exports, whose values are padded with blanks.
char DetectDelimiter(const std::vector<std::string_view>& lines);

// Splits decoded text into lines at CR LF, LF or CR.
std::vector<std::string_view> SplitLines(std::string_view text);

// The fields of one line split at the delimiter as the import splits them:
// quoted fields keep their delimiters and doubled quotes ("" gives "), a
// blank delimiter takes a run of blanks as one. unclosed, when given, is set
// when a quoted field has no closing quote (it then runs to the line's end).
std::vector<std::string> SplitDelimitedLine(std::string_view line, char delimiter,
                                            bool* unclosed = nullptr);

// Reads delimited text into the store, replacing its content. The first line
// gives the column names when includeColHeaders is set, the first field of
// each line the row name when includeRowHeaders is set. The store is replaced
// only when the file was read; on failure it keeps what it held.
tImportResult ImportFromCSV(TDataTable& store, const std::string& path, TCSVDelimiters delimiter,
                            bool includeColHeaders, bool includeRowHeaders);
// The same from bytes already in memory; sourceName names them in messages.
tImportResult ImportFromBytes(TDataTable& store, std::string_view bytes, TCSVDelimiters delimiter,
                              bool includeColHeaders, bool includeRowHeaders);

// Reads a whole file; false with a reason when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& reason);

}  // namespace kovalin
