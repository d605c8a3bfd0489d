#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tables/data_table.h"

namespace kovalin {

// What happened to a text typed into a record-grid cell.
enum class tStoreOutcome {
  Stored,           // the value was stored and the cell counts as a number
  MarkedNotANumber, // the cell keeps its value and now shows "-nan-"
  Refused,          // read-only grid, locked cell or a cell outside the table
};

// The numeric grid over a record store, without its window: decimal places per
// column, read-only mode, what a cell shows, how typed text is stored, and the
// column lookup by name that the analysis and the simulation read records with.
// The grid does not own the store; the store must outlive the grid's use of it.
class TNTabEd {
 public:
  static constexpr int kMaxDecPlaces = 10;

  TNTabEd() = default;
  explicit TNTabEd(TDataTable* data) { Bind(data); }

  // Shows the given store. Columns keep their decimal places where they
  // remain; new columns take those of the previously last column (0 at first).
  void Bind(TDataTable* data);
  TDataTable* Data() const { return data_; }

  int GetNrOfColumns() const { return data_ ? data_->NrOfColumns() : 0; }
  int GetNrOfRows() const { return data_ ? data_->NrOfRows() : 0; }
  // Resizes the store; new columns take the decimal places of the previously
  // last column. When memory runs out, throws std::runtime_error with the text
  // Component "NAME": not enough memory on heap (the store keeps its size).
  void Redimension(int nrCols, int nrRows);
  std::string Name = "NTabEd1";
  // A column inserted before column colNr (1..columns+1) of the store, or
  // column colNr deleted (at least two columns): the decimal places move with
  // their columns; an inserted column takes those of its right neighbour, or
  // of the last column when it becomes the last. False when nothing changed.
  bool InsertColumn(int colNr);
  bool DeleteColumn(int colNr);

  std::string GetColName(int colNr) const { return data_ ? data_->GetColName(colNr) : std::string(); }
  void SetColName(int colNr, std::string_view name) { if (data_) data_->SetColName(colNr, name); }

  // 1 <= colNr <= columns: stores dp limited to 0..10.
  void SetDecPlaces(int colNr, int dp);
  // 0 outside the table.
  int GetDecPlaces(int colNr) const;

  double GetElem(int col, int row) const { return data_ ? data_->GetElem(col, row) : 0.0; }
  void SetElem(int col, int row, double value) { if (data_) data_->SetElem(col, row, value); }

  bool DataReadOnly() const { return readOnly_; }
  void SetDataReadOnly(bool value) { readOnly_ = value; }

  // The text a data cell shows (store column col, store row row). In a column
  // of labels only a label cell (kCellLabel) shows its label, or the scale's
  // prefix and its ordinal; a number there shows as a number.
  std::string CellText(int col, int row) const;
  // Stores the text typed into a cell when its editor closes.
  tStoreOutcome StoreTypedText(int col, int row, std::string_view text);

  // --- Reading records by column name (case ignored) ---
  // The column with that name, 1-based, or 0 when there is none.
  int FindColumn(std::string_view name) const { return data_ ? data_->FindColumn(name) : 0; }
  // The value of the named column in the given row (1-based); -999 when no
  // column has that name. Cells outside the rows read 0 like any store read.
  double GetValueByName(std::string_view name, int row) const;

 private:
  void SyncDecPlaces();

  TDataTable* data_ = nullptr;
  std::vector<std::int8_t> decP_;  // FDecP: decimal places per column
  bool readOnly_ = false;
};

// The text of value v with d decimal places as the grid shows it: fixed
// notation when 0 <= d <= 8 and v is 0 or between 10^-d and 10^(9-d) - 10^-d in
// magnitude; otherwise two significant digits with a two-digit exponent
// ("1.2E+05"), and asterisks when the exponent needs three digits.
std::string GridNumberText(double v, int d);

}  // namespace kovalin
