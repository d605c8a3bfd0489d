#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/missing.h"
#include "simulation/record_source.h"

namespace kovalin::testing_support {

// A record table held in memory: column names and rows of values.
class FakeTable : public tRecordSource {
 public:
  FakeTable(std::vector<std::string> names, std::vector<std::vector<double>> rows)
      : names_(std::move(names)), rows_(std::move(rows)) {}
  int ColumnCount() const override { return static_cast<int>(names_.size()); }
  int RowCount() const override { return static_cast<int>(rows_.size()); }
  std::string ColumnName(int col) const override {
    if (col < 1 || col > ColumnCount()) return "";
    return names_[static_cast<std::size_t>(col) - 1];
  }
  double Value(int col, int row) const override {
    if (col < 1 || col > ColumnCount() || row < 1 || row > RowCount()) return kMissing;
    const auto& r = rows_[static_cast<std::size_t>(row) - 1];
    if (static_cast<std::size_t>(col) > r.size()) return kMissing;
    return r[static_cast<std::size_t>(col) - 1];
  }

 private:
  std::vector<std::string> names_;
  std::vector<std::vector<double>> rows_;
};

// A VP/OR/P parameter table with the given rows of PA, PB, NA, NB, P, Opos, Oneg, n.
inline FakeTable ParameterTable(const std::vector<std::vector<double>>& params) {
  std::vector<std::vector<double>> rows;
  for (std::size_t i = 0; i < params.size(); ++i) {
    std::vector<double> row = {static_cast<double>(i + 1)};
    row.insert(row.end(), params[i].begin(), params[i].end());
    rows.push_back(row);
  }
  return FakeTable({"Id", "PA", "PB", "NA", "NB", "P", "Opos", "Oneg", "n"}, rows);
}

}  // namespace kovalin::testing_support
