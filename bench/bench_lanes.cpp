// Samples per second of a whole run (10 rows, all 21 methods, seeded, one
// core) by each path of the methods: one sample at a time (the path before the
// batches) and the batches in plain x86-64, AVX2 and AVX-512 lanes, where the
// processor has them. The paths take turns in every round, so that a change in
// the machine's load falls on all of them; the medians of the rounds are
// printed with the load average before and after.
//
//   kovalin_bench_lanes [--rounds R] [--samples S]
//       the table of medians (defaults: 9 rounds, 50,000 samples per row)
//   kovalin_bench_lanes --once PATH KIND N SAMPLES
//       one run, for callgrind: PATH one|plain|avx2|avx512|auto, KIND ci|it|gt
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/app_options.h"
#include "engine/sample_lanes.h"
#include "bench/run_fixtures.h"
#include "simulation/sim_launch.h"

namespace {

using namespace kovalin;
using bench::LoadAverage;
using bench::Populations;
using bench::QuietHost;

struct PathName {
  tLanePath path;
  const char* name;
};

constexpr PathName kPaths[] = {{tLanePath::oneByOne, "one"},
                               {tLanePath::plain, "plain"},
                               {tLanePath::avx2, "avx2"},
                               {tLanePath::avx512, "avx512"},
                               {tLanePath::automatic, "auto"}};

struct KindName {
  tSimulationType kind;
  const char* name;
};

constexpr KindName kKinds[] = {{tSimulationType::SimCI, "ci"},
                               {tSimulationType::simIT, "it"},
                               {tSimulationType::simGT, "gt"}};

// One seeded run of 10 rows; the seconds it took.
double Run(tLanePath path, tSimulationType kind, double n, std::int32_t samples) {
  AppOptions = DefaultAppOptions();
  AppOptions.Methods.fill(true);
  AppOptions.Methods[0] = false;
  SetSimOutDecimals(4);
  SetLanePath(path);
  const Populations table(n, 10);
  tSimLaunchSettings settings;
  settings.recordInit = 1;
  settings.recordEnd = 10;
  settings.numSamples = samples;
  settings.seed = 20261209u;
  const auto file = (std::filesystem::temp_directory_path() / "kovalin_bench_lanes_IC.txt").string();
  QuietHost host;
  const auto start = std::chrono::steady_clock::now();
  const tRunResult r = SimulateKind(table, settings, kind, file, host);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::filesystem::remove(file);
  SetLanePath(tLanePath::automatic);
  if (r.lines != 10) {
    std::fprintf(stderr, "the run wrote %d lines\n", r.lines);
    std::exit(1);
  }
  return took.count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int Once(int argc, char** argv) {
  if (argc != 6) return 2;
  const PathName* path = nullptr;
  for (const PathName& p : kPaths)
    if (std::strcmp(argv[2], p.name) == 0) path = &p;
  const KindName* kind = nullptr;
  for (const KindName& k : kKinds)
    if (std::strcmp(argv[3], k.name) == 0) kind = &k;
  if (!path || !kind) return 2;
  const double seconds =
      Run(path->path, kind->kind, std::atof(argv[4]), static_cast<std::int32_t>(std::atol(argv[5])));
  std::printf("%s %s n=%s: %.3f s\n", path->name, kind->name, argv[4], seconds);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--once") == 0) return Once(argc, argv);
  int rounds = 9;
  std::int32_t samples = 50000;
  for (int a = 1; a + 1 < argc; a += 2) {
    if (std::strcmp(argv[a], "--rounds") == 0) rounds = std::max(1, std::atoi(argv[a + 1]));
    if (std::strcmp(argv[a], "--samples") == 0)
      samples = std::max(1, static_cast<std::int32_t>(std::atol(argv[a + 1])));
  }
  std::vector<PathName> paths;
  for (const PathName& p : kPaths)
    if (p.path != tLanePath::automatic && LanePathAvailable(p.path)) paths.push_back(p);
  std::printf("load average before: %s\n", LoadAverage().c_str());
  std::printf("10 rows x %d samples, 21 methods, seeded, one core; median of %d rounds\n",
              samples, rounds);
  struct Case {
    tSimulationType kind;
    const char* name;
    double n;
  };
  const Case cases[] = {{tSimulationType::SimCI, "intervals", 100},
                        {tSimulationType::SimCI, "intervals", 1000},
                        {tSimulationType::simIT, "individual tests", 100},
                        {tSimulationType::simGT, "global tests", 100}};
  for (const Case& c : cases) {
    std::vector<std::vector<double>> rates(paths.size());
    for (int r = 0; r < rounds; ++r)
      for (std::size_t p = 0; p < paths.size(); ++p)
        rates[p].push_back(10.0 * samples / Run(paths[p].path, c.kind, c.n, samples) / 1e6);
    const double base = Median(rates[0]);
    for (std::size_t p = 0; p < paths.size(); ++p) {
      const double m = Median(rates[p]);
      std::printf("%-16s n=%-5.0f %-7s %6.2f M samples/s (%.2fx one at a time; range %.2f-%.2f)\n",
                  c.name, c.n, paths[p].name, m, m / base,
                  *std::min_element(rates[p].begin(), rates[p].end()),
                  *std::max_element(rates[p].begin(), rates[p].end()));
    }
  }
  std::printf("load average after: %s\n", LoadAverage().c_str());
  return 0;
}
