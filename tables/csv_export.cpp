#include "tables/csv_export.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "tables/csv_number.h"
#include "tables/export_check.h"
#include "engine/number_text.h"
#include "tables/temp_name.h"
#include "tables/text_utils.h"

namespace kovalin {

int getPrecision(const TDataTable& table, int icol) {
  int best = 0;
  for (int row = 1; row <= table.NrOfRows(); ++row) {
    if (table.GetCellState(icol, row) & (kCellEmpty | kCellNotANumber)) continue;
    const double v = table.GetRawElem(icol, row);  // a number in a column of labels, unrounded
    if (!std::isfinite(v)) continue;
    const std::string text = FixedNumber(v, 11, kPlainSpelling);
    const std::size_t point = text.find('.');
    if (point == std::string::npos) continue;
    int digits = static_cast<int>(text.size() - point - 1);
    while (digits > 0 && text[point + static_cast<std::size_t>(digits)] == '0') --digits;
    if (digits > best) best = digits;
  }
  return best;
}

namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A label as a field: in quotes, with its quotes doubled, when it holds the
// delimiter, a quote or blanks at its ends, so that it reads back whole.
std::string LabelField(const std::string& label, char delimiter) {
  const bool plain = label.find(delimiter) == std::string::npos && label.find('"') == std::string::npos &&
                     label.front() != ' ' && label.back() != ' ' && label.find('\t') == std::string::npos;
  if (plain) return label;
  std::string quoted = "\"";
  for (const char ch : label) {
    if (ch == '"') quoted += '"';
    quoted += ch;
  }
  return quoted + "\"";
}

}  // namespace

std::string ExportNumber(double v, int decimals) {
  if (std::isnan(v)) return std::string(kMissingText);
  std::string text = FixedText(v, decimals);
  if (!std::isfinite(v)) return text;
  double back = 0;
  if (ParseCsvNumber(text, back) && SameBits(back, v)) return text;
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

std::string ExportCellText(const TDataTable& table, int col, int row, int decimals, char delimiter) {
  const std::uint8_t state = table.GetCellState(col, row);
  if (state & (kCellEmpty | kCellNotANumber)) return PadNumber(kMissingText, 20);
  const double v = table.GetRawElem(col, row);
  const TMScaleType scale = table.GetScaleType(col);
  if ((state & kCellLabel) && (scale == stNominal || scale == stOrdinal) && v >= 1 &&
      v <= table.NominalLabelCount(col) && v == std::trunc(v)) {
    const std::string label = table.NominalLabel(col, static_cast<int>(v));
    if (!label.empty()) return LabelField(label, delimiter);
  }
  return PadNumber(ExportNumber(v, decimals), 20);
}

std::string ExportText(const TDataTable& table, const std::vector<int>& decimals, char delimiter) {
  std::string out;
  const int cols = table.NrOfColumns();
  out.reserve(static_cast<std::size_t>(table.NrOfRows() + 1) * static_cast<std::size_t>(cols) * 21 + 16);
  for (int c = 1; c <= cols; ++c) {
    if (c > 1) out += delimiter;
    out += ExportColumnName(table.GetColName(c), delimiter);
  }
  out += "\r\n";
  for (int r = 1; r <= table.NrOfRows(); ++r) {
    for (int c = 1; c <= cols; ++c) {
      if (c > 1) out += delimiter;
      const int d = static_cast<std::size_t>(c) <= decimals.size() ? decimals[static_cast<std::size_t>(c - 1)] : 0;
      out += ExportCellText(table, c, r, d, delimiter);
    }
    out += "\r\n";
  }
  return out;
}

bool WriteFileBytes(const std::string& path, const std::string& text, std::string& reason) {
  // Written beside the target and renamed over it, so that a failure keeps the old file.
  const std::string temp = TempNameBeside(path);
  {
    errno = 0;
    std::ofstream outFile(temp, std::ios::binary | std::ios::trunc);
    if (!outFile) {
      reason = errno != 0 ? std::strerror(errno) : "cannot be created";
      return false;
    }
    outFile.write(text.data(), static_cast<std::streamsize>(text.size()));
    outFile.close();
    if (!outFile) {
      reason = "write error";
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    reason = ec.message();
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return false;
  }
  return true;
}

}  // namespace kovalin
