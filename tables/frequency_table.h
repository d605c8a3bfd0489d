#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tables/matrix.h"
#include "tables/table_types.h"
#include "tables/text_grid.h"

namespace kovalin {

// The messages a commit asks the user to see (an error box with OK).
inline constexpr const char* kMsgNotNonNegative = "The input must be a value greater or equal to 0";
inline constexpr const char* kMsgOnlyIntegers = "Only integer values are allowed";
// Status panel 0 once the grid is unlocked for editing, and after a save.
inline constexpr const char* kPanel0Editing = "Editing";
inline constexpr const char* kPanel0Saved = " Saved";

// A grid position (column, row); (0, 0) when none.
struct tGridPos {
  int col = 0;
  int row = 0;
  bool IsSet() const { return col != 0 || row != 0; }
  bool operator==(const tGridPos&) const = default;
};

struct tCommitResult {
  bool accepted = false;  // false: the entry was refused and the grid redrawn
  std::string message;    // empty, kMsgNotNonNegative or kMsgOnlyIntegers
  bool unlockGrid = false;  // the last cell was committed while circular focus is off
};

enum class tPercentView { ByRows, ByColumns, Totals };

// The frequency table of a data table document without its window: the R x C
// frequencies with margins, the labels, the sampling code, the value rules and
// the texts of the frequency grid (R+2 rows by C+2 columns; rows 0-1 and
// columns 0-1 fixed: labels, then totals).
class tFrequencyTable {
 public:
  tFrequencyTable();

  // A new document's table from the settings: dimensions, labels, sampling
  // code and AllowReals; a zero dense buffer; title = Problema; every number
  // cell "0" right-aligned in 10.
  void BuildFromSettings(const rTableSettings& settings);

  std::int32_t TablaDimR = 0;
  std::int32_t TablaDimC = 0;
  std::string lblR;
  std::string lblC;
  std::int32_t Sampling = 0;
  bool flgAllowReals = false;
  bool flgDataIsReal = false;
  bool flgHayDatos = false;
  tGridPos PosError;
  int Show_w = 10;
  int Show_d = 0;
  std::string Alias;
  bool DataLocked = false;
  bool modified = false;

  tMatrizPrecision& Data() { return *data_; }
  const tMatrizPrecision& Data() const { return *data_; }
  // Frequency (i, j), margins at row 0 and column 0.
  double Value(int i, int j) const;
  void SetValue(int i, int j, double v);

  tTextGrid Grid;  // the frequency grid's cell texts

  // Accepts the text of the edited grid cell (x, y).
  tCommitResult CommitCell(int x, int y, bool circularFocus);
  // Where Enter takes the cursor after a valid entry in grid cell (x, y): one
  // row down; from the last row to the first frequency row of the next column;
  // from the last cell to grid cell (2, 2).
  tGridPos NextCellAfterEnter(int x, int y) const;
  // The status scan after a selection or commit.
  void StatusScan();
  // Redraws the grid from the matrix, recomputing and storing the margins.
  void AsignaDatos();
  // Empties the matrix; every shown number becomes "0". Locks the grid, and
  // unlocks it again when circular focus is off.
  void Erase(bool circularFocus);
  void UnlockForEditing() { DataLocked = false; }

  void Asigna_DeTablaAReg(rTableSettings& settings) const;
  // Title, sampling code, reals flag and labels from the settings; the header
  // cells are rewritten.
  void Asigna_DeRegATabla(const rTableSettings& settings);

  // A percentage view of the table as the Percentages page shows it.
  tTextGrid PercentageGrid(tPercentView view) const;

  // Status panel 2 for the selected grid cell (x, y): "Row: ..., Col: ...
  // Observed frequency: ...".
  std::string SelectionStatusText(int x, int y) const;
  // Status panel 2 once the table settings dialog was closed with OK: the row
  // label, "1", ",   ", the column label, ": ", "1".
  std::string SettingsAppliedStatusText() const;
  // Status panel 2 of a new window.
  std::string CreationStatusText() const;
  // Status panel 0 after a scan: " Modified" or empty, replaced by "No Data"
  // while the grand total is not positive, and by "DATA ERROR!" (shown in
  // red) while PosError is set.
  std::string StatusPanel0Text() const;
  bool StatusPanel0IsError() const { return PosError.IsSet(); }
  // Status panel 1: " Real values allowed" or empty.
  std::string StatusPanel1Text() const;

 private:
  void WriteHeaderCells(bool padded);
  void RecomputeMargins();
  static std::string Number(double v, int w, int d);
  static std::string Frequency(double v, int w, int d);

  std::unique_ptr<tMatrizPrecision> data_;
};

// Closing a document's table settings dialog, by either button: a title that
// is not empty (after trimming) becomes CurrentTableSettings.Problema.
void TableSettingsClosed(const std::string& documentTitle);

// Decimal places of a value: 0 when integral, else the smallest i (1..12)
// with |x*10^i - int(x*10^i)| < 1e-12, and 12 when there is none.
int DecimalPlaces(double x);

}  // namespace kovalin
