#include "cli/terminal_sim_host.h"

#include <chrono>
#include <ostream>
#include <thread>

#include "cli/interrupt.h"
#include "simulation/sim_running.h"
#include "simulation/text_file.h"

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
  records_ = records;
  logText_.clear();
}

void tTerminalSimHost::ProcessMessages() {
  if (yieldHook_) yieldHook_();
  if (InterruptRequested()) SimRunning = false;
}

void tTerminalSimHost::SetRecordProgress(int position, const std::string&) {
  recordPos_ = position;
  if (progressBar_) DrawBar();
}

void tTerminalSimHost::SetSampleProgress(int position, const std::string&) {
  samplePos_ = position;
  if (progressBar_) DrawBar();
}

void tTerminalSimHost::ClearOutput() { linesWritten_ = -1; }

void tTerminalSimHost::AppendOutput(std::string_view) {
  ++linesWritten_;
  if (linesWritten_ > 0 && !progressBar_)
    err_ << "Record " << linesWritten_ << "/" << records_ << " done\n" << std::flush;
}

void tTerminalSimHost::ClearLog() { logText_.clear(); }

void tTerminalSimHost::AppendLog(std::string_view line) {
  ClearBar();
  err_ << line << "\n";
  logText_.append(line);
  logText_ += "\r\n";
  if (!logFileName_.empty()) {
    std::string error;
    if (!ReplaceFileText(logFileName_, logText_, error) && logFileError_.empty()) {
      logFileError_ = error;
      err_ << "simulate: " << error << "\n";
    }
  }
  if (progressBar_) DrawBar();
}

void tTerminalSimHost::Pause(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void tTerminalSimHost::DrawBar() {
  err_ << "\rrecords " << Bar(recordPos_, 20) << " " << recordPos_ << "%  samples "
       << Bar(samplePos_, 20) << " " << samplePos_ << "%  " << std::flush;
  barShown_ = true;
}

void tTerminalSimHost::ClearBar() {
  if (!barShown_) return;
  err_ << "\r\033[K";
  barShown_ = false;
}

}  // namespace kovalin::cli
