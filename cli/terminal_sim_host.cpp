#include "cli/terminal_sim_host.h"

#include <ostream>

#include "cli/interrupt.h"

namespace kovalin::cli {

namespace {

std::string Bar(int position, int width) {
  const int filled = position * width / 100;
  return std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(width - filled), '.');
}

}  // namespace

tTerminalSimHost::tTerminalSimHost(std::ostream& err, bool progressBar)
    : err_(err), progressBar_(progressBar) {}

void tTerminalSimHost::BeginKind(const std::string& logFileName, long long records) {
  logFileName_ = logFileName;
  timeText_.clear();
  records_ = records;
  logFile_.Close();
}

void tTerminalSimHost::ProcessMessages(tRunControl& run) {
  if (yieldHook_) yieldHook_();
  if (InterruptRequested()) run.Stop();
}

void tTerminalSimHost::SetRecordProgress(const tProgress& progress) {
  recordPos_ = progress.Position();
  if (progressBar_) DrawBar();
}

void tTerminalSimHost::SetSampleProgress(const tProgress& progress) {
  samplePos_ = progress.Position();
  if (progressBar_) DrawBar();
}

void tTerminalSimHost::SetWorkProgress(const tWorkProgress& work) {
  std::string text = work.Text();
  if (text == timeText_) return;
  timeText_ = std::move(text);
  if (progressBar_) DrawBar();
}

void tTerminalSimHost::ClearOutput() { linesWritten_ = -1; }

void tTerminalSimHost::AppendOutput(std::string_view) {
  ++linesWritten_;
  if (linesWritten_ > 0 && !progressBar_)
    // A record cut short by a stop gets its line too: say written, not done.
    err_ << "Record " << linesWritten_ << "/" << records_ << " written\n" << std::flush;
}

// The log file of the kind starts empty with its first line.
void tTerminalSimHost::ClearLog() { logFile_.Close(); }

void tTerminalSimHost::AppendLog(std::string_view line) {
  ClearBar();
  err_ << line << "\n";
  if (!logFileName_.empty()) {
    std::string error;
    bool ok = logFile_.IsOpen() ||
              logFile_.Create(logFileName_, error) == tAppendFile::tOpen::opened;
    ok = ok && logFile_.AppendLine(line, error);
    if (!ok && logFileError_.empty()) {
      logFileError_ = error;
      err_ << "simulate: " << error << "\n";
    }
  }
  if (progressBar_) DrawBar();
}

void tTerminalSimHost::DrawBar() {
  err_ << "\rrecords " << Bar(recordPos_, 20) << " " << recordPos_ << "%  samples "
       << Bar(samplePos_, 20) << " " << samplePos_ << "%  " << timeText_ << "\033[K"
       << std::flush;
  barShown_ = true;
}

void tTerminalSimHost::ClearBar() {
  if (!barShown_) return;
  err_ << "\r\033[K";
  barShown_ = false;
}

}  // namespace kovalin::cli
