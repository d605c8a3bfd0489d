#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "simulation/output_grid.h"
#include "simulation/sim_host.h"

namespace kovalin::testing_support {

class FakeGrid : public tOutputGrid {
 public:
  void Redimension(int cols, int rows) override {
    cols_ = cols;
    rows_ = rows;
  }
  void SetColName(int col, const std::string& name) override { names[col] = name; }
  void SetDecPlaces(int col, int decimals) override { decimals_[col] = decimals; }
  int GetNrOfColumns() const override { return cols_; }
  void SetElem(int col, int row, double value) override { cells[{col, row}] = value; }
  int Decimals(int col) const { return decimals_.at(col); }
  int Rows() const { return rows_; }
  std::map<int, std::string> names;
  std::map<std::pair<int, int>, double> cells;

 private:
  int cols_ = 0;
  int rows_ = 0;
  std::map<int, int> decimals_;
};

// Records everything a run tells its host. stopAtYield stops the run at that
// yield, as a confirmed Stop button would.
class FakeHost : public tSimHost {
 public:
  void ProcessMessages(tRunControl& run) override {
    ++yields;
    if (yields == stopAtYield) run.Stop();
  }
  void SetRecordProgress(const tProgress& progress) override {
    recordProgress.push_back(progress.Position());
    recordHints.push_back(progress.Hint());
  }
  void SetSampleProgress(const tProgress& progress) override {
    sampleProgress.push_back(progress.Position());
  }
  void ClearOutput() override { output.clear(); }
  void AppendOutput(std::string_view line) override { output.emplace_back(line); }
  void ClearLog() override { log.clear(); }
  void AppendLog(std::string_view line) override { log.emplace_back(line); }
  tOutputGrid* OutputGrid() override { return withGrid ? &grid : nullptr; }

  long long yields = 0;
  long long stopAtYield = -1;
  std::vector<int> recordProgress;
  std::vector<std::string> recordHints;
  std::vector<int> sampleProgress;
  std::vector<std::string> output;
  std::vector<std::string> log;
  bool withGrid = false;
  FakeGrid grid;
};

}  // namespace kovalin::testing_support
