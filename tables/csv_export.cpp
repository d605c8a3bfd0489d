#include "tables/csv_export.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "engine/number_text.h"
#include "tables/temp_name.h"
#include "tables/text_utils.h"

namespace kovalin {

int getPrecision(const TDataTable& table, int icol) {
  int best = 0;
  for (int row = 1; row <= table.NrOfRows(); ++row) {
    const double v = table.GetElem(icol, row);
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

std::string ExportText(const TDataTable& table, const std::vector<int>& decimals, char delimiter) {
  std::string out;
  const int cols = table.NrOfColumns();
  out.reserve(static_cast<std::size_t>(table.NrOfRows() + 1) * static_cast<std::size_t>(cols) * 21 + 16);
  for (int c = 1; c <= cols; ++c) {
    if (c > 1) out += delimiter;
    out += table.GetColName(c);
  }
  out += "\r\n";
  for (int r = 1; r <= table.NrOfRows(); ++r) {
    for (int c = 1; c <= cols; ++c) {
      if (c > 1) out += delimiter;
      const int d = static_cast<std::size_t>(c) <= decimals.size() ? decimals[static_cast<std::size_t>(c - 1)] : 0;
      out += PadNumber(FixedText(table.GetElem(c, r), d), 20);
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
