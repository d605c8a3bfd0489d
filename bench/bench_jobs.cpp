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
#include "bench/run_fixtures.h"
#include "simulation/sim_launch.h"

namespace {

using namespace kovalin;
using bench::LoadAverage;
using bench::Populations;
using bench::QuietHost;

// Arguments: n, samples per record, jobs.
void BM_IntervalRunJobs(benchmark::State& state) {
  AppOptions = DefaultAppOptions();
  AppOptions.Methods.fill(true);
  AppOptions.Methods[0] = false;
  SetSimOutDecimals(4);
  const Populations table(static_cast<double>(state.range(0)), 20);
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
