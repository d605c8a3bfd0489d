// The desktop's results pages and simulation host, offscreen, printed as figures:
//  1. an analysis of 1,000 raw-data records (about 100,000 lines) appended to the
//     output page and shown;
//  2. the same interval run through the desktop host (yields with events) and
//     through the command line's host, and their ratio;
//  3. how soon a run ends after Stop.
// Run by hand from the release build: QT_QPA_PLATFORM=offscreen build/release/bench/kovalin_bench_results
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

#include "app/results/desktop_sim_host.h"
#include "app/results/output_grid_model.h"
#include "app/results/text_editor.h"
#include "cli/terminal_sim_host.h"
#include "engine/app_options.h"
#include "simulation/analysis_run.h"
#include "simulation/record_source.h"
#include "simulation/sim_launch.h"
#include "simulation/sim_running.h"

namespace {

using namespace kovalin;

// n rows of the eight cells of a raw-data table, varied so the reports differ.
class RawTable : public tRecordSource {
 public:
  explicit RawTable(int rows) : rows_(rows) {}
  int ColumnCount() const override { return 9; }
  int RowCount() const override { return rows_; }
  std::string ColumnName(int col) const override {
    return col == 1 ? "Id" : "X[" + std::to_string(col - 1) + "]";
  }
  double Value(int col, int row) const override {
    static const int base[8] = {30, 12, 4, 4, 6, 10, 2, 32};
    return col == 1 ? row : base[col - 2] + (row * (col + 3)) % 7;
  }

 private:
  int rows_;
};

class ParamTable : public tRecordSource {
 public:
  int ColumnCount() const override { return 9; }
  int RowCount() const override { return 2; }
  std::string ColumnName(int col) const override {
    static const char* names[] = {"Id", "PA", "PB", "NA", "NB", "P", "Opos", "Oneg", "n"};
    return names[col - 1];
  }
  double Value(int col, int row) const override {
    static const double rows[2][9] = {{1, 0.8014, 0.7040, 0.9018, 0.8548, 0.3, 1.0417, 1.0603, 200},
                                      {2, 0.6667, 0.6818, 0.9474, 0.9359, 0.2, 1.0, 4.4667, 500}};
    return rows[row - 1][col - 1];
  }
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void AnalysisFigure(bool fullOutput) {
  RawTable table(1000);
  AppOptions = DefaultAppOptions();
  AppOptions.fulloutput = fullOutput;
  std::vector<double> times;
  int lines = 0;
  for (int pass = 0; pass < 3; ++pass) {
    app::TTextEditor editor;
    editor.resize(900, 700);
    editor.show();
    QCoreApplication::processEvents();
    QElapsedTimer t;
    t.start();
    AnalyzeSelection(table, 1, 1000, editor.Document(), 1u);
    editor.Document().Flush();
    editor.Memo1()->repaint();
    QCoreApplication::processEvents();
    times.push_back(t.elapsed());
    lines = editor.Document().LineCount();
  }
  tMemoryDocument memory;
  QElapsedTimer t;
  t.start();
  AnalyzeSelection(table, 1, 1000, memory, 1u);
  const double engineOnly = t.elapsed();
  std::printf("analysis of 1000 records%s: %d lines appended and shown in %.0f ms "
              "(the engine alone into memory: %.0f ms)\n",
              fullOutput ? " with full output" : "", lines, Median(times), engineOnly);
}

double RunDesktop(const ParamTable& table, const tSimLaunchSettings& settings,
                  const std::string& file, long long* eventRuns) {
  app::TTextEditor output, log;
  app::tOutputGridModel grid;
  QProgressBar samples, records;
  app::tDesktopSimHost host(&output, &log, &grid, &samples, &records);
  SimRunning = true;
  QElapsedTimer t;
  t.start();
  SimulateKind(table, settings, tSimulationType::SimCI, file, host);
  host.Flush();
  const double ms = t.elapsed();
  if (eventRuns) *eventRuns = host.EventRuns();
  return ms;
}

double RunTerminal(const ParamTable& table, const tSimLaunchSettings& settings,
                   const std::string& file) {
  std::ostringstream err;
  cli::tTerminalSimHost host(err, false);
  SimRunning = true;
  QElapsedTimer t;
  t.start();
  SimulateKind(table, settings, tSimulationType::SimCI, file, host);
  return t.elapsed();
}

void OverheadFigure(const QString& dir) {
  ParamTable table;
  tSimLaunchSettings s;
  s.recordInit = 1;
  s.recordEnd = 2;
  s.numSamples = 200000;
  s.showGrid = true;
  s.seed = 7u;
  const std::string file = (dir + "/bench_IC.txt").toStdString();
  std::vector<double> desktop, terminal;
  long long eventRuns = 0;
  // Interleaved, and the fastest of each: other work on a shared machine only
  // ever adds time.
  for (int pass = 0; pass < 9; ++pass) {
    terminal.push_back(RunTerminal(table, s, file));
    desktop.push_back(RunDesktop(table, s, file, &eventRuns));
  }
  const double d = *std::min_element(desktop.begin(), desktop.end());
  const double c = *std::min_element(terminal.begin(), terminal.end());
  std::printf("interval run, 2 records x 200000 samples, 21 methods (fastest of 9): desktop %.0f "
              "ms, command line %.0f ms, overhead %+.1f%% (events ran %lld times for 400002 "
              "yields)\n",
              d, c, 100.0 * (d - c) / c, eventRuns);
}

void StopFigure(const QString& dir) {
  ParamTable table;
  tSimLaunchSettings s;
  s.recordInit = 1;
  s.recordEnd = 2;
  s.numSamples = 1000000;
  s.seed = 7u;
  const std::string file = (dir + "/bench_stop_IC.txt").toStdString();
  std::vector<double> latencies;
  for (int pass = 0; pass < 5; ++pass) {
    // The click is due at `due`; it is handled at the next yield that lets the
    // events run, and the run then writes the record's line and ends.
    const int due = 200 + 37 * pass;
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(due, Qt::PreciseTimer, [] { SimRunning = false; });  // a confirmed Stop
    RunDesktop(table, s, file, nullptr);
    latencies.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6 - due);
  }
  std::printf("Stop: the run ended %.1f ms after the click was due (median of 5; worst %.1f ms)\n",
              Median(latencies), *std::max_element(latencies.begin(), latencies.end()));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  AnalysisFigure(false);
  AnalysisFigure(true);
  AppOptions = DefaultAppOptions();
  OverheadFigure(dir.path());
  StopFigure(dir.path());
  return 0;
}
