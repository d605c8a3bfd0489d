#include "app/results/desktop_sim_host.h"

#include <QCoreApplication>

#include "simulation/sim_running.h"

namespace kovalin::app {

tDesktopSimHost::tDesktopSimHost(TTextEditor* output, TTextEditor* log, tOutputGridModel* grid,
                                 QProgressBar* samples, QProgressBar* records)
    : output_(output), log_(log), grid_(grid), samples_(samples), records_(records) {}

void tDesktopSimHost::ProcessMessages(tRunControl& run) {
  if (!recordYield_ && sinceEvents_.isValid() && sinceEvents_.elapsed() < kYieldIntervalMs)
    return;
  recordYield_ = false;
  QCoreApplication::processEvents();
  ++eventRuns_;
  sinceEvents_.start();
  if (!SimRunning) run.Stop();
}

void tDesktopSimHost::SetRecordProgress(const tProgress& progress) {
  // The record's yield follows: let the events run there whatever the time.
  recordYield_ = true;
  if (!records_) return;
  records_->setValue(progress.Position());
  records_->setToolTip(QString::fromStdString(progress.Hint()));
}

void tDesktopSimHost::SetSampleProgress(const tProgress& progress) {
  if (!samples_) return;
  samples_->setValue(progress.Position());
  samples_->setToolTip(QString::fromStdString(progress.Hint()));
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
