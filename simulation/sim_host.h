#pragma once

#include <string>
#include <string_view>

namespace kovalin {

class tOutputGrid;

// What a simulation run needs from the program that hosts it: the desktop's
// results document and launcher, the command line's terminal, or a test.
class tSimHost {
 public:
  virtual ~tSimHost() = default;

  // Lets pending events run; the Stop button (or a Ctrl-C check) clears
  // SimRunning here. Called once per record and once per sample.
  virtual void ProcessMessages() = 0;

  // Progress of the records and of the samples of the current record: a
  // position 0..100 and its hint ("37%"). Reported when the position changes.
  virtual void SetRecordProgress(int position, const std::string& hint) = 0;
  virtual void SetSampleProgress(int position, const std::string& hint) = 0;

  // The output text page and the log page of the run's results document.
  virtual void ClearOutput() = 0;
  virtual void AppendOutput(std::string_view line) = 0;
  virtual void ClearLog() = 0;
  virtual void AppendLog(std::string_view line) = 0;

  // The grid page, or none when the host has no grid.
  virtual tOutputGrid* OutputGrid() = 0;

  // Blocks for the given time before the user is logged off.
  virtual void Pause(int milliseconds) = 0;
  // Logs the user off the system (the desktop's end-of-run action).
  virtual void LogOff() = 0;
};

}  // namespace kovalin
