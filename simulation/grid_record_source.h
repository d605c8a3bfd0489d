#pragma once

#include <string>

#include "simulation/output_grid.h"
#include "simulation/record_source.h"

namespace kovalin {

class TDataTable;
class TNTabEd;

// A record store read as the analysis and the simulation read it: a cell that
// is empty or not a number gives -999, like a missing column.
class tGridRecordSource : public tRecordSource {
 public:
  explicit tGridRecordSource(const TDataTable& table) : table_(table) {}
  int ColumnCount() const override;
  int RowCount() const override;
  std::string ColumnName(int col) const override;
  double Value(int col, int row) const override;
  std::string TextInColumn(int col) const override;

 private:
  const TDataTable& table_;
};

// A numeric grid as the output grid of a simulation's results document.
class tNumericOutputGrid : public tOutputGrid {
 public:
  explicit tNumericOutputGrid(TNTabEd& grid) : grid_(grid) {}
  void Redimension(int cols, int rows) override;
  void SetColName(int col, const std::string& name) override;
  void SetDecPlaces(int col, int decimals) override;
  int GetNrOfColumns() const override;
  void SetElem(int col, int row, double value) override;

 private:
  TNTabEd& grid_;
};

}  // namespace kovalin
