// An interval run with every method on one worker and on several: the same
// 20 populations, the same seed, the same file. Wall-clock time, since the
// workers run beside this thread; the machine's load before and after is in the
// context, since other programs on the cores change the figures.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/app_options.h"
#include "simulation/record_source.h"
#include "simulation/sim_host.h"
#include "simulation/sim_launch.h"

namespace {

using namespace kovalin;

// 20 populations of a VP/OR/P table, all with sample size n.
class Populations : public tRecordSource {
 public:
  explicit Populations(double n) : n_(n) {}
  int ColumnCount() const override { return 9; }
  int RowCount() const override { return 20; }
  std::string ColumnName(int col) const override {
    static const char* names[] = {"Id", "PA", "PB", "NA", "NB", "P", "Opos", "Oneg", "n"};
    return names[col - 1];
  }
  double Value(int col, int row) const override {
    static const double rows[10][7] = {
        {0.8, 0.7, 0.9, 0.85, 0.3, 4, 2},   {0.7, 0.7, 0.9, 0.9, 0.25, 2, 2},
        {0.75, 0.6, 0.85, 0.8, 0.4, 1, 1},  {0.9, 0.8, 0.95, 0.9, 0.2, 3, 3},
        {0.85, 0.8, 0.9, 0.85, 0.3, 2, 1},  {0.6, 0.55, 0.8, 0.75, 0.35, 5, 3},
        {0.95, 0.9, 0.97, 0.95, 0.15, 2, 4}, {0.7, 0.65, 0.88, 0.8, 0.3, 1.5, 2.5},
        {0.8, 0.8, 0.9, 0.9, 0.3, 3, 2},    {0.65, 0.5, 0.85, 0.75, 0.3, 2, 2}};
    if (col == 1) return row;
    if (col == 9) return n_;
    return rows[(row - 1) % 10][col - 2];
  }

 private:
  double n_;
};

class QuietHost : public tSimHost {
 public:
  void ProcessMessages(tRunControl&) override {}
  void SetRecordProgress(const tProgress&) override {}
  void SetSampleProgress(const tProgress&) override {}
  void ClearOutput() override {}
  void AppendOutput(std::string_view) override {}
  void ClearLog() override {}
  void AppendLog(std::string_view) override {}
  tOutputGrid* OutputGrid() override { return nullptr; }
};

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five, fifteen;
  in >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

// Arguments: n, samples per record, jobs.
void BM_IntervalRunJobs(benchmark::State& state) {
  AppOptions = DefaultAppOptions();
  AppOptions.Methods.fill(true);
  AppOptions.Methods[0] = false;
  SetSimOutDecimals(4);
  const Populations table(static_cast<double>(state.range(0)));
  tSimLaunchSettings settings;
  settings.recordInit = 1;
  settings.recordEnd = 20;
  settings.numSamples = static_cast<std::int32_t>(state.range(1));
  settings.seed = 20261209u;
  settings.jobs = static_cast<std::int32_t>(state.range(2));
  const auto file = (std::filesystem::temp_directory_path() /
                     ("kovalin_bench_jobs_" + std::to_string(state.range(2)) + "_IC.txt"))
                        .string();
  QuietHost host;
  for (auto _ : state) {
    const tRunResult r = SimulateKind(table, settings, tSimulationType::SimCI, file, host);
    benchmark::DoNotOptimize(r.lines);
  }
  std::filesystem::remove(file);
  state.SetItemsProcessed(state.iterations() * 20 * state.range(1));
  state.SetLabel("samples, jobs " + std::to_string(state.range(2)));
}
BENCHMARK(BM_IntervalRunJobs)
    ->Args({100, 5000, 1})
    ->Args({100, 5000, 2})
    ->Args({1000, 2000, 1})
    ->Args({1000, 2000, 2})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::AddCustomContext("load average before", LoadAverage());
  benchmark::RunSpecifiedBenchmarks();
  std::printf("load average after: %s\n", LoadAverage().c_str());
  benchmark::Shutdown();
  return 0;
}
