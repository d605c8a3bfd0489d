#include "tables/subject_table.h"

#include <charconv>
#include <limits>

#include "tables/db_structure.h"
#include "tables/text_decoding.h"
#include "tables/text_utils.h"

namespace kovalin {

namespace {

const char* const kRoles[3] = {"A", "B", "gold standard"};

bool IsBlankLine(std::string_view line) {
  for (const char c : line)
    if (c != ' ' && c != '\t') return false;
  return true;
}

// The decoded lines of the text and the delimiter they are split at.
struct tSplitText {
  std::string storage;
  std::vector<std::string_view> lines;
  char delimiter = '\0';
};

void SplitText(std::string_view bytes, TCSVDelimiters delimiter, tSplitText& out) {
  const std::string_view text = DecodeText(bytes, DetectEncoding(bytes), out.storage);
  out.lines = SplitLines(text);
  out.delimiter = delimiter == csvUnknown ? DetectDelimiter(out.lines) : DelimiterChar(delimiter);
}

std::vector<std::string> HeaderOf(const tSplitText& text) {
  if (text.lines.empty()) return {};
  std::vector<std::string> names = SplitDelimitedLine(text.lines[0], text.delimiter);
  for (std::string& name : names) name = std::string(TrimBlanks(name));
  return names;
}

std::string ColumnList(const std::vector<std::string>& columns) {
  std::string list;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) list += ", ";
    list += std::to_string(i + 1) + " \"" + columns[i] + "\"";
  }
  return list;
}

}  // namespace

int SubjectCell(bool a, bool b, bool diseased) {
  return 1 + (a ? 0 : 2) + (b ? 0 : 1) + (diseased ? 0 : 4);
}

int FindSubjectColumn(const std::vector<std::string>& columns, std::string_view nameOrNumber) {
  const std::string_view wanted = TrimBlanks(nameOrNumber);
  if (wanted.empty()) return 0;
  for (std::size_t i = 0; i < columns.size(); ++i)
    if (EqualsNoCase(TrimBlanks(columns[i]), wanted)) return static_cast<int>(i + 1);
  int number = 0;
  const auto [end, ec] = std::from_chars(wanted.data(), wanted.data() + wanted.size(), number);
  if (ec != std::errc() || end != wanted.data() + wanted.size()) return 0;
  if (number < 1 || static_cast<std::size_t>(number) > columns.size()) return 0;
  return number;
}

tSubjectTable ReadSubjectText(std::string_view bytes, const tSubjectRequest& request) {
  tSubjectTable result;
  tSplitText text;
  SplitText(bytes, request.delimiter, text);
  result.delimiter = text.delimiter;
  result.columns = HeaderOf(text);
  if (result.columns.empty()) {
    result.error = "the file is empty: its first line should name the columns";
    return result;
  }
  const std::string* wanted[3] = {&request.a, &request.b, &request.gold};
  for (int k = 0; k < 3; ++k) {
    const int position = request.positions[static_cast<std::size_t>(k)];
    const int column = position != 0 ? (position >= 1 && static_cast<std::size_t>(position) <= result.columns.size()
                                             ? position
                                             : 0)
                                     : FindSubjectColumn(result.columns, *wanted[k]);
    if (column == 0) {
      result.error = "no column '" + (position != 0 ? std::to_string(position) : *wanted[k]) + "' for " + kRoles[k] +
                     " (by name or number; the columns are " + ColumnList(result.columns) + ")";
      return result;
    }
    result.chosen[static_cast<std::size_t>(k)] = column;
  }

  for (std::size_t index = 1; index < text.lines.size(); ++index) {
    const std::string_view line = text.lines[index];
    if (IsBlankLine(line)) continue;
    const int lineNumber = static_cast<int>(index + 1);
    ++result.rows;
    bool unclosed = false;
    const std::vector<std::string> fields = SplitDelimitedLine(line, text.delimiter, &unclosed);
    if (unclosed)
      result.importWarnings.push_back(
          {lineNumber, 0, "a quoted field has no closing quote; it runs to the end of the line"});
    bool results[3] = {};
    bool counted = true;
    for (std::size_t k = 0; k < 3 && counted; ++k) {
      const int column = result.chosen[k];
      const std::size_t at = static_cast<std::size_t>(column - 1);
      const std::string_view field = at < fields.size() ? std::string_view(fields[at]) : "";
      const tSubjectCode code = request.coding.Classify(field);
      if (code == tSubjectCode::positive || code == tSubjectCode::negative) {
        results[k] = code == tSubjectCode::positive;
        continue;
      }
      std::string message = "column \"" + result.columns[at] + "\" (" + kRoles[k] + "): ";
      if (code == tSubjectCode::missing)
        message += at < fields.size() ? "missing" : "missing (the line has no such field)";
      else
        message += "unknown code \"" + Utf8Prefix(TrimBlanks(field), 40) + "\"";
      result.excluded.push_back({lineNumber, column, code, std::move(message)});
      counted = false;
    }
    if (!counted) continue;
    auto& cell = result.cells[static_cast<std::size_t>(SubjectCell(results[0], results[1], results[2]))];
    if (cell == std::numeric_limits<std::int32_t>::max() ||
        result.cells[0] == std::numeric_limits<std::int32_t>::max()) {
      result.error = "more subjects than a table can count (2147483647) at line " +
                     std::to_string(lineNumber);
      return result;
    }
    ++cell;
    ++result.cells[0];
  }
  result.ok = true;
  return result;
}

