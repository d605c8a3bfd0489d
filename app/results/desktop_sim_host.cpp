#include "app/results/desktop_sim_host.h"

#include <QCoreApplication>

namespace kovalin::app {

tDesktopSimHost::tDesktopSimHost(TTextEditor* output, TTextEditor* log, tOutputGridModel* grid,
                                 QProgressBar* samples, QProgressBar* records)
    : output_(output), log_(log), grid_(grid), samples_(samples), records_(records) {}

void tDesktopSimHost::ProcessMessages() {
  if (!recordYield_ && sinceEvents_.isValid() && sinceEvents_.elapsed() < kYieldIntervalMs)
    return;
  recordYield_ = false;
  QCoreApplication::processEvents();
  ++eventRuns_;
  sinceEvents_.start();
}

void tDesktopSimHost::SetRecordProgress(int position, const std::string& hint) {
  // The record's yield follows: let the events run there whatever the time.
  recordYield_ = true;
  if (!records_) return;
  records_->setValue(position);
  records_->setToolTip(QString::fromStdString(hint));
}

void tDesktopSimHost::SetSampleProgress(int position, const std::string& hint) {
  if (!samples_) return;
  samples_->setValue(position);
  samples_->setToolTip(QString::fromStdString(hint));
}

void tDesktopSimHost::ClearOutput() {
  if (output_) output_->Document().Clear();
}

void tDesktopSimHost::AppendOutput(std::string_view line) {
  if (output_) output_->Document().AppendLine(line);
}

void tDesktopSimHost::ClearLog() {
  if (log_) log_->Document().Clear();
}

void tDesktopSimHost::AppendLog(std::string_view line) {
  if (log_) log_->Document().AppendLine(line);
}

void tDesktopSimHost::Flush() {
  if (output_) output_->Document().Flush();
  if (log_) log_->Document().Flush();
}

}  // namespace kovalin::app
