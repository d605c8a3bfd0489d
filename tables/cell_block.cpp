#include "tables/cell_block.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kovalin {

tCellBlock ParseCellBlock(std::string_view text) {
  tCellBlock block;
  if (text.empty()) return block;
  std::vector<std::string> row;
  std::string cell;
  std::size_t i = 0;
  bool rowOpen = false;  // something of the current row has been read
  auto endCell = [&] {
    row.push_back(std::move(cell));
    cell.clear();
  };
  auto endRow = [&] {
    endCell();
    block.rows.push_back(std::move(row));
    row.clear();
    rowOpen = false;
  };
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"' && cell.empty()) {
      // A quoted cell: up to the closing quote; "" inside is one quote.
      std::size_t j = i + 1;
      std::string quoted;
      bool closed = false;
      while (j < text.size()) {
        if (text[j] == '"') {
          if (j + 1 < text.size() && text[j + 1] == '"') {
            quoted += '"';
            j += 2;
            continue;
          }
          closed = true;
          ++j;
          break;
        }
        quoted += text[j++];
      }
      // Only a quote that closes right before a tab, a line end or the end
      // makes a quoted cell; otherwise the quote is part of the text.
      const bool cellEnds = j >= text.size() || text[j] == '\t' || text[j] == '\r' || text[j] == '\n';
      if (closed && cellEnds) {
        cell = std::move(quoted);
        rowOpen = true;
        i = j;
        continue;
      }
    }
    if (c == '\t') {
      endCell();
      rowOpen = true;
      ++i;
    } else if (c == '\r' || c == '\n') {
      endRow();
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    } else {
      cell += c;
      rowOpen = true;
      ++i;
    }
  }
  if (rowOpen || !cell.empty()) endRow();
  std::size_t width = 0;
  for (const auto& r : block.rows) width = std::max(width, r.size());
  for (auto& r : block.rows) r.resize(width);
  return block;
}

std::string RoundTripText(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, res.ptr);
}

std::string CellEditText(const TNTabEd& grid, int col, int row) {
  const TDataTable* data = grid.Data();
  if (data == nullptr || col < 1 || col > data->NrOfColumns() || row < 1 || row > data->NrOfRows()) return {};
  const std::uint8_t state = data->GetCellState(col, row);
  if (state & (kCellEmpty | kCellNotANumber)) return {};
  const TMScaleType scale = data->GetScaleType(col);
  // Only a label cell edits as its label; a number in a column of labels edits
  // as the number it is, or the editor would turn 0.8 into the label of 1.
  if ((scale == stNominal || scale == stOrdinal) && (state & kCellLabel)) {
    const double v = data->GetElem(col, row);  // rounded
    if (!std::isfinite(v) || std::fabs(v) >= 1e15) return RoundTripText(v);
    const auto ordinal = static_cast<long long>(v);
    if (ordinal >= 1 && ordinal <= data->NominalLabelCount(col)) {
      return data->NominalLabel(col, static_cast<int>(ordinal));
    }
    return std::to_string(ordinal);
  }
  return RoundTripText(data->GetRawElem(col, row));
}

std::string CopyBlockText(const TNTabEd& grid, int firstCol, int firstRow, int lastCol, int lastRow) {
  std::string out;
  for (int r = firstRow; r <= lastRow; ++r) {
    if (r > firstRow) out += "\r\n";
    for (int c = firstCol; c <= lastCol; ++c) {
      if (c > firstCol) out += '\t';
      out += CellEditText(grid, c, r);
    }
  }
  return out;
}

bool ClearCell(TNTabEd& grid, int col, int row) {
  TDataTable* data = grid.Data();
  if (data == nullptr || grid.DataReadOnly() || col < 1 || col > data->NrOfColumns() || row < 1 ||
      row > data->NrOfRows()) {
    return false;
  }
  const std::uint8_t state = data->GetCellState(col, row);
  if (state & kCellLocked) return false;
  data->SetElem(col, row, std::nan(""));
  data->SetCellState(col, row, static_cast<std::uint8_t>((state & ~(kCellNotANumber | kCellLabel)) | kCellEmpty));
  return true;
}

tStoreOutcome StorePastedText(TNTabEd& grid, int col, int row, std::string_view text) {
  const auto blank = text.find_first_not_of(" \t");
  if (blank == std::string_view::npos) {
    return ClearCell(grid, col, row) ? tStoreOutcome::Stored : tStoreOutcome::Refused;
  }
  return grid.StoreTypedText(col, row, text);
}

tPastePlan PlanPaste(const TNTabEd& grid, int col, int row, const tCellBlock& block) {
  tPastePlan plan;
  const int columns = grid.GetNrOfColumns();
  const int rows = grid.GetNrOfRows();
  if (block.Height() == 0 || block.Width() == 0) {
    plan.message = "The clipboard holds no cells to paste.";
    return plan;
  }
  if (col < 1 || col > columns || row < 1 || row > rows) {
    plan.message = "Choose the cell where the pasted block begins.";
    return plan;
  }
  if (grid.DataReadOnly()) {
    plan.message = "The table does not take edits now.";
    return plan;
  }
  const long long lastCol = static_cast<long long>(col) + block.Width() - 1;
  if (lastCol > columns) {
    plan.message = "The pasted block is " + std::to_string(block.Width()) + " columns wide and runs past the last column (" +
                   grid.GetColName(columns) + "); nothing was pasted.";
    return plan;
  }
  plan.ok = true;
  plan.rowsNeeded = std::max(rows, row + block.Height() - 1);
  return plan;
}

}  // namespace kovalin
