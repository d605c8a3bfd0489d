#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tables/table_types.h"

namespace kovalin {

// Cell state bits of the record store.
inline constexpr std::uint8_t kCellNotANumber = 1;  // typed text that is not a number
// A missing cell: read from an empty field or a missing spelling ("NA", ...),
// or cleared by the user. Its value means nothing; readers take it as missing.
inline constexpr std::uint8_t kCellEmpty = 2;
// The value is the ordinal of a label the cell was read or typed as (a number
// in the same column keeps this bit clear, so that a save writes it back as
// a number and the label as its text).
inline constexpr std::uint8_t kCellLabel = 4;
inline constexpr std::uint8_t kCellLocked = 16;     // the grid refuses to edit it
inline constexpr std::uint8_t kCellImputed = 32;

// The record store: NrOfColumns x NrOfRows cells counted from 1, each a real
// and a state byte, with named columns (attribute, scale type, nominal labels)
// and named rows. Reads outside the table give 0 and state 0; writes outside
// it are ignored.
class TDataTable {
 public:
  static constexpr int kMaxColNameLength = 50;
  static constexpr int kMaxNominalLabels = 150;
  static constexpr int kMaxLabelLength = 10;

  // One column by one row holding 0.
  TDataTable();

  int NrOfColumns() const { return static_cast<int>(columns_.size()); }
  int NrOfRows() const { return rows_; }

  // Keeps the cells inside the new size; new cells hold 0 with state 0, new
  // columns are named "C-k" (stInterval), new rows "R-k". Negative sizes count as 0.
  void Resize(int columns, int rows);
  // For 1 <= i <= rows+1: rows i.. move down one; row i holds zeros, an empty
  // name and attribute 0. False (nothing done) outside that range.
  bool InsertRow(int i);
  // For 1 <= i <= rows and at least two rows: the following rows move up.
  bool RemoveRow(int i);
  // For 1 <= i <= columns+1: columns i.. move right one; column i holds zeros
  // with state 0, is stInterval and is named "C-k" with the smallest k that no
  // other column uses, so a lookup by name never finds it instead of another.
  bool InsertColumn(int i);
  // For 1 <= i <= columns and at least two columns: the following columns move left.
  bool RemoveColumn(int i);
  // Names back to "C-k"/"R-k", values and states 0, attributes 0, scale types
  // stInterval, labels removed; the size stays.
  void Clear();

  // The value; in a nominal or ordinal column rounded to the nearest integer.
  double GetElem(int col, int row) const;
  // The stored value, unrounded.
  double GetRawElem(int col, int row) const;
  void SetElem(int col, int row, double value);
  std::uint8_t GetCellState(int col, int row) const;
  void SetCellState(int col, int row, std::uint8_t state);
  // Neither the not-a-number nor the empty bit is set (false outside the table).
  bool IsNumber(int col, int row) const;

  std::string GetColName(int col) const;
  // Cut to 50 characters.
  void SetColName(int col, std::string_view name);
  std::string GetRowName(int row) const;
  void SetRowName(int row, std::string_view name);
  int GetColAttrib(int col) const;
  void SetColAttrib(int col, int value);
  int GetRowAttrib(int row) const;
  TMScaleType GetScaleType(int col) const;
  void SetScaleType(int col, TMScaleType scale);

  // Column lookup by name without regard to case: the first matching column
  // (1-based), or 0 when no column has that name.
  int FindColumn(std::string_view name) const;

  // Nominal labels of a column (ordinals 1..count).
  int NominalLabelCount(int col) const;
  // The label of an ordinal, or empty text when there is none.
  std::string NominalLabel(int col, int ordinal) const;
  // The ordinal of a label (case ignored; the text is cut to 10 characters first), 0 when absent.
  int FindNominalLabel(int col, std::string_view label) const;
  // The ordinal of the label, added when new (the column becomes stNominal);
  // 0 when the column already holds 150 labels or lies outside the table.
  int AddNominalLabel(int col, std::string_view label);

 private:
  struct Column {
    std::string name;
    int attrib = 0;
    TMScaleType scale = stInterval;
    std::vector<std::string> labels;
    std::vector<double> values;
    std::vector<std::uint8_t> states;
  };
  bool Inside(int col, int row) const {
    return col >= 1 && col <= NrOfColumns() && row >= 1 && row <= rows_;
  }
  static std::string DefaultColName(int col) { return "C-" + std::to_string(col); }
  static std::string DefaultRowName(int row) { return "R-" + std::to_string(row); }

  std::vector<Column> columns_;
  std::vector<std::string> rowNames_;
  std::vector<int> rowAttribs_;
  int rows_ = 0;
};

}  // namespace kovalin
