#pragma once

#include <string>
#include <string_view>

#include "simulation/run_clock.h"

namespace kovalin {

class tOutputGrid;

// The stop flag of one run, or of one launched sequence of runs: a Stop reaches
// the run it was meant for and no other.
class tRunControl {
 public:
  bool Running() const { return running_; }
  void Stop() { running_ = false; }
  // "Stop simulation?" answered No: the run goes on as if nothing happened.
  void Resume() { running_ = true; }

 private:
  bool running_ = true;
};

// How far a run has come: done of total (records, or samples of the record).
struct tProgress {
  long long done = 0;
  long long total = 0;
  double Fraction() const {
    return total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 0.0;
  }
  // The indicator's position 0..100: trunc(100 * done / total), in integers so
  // that 29 of 100 shows 29.
  int Position() const { return total > 0 ? static_cast<int>(100 * done / total) : 0; }
  // Its hint: the position and "%".
  std::string Hint() const { return std::to_string(Position()) + "%"; }
};

// What a simulation run needs from the program that hosts it: the desktop's
// results document and launcher, the command line's terminal, or a test.
class tSimHost {
 public:
  virtual ~tSimHost() = default;

  // Lets pending events run; a Stop of this run (the launcher's button, Ctrl-C)
  // clears run's flag here. Called once per record and once per sample.
  virtual void ProcessMessages(tRunControl& run) = 0;

  // Progress of the records and of the samples of the current record. Reported
  // when the indicator's position changes.
  virtual void SetRecordProgress(const tProgress& progress) = 0;
  virtual void SetSampleProgress(const tProgress& progress) = 0;
  // The samples drawn of the whole run and the time so far (for the time left);
  // reported with the indicators.
  virtual void SetWorkProgress(const tWorkProgress&) {}

  // The output text page and the log page of the run's results document.
  virtual void ClearOutput() = 0;
  virtual void AppendOutput(std::string_view line) = 0;
  virtual void ClearLog() = 0;
  virtual void AppendLog(std::string_view line) = 0;

  // The grid page, or none when the host has no grid.
  virtual tOutputGrid* OutputGrid() = 0;
};

}  // namespace kovalin
