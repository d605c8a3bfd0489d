// The sequence of kinds a launch runs, and the parts of its output file name.
#include "simulation/sim_launch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <list>
#include <map>
#include <random>

#include "engine/app_options.h"
#include "simulation/sim_running.h"
#include "simulation/tests/fake_host.h"
#include "simulation/tests/fake_table.h"
#include "simulation/tests/file_text.h"

namespace kovalin {
namespace {

namespace fs = std::filesystem;
using testing_support::FakeHost;

class RecordingSequence : public tSimSequenceHost {
 public:
  tSimHost& BeginKind(tSimulationType kind, const std::string& taskText,
                      const std::string& fileName) override {
    tasks.push_back(taskText);
    files.push_back(fileName);
    hosts.emplace_back();
    hosts.back().stopAtYield = stopAtYieldOfKind[kind];
    EXPECT_TRUE(SimRunning);
    return hosts.back();
  }
  void EndKind(tSimulationType, const tRunResult& result) override {
    outcomes.push_back(result.outcome);
  }
  std::map<tSimulationType, long long> stopAtYieldOfKind;
  std::vector<std::string> tasks, files;
  std::vector<tRunOutcome> outcomes;
  std::list<FakeHost> hosts;
};

class SequenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppOptions = DefaultAppOptions();
    AppOptions.Methods.fill(false);
    AppOptions.Methods[1] = true;
    dir_ = testing_support::MakeTempDir("kovalin_seq_");
    settings_.recordInit = 1;
    settings_.recordEnd = 2;
    settings_.numSamples = 5;
    settings_.seed = 4u;
  }
  void TearDown() override {
    fs::remove_all(dir_);
    AppOptions = DefaultAppOptions();
  }
  const testing_support::FakeTable table_ = testing_support::ParameterTable(
      {{0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 50}, {0.7, 0.7, 0.9, 0.9, 0.25, 2, 2, 50}});
  tSimLaunchSettings settings_;
  fs::path dir_;
};

TEST_F(SequenceTest, KindsRunInTheirOrderEachIntoItsNumberedFile) {
  RecordingSequence host;
  const std::string base = (dir_ / "table").string();
  EXPECT_EQ(RunSimulationSequence(table_, settings_, base,
                                  {tSimulationType::simGT, tSimulationType::SimCI,
                                   tSimulationType::simIT, tSimulationType::simGT},
                                  host),
            tRunOutcome::complete);
  EXPECT_FALSE(SimRunning);
  EXPECT_EQ(host.tasks,
            (std::vector<std::string>{" Confidence Intervals 1/3",
                                      " Individual Homogeneity Tests 2/3",
                                      " Global Homogeneity Tests 3/3"}));
  EXPECT_EQ(host.files, (std::vector<std::string>{(dir_ / "table_IC_0001.txt").string(),
                                                  (dir_ / "table_IT_0001.txt").string(),
                                                  (dir_ / "table_GT_0001.txt").string()}));
  for (const std::string& f : host.files) EXPECT_TRUE(fs::exists(f)) << f;
}

TEST_F(SequenceTest, StopEndsTheSequenceAfterTheRunningKind) {
  RecordingSequence host;
  host.stopAtYieldOfKind[tSimulationType::simIT] = 3;
  EXPECT_EQ(RunSimulationSequence(table_, settings_, (dir_ / "t.txt").string(),
                                  {tSimulationType::SimCI, tSimulationType::simIT,
                                   tSimulationType::simGT},
                                  host),
            tRunOutcome::cancelled);
  EXPECT_EQ(host.outcomes,
            (std::vector<tRunOutcome>{tRunOutcome::complete, tRunOutcome::cancelled}));
  EXPECT_FALSE(fs::exists(dir_ / "t_GT_0001.txt"));
  EXPECT_FALSE(SimRunning);
}

TEST_F(SequenceTest, FileErrorEndsTheSequence) {
  RecordingSequence host;
  EXPECT_EQ(RunSimulationSequence(table_, settings_, (dir_ / "none" / "t.txt").string(),
                                  {tSimulationType::SimCI, tSimulationType::simGT}, host),
            tRunOutcome::fileError);
  EXPECT_EQ(host.outcomes.size(), 1u);
}

TEST(DescribeOutputFile, PartsOfTheName) {
  const tOutputFileName f = DescribeOutputFile("/home/someone/work/simulations/table");
  EXPECT_EQ(f.FileFullName, "/home/someone/work/simulations/table.txt");
  EXPECT_EQ(f.FileName, "table.txt");
  EXPECT_EQ(f.FileExt, ".txt");
  EXPECT_EQ(f.FilePath, "/home/someone/work/simulations/");
  EXPECT_EQ(f.FileShortPath, "/.../simulations");
  const tOutputFileName bare = DescribeOutputFile("results.csv");
  EXPECT_EQ(bare.FilePath, "");
  EXPECT_EQ(bare.FileName, "results.csv");
}

}  // namespace
}  // namespace kovalin
