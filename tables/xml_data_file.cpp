#include "tables/xml_data_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <filesystem>
#include <pugixml.hpp>

#include "engine/number_text.h"
#include "tables/csv_import.h"
#include "tables/text_utils.h"

namespace kovalin {

namespace {

// Frequency tables larger than this are refused rather than allocated.
constexpr long long kMaxCells = 1'000'000;

std::string Escape(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (const char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

class XmlLines {
 public:
  void Line(int depth, const std::string& text) {
    out_.append(static_cast<std::size_t>(depth) * 2, ' ');
    out_ += text;
    out_ += "\r\n";
  }
  void Element(int depth, const char* name, const std::string& text) {
    Line(depth, std::string("<") + name + ">" + Escape(text) + "</" + name + ">");
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

std::string IntegralValue(double v) {
  // Exactly representable as an integer; beyond the 64-bit range the digits are printed as they are.
  if (std::fabs(v) < 9.2e18) return std::to_string(static_cast<long long>(v));
  return FixedNumber(v, 0, kPlainSpelling);
}

bool ParseInt(const std::string& raw, long long& value) {
  const std::string_view text = TrimBlanks(raw);
  if (text.empty()) return false;
  const char* first = text.data();
  if (*first == '+') ++first;
  const auto res = std::from_chars(first, text.data() + text.size(), value);
  return res.ec == std::errc() && res.ptr == text.data() + text.size();
}

// Line numbers of offsets into a text, counted forward from the last offset
// asked for, so that the cells of a file, asked in file order, cost one pass.
class tLineCounter {
 public:
  explicit tLineCounter(const std::string& text) : text_(text) {}
  int Line(std::ptrdiff_t offset) {
    if (offset < 0) return 0;
    const auto end = std::min(static_cast<std::size_t>(offset), text_.size());
    if (end < pos_) {
      pos_ = 0;
      line_ = 1;
    }
    for (; pos_ < end; ++pos_) {
      const char c = text_[pos_];
      if (c == '\n' || (c == '\r' && (pos_ + 1 >= text_.size() || text_[pos_ + 1] != '\n'))) ++line_;
    }
    return line_;
  }

 private:
  const std::string& text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

// The first margin of the table that cannot be held, summed as the margins are
// recomputed; empty when all are finite.
std::string OverflowingTotal(const std::vector<double>& cells, long long rows, long long cols) {
  double grand = 0;
  for (long long i = 0; i < rows; ++i) {
    double row = 0;
    for (long long j = 0; j < cols; ++j) row += cells[static_cast<std::size_t>(i * cols + j)];
    if (!std::isfinite(row)) return "the total of row " + std::to_string(i + 1);
    grand += row;
  }
  for (long long j = 0; j < cols; ++j) {
    double col = 0;
    for (long long i = 0; i < rows; ++i) col += cells[static_cast<std::size_t>(i * cols + j)];
    if (!std::isfinite(col)) return "the total of column " + std::to_string(j + 1);
  }
  if (!std::isfinite(grand)) return "the grand total";
  return {};
}

}  // namespace

std::string XmlExponentValue(double v) {
  // 14 decimals as the format has them; a value they would change gets the
  // fewest further decimals that read back as the same double (16 always do).
  std::string written;
  for (int decimals = 14; decimals <= 16; ++decimals) {
    const std::string text = ScientificNumber(std::fabs(v), decimals, kReportSpelling);
    const auto e = text.find('E');
    if (e == std::string::npos) return text;  // not finite
    // The exponent with its sign and four digits: E+0003.
    std::string digits = text.substr(e + 2);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    written = std::string(v < 0 ? "-" : " ") + text.substr(0, e + 2) + digits;
    double back = 0;
    if (ParseStrictDecimal(written, back) && back == v) break;
  }
  return written;
}

std::string XmlDataText(const tFrequencyTable& table) {
  const int R = table.TablaDimR;
  const int C = table.TablaDimC;
  bool integral = true;
  for (int i = 1; i <= R && integral; ++i) {
    for (int j = 1; j <= C; ++j) {
      const double v = table.Value(i, j);
      if (v != std::trunc(v)) {
        integral = false;
        break;
      }
    }
  }
  XmlLines x;
  x.Line(0, "<dataset text=\"Kovalin_data\">");
  x.Line(1, "<table>");
  x.Element(2, "title", table.Alias);
  x.Line(2, "<dim>");
  x.Element(3, "dimrows", std::to_string(R));
  x.Element(3, "dimcols", std::to_string(C));
  x.Line(2, "</dim>");
  x.Line(2, "<labels>");
  x.Element(3, "lblrows", table.lblR);
  x.Element(3, "lblcols", table.lblC);
  x.Line(2, "</labels>");
  x.Element(2, "sampling", std::to_string(table.Sampling));
  if (R > 0 && C > 0) {
    x.Line(2, "<cells>");
    for (int i = 1; i <= R; ++i) {
      for (int j = 1; j <= C; ++j) {
        const double v = table.Value(i, j);
        x.Line(3, "<cell>");
        x.Element(4, "row", std::to_string(i));
        x.Element(4, "col", std::to_string(j));
        x.Element(4, "val", integral ? IntegralValue(v) : XmlExponentValue(v));
        x.Line(3, "</cell>");
      }
    }
    x.Line(2, "</cells>");
  }
  x.Line(1, "</table>");
  x.Line(0, "</dataset>");
  return x.Take();
}

tXmlReadResult ParseXmlData(const std::string& text, const std::string& source) {
  tXmlReadResult result;
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size());
  if (!parsed) {
    result.error = source + ": not a well-formed XML file (" + parsed.description() + " at byte " +
                   std::to_string(parsed.offset) + ")";
    return result;
  }
  const pugi::xml_node dataset = doc.child("dataset");
  if (!dataset) {
    result.error = source + ": the root element is not <dataset>";
    return result;
  }
  const pugi::xml_node table = dataset.child("table");
  const pugi::xml_node dim = table.child("dim");
  const pugi::xml_node labels = table.child("labels");
  auto integer = [&](pugi::xml_node node, const char* what, long long& value) {
    if (!node) {
      result.error = source + ": <" + what + "> is missing";
      return false;
    }
    if (!ParseInt(node.child_value(), value)) {
      result.error = source + ": <" + what + "> is not an integer: \"" + node.child_value() + "\"";
      return false;
    }
    return true;
  };
  long long rows = 0, cols = 0, sampling = 0;
  if (!integer(dim.child("dimrows"), "dimrows", rows)) return result;
  if (dim.child("dimcols")) {
    if (!integer(dim.child("dimcols"), "dimcols", cols)) return result;
  } else {
    cols = rows;
  }
  if (!integer(table.child("sampling"), "sampling", sampling)) return result;
  if (rows < 0 || cols < 0 || (rows > 0 && cols > kMaxCells / rows) || rows > kMaxCells || cols > kMaxCells) {
    result.error = source + ": the table size " + std::to_string(rows) + " x " + std::to_string(cols) +
                   " is negative or too large";
    return result;
  }
  if (sampling < INT32_MIN || sampling > INT32_MAX) {
    result.error = source + ": <sampling> is out of range: " + std::to_string(sampling);
    return result;
  }
  rTableSettings& s = result.settings;
  s.Problema = table.child("title").child_value();
  s.WinReg.LblR = Utf8Prefix(labels.child("lblrows").child_value(), 5);
  s.WinReg.LblC = Utf8Prefix(labels.child("lblcols").child_value(), 5);
  s.WinReg.DimR = static_cast<std::int32_t>(rows);
  s.WinReg.DimC = static_cast<std::int32_t>(cols);
  s.WinReg.SquareTable = rows == cols;
  s.WinReg.Sampling = static_cast<std::int32_t>(sampling);
  result.cells.assign(static_cast<std::size_t>(rows * cols), 0.0);

  int index = 0;
  tLineCounter lines(text);
  for (pugi::xml_node cell = table.child("cells").child("cell"); cell; cell = cell.next_sibling("cell")) {
    ++index;
    const std::string where = "cell " + std::to_string(index);
    long long r = 0, c = 0;
    if (!integer(cell.child("row"), (where + " <row").c_str(), r)) {
      result.error = source + ": " + where + ": <row> is missing or not an integer";
      return result;
    }
    if (!integer(cell.child("col"), (where + " <col").c_str(), c)) {
      result.error = source + ": " + where + ": <col> is missing or not an integer";
      return result;
    }
    const pugi::xml_node val = cell.child("val");
    const int line = lines.Line(val ? val.offset_debug() : cell.offset_debug());
    const std::string place = source + ":" + std::to_string(line) + ": " + where + " (row " + std::to_string(r) +
                              ", col " + std::to_string(c) + ")";
    double v = 0;
    const std::string valText = val.child_value();
    if (!ParseStrictDecimal(valText, v)) {
      result.warnings.push_back(place + ": the value \"" + valText + "\" is not a number; the cell is left 0");
      continue;
    }
    // A frequency is never negative; typing one into the table is refused too.
    if (v < 0) {
      result.warnings.push_back(place + ": the frequency \"" + std::string(TrimBlanks(valText)) +
                                "\" is negative; the cell is left 0");
      continue;
    }
    if (r < 1 || r > rows || c < 1 || c > cols) {
      result.warnings.push_back(place + ": the cell lies outside the " + std::to_string(rows) + " x " +
                                std::to_string(cols) + " table; it is not stored");
      continue;
    }
    result.cells[static_cast<std::size_t>((r - 1) * cols + (c - 1))] = v;
  }
  if (const std::string total = OverflowingTotal(result.cells, rows, cols); !total.empty()) {
    result.error = source + ": the frequencies add up beyond the largest number (1.7E308): " + total +
                   " cannot be held";
    return result;
  }
  result.ok = true;
  return result;
}

tXmlReadResult ReadXmlDataFile(const std::string& path) {
  std::string bytes;
  std::string reason;
  if (!ReadFileBytes(path, bytes, reason)) {
    tXmlReadResult failed;
    failed.error = path + ": " + reason;
    return failed;
  }
  return ParseXmlData(bytes, path);
}

tXmlLoadResult LoadTable(const std::string& path) {
  tXmlLoadResult result;
  tXmlReadResult read = ReadXmlDataFile(path);
  if (!read.ok) {
    result.error = read.error;
    return result;
  }
  CurrentTableSettings = read.settings;
  result.table.BuildFromSettings(CurrentTableSettings);
  result.table.Alias = std::filesystem::path(path).filename().string();
  const int R = read.settings.WinReg.DimR;
  const int C = read.settings.WinReg.DimC;
  for (int i = 1; i <= R; ++i) {
    for (int j = 1; j <= C; ++j) {
      const double v = read.cells[static_cast<std::size_t>((i - 1) * C + (j - 1))];
      result.table.SetValue(i, j, v);
      if (v != std::trunc(v)) result.table.flgDataIsReal = true;
    }
  }
  result.table.AsignaDatos();
  result.warnings = std::move(read.warnings);
  result.ok = true;
  return result;
}

}  // namespace kovalin
