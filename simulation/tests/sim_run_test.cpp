// The simulation run end to end on small tables: columns, lines, files, log,
// progress and cancellation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "engine/app_options.h"
#include "simulation/sim_file_names.h"
#include "simulation/sim_launch.h"
#include "simulation/sim_mdb.h"
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



std::vector<std::string> Fields(const std::string& line, char delimiter) {
  std::vector<std::string> out;
  std::stringstream ss(line);
  std::string f;
  while (std::getline(ss, f, delimiter)) out.push_back(f);
  return out;
}

class SimRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppOptions = DefaultAppOptions();
    SetSimOutDecimals(4);
    dir_ = testing_support::MakeTempDir("kovalin_run_");
    SimRunning = true;
  }
  void TearDown() override {
    fs::remove_all(dir_);
    AppOptions = DefaultAppOptions();
    SimOutDecimals = kInitialSimOutDecimals;
    SimOutWidth = kInitialSimOutWidth;
    SimRunning = false;
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  void OnlyMethods(std::initializer_list<int> indexes) {
    AppOptions.Methods.fill(false);
    for (int i : indexes) AppOptions.Methods[static_cast<std::size_t>(i)] = true;
  }

  tRunResult Run(const tRecordSource& table, tSimulationType kind, FakeHost& host,
                 tSimLaunchSettings settings, const std::string& file) {
    return SimulateKind(table, settings, kind, file, host);
  }

  static tSimLaunchSettings Settings(int first, int last, int samples) {
    tSimLaunchSettings s;
    s.recordInit = first;
    s.recordEnd = last;
    s.numSamples = samples;
    s.seed = 20261209u;
    return s;
  }

  fs::path dir_;
};

const FakeTable kFiveRows = ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 1000},
                                            {0.7, 0.7, 0.9, 0.9, 0.25, 2, 2, 1000},
                                            {0.75, 0.6, 0.85, 0.8, 0.4, 1, 1, 1000},
                                            {0.9, 0.8, 0.95, 0.9, 0.2, 3, 3, 1000},
                                            {0.85, 0.8, 0.9, 0.85, 0.3, 2, 1, 1000}});

TEST_F(SimRunTest, ColumnCountsWithAllMethods) {
  const FakeTable t = ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 50}});
  const std::pair<tSimulationType, std::size_t> cases[] = {
      {tSimulationType::SimCI, 74}, {tSimulationType::simIT, 45}, {tSimulationType::simGT, 53}};
  for (const auto& [kind, count] : cases) {
    FakeHost host;
    const std::string file = Path("all" + KindTag(kind) + ".txt");
    ASSERT_EQ(Run(t, kind, host, Settings(1, 1, 2), file).outcome, tRunOutcome::complete);
    const auto lines = SplitCrLf(ReadFile(file));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Fields(lines[0], '\t').size(), count);
    EXPECT_EQ(Fields(lines[1], '\t').size(), count);
    EXPECT_EQ(host.log[2], "Output table: 1 rows x " + std::to_string(count) + " cols.");
  }
}

TEST_F(SimRunTest, IndividualTestRunFoldsTheMethodsWithoutATest) {
  const FakeTable t = ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 50}});
  // d with F1R, F1Ra alone (da not ticked), F2R alone, Fda without F2Ra.
  OnlyMethods({1, 18, 19, 20, 11});
  FakeHost host;
  const std::string file = Path("merge.txt");
  ASSERT_EQ(Run(t, tSimulationType::simIT, host, Settings(1, 1, 2), file).outcome,
            tRunOutcome::complete);
  const auto header = Fields(SplitCrLf(ReadFile(file))[0], '\t');
  const std::vector<std::string> methods(header.begin() + 11, header.end());
  EXPECT_EQ(methods, (std::vector<std::string>{"d/F1R(n)", "d/F1R(Sig)", "F1Ra(n)", "F1Ra(Sig)",
                                               "F2R(n)", "F2R(Sig)", "Fda(n)", "Fda(Sig)"}));
}

