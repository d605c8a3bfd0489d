#include "simulation/grid_record_source.h"

#include "engine/missing.h"
#include "tables/data_table.h"
#include "tables/numeric_grid.h"

namespace kovalin {

int tGridRecordSource::ColumnCount() const { return table_.NrOfColumns(); }

int tGridRecordSource::RowCount() const { return table_.NrOfRows(); }

std::string tGridRecordSource::ColumnName(int col) const { return table_.GetColName(col); }

double tGridRecordSource::Value(int col, int row) const {
  if (col < 1 || col > table_.NrOfColumns() || row < 1 || row > table_.NrOfRows()) return kMissing;
  if (!table_.IsNumber(col, row)) return kMissing;
  return table_.GetElem(col, row);
}

std::string tGridRecordSource::TextInColumn(int col) const {
  if (col < 1 || col > table_.NrOfColumns()) return {};
  const TMScaleType scale = table_.GetScaleType(col);
  if (scale != stNominal && scale != stOrdinal) return {};
  if (table_.NominalLabelCount(col) < 1) return {};
  return table_.NominalLabel(col, 1);
}

void tNumericOutputGrid::Redimension(int cols, int rows) { grid_.Redimension(cols, rows); }

void tNumericOutputGrid::SetColName(int col, const std::string& name) {
  grid_.SetColName(col, name);
}

void tNumericOutputGrid::SetDecPlaces(int col, int decimals) { grid_.SetDecPlaces(col, decimals); }

int tNumericOutputGrid::GetNrOfColumns() const { return grid_.GetNrOfColumns(); }

void tNumericOutputGrid::SetElem(int col, int row, double value) {
  grid_.SetElem(col, row, value);
}

}  // namespace kovalin
