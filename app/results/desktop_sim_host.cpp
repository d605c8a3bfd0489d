#include "app/results/desktop_sim_host.h"

#include <QCoreApplication>
#include <algorithm>

#include "simulation/sim_running.h"

namespace kovalin::app {

tDesktopSimHost::tDesktopSimHost(TTextEditor* output, TTextEditor* log, tOutputGridModel* grid,
                                 QProgressBar* samples, QProgressBar* records,
                                 tSimPlotView* plot)
    : output_(output),
      log_(log),
      grid_(grid),
      samples_(samples),
      records_(records),
      plot_(plot) {
  clock_.start();
}

void tDesktopSimHost::ProcessMessages(tRunControl& run) {
  if (!recordYield_) {
    // Samples of small tables take a microsecond: even reading the clock at each
    // would cost a few percent, so it is read about once a millisecond.
    if (--countdown_ > 0) return;
    const qint64 now = clock_.nsecsElapsed();
    const qint64 sinceCheck = now - lastCheckNs_;
    if (sinceCheck < 500'000)
      stride_ = std::min(stride_ * 2, 1024);
    else if (sinceCheck > 2'000'000)
      stride_ = std::max(stride_ / 2, 1);
    countdown_ = stride_;
    lastCheckNs_ = now;
    if (now - lastEventsNs_ < kYieldIntervalMs * 1'000'000LL) return;
  }
  recordYield_ = false;
  QCoreApplication::processEvents();
  ++eventRuns_;
  lastEventsNs_ = lastCheckNs_ = clock_.nsecsElapsed();
  if (!SimRunning) run.Stop();
}

void tDesktopSimHost::SetRecordProgress(const tProgress& progress) {
  // The record's yield follows: let the events run there whatever the time. A
  // new record may draw larger samples, so the clock is read at each again.
  recordYield_ = true;
  stride_ = countdown_ = 1;
  if (!records_) return;
  records_->setValue(progress.Position());
  records_->setToolTip(QString::fromStdString(progress.Hint()));
}

void tDesktopSimHost::SetSampleProgress(const tProgress& progress) {
  if (!samples_) return;
  samples_->setValue(progress.Position());
  samples_->setToolTip(QString::fromStdString(progress.Hint()));
}

void tDesktopSimHost::SetWorkProgress(const tWorkProgress& work) {
  if (!time_) return;
  // The text changes once a second at most; setting it only then keeps the
  // label from repainting at every report.
  const QString text = QString::fromStdString(work.Text());
  if (time_->text() != text) time_->setText(text);
}

void tDesktopSimHost::ClearOutput() {
  if (output_) output_->Document().Clear();
}

void tDesktopSimHost::AppendOutput(std::string_view line) {
  if (output_) output_->Document().AppendLine(line);
  if (plot_) plot_->AddLine(line);
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
