#include "tables/csv_import.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unordered_map>
#include <unordered_set>

#include "tables/csv_number.h"
#include "tables/text_decoding.h"
#include "tables/text_utils.h"

namespace kovalin {

char DelimiterChar(TCSVDelimiters code) {
  switch (code) {
    case csvBlank: return ' ';
    case csvSemicolon: return ';';
    case csvComma: return ',';
    case csvColon: return ':';
    case csvTab: return '\t';
    case csvUnknown: break;
  }
  return '\0';
}

const char* DelimiterName(TCSVDelimiters code) {
  switch (code) {
    case csvBlank: return "blank";
    case csvSemicolon: return "semicolon";
    case csvComma: return "comma";
    case csvColon: return "colon";
    case csvTab: return "tab";
    case csvUnknown: break;
  }
  return "none";
}

TCSVDelimiters DelimiterCode(char c) {
  switch (c) {
    case ' ': return csvBlank;
    case ';': return csvSemicolon;
    case ',': return csvComma;
    case ':': return csvColon;
    case '\t': return csvTab;
    default: return csvUnknown;
  }
}

bool DelimiterFromName(const std::string& name, TCSVDelimiters& code) {
  if (name == "auto") {
    code = csvUnknown;
    return true;
  }
  for (TCSVDelimiters c : {csvBlank, csvSemicolon, csvComma, csvColon, csvTab}) {
    if (name == DelimiterName(c)) {
      code = c;
      return true;
    }
  }
  return false;
}

tTextEncoding DetectEncoding(std::string_view b) {
  auto at = [&](std::size_t i) { return i < b.size() ? static_cast<unsigned char>(b[i]) : -1; };
  if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) return encUtf8;
  if (at(0) == 0xFF && at(1) == 0xFE && at(2) == 0x00 && at(3) == 0x00) return encUtf32LE;
  if (at(0) == 0x00 && at(1) == 0x00 && at(2) == 0xFE && at(3) == 0xFF) return encUtf32BE;
  if (at(0) == 0xFF && at(1) == 0xFE) return encUtf16LE;
  if (at(0) == 0xFE && at(1) == 0xFF) return encUtf16BE;
  if (at(0) == 0x7B && at(1) == 0x5C && at(2) == 0x72) return encRichText;
  return encPlain;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\n' && c != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

char DetectDelimiter(const std::vector<std::string_view>& lines) {
  static constexpr char kCandidates[] = {'\0', ' ', ';', ',', ':', '\t'};
  constexpr int kCount = 6;
  // Candidate index of each byte, -1 for the rest.
  static const auto kIndex = [] {
    std::array<signed char, 256> index{};
    index.fill(-1);
    for (int k = 0; k < kCount; ++k) index[static_cast<unsigned char>(kCandidates[k])] = static_cast<signed char>(k);
    return index;
  }();
  long long totals[kCount] = {};
  bool inEveryLine[kCount];
  for (bool& b : inEveryLine) b = true;
  bool anyLine = false;
  for (const std::string_view line : lines) {
    long long counts[kCount] = {};
    for (const char c : line) {
      const int k = kIndex[static_cast<unsigned char>(c)];
      if (k >= 0) ++counts[k];
    }
    for (int k = 0; k < kCount; ++k) totals[k] += counts[k];
    if (TrimBlanks(line).empty() && line.find('\t') == std::string_view::npos) continue;
    anyLine = true;
    for (int k = 0; k < kCount; ++k) {
      if (counts[k] == 0) inEveryLine[k] = false;
    }
  }
  // Separators proper (";", ",", ":", tab) that occur in every line come first.
  int best = -1;
  if (anyLine) {
    for (int k = 2; k < kCount; ++k) {
      if (inEveryLine[k] && (best < 0 || totals[k] > totals[best])) best = k;
    }
  }
  if (best >= 0) return kCandidates[best];
  best = 0;
  for (int k = 1; k < kCount; ++k) {
    if (totals[k] > totals[best]) best = k;
  }
  return kCandidates[best];
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& reason) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    reason = "is a folder, not a file";
    return false;
  }
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    reason = errno != 0 ? std::strerror(errno) : "cannot be opened";
    return false;
  }
  std::string content;
  char chunk[1 << 16];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    content.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (in.eof()) break;
  }
  if (in.bad()) {
    reason = "read error";
    return false;
  }
  bytes = std::move(content);
  return true;
}

namespace {

// Cuts one line into fields. The line ends as if a delimiter followed it.
class FieldSplitter {
 public:
  FieldSplitter(std::string_view line, char delimiter) : line_(line), d_(delimiter) {
    if (d_ == ' ') SkipBlanks();
  }

