// Cost of Calculate: per method, and for all 21 methods on one sample, as the
// simulation calls it once per drawn sample.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "engine/method_set.h"

namespace {

using namespace kovalin;

// A pool of samples around the worked example, so that branch prediction does
// not learn one fixed table.
std::vector<tInputData> Samples(int count) {
  std::mt19937 rng(12345);
  const int base[8] = {30, 12, 4, 4, 6, 10, 2, 32};
  std::vector<tInputData> samples(static_cast<std::size_t>(count));
  for (auto& s : samples) {
    for (std::size_t i = 1; i <= 8; ++i) {
      std::poisson_distribution<int> cell(base[i - 1]);
      s.N[i] = cell(rng);
    }
  }
  return samples;
}

tMethodSet AllMethods(tSimulationType type) {
  tConf_rec options;
  options.Methods.fill(true);
  return CreateMethods(options, type);
}

void BM_CalculateMethod(benchmark::State& state) {
  const int index = static_cast<int>(state.range(0));
  auto methods = AllMethods(tSimulationType::simAny);
  const auto samples = Samples(1024);
  std::size_t k = 0;
  for (auto _ : state) {
    methods[index].Calculate(samples[k++ & 1023]);
    benchmark::DoNotOptimize(methods[index].Params);
  }
  state.SetLabel(MethodLabel(index));
}
BENCHMARK(BM_CalculateMethod)->DenseRange(1, kMethodCount);

void BM_AllMethodsOneSample(benchmark::State& state) {
  const auto type = static_cast<tSimulationType>(state.range(0));
  auto methods = AllMethods(type);
  const auto samples = Samples(1024);
  std::size_t k = 0;
  for (auto _ : state) {
    const auto& s = samples[k++ & 1023];
    for (int i = 1; i <= kMethodCount; ++i) methods[i].Calculate(s);
    benchmark::DoNotOptimize(methods[kMethodCount].Params);
  }
  static const char* names[] = {"simAny", "SimCI", "simIT", "simGT"};
  state.SetLabel(names[state.range(0)]);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AllMethodsOneSample)->DenseRange(0, 3);

// The same through the method set, which shares the corrections and the global
// tests between methods: this is what the simulation calls.
void BM_CalculateActive(benchmark::State& state) {
  const auto type = static_cast<tSimulationType>(state.range(0));
  auto methods = AllMethods(type);
  const auto samples = Samples(1024);
  std::size_t k = 0;
  for (auto _ : state) {
    methods.CalculateActive(samples[k++ & 1023]);
    benchmark::DoNotOptimize(methods[kMethodCount].Params);
  }
  static const char* names[] = {"simAny", "SimCI", "simIT", "simGT"};
  state.SetLabel(names[state.range(0)]);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CalculateActive)->DenseRange(0, 3);

}  // namespace

BENCHMARK_MAIN();
