// The desktop's simulation at several workers, offscreen, printed as figures:
//  1. a 40-row interval run (21 methods, seeded) through the desktop host at 1
//     and at 2 workers: wall clock and their ratio (target: 2 workers at least
//     1.8 times as fast on 2 cores);
//  2. the window's event latency during the run at 2 workers: another thread
//     posts an event to the window's thread every 5 ms and the delay until it
//     is handled is taken (target: under 50 ms).
// Run by hand from the release build:
//   QT_QPA_PLATFORM=offscreen build/release/bench/kovalin_bench_desktop_workers [SAMPLES]
#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

#include "app/results/desktop_sim_host.h"
#include "app/results/output_grid_model.h"
#include "app/results/text_editor.h"
#include "engine/app_options.h"
#include "simulation/sim_launch.h"
#include "simulation/sim_running.h"

namespace {

using namespace kovalin;

// 40 populations with n from 100 to 490, as a study over n would have them.
class FortyRows : public tRecordSource {
 public:
  int ColumnCount() const override { return 9; }
  int RowCount() const override { return 40; }
  std::string ColumnName(int col) const override {
    static const char* names[] = {"Id", "PA", "PB", "NA", "NB", "P", "Opos", "Oneg", "n"};
    return names[col - 1];
  }
  double Value(int col, int row) const override {
    static const double base[9] = {0, 0.8014, 0.7040, 0.9018, 0.8548, 0.3, 1.0417, 1.0603, 0};
    if (col == 1) return row;
    if (col == 9) return 90 + 10 * row;
    return base[col - 1];
  }
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// One run through the desktop host; its wall clock in seconds.
double RunOnce(int workers, int samples, const QString& folder, int pass,
               std::vector<double>* latencies) {
  FortyRows table;
  app::TTextEditor output, log;
  app::tOutputGridModel grid;
  QProgressBar bar1, bar2;
  app::tDesktopSimHost host(&output, &log, &grid, &bar1, &bar2);
  tSimLaunchSettings settings;
  settings.recordInit = 1;
  settings.recordEnd = 40;
  settings.numSamples = samples;
  settings.showGrid = true;
  settings.seed = 20261209u;
  settings.jobs = workers;
  const std::string file =
      folder.toStdString() + "/w" + std::to_string(workers) + "_" + std::to_string(pass) + ".txt";

  std::atomic<bool> done{false};
  std::mutex mutex;
  std::thread prober;
  if (latencies) {
    // Events posted to the window's thread, as input would arrive.
    prober = std::thread([&] {
      while (!done.load()) {
        const auto posted = std::chrono::steady_clock::now();
        QMetaObject::invokeMethod(
            qApp,
            [posted, latencies, &mutex] {
              const double ms = std::chrono::duration<double, std::milli>(
                                    std::chrono::steady_clock::now() - posted)
                                    .count();
              const std::lock_guard lock(mutex);
              latencies->push_back(ms);
            },
            Qt::QueuedConnection);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    });
  }
  SimRunning = true;
  QElapsedTimer clock;
  clock.start();
  const tRunResult r = SimulateKind(table, settings, tSimulationType::SimCI, file, host);
  const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  done.store(true);
  if (prober.joinable()) prober.join();
  QCoreApplication::processEvents();
  SimRunning = false;
  if (r.outcome != tRunOutcome::complete) std::printf("run did not complete\n");
  return seconds;
}

std::string FileText(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
  AppOptions = DefaultAppOptions();
  QTemporaryDir dir;
  std::vector<double> one, two, latencies;
  for (int pass = 0; pass < 3; ++pass) {
    one.push_back(RunOnce(1, samples, dir.path(), pass, nullptr));
    two.push_back(RunOnce(2, samples, dir.path(), pass, pass == 0 ? &latencies : nullptr));
  }
  const bool same = FileText(dir.filePath("w1_0.txt").toStdString()) ==
                    FileText(dir.filePath("w2_0.txt").toStdString());
  const double m1 = Median(one), m2 = Median(two);
  std::printf("40 rows x %d samples, 21 methods, desktop host, seeded (median of 3):\n", samples);
  std::printf("  1 worker  %.3f s\n  2 workers %.3f s\n  speed-up  %.2fx (files %s)\n", m1, m2,
              m1 / m2, same ? "byte for byte equal" : "DIFFER");
  if (!latencies.empty()) {
    std::sort(latencies.begin(), latencies.end());
    const auto at = [&](double q) {
      return latencies[std::min(latencies.size() - 1,
                                static_cast<std::size_t>(q * static_cast<double>(latencies.size())))];
    };
    std::printf("event latency during the 2-worker run (%zu events): median %.1f ms, "
                "99th percentile %.1f ms, max %.1f ms\n",
                latencies.size(), at(0.5), at(0.99), latencies.back());
  }
  return 0;
}
