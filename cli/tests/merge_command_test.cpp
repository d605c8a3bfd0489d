#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "cli/merge_command.h"
#include "cli/simulate_command.h"
#include "cli/tests/cli_test_support.h"

namespace kovalin::cli {
namespace {

using testing_support::CliRun;

// A log without the lines that differ from run to run of the same study.
std::string WithoutRunLines(const std::string& log) {
  std::string out;
  std::size_t start = 0;
  while (start < log.size()) {
    std::size_t end = log.find("\r\n", start);
    end = end == std::string::npos ? log.size() : end + 2;
    const std::string line = log.substr(start, end - start);
    if (line.rfind("- Workers: ", 0) != 0 && line.rfind("- Started: ", 0) != 0 &&
        line.rfind("Duration: ", 0) != 0)
      out += line;
    start = end;
  }
  return out;
}

class MergeCommandTest : public testing_support::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    table_ = Write("params.txt", testing_support::kParameterTable);
  }
  // One kind over rows `rows` into base_IC_0001.txt; returns that name.
  std::string Shard(const std::string& base, const std::string& rows,
                    std::vector<std::string> more = {}) {
    std::vector<std::string> args = {table_, "--kinds", "ci", "--samples", "40", "--seed", "8",
                                     "--methods", "d,LR,R2", "--rows", rows, "--out", Path(base)};
    args.insert(args.end(), more.begin(), more.end());
    const CliRun r = testing_support::Cli([&] {
      std::vector<std::string> a = {"simulate"};
      a.insert(a.end(), args.begin(), args.end());
      return a;
    }());
    EXPECT_EQ(r.status, 0) << r.err;
    return Path(base + "_IC_0001.txt");
  }
  std::string table_;
};

TEST_F(MergeCommandTest, ShardsInAnyOrderJoinIntoTheFileAndLogOfASingleRun) {
  const std::string whole = Shard("whole", "1-4", {"--jobs", "2"});
  const std::string a = Shard("a", "1");
  const std::string b = Shard("b", "2-3");
  const std::string c = Shard("c", "4", {"--jobs", "1"});
  const std::string out = Path("merged.txt");
  const CliRun r = testing_support::Cli({"merge", out, c, a, b});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, out + "\n");
  EXPECT_EQ(Read(out), Read(whole));
  // The log names its own output file; the rest, record 3's note included, is the single run's.
  std::string log = Read(Path("whole_IC_0001.log.txt"));
  const std::string named = "Generated output file: ";
  const std::size_t at = log.find(named) + named.size();
  log.replace(at, whole.size(), out);
  // So are the lines of how each run went: workers, start and duration (the sum of the parts').
  const std::string merged = Read(Path("merged.log.txt"));
  EXPECT_NE(merged.find("\r\nDuration: "), std::string::npos);
  EXPECT_EQ(WithoutRunLines(merged), WithoutRunLines(log));
  EXPECT_NE(log.find("Record 3: the parameters give no valid cell probabilities"),
            std::string::npos);
}

TEST_F(MergeCommandTest, RefusesPartsThatDoNotMakeOneRunNamingThem) {
  const std::string a = Shard("a", "1-2");
  const std::string b = Shard("b", "3-4");
  const std::string overlap = Shard("o", "2-3");
  const std::string far = Shard("f", "4");
  const std::string other = Shard("m", "3-4", {"--methods", "d"});
  const std::string seed = Shard("s", "3-4", {"--seed", "9"});
  const std::string format = Shard("d", "3-4", {"--decimals", "2"});
  // A shard stopped by Ctrl-C before its end.
  const std::string stopped = Path("x_IC_0001.txt");
  {
    SimulateCommand command;
    command.SetYieldHook([n = 0]() mutable {
      if (++n == 20) std::raise(SIGINT);  // sample 18 of row 4 (row 3 draws none)
    });
    std::ostringstream o, e;
    ASSERT_EQ(command.execute({table_, "--kinds", "ci", "--samples", "40", "--seed", "8",
                               "--methods", "d,LR,R2", "--rows", "3-4", "--jobs", "1", "--out",
                               Path("x")},
                              o, e),
              kExitCancelled);
  }
  const std::string noLog = Write("nolog.txt", Read(b));
  struct Case {
    std::vector<std::string> parts;
    std::vector<std::string> named;
  };
  const std::vector<Case> cases = {
      {{a, overlap}, {overlap, a, "overlap"}},
      {{a, far}, {"rows 3 to 3 are missing", a, far}},
      {{a, other}, {other, a, "header"}},
      {{a, seed}, {seed, a, "seed"}},
      {{a, format}, {format, a, "decimals"}},
      {{a, stopped}, {stopped, "did not complete", "Canceled"}},
      {{a, noLog}, {noLog, "log"}},
      {{a, a}, {a, "overlap"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"merge", Path("out.txt")};
    args.insert(args.end(), c.parts.begin(), c.parts.end());
    const CliRun r = testing_support::Cli(args);
    EXPECT_EQ(r.status, kExitUsage) << r.err;
    for (const std::string& word : c.named) EXPECT_NE(r.err.find(word), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(Path("out.txt")));
  }
  // Nor does it replace a file, its own part least of all.
  const CliRun again = testing_support::Cli({"merge", a, a, b});
  EXPECT_EQ(again.status, kExitUsage);
  EXPECT_NE(again.err.find("exists"), std::string::npos) << again.err;
  EXPECT_EQ(testing_support::Cli({"merge", Path("ok.txt"), b, a}).status, 0);
}

}  // namespace
}  // namespace kovalin::cli
