#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "simulation/sim_host.h"
#include "simulation/text_file.h"

namespace kovalin::cli {

// The host of a simulation on the command line: the log goes to stderr and to
// the log file (line by line, as the output file grows), progress to stderr (a bar on a terminal, one line per finished
// record otherwise), and Ctrl-C stops the run at its next yield.
class tTerminalSimHost : public tSimHost {
 public:
  tTerminalSimHost(std::ostream& err, bool progressBar);

  // A new kind: its log file and its number of records.
  void BeginKind(const std::string& logFileName, long long records);
  // Ends the kind on the terminal: the progress bar is cleared.
  void EndKind() {
    ClearBar();
    logFile_.Close();
  }
  // Called at every yield before Ctrl-C is checked (tests raise it from here).
  void SetYieldHook(std::function<void()> hook) { yieldHook_ = std::move(hook); }
  // The first failure to write the log file, if any.
  const std::string& LogFileError() const { return logFileError_; }

  void ProcessMessages(tRunControl& run) override;
  void SetRecordProgress(const tProgress& progress) override;
  void SetSampleProgress(const tProgress& progress) override;
  void SetWorkProgress(const tWorkProgress& work) override;
  void ClearOutput() override;
  void AppendOutput(std::string_view line) override;
  void ClearLog() override;
  void AppendLog(std::string_view line) override;
  tOutputGrid* OutputGrid() override { return nullptr; }

 private:
  void DrawBar();
  void ClearBar();

  std::ostream& err_;
  bool progressBar_;
  bool barShown_ = false;
  std::function<void()> yieldHook_;
  std::string logFileName_;
  tAppendFile logFile_;
  std::string logFileError_;
  long long records_ = 0;
  long long linesWritten_ = -1;  // the header is not a record
  int recordPos_ = 0;
  int samplePos_ = 0;
  std::string timeText_;
};

}  // namespace kovalin::cli
