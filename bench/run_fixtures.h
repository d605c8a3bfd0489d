#pragma once

#include <fstream>
#include <string>
#include <string_view>

#include "simulation/record_source.h"
#include "simulation/sim_host.h"

namespace kovalin::bench {

// `rows` populations of a VP/OR/P table, all with sample size n: ten parameter
// sets that repeat, so runs of different lengths meet the same populations.
class Populations : public tRecordSource {
 public:
  Populations(double n, int rows) : n_(n), rows_(rows) {}
  int ColumnCount() const override { return 9; }
  int RowCount() const override { return rows_; }
  std::string ColumnName(int col) const override {
    static const char* names[] = {"Id", "PA", "PB", "NA", "NB", "P", "Opos", "Oneg", "n"};
    return names[col - 1];
  }
  double Value(int col, int row) const override {
    static const double rows[10][7] = {
        {0.8, 0.7, 0.9, 0.85, 0.3, 4, 2},   {0.7, 0.7, 0.9, 0.9, 0.25, 2, 2},
        {0.75, 0.6, 0.85, 0.8, 0.4, 1, 1},  {0.9, 0.8, 0.95, 0.9, 0.2, 3, 3},
        {0.85, 0.8, 0.9, 0.85, 0.3, 2, 1},  {0.6, 0.55, 0.8, 0.75, 0.35, 5, 3},
        {0.95, 0.9, 0.97, 0.95, 0.15, 2, 4}, {0.7, 0.65, 0.88, 0.8, 0.3, 1.5, 2.5},
        {0.8, 0.8, 0.9, 0.9, 0.3, 3, 2},    {0.65, 0.5, 0.85, 0.75, 0.3, 2, 2}};
    if (col == 1) return row;
    if (col == 9) return n_;
    return rows[(row - 1) % 10][col - 2];
  }

 private:
  double n_;
  int rows_;
};

// A host that shows nothing, so a run measures the run alone.
class QuietHost : public tSimHost {
 public:
  void ProcessMessages(tRunControl&) override {}
  void SetRecordProgress(const tProgress&) override {}
  void SetSampleProgress(const tProgress&) override {}
  void ClearOutput() override {}
  void AppendOutput(std::string_view) override {}
  void ClearLog() override {}
  void AppendLog(std::string_view) override {}
  tOutputGrid* OutputGrid() override { return nullptr; }
};

// The machine's load averages over 1, 5 and 15 minutes, for the record of a run.
inline std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five, fifteen;
  in >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

}  // namespace kovalin::bench