  // False when the record has ended. unclosed is set for a quoted field
  // without its closing quote (it then runs to the end of the line).
  bool Next(std::string_view& field, std::string& storage, bool& unclosed) {
    unclosed = false;
    if (pos_ > line_.size()) return false;
    if (pos_ < line_.size() && line_[pos_] == '"') {
      storage.clear();
      std::size_t i = pos_ + 1;
      bool closed = false;
      while (i < line_.size()) {
        if (line_[i] == '"') {
          if (i + 1 < line_.size() && line_[i + 1] == '"') {
            storage += '"';
            i += 2;
            continue;
          }
          closed = true;
          break;
        }
        storage += line_[i++];
      }
      field = storage;
      if (!closed) {
        unclosed = true;
        pos_ = line_.size() + 1;
        return true;
      }
      const std::size_t after = i + 1;
      if (after >= line_.size()) {
        pos_ = line_.size() + 1;  // the closing quote was followed by the line's end
      } else if (line_[after] == d_) {
        pos_ = after + 1;
        AfterDelimiter();
      } else {
        pos_ = after;  // the text after the quote starts the next field
      }
      return true;
    }
    const std::size_t found = line_.find(d_, pos_);
    if (found == std::string_view::npos) {
      field = line_.substr(pos_);
      pos_ = line_.size() + 1;
    } else {
      field = line_.substr(pos_, found - pos_);
      pos_ = found + 1;
      AfterDelimiter();
    }
    return true;
  }

 private:
  // Blank-delimited text takes a run of blanks as one delimiter and ignores
  // blanks at the line's ends: the program's own export pads every value.
  void SkipBlanks() {
    while (pos_ < line_.size() && line_[pos_] == ' ') ++pos_;
    if (pos_ == line_.size()) pos_ = line_.size() + 1;
  }
  void AfterDelimiter() {
    if (d_ == ' ') SkipBlanks();
  }

  std::string_view line_;
  char d_;
  std::size_t pos_ = 0;
};

// What the import saw in one column, so that it can say where the reading
// changes what the file holds.
struct tColumnSeen {
  int numberLine = 0;  // first number
  int textLine = 0;    // first text
  int textField = 0;
  std::string text;
  // The first full text of each label, by the label cut and in capitals.
  std::unordered_map<std::string, std::string> labelSources;
  std::unordered_set<std::string> merged;  // texts already reported as merged
};

std::string Quoted(std::string_view text) {
  return "\"" + Utf8Prefix(text, 60) + "\"";
}

// A text that becomes the same label as an earlier, different text once cut
// to 10 characters.
void CheckLabelCut(tColumnSeen& seen, std::string_view field, const std::string& column, int line,
                   int k, std::vector<tImportWarning>& warnings) {
  const std::string label = Utf8Prefix(field, TDataTable::kMaxLabelLength);
  const auto [it, added] = seen.labelSources.emplace(ToUpperAscii(label), std::string(field));
  if (added || EqualsNoCase(it->second, field)) return;
  if (!seen.merged.insert(ToUpperAscii(field)).second) return;
  warnings.push_back({line, k, "column " + Quoted(column) + ": the text " + Quoted(field) +
                                   " is cut to the label " + Quoted(label) + " of the text " +
                                   Quoted(it->second) + "; both are read as the same label"});
}

}  // namespace

std::vector<std::string> SplitDelimitedLine(std::string_view line, char delimiter, bool* unclosed) {
  std::vector<std::string> fields;
  FieldSplitter splitter(line, delimiter);
  std::string storage;
  std::string_view field;
  bool open = false;
  if (unclosed) *unclosed = false;
  while (splitter.Next(field, storage, open)) {
    fields.emplace_back(field);
    if (open && unclosed) *unclosed = true;
  }
  return fields;
}