TEST_F(SimRunTest, HeaderLinesLogAndFileOfAnIntervalRun) {
  OnlyMethods({1, 4});
  SetSimOutDecimals(3);  // width 9
  FakeHost host;
  tSimLaunchSettings s = Settings(1, 2, 50);
  s.delimiter = ';';
  s.seed.reset();
  const std::string file = SequencedFileName(Path("table.txt"), "_IC_", 4);
  ASSERT_EQ(file, Path("table_IC_0001.txt"));
  const tRunResult r = Run(kFiveRows, tSimulationType::SimCI, host, s, file);
  ASSERT_EQ(r.outcome, tRunOutcome::complete);
  EXPECT_EQ(r.lines, 2);

  const auto lines = SplitCrLf(ReadFile(file));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Rec;Pa;Pb;Na;Nb;P;O+;O-;n;d;R;d(n);d(cover);d(amp);LR(n);LR(cover);LR(amp)");
  const auto f = Fields(lines[1], ';');
  ASSERT_EQ(f.size(), 17u);
  EXPECT_EQ(f[0], "    1.000");
  EXPECT_EQ(f[1], "    0.800");
  EXPECT_EQ(f[8], " 1000.000");
  EXPECT_EQ(f[9], "    0.100");
  EXPECT_EQ(f[10], "    1.143");
  EXPECT_EQ(f[11], "   50.000");  // d never fails on these samples
  EXPECT_EQ(f[14], "   50.000");
  EXPECT_EQ(Fields(lines[2], ';')[0], "    2.000");
  EXPECT_EQ(host.output, std::vector<std::string>(lines.begin(), lines.end()));

  const std::vector<std::string> expectedLog = {
      "Simulation of confidence intervals ----------------------",
      "Generated output file: " + file,
      "Output table: 2 rows x 17 cols.",
      "- Records: from 1 to 2 (2 records)",
      "- Samples per record: 50",
      "- Methods: d, LR",
      "- Alpha: 0.05, epsilon: 0.05",
      "- Workers: 1",
      "- Program: Kovalin ",
      "- Started: ",
      "Duration: ",
      "Saved 2 records",
      "Complete [Rec: 2  Sample: 50  (100%)]"};
  // The build, the start and the duration change: their captions are pinned.
  ASSERT_EQ(host.log.size(), expectedLog.size());
  std::vector<std::string> log = host.log;
  for (std::size_t i : {8u, 9u, 10u}) {
    EXPECT_EQ(log[i].rfind(expectedLog[i], 0), 0u) << log[i];
    log[i] = expectedLog[i];
  }
  EXPECT_EQ(log, expectedLog);
  EXPECT_EQ(host.log[9].size(), 34u) << host.log[9];  // "- Started: 2026-12-09 21:30:05 UTC"
  // The log stays on its page unless the run ends with a log-off.
  EXPECT_FALSE(fs::exists(LogFileName(file)));
  EXPECT_EQ(SequencedFileName(Path("table.txt"), "_IC_", 4), Path("table_IC_0002.txt"));
}

TEST_F(SimRunTest, GivenSeedRepeatsTheRunByteForByte) {
  OnlyMethods({1, 3, 4, 10, 14, 18});
  for (tSimulationType kind :
       {tSimulationType::SimCI, tSimulationType::simIT, tSimulationType::simGT}) {
    FakeHost a, b;
    const tSimLaunchSettings s = Settings(1, 3, 200);
    const std::string fa = Path("a" + KindTag(kind) + ".txt");
    const std::string fb = Path("b" + KindTag(kind) + ".txt");
    ASSERT_EQ(Run(kFiveRows, kind, a, s, fa).outcome, tRunOutcome::complete);
    ASSERT_EQ(Run(kFiveRows, kind, b, s, fb).outcome, tRunOutcome::complete);
    EXPECT_EQ(ReadFile(fa), ReadFile(fb));
    EXPECT_EQ(a.log[5],
              "- Random seed: 20261209, each record from the seed and its row number (SplitMix64)");
    tSimLaunchSettings other = s;
    other.seed = 1u;
    FakeHost c;
    const std::string fc = Path("c" + KindTag(kind) + ".txt");
    ASSERT_EQ(Run(kFiveRows, kind, c, other, fc).outcome, tRunOutcome::complete);
    EXPECT_NE(ReadFile(fa), ReadFile(fc));
  }
}

TEST_F(SimRunTest, RowWithoutAValidSampleSizeDrawsNoSamples) {
  OnlyMethods({1});
  const FakeTable t = ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 0},
                                      {0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 3.7},
                                      {0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, -999}});
  for (tSimulationType kind : {tSimulationType::SimCI, tSimulationType::simIT}) {
    FakeHost host;
    const std::string file = Path("size" + KindTag(kind) + ".txt");
    ASSERT_EQ(Run(t, kind, host, Settings(1, 3, 20), file).outcome, tRunOutcome::complete);
    const auto lines = SplitCrLf(ReadFile(file));
    ASSERT_EQ(lines.size(), 4u);
    for (int i : {1, 3}) {
      const auto f = Fields(lines[static_cast<std::size_t>(i)], '\t');
      EXPECT_EQ(f[11], "    0.0000") << i;
      EXPECT_EQ(f[12], " -999.0000") << i;
    }
    // The truncated size is the one sampled and written.
    EXPECT_EQ(Fields(lines[2], '\t')[8], "    3.0000");
    EXPECT_EQ(Fields(lines[2], '\t')[11], "   20.0000");
    const auto logged = [&](const std::string& line) {
      return std::find(host.log.begin(), host.log.end(), line) != host.log.end();
    };
    EXPECT_TRUE(logged("Record 1: the sample size n (0) is not a whole number from 1 to "
                       "2147483647; no samples drawn"));
    EXPECT_TRUE(logged("Record 2: the sample size n (3.7) is truncated to 3"));
    EXPECT_TRUE(logged("Record 3: the sample size n is empty or missing (-999); no samples drawn"));
  }
}

