// The samples of a run in batches computed side by side: the same output files,
// byte for byte, as one sample at a time, on every path the processor has.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/app_options.h"
#include "engine/sample_lanes.h"
#include "simulation/sim_launch.h"
#include "simulation/sim_running.h"
#include "simulation/tests/fake_host.h"
#include "simulation/tests/fake_table.h"
#include "simulation/tests/file_text.h"

namespace kovalin {
namespace {

namespace fs = std::filesystem;
using testing_support::FakeHost;
using testing_support::FakeTable;
using testing_support::ParameterTable;
using testing_support::ReadFile;

const FakeTable kRows = ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 100},
                                        {0.7, 0.7, 0.9, 0.9, 0.25, 2, 2, 1000},
                                        {0.4, 0.4, 0.6, 0.6, 0.3, 2, 2, 100},  // no solution
                                        {0.95, 0.9, 0.97, 0.95, 0.15, 2, 4, 12},
                                        {0.85, 0.8, 0.9, 0.85, 0.3, 2, 1, 3.5},
                                        {0.75, 0.6, 0.85, 0.8, 0.4, 1, 1, 40}});

class SampleBatchesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppOptions = DefaultAppOptions();
    AppOptions.Methods.fill(true);
    AppOptions.Methods[0] = false;
    dir_ = testing_support::MakeTempDir("kovalin_batches_");
    SimRunning = true;
  }
  void TearDown() override {
    SetLanePath(tLanePath::automatic);
    fs::remove_all(dir_);
    AppOptions = DefaultAppOptions();
    SimRunning = false;
  }

  // The output file of a seeded run of every row on the given path.
  std::string Run(tLanePath path, tSimulationType kind, int samples, int jobs,
                  long long stopAtYield = -1) {
    SetLanePath(path);
    tSimLaunchSettings s;
    s.recordInit = 1;
    s.recordEnd = 6;
    s.numSamples = samples;
    s.seed = 4242u;
    s.jobs = jobs;
    FakeHost host;
    host.stopAtYield = stopAtYield;
    const std::string file = (dir_ / ("run" + std::to_string(++runs_) + KindTag(kind))).string();
    SimulateKind(kRows, s, kind, file, host);
    SetLanePath(tLanePath::automatic);
    return ReadFile(file);
  }

  fs::path dir_;
  int runs_ = 0;
};

std::vector<tLanePath> LanePaths() {
  std::vector<tLanePath> paths;
  for (tLanePath p : {tLanePath::plain, tLanePath::avx2, tLanePath::avx512})
    if (LanePathAvailable(p)) paths.push_back(p);
  return paths;
}

// Every kind, with and without the epsilon correction (without it, samples
// with an empty cell leave their batch), sample counts that leave a partial
// last batch, one and two workers.
TEST_F(SampleBatchesTest, FilesAreThoseOfOneSampleAtATime) {
  for (double epsilon : {0.05, 0.0}) {
    AppOptions.epsilon = epsilon;
    for (tSimulationType kind :
         {tSimulationType::SimCI, tSimulationType::simIT, tSimulationType::simGT}) {
      for (int samples : {203, 8}) {
        for (int jobs : {1, 2}) {
          const std::string expected = Run(tLanePath::oneByOne, kind, samples, jobs);
          ASSERT_FALSE(expected.empty());
          for (tLanePath path : LanePaths())
            EXPECT_EQ(Run(path, kind, samples, jobs), expected)
                << KindTag(kind) << " epsilon " << epsilon << " samples " << samples << " jobs "
                << jobs << " path " << static_cast<int>(path);
        }
      }
    }
  }
}

// A stop in the middle of a batch: the samples drawn before it are all
// computed, so the stopped record's line is the one of the path without batches.
TEST_F(SampleBatchesTest, StopInsideABatchKeepsTheSamplesDrawn) {
  for (long long stop : {7LL, 230LL, 411LL}) {
    const std::string expected = Run(tLanePath::oneByOne, tSimulationType::SimCI, 203, 1, stop);
    for (tLanePath path : LanePaths())
      EXPECT_EQ(Run(path, tSimulationType::SimCI, 203, 1, stop), expected) << stop;
  }
}

}  // namespace
}  // namespace kovalin
