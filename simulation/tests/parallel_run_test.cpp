// Records on several workers: the same files as on one, any split of the rows,
// the cancel rule, and the clock seeds of the workers.
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "engine/app_options.h"
#include "simulation/record_seed.h"
#include "simulation/sim_launch.h"
#include "simulation/sim_running.h"
#include "simulation/tests/fake_host.h"
#include "simulation/tests/file_text.h"
#include "simulation/tests/fake_table.h"

namespace kovalin {
namespace {

namespace fs = std::filesystem;
using testing_support::FakeHost;
using testing_support::ReadFile;
using testing_support::SplitCrLf;
using testing_support::FakeTable;
using testing_support::ParameterTable;



std::string Field(const std::string& line, std::size_t index) {
  std::stringstream ss(line);
  std::string f;
  for (std::size_t i = 0; i <= index; ++i) std::getline(ss, f, '\t');
  return f;
}

const FakeTable kRows = ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 1000},
                                        {0.7, 0.7, 0.9, 0.9, 0.25, 2, 2, 1000},
                                        {0.4, 0.4, 0.6, 0.6, 0.3, 2, 2, 100},  // no solution
                                        {0.9, 0.8, 0.95, 0.9, 0.2, 3, 3, 1000},
                                        {0.85, 0.8, 0.9, 0.85, 0.3, 2, 1, 3.5},
                                        {0.75, 0.6, 0.85, 0.8, 0.4, 1, 1, 1000}});

class ParallelRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppOptions = DefaultAppOptions();
    AppOptions.Methods.fill(false);
    for (int i : {1, 3, 4, 10, 14, 18, 20}) AppOptions.Methods[static_cast<std::size_t>(i)] = true;
    dir_ = testing_support::MakeTempDir("kovalin_jobs_");
    SimRunning = true;
  }
  void TearDown() override {
    fs::remove_all(dir_);
    AppOptions = DefaultAppOptions();
    SimRunning = false;
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  static tSimLaunchSettings Settings(int first, int last, int samples, int jobs) {
    tSimLaunchSettings s;
    s.recordInit = first;
    s.recordEnd = last;
    s.numSamples = samples;
    s.seed = 77u;
    s.jobs = jobs;
    return s;
  }

  fs::path dir_;
};

std::vector<std::string> WithoutRunLines(const std::vector<std::string>& log) {
  std::vector<std::string> out;
  for (const std::string& line : log)
    if (line.rfind("- Workers: ", 0) != 0 && line.rfind("- Started: ", 0) != 0 &&
        line.rfind("Duration: ", 0) != 0)
      out.push_back(line);
  return out;
}

TEST_F(ParallelRunTest, AnyNumberOfJobsAndAnySplitOfTheRowsGiveTheSameLines) {
  for (tSimulationType kind :
       {tSimulationType::SimCI, tSimulationType::simIT, tSimulationType::simGT}) {
    const std::string tag = KindTag(kind);
    FakeHost one;
    ASSERT_EQ(SimulateKind(kRows, Settings(1, 6, 150, 1), kind, Path("one" + tag), one).outcome,
              tRunOutcome::complete);
    const std::string single = ReadFile(Path("one" + tag));
    ASSERT_EQ(SplitCrLf(single).size(), 7u);
    for (int jobs : {2, 3, 8}) {
      FakeHost many;
      const std::string file = Path("jobs" + std::to_string(jobs) + tag);
      ASSERT_EQ(SimulateKind(kRows, Settings(1, 6, 150, jobs), kind, file, many).outcome,
                tRunOutcome::complete);
      EXPECT_EQ(ReadFile(file), single) << tag << " jobs " << jobs;
      // The logs differ only in the file they name and how the run went (workers,
      // start, duration); the notes keep row order.
      std::vector<std::string> log = WithoutRunLines(many.log);
      log[1] = one.log[1];
      EXPECT_EQ(log, WithoutRunLines(one.log)) << tag << " jobs " << jobs;
      // The records bar counts finished records: none at first, all at the end.
      ASSERT_FALSE(many.recordProgress.empty());
      EXPECT_EQ(many.recordProgress.front(), 0) << tag << " jobs " << jobs;
      EXPECT_TRUE(std::is_sorted(many.recordProgress.begin(), many.recordProgress.end()));
      EXPECT_EQ(many.output, one.output);
    }
    // Rows 2 to 5 on their own, as a shard of the table would run them.
    FakeHost shard;
    ASSERT_EQ(
        SimulateKind(kRows, Settings(2, 5, 150, 2), kind, Path("shard" + tag), shard).outcome,
        tRunOutcome::complete);
    const auto all = SplitCrLf(single);
    const auto part = SplitCrLf(ReadFile(Path("shard" + tag)));
    ASSERT_EQ(part.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(part.begin() + 1, part.end()),
              std::vector<std::string>(all.begin() + 2, all.begin() + 6));
  }
}

