#include <gtest/gtest.h>

#include <algorithm>

#include <csignal>
#include <sstream>

#include "cli/command.h"
#include "cli/simulate_command.h"
#include "cli/tests/cli_test_support.h"
#include "simulation/sim_file_names.h"
#include "simulation/sim_running.h"

namespace kovalin::cli {
namespace {

using testing_support::SplitLines;

using testing_support::CliRun;

CliRun Simulate(std::vector<std::string> args, std::function<void()> yieldHook = {}) {
  SimulateCommand command;
  command.SetYieldHook(std::move(yieldHook));
  std::ostringstream out, err;
  const int status = command.execute(args, out, err);
  return {status, out.str(), err.str()};
}

std::vector<std::string> Fields(const std::string& line, char delimiter) {
  std::vector<std::string> fields;
  std::stringstream ss(line);
  for (std::string f; std::getline(ss, f, delimiter);) fields.push_back(f);
  return fields;
}

class SimulateCommandTest : public testing_support::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    table_ = Write("params.txt", testing_support::kParameterTable);
  }
  std::string table_;
};

TEST_F(SimulateCommandTest, EachKindGetsItsNumberedFileAndLog) {
  const CliRun r = Simulate({table_, "--kinds", "gt,ci,it", "--samples", "20", "--methods",
                             "d,LR,F1R", "--seed", "3"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, Path("params_IC_0001.txt") + "\n" + Path("params_IT_0001.txt") + "\n" +
                       Path("params_GT_0001.txt") + "\n");
  EXPECT_EQ(Files(), (std::vector<std::string>{"params.txt", "params_GT_0001.log.txt",
                                               "params_GT_0001.txt", "params_IC_0001.log.txt",
                                               "params_IC_0001.txt", "params_IT_0001.log.txt",
                                               "params_IT_0001.txt"}));
  const auto ci = SplitLines(Read(Path("params_IC_0001.txt")), "\r\n");
  ASSERT_EQ(ci.size(), 5u);
  EXPECT_EQ(ci[0],
            "Rec\tPa\tPb\tNa\tNb\tP\tO+\tO-\tn\td\tR\td(n)\td(cover)\td(amp)\tLR(n)\tLR(cover)\t"
            "LR(amp)\tF1R(n)\tF1R(cover)\tF1R(amp)");
  // Default decimals 4, width 10.
  EXPECT_EQ(Fields(ci[1], '\t')[0], "    1.0000");
  EXPECT_EQ(Fields(ci[4], '\t')[8], "  200.0000");
  const auto it = SplitLines(Read(Path("params_IT_0001.txt")), "\r\n");
  EXPECT_EQ(Fields(it[0], '\t').size(), 15u);
  EXPECT_EQ(Fields(it[0], '\t')[11], "d/F1R(n)");

  const auto log = SplitLines(Read(Path("params_GT_0001.log.txt")), "\r\n");
  ASSERT_EQ(log.size(), 15u);
  EXPECT_EQ(log[0], "Simulation of Global Homogeneity Tests ------------------");
  EXPECT_EQ(log[1], "Generated output file: " + Path("params_GT_0001.txt"));
  EXPECT_EQ(log[2], "Output table: 4 rows x 17 cols.");
  EXPECT_EQ(log[3], "- Records: from 1 to 4 (4 records)");
  EXPECT_EQ(log[4], "- Samples per record: 20");
  EXPECT_EQ(log[5], "- Random seed: 3, each record from the seed and its row number (SplitMix64)");
  // How the run was made, then the notes, its duration and the end.
  EXPECT_EQ(log[6].rfind("- Methods: d, LR, F1R", 0), 0u) << log[6];
  EXPECT_EQ(log[8].rfind("- Workers: ", 0), 0u) << log[8];
  EXPECT_EQ(log[11], "Record 3: the parameters give no valid cell probabilities; no samples drawn");
  EXPECT_EQ(log[12].rfind("Duration: ", 0), 0u) << log[12];
  EXPECT_EQ(log[13], "Saved 4 records");
  EXPECT_EQ(log[14], "Complete [Rec: 4  Sample: 20  (100%)]");
  // Without a terminal every finished record is one line on stderr, beside the log.
  EXPECT_NE(r.err.find("Record 4/4 written\n"), std::string::npos);
  EXPECT_NE(r.err.find("Complete [Rec: 4  Sample: 20  (100%)]\n"), std::string::npos);
}

TEST_F(SimulateCommandTest, SecondRunTakesTheNextNumberAndSameSeedSameBytes) {
  const std::vector<std::string> args = {table_, "--kinds", "ci", "--samples", "30", "--seed",
                                         "11", "--rows", "1-2"};
  ASSERT_EQ(Simulate(args).status, 0);
  ASSERT_EQ(Simulate(args).status, 0);
  const std::string first = Read(Path("params_IC_0001.txt"));
  EXPECT_FALSE(first.empty());
  EXPECT_EQ(first, Read(Path("params_IC_0002.txt")));
  EXPECT_EQ(SplitLines(first, "\r\n").size(), 3u);
}

TEST_F(SimulateCommandTest, JobsWriteTheSameFilesAndCtrlCStopsThemAll) {
  const std::vector<std::string> args = {table_, "--kinds", "ci,it", "--samples", "300", "--seed",
                                         "21"};
  std::vector<std::string> one = args, two = args;
  one.insert(one.end(), {"--jobs", "1"});
  two.insert(two.end(), {"--jobs", "2"});
  ASSERT_EQ(Simulate(one).status, 0);
  ASSERT_EQ(Simulate(two).status, 0);
  for (const char* kind : {"IC", "IT"}) {
    const std::string first = Read(Path(std::string("params_") + kind + "_0001.txt"));
    EXPECT_EQ(SplitLines(first, "\r\n").size(), 5u);
    EXPECT_EQ(first, Read(Path(std::string("params_") + kind + "_0002.txt"))) << kind;
  }
  // Ctrl-C while two workers draw: both stop, the run reports it like one worker.
  const CliRun r = Simulate({table_, "--kinds", "ci", "--samples", "2000000", "--jobs", "2"},
                            [raised = false]() mutable {
                              if (!raised) std::raise(SIGINT);
                              raised = true;
                            });
  EXPECT_EQ(r.status, 130) << r.err;
  const auto log = SplitLines(Read(Path("params_IC_0003.log.txt")), "\r\n");
  EXPECT_EQ(log.back().rfind("Canceled [Rec: 1  Sample: ", 0), 0u) << log.back();
}

TEST_F(SimulateCommandTest, DelimiterDecimalsAndBaseName) {
  const CliRun r = Simulate({table_, "--kinds", "it", "--samples", "5", "--methods", "dp",
                             "--delimiter", "semicolon", "--decimals", "2", "--out",
                             Path("results.txt.txt"), "--rows", "4"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = SplitLines(Read(Path("results_IT_0001.txt")), "\r\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Rec;Pa;Pb;Na;Nb;P;O+;O-;n;d;R;dp(n);dp(Sig)");
  EXPECT_EQ(Fields(lines[1], ';')[0], "    4.00");
  EXPECT_EQ(Fields(lines[1], ';')[8], "  200.00");
  EXPECT_EQ(Fields(lines[1], ';')[11], "    5.00");
  EXPECT_TRUE(std::filesystem::exists(Path("results_IT_0001.log.txt")));
}

TEST_F(SimulateCommandTest, CtrlCStopsLikeTheStopButton) {
  long long yields = 0;
  // On one thread, one yield per record and one per sample: the yield of sample 38 of record 2.
  const CliRun r = Simulate({table_, "--kinds", "ci,gt", "--samples", "100", "--methods", "d",
                             "--jobs", "1"},
                            [&yields] {
                              if (++yields == 101 + 1 + 38) std::raise(SIGINT);
                            });
  EXPECT_EQ(r.status, 130) << r.err;
  EXPECT_FALSE(SimRunning);
  const auto lines = SplitLines(Read(Path("params_IC_0001.txt")), "\r\n");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Fields(lines[2], '\t')[0], "    2.0000");
  EXPECT_EQ(Fields(lines[2], '\t')[11], "   37.0000");
  const auto log = SplitLines(Read(Path("params_IC_0001.log.txt")), "\r\n");
  EXPECT_EQ(log.back(), "Canceled [Rec: 2  Sample: 37  (37%)]");
  // No further kind starts.
  EXPECT_FALSE(std::filesystem::exists(Path("params_GT_0001.txt")));
  // The handler is gone again: the test process would end on another SIGINT otherwise.
  const auto previous = std::signal(SIGINT, SIG_IGN);
  EXPECT_EQ(previous, SIG_DFL);
  std::signal(SIGINT, previous);
}

TEST_F(SimulateCommandTest, AStoppedSeededRunContinuesToTheUninterruptedFile) {
  // Records long enough that a stop at two workers finds the run still going
  // in an optimised build too.
  const std::vector<std::string> run = {table_, "--kinds", "ci", "--samples", "50000", "--seed",
                                        "5", "--methods", "d,R2"};
  ASSERT_EQ(Simulate(run).status, 0);
  const std::string whole = Read(Path("params_IC_0001.txt"));
  // Stopped at two workers at the first look at the workers, and at one worker
  // while record 2 draws sample 300.
  for (const auto& [jobs, stopAt] : {std::pair{"2", 1}, {"1", 50000 + 2 + 300}}) {
    std::vector<std::string> stopped = run;
    stopped.insert(stopped.end(), {"--jobs", jobs});
    ASSERT_EQ(Simulate(stopped, [yields = 0, stopAt = stopAt]() mutable {
                if (++yields == stopAt) std::raise(SIGINT);
              }).status,
              130);
  }
  // Continued with other methods it would write other columns.
  const CliRun methods = Simulate({table_, "--continue", Path("params_IC_0002.txt")});
  EXPECT_EQ(methods.status, 2);
  EXPECT_NE(methods.err.find("give the same --methods"), std::string::npos) << methods.err;
  for (const char* name : {"params_IC_0002.txt", "params_IC_0003.txt"}) {
    ASSERT_NE(Read(Path(name)), whole);
    const CliRun again = Simulate({table_, "--continue", Path(name), "--methods", "d,R2",
                                   "--jobs", "2"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, Path(name) + "\n");
    EXPECT_EQ(Read(Path(name)), whole) << name;
    const auto log = SplitLines(Read(LogFileName(Path(name))), "\r\n");
    EXPECT_EQ(log.back(), "Complete [Rec: 4  Sample: 50000  (100%)]");
    EXPECT_NE(std::find_if(log.begin(), log.end(),
                           [](const std::string& l) {
                             return l.rfind("- Continued from record ", 0) == 0;
                           }),
              log.end());
  }
  // What cannot be continued to the same file is refused, naming why.
  const CliRun complete = Simulate({table_, "--continue", Path("params_IC_0001.txt"),
                                    "--methods", "d,R2"});
  EXPECT_EQ(complete.status, 2);
  EXPECT_NE(complete.err.find("its run is complete"), std::string::npos) << complete.err;
  ASSERT_EQ(Simulate({table_, "--kinds", "ci", "--samples", "100", "--methods", "d", "--jobs",
                      "1"},
                     [n = 0]() mutable {
                       if (++n == 50) std::raise(SIGINT);
                     }).status,
            130);
  const CliRun clock = Simulate({table_, "--continue", Path("params_IC_0004.txt"), "--methods",
                                 "d"});
  EXPECT_EQ(clock.status, 2);
  EXPECT_NE(clock.err.find("not from a seed"), std::string::npos) << clock.err;
}

TEST_F(SimulateCommandTest, BadInputIsRefusedBeforeAnyFileIsWritten) {
  const std::string raw = Write("raw.txt", testing_support::kRawTable);
  // One text cell turns the column into labels, read as rounded ordinals.
  const std::string text = Write("text.txt",
                                 "Id\tPA\tPB\tNA\tNB\tP\tOpos\tOneg\tn\r\n"
                                 "1\t0.8\t0.7\t0.9\t0.85\t0.3\t4\t2\t100\r\n"
                                 "2\t0.8\t0.7\t0.9\t0.85\tabc\t4\t2\t100\r\n");
  const std::vector<std::vector<std::string>> cases = {
      {table_},
      {text, "--kinds", "ci"},
      {table_, "--kinds", "ci,xx"},
      {table_, "--kinds", "ci", "--samples", "0"},
      {table_, "--kinds", "ci", "--samples", "3000000000"},
      {table_, "--kinds", "ci", "--samples", "1e3"},
      {table_, "--kinds", "ci", "--rows", "2-7"},
      {table_, "--kinds", "ci", "--delimiter", "pipe"},
      {table_, "--kinds", "ci", "--out", Path("nowhere/base.txt")},
      {table_, "--kinds", "ci", "--seed", "4294967296"},
      {table_, "--kinds", "ci", "--jobs", "0"},
      {table_, "--kinds", "ci", "--methods", "d,zz"},
      {table_, "--kinds", "ci", "--full"},
      {raw, "--kinds", "ci"},
      {Path("absent.txt"), "--kinds", "ci"},
  };
  for (const auto& args : cases) {
    const CliRun r = Simulate(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.err.rfind("simulate: ", 0), 0u) << r.err;
  }
  EXPECT_EQ(Files(), (std::vector<std::string>{"params.txt", "raw.txt", "text.txt"}));
  const std::string textError = Simulate({text, "--kinds", "ci"}).err;
  EXPECT_NE(textError.find("\"P\""), std::string::npos) << textError;
  EXPECT_NE(textError.find("abc"), std::string::npos) << textError;
  EXPECT_NE(Simulate({table_, "--kinds", "ci", "--samples", "3000000000"}).err.find("2147483647"),
            std::string::npos);
}

TEST_F(SimulateCommandTest, ShippedParameterTableWithAllMethods) {
  const std::string shipped = std::string(KOVALIN_SOURCE_DIR) + "/examples/parameters_vp.mrd";
  const CliRun r = Simulate({shipped, "--kinds", "ci", "--samples", "50", "--seed", "1", "--out",
                             Path("shipped.txt")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, Path("shipped_IC_0001.txt") + "\n");
  const auto lines = SplitLines(Read(Path("shipped_IC_0001.txt")), "\r\n");
  ASSERT_EQ(lines.size(), 6u);
  for (const std::string& line : lines) EXPECT_EQ(Fields(line, '\t').size(), 74u);
  EXPECT_EQ(Fields(lines[3], '\t')[8], " 1000.0000");  // n of record 3
}

TEST(SimulateCommandRegistry, IsListedByTheCli) {
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"--help"}, out, err), 0);
  EXPECT_NE(out.str().find("simulate FILE --kinds ci,it,gt"), std::string::npos);
  EXPECT_NE(out.str().find("analyze FILE [--rows A-B]"), std::string::npos);
}

}  // namespace
}  // namespace kovalin::cli