TEST_F(SimRunTest, CancelDuringASampleKeepsTheRecordsSoFar) {
  OnlyMethods({1});
  FakeHost host;
  // Per record one yield before its samples and one per sample: the yield of
  // sample 38 of record 3 is number 2 * 1001 + 1 + 38.
  host.stopAtYield = 2 * 1001 + 1 + 38;
  const std::string file = Path("cancel.txt");
  const tRunResult r = Run(kFiveRows, tSimulationType::SimCI, host, Settings(1, 5, 1000), file);
  EXPECT_EQ(r.outcome, tRunOutcome::cancelled);
  EXPECT_EQ(r.lines, 3);
  const auto lines = SplitCrLf(ReadFile(file));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(Fields(lines[1], '\t')[11], " 1000.0000");
  EXPECT_EQ(Fields(lines[3], '\t')[0], "    3.0000");
  EXPECT_EQ(Fields(lines[3], '\t')[11], "   37.0000");
  EXPECT_EQ(host.log[host.log.size() - 2], "Saved 3 records");
  EXPECT_EQ(host.log.back(), "Canceled [Rec: 3  Sample: 37  (4%)]");
}

TEST_F(SimRunTest, CancelBeforeARecordNamesTheLastSampledOne) {
  OnlyMethods({2});
  FakeHost host;
  host.stopAtYield = 2 * 11 + 1;  // the yield before record 3's samples
  const std::string file = Path("cancel2.txt");
  const tRunResult r = Run(kFiveRows, tSimulationType::simGT, host, Settings(1, 5, 10), file);
  EXPECT_EQ(r.outcome, tRunOutcome::cancelled);
  EXPECT_EQ(SplitCrLf(ReadFile(file)).size(), 3u);
  EXPECT_EQ(host.log.back(), "Canceled [Rec: 2  Sample: 10  (100%)]");
}

TEST_F(SimRunTest, StopAnsweredNoLosesNoSample) {
  OnlyMethods({1});
  struct Host : FakeHost {
    void ProcessMessages(tRunControl& run) override {
      FakeHost::ProcessMessages(run);
      // Stop pressed, then "No": the flag is back before the yield returns.
      if (yields == 15) {
        run.Stop();
        run.Resume();
      }
    }
  } host;
  const tRunResult r =
      Run(kFiveRows, tSimulationType::SimCI, host, Settings(1, 2, 10), Path("no.txt"));
  EXPECT_EQ(r.outcome, tRunOutcome::complete);
  const auto lines = SplitCrLf(ReadFile(Path("no.txt")));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Fields(lines[2], '\t')[11], "   10.0000");
  EXPECT_EQ(host.log.back(), "Complete [Rec: 2  Sample: 10  (100%)]");
}

TEST_F(SimRunTest, CancelBeforeTheFirstRecordWritesOnlyTheHeader) {
  OnlyMethods({1});
  FakeHost host;
  host.stopAtYield = 1;
  const tRunResult r =
      Run(kFiveRows, tSimulationType::SimCI, host, Settings(2, 4, 10), Path("c0.txt"));
  EXPECT_EQ(r.outcome, tRunOutcome::cancelled);
  EXPECT_EQ(r.lines, 0);
  EXPECT_EQ(SplitCrLf(ReadFile(Path("c0.txt"))).size(), 1u);
  EXPECT_EQ(host.log.back(), "Canceled [Rec: 2  Sample: 0  (0%)]");
}

TEST_F(SimRunTest, ProgressOfRecordsAndSamples) {
  OnlyMethods({1});
  FakeHost host;
  ASSERT_EQ(Run(kFiveRows, tSimulationType::SimCI, host, Settings(2, 4, 10), Path("p.txt")).outcome,
            tRunOutcome::complete);
  EXPECT_EQ(host.recordProgress, (std::vector<int>{0, 33, 66, 100}));
  EXPECT_EQ(host.recordHints.back(), "100%");
  std::vector<int> samples = {0};
  for (int r = 0; r < 3; ++r)
    for (int k = 1; k <= 10; ++k) samples.push_back(10 * k);
  EXPECT_EQ(host.sampleProgress, samples);
}