tImportResult ImportFromBytes(TDataTable& store, std::string_view bytes, TCSVDelimiters delimiter,
                              bool includeColHeaders, bool includeRowHeaders) {
  tImportResult result;
  result.ok = true;
  result.encoding = DetectEncoding(bytes);
  std::string decoded;
  const std::string_view text = DecodeText(bytes, result.encoding, decoded);
  const std::vector<std::string_view> lines = SplitLines(text);
  const char d = delimiter == csvUnknown ? DetectDelimiter(lines) : DelimiterChar(delimiter);
  result.delimiter = d;

  const int p = includeColHeaders ? -1 : 0;
  const int q = includeRowHeaders ? -1 : 0;
  const int lineCount = static_cast<int>(lines.size());
  TDataTable table;
  table.Resize(1, lineCount + p < 1 ? 1 : lineCount + p);
  table.SetScaleType(1, stInterval);

  std::string storage;
  std::string_view field;
  bool unclosed = false;
  std::vector<tColumnSeen> seen(1);  // by column, from 1
  int headerFields = 0;
  for (int L = 1; L <= lineCount; ++L) {
    const std::string_view line = lines[static_cast<std::size_t>(L - 1)];
    FieldSplitter splitter(line, d);
    const int row = L + p;
    int k = 1;
    for (; splitter.Next(field, storage, unclosed); ++k) {
      if (unclosed) {
        result.warnings.push_back({L, k, "a quoted field has no closing quote; it runs to the end of the line"});
      }
      const int col = k + q;
      if (table.NrOfColumns() < col) table.Resize(col, table.NrOfRows());
      if (col >= 1 && static_cast<std::size_t>(col) >= seen.size()) seen.resize(static_cast<std::size_t>(col) + 1);
      if (L == 1 && includeColHeaders) {
        table.SetColName(col, TrimBlanks(field));
        continue;
      }
      if (k == 1 && includeRowHeaders) {
        table.SetRowName(row, TrimBlanks(field));
        continue;
      }
      if (col < 1) continue;
      double value = 0;
      tColumnSeen& column = seen[static_cast<std::size_t>(col)];
      if (field.empty()) {
        table.SetCellState(col, row, kCellEmpty);
      } else if (ParseCsvNumber(field, value)) {
        table.SetElem(col, row, value);
        if (column.numberLine == 0) column.numberLine = L;
      } else {
        if (column.textLine == 0) {
          column.textLine = L;
          column.textField = k;
          column.text = std::string(field);
        }
        CheckLabelCut(column, field, table.GetColName(col), L, k, result.warnings);
        const int ordinal = table.AddNominalLabel(col, field);
        if (ordinal > 0) {
          table.SetElem(col, row, ordinal);
        } else {
          // No room among the labels: the cell shows "-nan-" rather than a false 0.
          result.code = -1;
          table.SetCellState(col, row, kCellNotANumber);
          result.warnings.push_back({L, k, "the text \"" + Utf8Prefix(field, TDataTable::kMaxLabelLength) +
                                               "\" finds no room among the 150 labels of column \"" +
                                               table.GetColName(col) + "\"; the cell is not a number"});
        }
      }
    }
    const int fields = k - 1;
    if (L == 1 && includeColHeaders) {
      headerFields = fields;
    } else if (includeColHeaders && fields < headerFields) {
      // The cells the line does not reach keep 0, as if the file held zeros there.
      const int from = fields + 1 + q;
      const int to = headerFields + q;
      const std::string names = from == to ? "column " + Quoted(table.GetColName(to))
                                           : "columns " + Quoted(table.GetColName(from)) + " to " +
                                                 Quoted(table.GetColName(to));
      result.warnings.push_back({L, 0, "the line has " + std::to_string(fields) + " of the " +
                                           std::to_string(headerFields) + " fields of the header; " +
                                           names + (from == to ? " keeps" : " keep") + " 0"});
    }
  }
  // A column of labels reads its numbers as label numbers, rounded to whole numbers.
  for (std::size_t c = 1; c < seen.size(); ++c) {
    const tColumnSeen& column = seen[c];
    if (column.numberLine == 0 || column.textLine == 0) continue;
    const int col = static_cast<int>(c);
    if (table.GetScaleType(col) != stNominal) continue;
    result.warnings.push_back(
        {column.textLine, column.textField,
         "column " + Quoted(table.GetColName(col)) + " holds numbers (the first on line " +
             std::to_string(column.numberLine) + ") and texts (the first " + Quoted(column.text) +
             "): it is read as labels, and its numbers are rounded to whole numbers"});
  }
  std::stable_sort(result.warnings.begin(), result.warnings.end(),
                   [](const tImportWarning& a, const tImportWarning& b) { return a.line < b.line; });
  table.Resize(table.NrOfColumns(), lineCount + p);
  store = std::move(table);
  return result;
}

tImportResult ImportFromCSV(TDataTable& store, const std::string& path, TCSVDelimiters delimiter,
                            bool includeColHeaders, bool includeRowHeaders) {
  std::string bytes;
  std::string reason;
  if (!ReadFileBytes(path, bytes, reason)) {
    tImportResult failed;
    failed.error = path + ": " + reason;
    return failed;
  }
  return ImportFromBytes(store, bytes, delimiter, includeColHeaders, includeRowHeaders);
}

}  // namespace kovalin