tSubjectTable ReadSubjectFile(const std::string& path, const tSubjectRequest& request) {
  std::string bytes;
  std::string reason;
  if (!ReadFileBytes(path, bytes, reason)) {
    tSubjectTable failed;
    failed.error = path + ": " + reason;
    return failed;
  }
  tSubjectTable table = ReadSubjectText(bytes, request);
  if (!table.ok) table.error = path + ": " + table.error;
  return table;
}

tSubjectPreview PreviewSubjectText(std::string_view bytes, int maxRows, TCSVDelimiters delimiter) {
  tSubjectPreview preview;
  tSplitText text;
  SplitText(bytes, delimiter, text);
  preview.delimiter = text.delimiter;
  preview.columns = HeaderOf(text);
  if (preview.columns.empty()) {
    preview.error = "the file is empty: its first line should name the columns";
    return preview;
  }
  for (std::size_t index = 1; index < text.lines.size(); ++index) {
    if (static_cast<int>(preview.rows.size()) >= maxRows) break;
    if (IsBlankLine(text.lines[index])) continue;
    preview.rows.push_back(SplitDelimitedLine(text.lines[index], text.delimiter));
  }
  preview.ok = true;
  return preview;
}

tSubjectPreview PreviewSubjectFile(const std::string& path, int maxRows, TCSVDelimiters delimiter) {
  std::string bytes;
  std::string reason;
  if (!ReadFileBytes(path, bytes, reason)) {
    tSubjectPreview failed;
    failed.error = path + ": " + reason;
    return failed;
  }
  tSubjectPreview preview = PreviewSubjectText(bytes, maxRows, delimiter);
  if (!preview.ok) preview.error = path + ": " + preview.error;
  return preview;
}

TDataTable RawDataTableOfCells(const std::array<std::int32_t, 9>& cells) {
  const tDBStructure structure = RawDataStructure();
  TDataTable table;
  table.Resize(structure.count(), 1);
  for (int c = 1; c <= structure.count(); ++c) {
    table.SetColName(c, structure.varname(c));
    table.SetColAttrib(c, structure.VarPrecision(c));
  }
  table.SetElem(1, 1, 1);
  for (int i = 1; i <= 8; ++i) table.SetElem(i + 1, 1, cells[static_cast<std::size_t>(i)]);
  return table;
}

std::string ExclusionSummary(const std::string& source, const tSubjectTable& table) {
  if (table.excluded.empty()) return "";
  int missing = 0;
  for (const tSubjectExclusion& e : table.excluded)
    if (e.code == tSubjectCode::missing) ++missing;
  const int unknown = static_cast<int>(table.excluded.size()) - missing;
  std::string text = source + ": " + std::to_string(table.excluded.size()) + " of " +
                     std::to_string(table.rows) + (table.rows == 1 ? " row" : " rows") + " left out (";
  if (missing > 0) text += std::to_string(missing) + " with a missing code";
  if (missing > 0 && unknown > 0) text += ", ";
  if (unknown > 0) text += std::to_string(unknown) + " with an unknown code";
  text += "), on line";
  text += table.excluded.size() == 1 ? " " : "s ";
  for (std::size_t i = 0; i < table.excluded.size(); ++i) {
    if (i > 0) text += ", ";
    text += std::to_string(table.excluded[i].line);
  }
  return text;
}

std::vector<std::string> ExclusionLines(const std::string& source, const tSubjectTable& table) {
  std::vector<std::string> lines;
  lines.reserve(table.excluded.size());
  for (const tSubjectExclusion& e : table.excluded)
    lines.push_back(source + ":" + std::to_string(e.line) + ":" + std::to_string(e.column) + ": " +
                    e.message + "; the row is left out");
  return lines;
}

}  // namespace kovalin
