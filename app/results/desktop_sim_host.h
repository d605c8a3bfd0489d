#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>

#include "app/results/output_grid_model.h"
#include "app/results/sim_plot_view.h"
#include "app/results/text_editor.h"
#include "simulation/sim_host.h"

namespace kovalin::app {

// The host of a simulation run in the desktop: the launcher's two progress
// bars, the results document's output, log and grid pages, and the yields.
// The run yields once per record and once per sample; the events run at every
// record and otherwise at most every YieldIntervalMs, so the yields cost little
// and Stop still answers at once: a Stop (SimRunning cleared by the launcher)
// reaches the run at the yield that saw it.
class tDesktopSimHost : public tSimHost {
 public:
  static constexpr int kYieldIntervalMs = 20;

  tDesktopSimHost(TTextEditor* output, TTextEditor* log, tOutputGridModel* grid,
                  QProgressBar* samples, QProgressBar* records, tSimPlotView* plot = nullptr);

  void ProcessMessages(tRunControl& run) override;
  void SetRecordProgress(const tProgress& progress) override;
  void SetSampleProgress(const tProgress& progress) override;
  void SetWorkProgress(const tWorkProgress& work) override;
  // Where the elapsed time and the time left show.
  void SetTimeLabel(QLabel* label) { time_ = label; }
  void ClearOutput() override;
  void AppendOutput(std::string_view line) override;
  void ClearLog() override;
  void AppendLog(std::string_view line) override;
  tOutputGrid* OutputGrid() override { return grid_.data(); }

  // How many times the events ran, for the measurements.
  long long EventRuns() const { return eventRuns_; }
  // Shows what is still gathered in the pages.
  void Flush();

 private:
  QPointer<TTextEditor> output_;
  QPointer<TTextEditor> log_;
  QPointer<tOutputGridModel> grid_;
  QPointer<QProgressBar> samples_;
  QPointer<QProgressBar> records_;
  QPointer<tSimPlotView> plot_;
  QPointer<QLabel> time_;
  // One clock for both: when the events last ran, and when the clock was last
  // read. The clock is read every `stride_` yields, about once a millisecond.
  QElapsedTimer clock_;
  qint64 lastEventsNs_ = 0;
  qint64 lastCheckNs_ = 0;
  int stride_ = 1;
  int countdown_ = 1;
  bool recordYield_ = true;
  long long eventRuns_ = 0;
};

}  // namespace kovalin::app