TEST_F(SimRunTest, RowWithoutValidProbabilitiesDrawsNoSamples) {
  OnlyMethods({1, 4});
  const FakeTable t = ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 100},
                                      {0.4, 0.4, 0.6, 0.6, 0.3, 2, 2, 100}});
  for (tSimulationType kind : {tSimulationType::SimCI, tSimulationType::simGT}) {
    FakeHost host;
    const std::string file = Path("invalid" + KindTag(kind) + ".txt");
    ASSERT_EQ(Run(t, kind, host, Settings(1, 2, 20), file).outcome, tRunOutcome::complete);
    const auto lines = SplitCrLf(ReadFile(file));
    ASSERT_EQ(lines.size(), 3u);
    const auto f = Fields(lines[2], '\t');
    EXPECT_EQ(f[1], "    0.4000");
    EXPECT_EQ(f[11], "    0.0000");
    EXPECT_EQ(f[12], " -999.0000");
    if (kind == tSimulationType::SimCI) {
      EXPECT_EQ(f[13], " -999.0000");
      EXPECT_EQ(f[14], "    0.0000");
    } else {
      EXPECT_EQ(f[13], "    0.0000");
      EXPECT_EQ(f[14], " -999.0000");
    }
    EXPECT_EQ(Fields(lines[1], '\t')[11], "   20.0000");
    EXPECT_NE(std::find(host.log.begin(), host.log.end(),
                        "Record 2: the parameters give no valid cell probabilities; no samples "
                        "drawn"),
              host.log.end());
  }
}

TEST_F(SimRunTest, GridReceivesEveryLine) {
  OnlyMethods({1});
  AppOptions.decimals = 6;
  FakeHost host;
  host.withGrid = true;
  tSimLaunchSettings s = Settings(1, 2, 5);
  s.showGrid = true;
  ASSERT_EQ(Run(kFiveRows, tSimulationType::SimCI, host, s, Path("g.txt")).outcome,
            tRunOutcome::complete);
  EXPECT_EQ(host.grid.GetNrOfColumns(), 14);
  EXPECT_EQ(host.grid.Rows(), 2);
  EXPECT_EQ(host.grid.names[12], "d(n)");
  EXPECT_EQ(host.grid.Decimals(1), 0);
  EXPECT_EQ(host.grid.Decimals(2), 6);
  EXPECT_EQ(host.grid.Decimals(12), 0);
  EXPECT_EQ(host.grid.Decimals(13), 6);
  EXPECT_EQ((host.grid.cells[{1, 2}]), 2);
  EXPECT_EQ((host.grid.cells[{12, 1}]), 5);
  EXPECT_EQ(std::count(host.log.begin(), host.log.end(), "Error in grid output"), 0);
}

class ShrinkingGrid : public testing_support::FakeGrid {
 public:
  int GetNrOfColumns() const override { return 3; }
};

TEST_F(SimRunTest, LineThatDoesNotFitTheGridIsLoggedAndStillWritten) {
  OnlyMethods({1});
  struct Host : FakeHost {
    ShrinkingGrid small;
    tOutputGrid* OutputGrid() override { return &small; }
  } host;
  tSimLaunchSettings s = Settings(1, 2, 5);
  s.showGrid = true;
  ASSERT_EQ(Run(kFiveRows, tSimulationType::SimCI, host, s, Path("g2.txt")).outcome,
            tRunOutcome::complete);
  EXPECT_EQ(std::count(host.log.begin(), host.log.end(), "Error in grid output"), 2);
  EXPECT_EQ(SplitCrLf(ReadFile(Path("g2.txt"))).size(), 3u);
}

TEST_F(SimRunTest, LogOffSavesBothFilesAndAsksForTheLogOffAfterTheDelay) {
  OnlyMethods({1});
  FakeHost host;
  tSimLaunchSettings s = Settings(1, 1, 5);
  s.shutDown = true;
  s.shutDownDelay = 2;
  const std::string file = Path("off_IC_0001.txt");
  const tRunResult r = Run(kFiveRows, tSimulationType::SimCI, host, s, file);
  ASSERT_EQ(r.outcome, tRunOutcome::complete);
  EXPECT_TRUE(r.logOff);
  EXPECT_EQ(r.logOffDelayMilliseconds, 120000);
  EXPECT_EQ(SplitCrLf(ReadFile(file)).size(), 2u);
  EXPECT_EQ(host.log.back(), "Saved 1 records");
  const auto logLines = SplitCrLf(ReadFile(LogFileName(file)));
  EXPECT_EQ(logLines, host.log);
}

TEST_F(SimRunTest, OutputFolderThatDoesNotExistStopsTheRun) {
  OnlyMethods({1});
  FakeHost host;
  const tRunResult r = Run(kFiveRows, tSimulationType::SimCI, host, Settings(1, 2, 5),
                           Path("missing/out.txt"));
  EXPECT_EQ(r.outcome, tRunOutcome::fileError);
  EXPECT_NE(r.message.find("missing/out.txt"), std::string::npos);
  EXPECT_EQ(r.lines, 0);
}

}  // namespace
}  // namespace kovalin
