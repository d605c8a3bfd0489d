// Speed of a simulation run: an interval run over 10 parameter rows with every
// method active, and the parts a sample costs (draw, methods, accumulators,
// the host's yield).
#include <benchmark/benchmark.h>

#include <array>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/app_options.h"
#include "engine/method_set.h"
#include "simulation/draw_lanes.h"
#include "simulation/multinomial.h"
#include "simulation/output_grid.h"
#include "simulation/record_source.h"
#include "simulation/sim_host.h"
#include "simulation/sim_launch.h"

namespace {

using namespace kovalin;

// Ten populations of a VP/OR/P table with sample size n, repeated to the given
// number of rows.
class BenchTable : public tRecordSource {
 public:
  explicit BenchTable(double n, int rowCount = 10) {
    const double rows[10][7] = {
        {0.8, 0.7, 0.9, 0.85, 0.3, 4, 2},   {0.7, 0.7, 0.9, 0.9, 0.25, 2, 2},
        {0.75, 0.6, 0.85, 0.8, 0.4, 1, 1},  {0.9, 0.8, 0.95, 0.9, 0.2, 3, 3},
        {0.85, 0.8, 0.9, 0.85, 0.3, 2, 1},  {0.6, 0.55, 0.8, 0.75, 0.35, 5, 3},
        {0.95, 0.9, 0.97, 0.95, 0.15, 2, 4}, {0.7, 0.65, 0.88, 0.8, 0.3, 1.5, 2.5},
        {0.8, 0.8, 0.9, 0.9, 0.3, 3, 2},    {0.65, 0.5, 0.85, 0.75, 0.3, 2, 2}};
    for (int r = 0; r < rowCount; ++r) {
      std::vector<double> row = {static_cast<double>(r + 1)};
      row.insert(row.end(), rows[r % 10], rows[r % 10] + 7);
      row.push_back(n);
      rows_.push_back(row);
    }
  }
  int ColumnCount() const override { return 9; }
  int RowCount() const override { return static_cast<int>(rows_.size()); }
  std::string ColumnName(int col) const override {
    static const char* names[] = {"Id", "PA", "PB", "NA", "NB", "P", "Opos", "Oneg", "n"};
    return names[col - 1];
  }
  double Value(int col, int row) const override {
    return rows_[static_cast<std::size_t>(row) - 1][static_cast<std::size_t>(col) - 1];
  }

