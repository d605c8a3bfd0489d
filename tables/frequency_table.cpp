#include "tables/frequency_table.h"

#include <algorithm>
#include <cmath>

#include "tables/text_utils.h"

namespace kovalin {

namespace {

constexpr int kCellWidth = 10;

// Right-aligned in 10 characters: padded on the left and cut to the last 10.
// Counted in characters, so that a label with accented letters is never cut
// inside a letter.
std::string RightIn10(const std::string& s) {
  const int length = Utf8Length(s);
  if (length <= kCellWidth) return PadNumber(s, kCellWidth);
  return s.substr(Utf8Prefix(s, length - kCellWidth).size());
}

bool IsIntegral(double v) { return v == std::trunc(v); }

}  // namespace

// A frequency or total with at least d decimals and as many more as it needs:
// 19.5 is never shown as "20", nor 0.5 as "0".
std::string tFrequencyTable::Frequency(double v, int w, int d) {
  return Number(v, w, std::isfinite(v) && !IsIntegral(v) ? std::max(d, DecimalPlaces(v)) : d);
}

void TableSettingsClosed(const std::string& documentTitle) {
  const std::string_view title = TrimBlanks(documentTitle);
  if (!title.empty()) CurrentTableSettings.Problema = std::string(title);
}

int DecimalPlaces(double x) {
  if (x == std::trunc(x)) return 0;
  double scale = 1;
  for (int i = 1; i <= 12; ++i) {
    scale *= 10;
    const double y = x * scale;
    if (std::fabs(y - std::trunc(y)) < 1e-12) return i;
  }
  return 12;
}

tFrequencyTable::tFrequencyTable() : data_(std::make_unique<tMatrizPrecision>()) {
  data_->Init(0, 0);
  data_->ExpandirBuffer();
  Grid.SetSize(2, 2);
}

std::string tFrequencyTable::Number(double v, int w, int d) { return PadNumber(FixedText(v, d), w); }

double tFrequencyTable::Value(int i, int j) const {
  if (i < 0 || j < 0 || i > TablaDimR || j > TablaDimC) return 0;
  return data_->BfGetVal(i, j);
}

void tFrequencyTable::SetValue(int i, int j, double v) {
  if (i < 0 || j < 0 || i > TablaDimR || j > TablaDimC) return;
  data_->BfSetVal(i, j, v);
}

void tFrequencyTable::WriteHeaderCells(bool padded) {
  for (int j = 1; j <= TablaDimC; ++j) {
    const std::string label = lblC + "(" + std::to_string(j) + ")";
    Grid.SetCell(j + 1, 0, padded ? RightIn10(label) : "      " + label);
  }
  for (int i = 1; i <= TablaDimR; ++i) {
    const std::string label = lblR + "(" + std::to_string(i) + ")";
    Grid.SetCell(0, i + 1, padded ? RightIn10(label) : "      " + label);
  }
  Grid.SetCell(0, 1, "   Sum");
  Grid.SetCell(1, 0, "   Sum");
}

void tFrequencyTable::BuildFromSettings(const rTableSettings& settings) {
  TablaDimR = settings.WinReg.DimR < 0 ? 0 : settings.WinReg.DimR;
  TablaDimC = settings.WinReg.DimC < 0 ? 0 : settings.WinReg.DimC;
  lblR = settings.WinReg.LblR;
  lblC = settings.WinReg.LblC;
  Sampling = settings.WinReg.Sampling;
  flgAllowReals = settings.WinReg.AllowReals;
  flgDataIsReal = false;
  flgHayDatos = false;
  modified = false;
  PosError = {};
  Show_w = 10;
  Show_d = 0;
  Alias = settings.Problema;
  if (TablaDimR == TablaDimC) {
    auto square = std::make_unique<tMatrizPCuadrada>();
    square->Init(TablaDimR, TablaDimC);
    data_ = std::move(square);
  } else {
    data_ = std::make_unique<tMatrizPrecision>();
    data_->Init(TablaDimR, TablaDimC);
  }
  data_->ExpandirBuffer();
  Grid.SetSize(TablaDimC + 2, TablaDimR + 2);
  WriteHeaderCells(true);
  for (int r = 1; r <= TablaDimR + 1; ++r) {
    for (int c = 1; c <= TablaDimC + 1; ++c) Grid.SetCell(c, r, RightIn10("0"));
  }
}

void tFrequencyTable::RecomputeMargins() {
  double grand = 0;
  for (int i = 1; i <= TablaDimR; ++i) {
    double row = 0;
    for (int j = 1; j <= TablaDimC; ++j) row += Value(i, j);
    SetValue(i, 0, row);
    grand += row;
  }
  for (int j = 1; j <= TablaDimC; ++j) {
    double col = 0;
    for (int i = 1; i <= TablaDimR; ++i) col += Value(i, j);
    SetValue(0, j, col);
  }
  SetValue(0, 0, grand);
}

void tFrequencyTable::AsignaDatos() {
  Grid.SetSize(TablaDimC + 2, TablaDimR + 2);
  WriteHeaderCells(false);
  RecomputeMargins();
  for (int i = 0; i <= TablaDimR; ++i) {
    for (int j = 0; j <= TablaDimC; ++j) {
      const double v = Value(i, j);
      Grid.SetCell(j + 1, i + 1, Frequency(v, kCellWidth, IsIntegral(v) ? 0 : 3));
    }
  }
}

tCommitResult tFrequencyTable::CommitCell(int x, int y, bool circularFocus) {
  tCommitResult result;
  PosError = {};
  const int r = y - 1;
  const int c = x - 1;
  if (r < 1 || r > TablaDimR || c < 1 || c > TablaDimC) return result;  // not a frequency cell
  const std::string_view text = TrimBlanks(Grid.Cell(x, y));
  double value = 0;
  const bool valid = text.empty() || (ParseStrictDecimal(text, value) && value >= 0);
  if (!valid) {
    PosError = {x, y};
    result.message = kMsgNotNonNegative;
    AsignaDatos();
    return result;
  }
  const bool fractional = std::trunc(value) < value;
  if (!flgAllowReals && fractional) {
    result.message = kMsgOnlyIntegers;
    value = std::trunc(value);
  }
  if (flgAllowReals && !flgDataIsReal && fractional) {
    flgDataIsReal = true;
    Show_d = 3;
    for (int gy = 1; gy <= y; ++gy) {
      for (int gx = 1; gx <= x; ++gx) Grid.SetCell(gx, gy, Frequency(Value(gy - 1, gx - 1), Show_w, 3));
    }
  }
  SetValue(r, c, value);
  double rowTotal = 0;
  for (int j = 1; j <= TablaDimC; ++j) rowTotal += Value(r, j);
  SetValue(r, 0, rowTotal);
  double colTotal = 0;
  for (int i = 1; i <= TablaDimR; ++i) colTotal += Value(i, c);
  SetValue(0, c, colTotal);
  double grand = 0;
  for (int i = 1; i <= TablaDimR; ++i) grand += Value(i, 0);
  SetValue(0, 0, grand);

  Grid.SetCell(x, y, Frequency(value, Show_w, Show_d));
  Grid.SetCell(x, 1, Frequency(colTotal, Show_w, Show_d));
  Grid.SetCell(1, y, Frequency(rowTotal, Show_w, Show_d));
  Grid.SetCell(1, 1, Frequency(grand, Show_w, Show_d));
  result.accepted = true;
  result.unlockGrid = x == TablaDimC + 1 && y == TablaDimR + 1 && !circularFocus;
  if (result.unlockGrid) UnlockForEditing();
  return result;
}

tGridPos tFrequencyTable::NextCellAfterEnter(int x, int y) const {
  if (y < TablaDimR + 1) return {x, y + 1};
  if (x < TablaDimC + 1) return {x + 1, 2};
  return {2, 2};
}

void tFrequencyTable::StatusScan() {
  for (int y = 2; y <= TablaDimR + 1; ++y) {
    for (int x = 2; x <= TablaDimC + 1; ++x) {
      double v = 0;
      if (!ParseStrictDecimal(Grid.Cell(x, y), v)) {
        PosError = {x, y};
        flgHayDatos = Value(0, 0) > 0;
        return;
      }
    }
  }
  flgHayDatos = Value(0, 0) > 0;
}

void tFrequencyTable::Erase(bool circularFocus) {
  data_->Zap();
  data_->AnulaBuffer();
  for (int i = 0; i <= TablaDimR; ++i) {
    for (int j = 0; j <= TablaDimC; ++j) Grid.SetCell(j + 1, i + 1, RightIn10("0"));
  }
  DataLocked = true;
  if (!circularFocus) UnlockForEditing();
}

void tFrequencyTable::Asigna_DeTablaAReg(rTableSettings& settings) const {
  settings.Problema = Alias;
  settings.WinReg.LblR = Utf8Prefix(lblR, 5);
  settings.WinReg.LblC = Utf8Prefix(lblC, 5);
  settings.WinReg.DimR = TablaDimR;
  settings.WinReg.DimC = TablaDimC;
  settings.WinReg.SquareTable = TablaDimR == TablaDimC;
  settings.WinReg.Sampling = Sampling;
  settings.WinReg.AllowReals = flgAllowReals;
  settings.WinReg.SaveSettings = false;
  settings.WinReg.Bloqueado = true;
}

void tFrequencyTable::Asigna_DeRegATabla(const rTableSettings& settings) {
  Alias = settings.Problema;
  Sampling = settings.WinReg.Sampling;
  flgAllowReals = settings.WinReg.AllowReals;
  lblR = settings.WinReg.LblR;
  lblC = settings.WinReg.LblC;
  WriteHeaderCells(true);
}

tTextGrid tFrequencyTable::PercentageGrid(tPercentView view) const {
  tTextGrid grid;
  grid.SetSize(Grid.ColCount(), Grid.RowCount());
  for (int c = 0; c < grid.ColCount(); ++c) grid.SetCell(c, 0, Grid.Cell(c, 0));
  for (int r = 0; r < grid.RowCount(); ++r) grid.SetCell(0, r, Grid.Cell(0, r));
  for (int r = 1; r < grid.RowCount(); ++r) {
    for (int c = 1; c < grid.ColCount(); ++c) grid.SetCell(c, r, RightIn10("0.00"));
  }
  grid.SetCell(1, 0, "     Total");
  grid.SetCell(0, 1, "     Total");
  auto put = [&](int i, int j, double base) {
    grid.SetCell(j + 1, i + 1, Number(100.0 * Value(i, j) / base, kCellWidth, 2));
  };
  switch (view) {
    case tPercentView::ByRows:
      for (int i = 0; i <= TablaDimR; ++i) {
        const double total = Value(i, 0);
        if (total == 0) continue;
        for (int j = 0; j <= TablaDimC; ++j) put(i, j, total);
      }
      break;
    case tPercentView::ByColumns:
      for (int j = 0; j <= TablaDimC; ++j) {
        const double total = Value(0, j);
        if (total == 0) continue;
        for (int i = 0; i <= TablaDimR; ++i) put(i, j, total);
      }
      break;
    case tPercentView::Totals: {
      const double grand = Value(0, 0);
      if (grand == 0) break;
      for (int i = 0; i <= TablaDimR; ++i) {
        for (int j = 0; j <= TablaDimC; ++j) put(i, j, grand);
      }
      break;
    }
  }
  return grid;
}

std::string tFrequencyTable::SelectionStatusText(int x, int y) const {
  const double v = (x >= 1 && y >= 1) ? Value(y - 1, x - 1) : 0;
  return "Row: " + PadNumber(std::to_string(y - 1), 2) + ",   Col: " + PadNumber(std::to_string(x - 1), 2) +
         "   Observed frequency: " + Number(v, kCellWidth, DecimalPlaces(v));
}

std::string tFrequencyTable::StatusPanel0Text() const {
  std::string text = modified ? " Modified" : "";
  if (!(Value(0, 0) > 0)) text = "No Data";
  if (PosError.IsSet()) text = "DATA ERROR!";
  return text;
}

std::string tFrequencyTable::StatusPanel1Text() const { return flgAllowReals ? " Real values allowed" : ""; }

std::string tFrequencyTable::SettingsAppliedStatusText() const { return lblR + "1,   " + lblC + ": 1"; }

std::string tFrequencyTable::CreationStatusText() const {
  return "Row:  1,   Col:  1   Observed frequency:   " + Grid.Cell(2, 2);
}

}  // namespace kovalin