TEST_F(ParallelRunTest, ClockSeededWorkersDrawEverySample) {
  // Two rows of the same population: without a seed their lines differ.
  const FakeTable twice = ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 1000},
                                          {0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 1000}});
  tSimLaunchSettings s = Settings(1, 2, 300, 2);
  s.seed.reset();
  FakeHost host;
  ASSERT_EQ(SimulateKind(twice, s, tSimulationType::SimCI, Path("clock"), host).outcome,
            tRunOutcome::complete);
  const auto lines = SplitCrLf(ReadFile(Path("clock")));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Field(lines[1], 11), "300.000");
  EXPECT_EQ(Field(lines[2], 11), "300.000");
  EXPECT_NE(lines[1].substr(lines[1].find('\t')), lines[2].substr(lines[2].find('\t')));
  EXPECT_EQ(host.log.back(), "Complete [Rec: 2  Sample: 300  (100%)]");
}

TEST_F(ParallelRunTest, StopGivesEveryStartedRecordItsLineWithTheSamplesDrawn) {
  AppOptions.Methods.fill(false);
  AppOptions.Methods[1] = true;  // d: valid on every sample of these rows
  const FakeTable t = ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 1000},
                                      {0.7, 0.7, 0.9, 0.9, 0.25, 2, 2, 1000},
                                      {0.9, 0.8, 0.95, 0.9, 0.2, 3, 3, 1000},
                                      {0.85, 0.8, 0.9, 0.85, 0.3, 2, 1, 1000},
                                      {0.75, 0.6, 0.85, 0.8, 0.4, 1, 1, 1000}});
  // The Stop button once the oldest running record has drawn 3% of its samples.
  struct Host : FakeHost {
    void ProcessMessages(tRunControl& run) override {
      FakeHost::ProcessMessages(run);
      if (!sampleProgress.empty() && sampleProgress.back() >= 3) run.Stop();
    }
  } host;
  const int samples = 20000;
  const tRunResult r =
      SimulateKind(t, Settings(1, 5, samples, 2), tSimulationType::SimCI, Path("stop"), host);
  ASSERT_EQ(r.outcome, tRunOutcome::cancelled);
  const auto lines = SplitCrLf(ReadFile(Path("stop")));
  ASSERT_GE(lines.size(), 2u);
  ASSERT_EQ(static_cast<int>(lines.size()) - 1, r.lines);
  int firstPartial = 0;
  long long firstPartialDrawn = 0;
  int partial = 0;
  for (int i = 1; i <= r.lines; ++i) {
    const std::string& line = lines[static_cast<std::size_t>(i)];
    // Row order, from the first row on.
    EXPECT_EQ(std::stod(Field(line, 0)), i);
    const long long drawn = std::stoll(Field(line, 11));
    if (drawn == samples) continue;
    ++partial;
    if (firstPartial == 0) {
      firstPartial = i;
      firstPartialDrawn = drawn;
    }
    // Its statistics are those of its first `drawn` samples: a run of that row
    // with that many samples writes the same line.
    if (drawn == 0) continue;
    FakeHost check;
    const std::string name = Path("check" + std::to_string(i));
    ASSERT_EQ(SimulateKind(t, Settings(i, i, static_cast<int>(drawn), 1), tSimulationType::SimCI,
                           name, check)
                  .outcome,
              tRunOutcome::complete);
    EXPECT_EQ(SplitCrLf(ReadFile(name))[1], line) << "row " << i;
  }
  // One record at most in flight per worker, and the stop came mid-record.
  EXPECT_GE(partial, 1);
  EXPECT_LE(partial, 2);
  EXPECT_EQ(host.log.back(), "Canceled [Rec: " + std::to_string(firstPartial) + "  Sample: " +
                                 std::to_string(firstPartialDrawn) + "  (" +
                                 std::to_string(static_cast<long long>(std::nearbyint(
                                     100.0 * static_cast<double>(firstPartialDrawn) / samples))) +
                                 "%)]");
}

TEST(WorkerSeeds, NoTwoWorkersShareASeedAndNoWorkerRepeatsOne) {
  // A clock that stands still, then wraps past 2^32, read by three workers: each
  // keeps to its own residue (so no two share a seed) and never repeats the seed
  // it used last.
  std::uint64_t now = 0xFFFFFFFEull;
  std::vector<tWorkerSeeds> workers;
  for (int w = 0; w < 3; ++w) workers.emplace_back(w, 3, [&now] { return now; });
  std::vector<std::uint32_t> last(3);
  for (int round = 0; round < 5; ++round) {
    for (std::size_t w = 0; w < 3; ++w) {
      const std::uint32_t seed = workers[w].Next();
      EXPECT_EQ(seed % 3, w);
      if (round > 0) {
        EXPECT_NE(seed, last[w]) << round;
      }
      last[w] = seed;
    }
    if (round == 2) now += 3;
  }
  // The seed of a record depends on the seed and the row only.
  EXPECT_EQ(RecordSeed(5, 12), RecordSeed(5, 12));
  EXPECT_NE(RecordSeed(5, 12), RecordSeed(5, 13));
  EXPECT_NE(RecordSeed(5, 12), RecordSeed(6, 12));
  // SplitMix64's first output from 0, as its reference implementation gives it.
  EXPECT_EQ(SplitMix64(0, 1), 0xE220A8397B1DCDAFull);
}

}  // namespace
}  // namespace kovalin