 private:
  std::vector<std::vector<double>> rows_;
};

volatile std::sig_atomic_t g_interrupt = 0;

// What the command line's host does at a yield: read the Ctrl-C flag. The
// progress texts are built only when a position changes, as the run reports them.
class BenchHost : public tSimHost {
 public:
  void ProcessMessages(tRunControl& run) override {
    if (g_interrupt) run.Stop();
  }
  void SetRecordProgress(const tProgress& progress) override {
    benchmark::DoNotOptimize(progress.Position() + static_cast<int>(progress.Hint().size()));
  }
  void SetSampleProgress(const tProgress& progress) override {
    benchmark::DoNotOptimize(progress.Position() + static_cast<int>(progress.Hint().size()));
  }
  void ClearOutput() override {}
  void AppendOutput(std::string_view) override {}
  void ClearLog() override {}
  void AppendLog(std::string_view) override {}
  tOutputGrid* OutputGrid() override { return nullptr; }
};

void AllMethodsActive() {
  AppOptions = DefaultAppOptions();
  AppOptions.Methods.fill(true);
  AppOptions.Methods[0] = false;
  SetSimOutDecimals(4);
}

// The interval run of the issue: 10 rows x samples each, all 21 methods; the
// third argument 1 seeds the run once, 0 reseeds every sample from the clock.
void BM_IntervalRun(benchmark::State& state) {
  const double n = static_cast<double>(state.range(0));
  const auto samples = static_cast<std::int32_t>(state.range(1));
  AllMethodsActive();
  const BenchTable table(n);
  const auto file = (std::filesystem::temp_directory_path() / "kovalin_bench_IC.txt").string();
  tSimLaunchSettings settings;
  settings.recordInit = 1;
  settings.recordEnd = 10;
  settings.numSamples = samples;
  if (state.range(2) == 1) settings.seed = 20261209u;
  BenchHost host;
  for (auto _ : state) {
    const tRunResult r = SimulateKind(table, settings, tSimulationType::SimCI, file, host);
    benchmark::DoNotOptimize(r.lines);
  }
  std::filesystem::remove(file);
  state.SetItemsProcessed(state.iterations() * 10 * samples);
  state.SetLabel(state.range(2) == 1 ? "samples, seeded" : "samples, clock-seeded");
}
BENCHMARK(BM_IntervalRun)
    ->Args({100, 10000, 1})
    ->Args({100, 10000, 0})
    ->Args({1000, 10000, 1})
    ->Unit(benchmark::kMillisecond);

// The output file as it grows: one sample per record, so that writing the lines is
// most of the work. Each line is appended, so the time grows with the rows, not
// with their square (the whole file rewritten after every record took 6, 23 and
// 82 seconds for 2,000, 4,000 and 8,000 rows).
void BM_OutputGrowth(benchmark::State& state) {
  const auto rows = static_cast<int>(state.range(0));
  AllMethodsActive();
  const BenchTable table(100, rows);
  const auto file = (std::filesystem::temp_directory_path() / "kovalin_bench_rows_IC.txt").string();
  tSimLaunchSettings settings;
  settings.recordInit = 1;
  settings.recordEnd = rows;
  settings.numSamples = 1;
  settings.seed = 20261209u;
  BenchHost host;
  for (auto _ : state) {
    const tRunResult r = SimulateKind(table, settings, tSimulationType::SimCI, file, host);
    benchmark::DoNotOptimize(r.lines);
  }
  std::filesystem::remove(file);
  state.SetComplexityN(rows);
  state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_OutputGrowth)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// One multinomial draw of size n (argument 1: the lanes; 0: one state at a time;
// 2: the counting of the lanes without AVX2).
void BM_Sample(benchmark::State& state) {
  const auto n = static_cast<std::int32_t>(state.range(0));
  const std::array<double, 9> p = {0,        0.145455, 0.083117, 0.045455, 0.025974,
                                   0.006679, 0.050464, 0.075139, 0.567718};
  tRandomGenerator rng;
  rng.UseSeed(1);
  std::array<std::int32_t, 9> N{};
  const auto mode = state.range(1);
  for (auto _ : state) {
    N.fill(0);
    if (mode == 1) {
      MultinomialSample(n, N, p, rng);
    } else if (mode == 2) {
      // The counting of a processor without AVX2, on the thresholds of p.
      tDrawThresholds t{};
      double cum = 0;
      for (std::size_t i = 1; i <= 7; ++i) {
        cum += p[i];
        t[i] = static_cast<std::uint64_t>(cum * 4294967296.0) + 1;
      }
      tDrawReached reached{};
      std::uint32_t s = rng.State();
      CountReachedPortable(t, n, s, reached);
      rng.SetState(s);
      benchmark::DoNotOptimize(reached);
    } else {
      MultinomialSampleOneByOne(n, N, p, rng);
    }
    benchmark::DoNotOptimize(N);
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(mode == 1 ? "lanes" : mode == 2 ? "portable lanes (counting only)" : "one by one");
}
BENCHMARK(BM_Sample)->ArgsProduct({{100, 1000}, {0, 1, 2}});

// The same draw reseeded from the clock, as a run without a seed does.
void BM_SampleClockSeeded(benchmark::State& state) {
  const std::array<double, 9> p = {0, 0.125, 0.125, 0.125, 0.125, 0.125, 0.125, 0.125, 0.125};
  tRandomGenerator rng;
  rng.UseClock();
  std::array<std::int32_t, 9> N{};
  for (auto _ : state) {
    N.fill(0);
    MultinomialSample(100, N, p, rng);
    benchmark::DoNotOptimize(N);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SampleClockSeeded);

// The 21 interval methods and their accumulators on one drawn sample, each
// method's update alone.
void BM_MethodsAndAccumulators(benchmark::State& state) {
  AllMethodsActive();
  tMethodSet methods = CreateMethods(AppOptions, tSimulationType::SimCI);
  methods.SetSimulationType(tSimulationType::SimCI);
  for (int i = 1; i <= kMethodCount; ++i) methods[i].Reset_SimRec_CI(0.1, 1.14);
  const std::array<double, 9> p = {0,        0.145455, 0.083117, 0.045455, 0.025974,
                                   0.006679, 0.050464, 0.075139, 0.567718};
  tRandomGenerator rng;
  rng.UseSeed(2);
  std::vector<tInputData> pool(1024);
  for (auto& s : pool) MultinomialSample(100, s.N, p, rng);
  std::size_t k = 0;
  for (auto _ : state) {
    methods.CalculateActive(pool[k++ & 1023]);
    for (int i = 1; i <= kMethodCount; ++i) methods[i].Update_SimRec_CI();
    benchmark::DoNotOptimize(methods[kMethodCount].SimRec_CI);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MethodsAndAccumulators);

// One sample of an interval run with all 21 methods, by the path of the run
// (argument 1: the lanes of the draw, the methods over batches of samples in
// vector lanes, the accumulators side by side) and by the path the run took before, kept for
// this comparison (argument 0: the draw one state at a time, CalculateActive
// checking its plan on every sample, then each method's Update_SimRec_CI).
void BM_SamplePath(benchmark::State& state) {
  const auto n = static_cast<std::int32_t>(state.range(0));
  const bool current = state.range(1) == 1;
  AllMethodsActive();
  tMethodSet methods = CreateMethods(AppOptions, tSimulationType::SimCI);
  methods.SetSimulationType(tSimulationType::SimCI);
  methods.PlanSamples(tSimulationType::SimCI);
  methods.ResetRecord(0.1, 1.14);
  const std::array<double, 9> p = {0,        0.145455, 0.083117, 0.045455, 0.025974,
                                   0.006679, 0.050464, 0.075139, 0.567718};
  tRandomGenerator rng;
  rng.UseSeed(2);
  tInputData sample;
  // The run's path draws a batch of the methods' width, then computes it.
  std::array<tInputData, kLaneMaxWidth> batch{};
  const int width = methods.SampleWidth();
  int drawn = 0;
  for (auto _ : state) {
    sample.N.fill(0);
    if (current) {
      MultinomialSample(n, sample.N, p, rng);
      batch[static_cast<std::size_t>(drawn++)] = sample;
      if (drawn == width) {
        methods.SampleBatch(batch.data(), drawn);
        drawn = 0;
      }
    } else {
      MultinomialSampleOneByOne(n, sample.N, p, rng);
      methods.CalculateActive(sample);
      for (int i = 1; i <= kMethodCount; ++i) methods[i].Update_SimRec_CI();
    }
    benchmark::ClobberMemory();
  }
  methods.EndRecord();
  benchmark::DoNotOptimize(methods[kMethodCount].SimRec_CI);
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(current ? "samples, current path" : "samples, previous path");
}
BENCHMARK(BM_SamplePath)->Args({100, 0})->Args({100, 1})->Args({1000, 0})->Args({1000, 1});

// The host's yield once per sample.
void BM_Yield(benchmark::State& state) {
  BenchHost host;
  tSimHost& h = host;
  tRunControl run;
  for (auto _ : state) {
    h.ProcessMessages(run);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Yield);

}  // namespace

BENCHMARK_MAIN();
