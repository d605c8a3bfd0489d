// A run keeps to what it had when it started: its options, number format, rows,
// stop flag and file, whatever happens while it yields to the user interface.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include "engine/app_options.h"
#include "simulation/grid_record_source.h"
#include "simulation/sim_launch.h"
#include "simulation/tests/fake_host.h"
#include "simulation/tests/file_text.h"
#include "simulation/text_file.h"
#include "tables/data_table.h"

namespace kovalin {
namespace {

namespace fs = std::filesystem;
using testing_support::FakeHost;
using testing_support::ReadFile;


long long CountLines(const std::string& text) {
  long long n = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
    ++n;
  return n;
}

void FillParameters(TDataTable& table) {
  const char* names[] = {"Id", "PA", "PB", "NA", "NB", "P", "Opos", "Oneg", "n"};
  const double rows[3][9] = {{1, 0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 200},
                             {2, 0.7, 0.7, 0.9, 0.9, 0.25, 2, 2, 200},
                             {3, 0.75, 0.6, 0.85, 0.8, 0.4, 1, 1, 200}};
  table.Resize(9, 3);
  for (int c = 1; c <= 9; ++c) {
    table.SetColName(c, names[c - 1]);
    for (int r = 1; r <= 3; ++r) table.SetElem(c, r, rows[r - 1][c - 1]);
  }
}

// A host that lets other handlers run at its yields, as the desktop's event loop does.
struct YieldingHost : FakeHost {
  std::function<void()> atYield;
  void ProcessMessages(tRunControl& run) override {
    FakeHost::ProcessMessages(run);
    if (atYield) atYield();
  }
};

class RunContextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppOptions = DefaultAppOptions();
    AppOptions.Methods.fill(false);
    AppOptions.Methods[1] = true;
    AppOptions.Methods[4] = true;
    SetSimOutDecimals(4);
    dir_ = testing_support::MakeTempDir("kovalin_ctx_");
    settings_.recordInit = 1;
    settings_.recordEnd = 3;
    settings_.numSamples = 30;
    settings_.seed = 77u;
  }
  void TearDown() override {
    fs::remove_all(dir_);
    AppOptions = DefaultAppOptions();
    SimOutDecimals = kInitialSimOutDecimals;
    SimOutWidth = kInitialSimOutWidth;
  }
  fs::path dir_;
  tSimLaunchSettings settings_;
};

TEST_F(RunContextTest, ChangesDuringTheRunDoNotReachIt) {
  TDataTable table;
  FillParameters(table);
  const tGridRecordSource source(table);
  FakeHost quiet;
  ASSERT_EQ(SimulateKind(source, settings_, tSimulationType::SimCI, (dir_ / "a.txt").string(), quiet)
                .outcome,
            tRunOutcome::complete);

  // The same run while the user edits the table, changes the options and then
  // closes the table.
  YieldingHost busy;
  busy.atYield = [&] {
    if (busy.yields == 5) {
      table.SetElem(2, 2, 0.95);
      table.SetElem(9, 3, 5);
      AppOptions.Methods.fill(true);
      AppOptions.epsilon = 0.5;
      AppOptions.alfa_level = 0.01;
      SetSimOutDecimals(9);
    }
    if (busy.yields == 40) table.Resize(0, 0);
  };
  ASSERT_EQ(SimulateKind(source, settings_, tSimulationType::SimCI, (dir_ / "b.txt").string(), busy)
                .outcome,
            tRunOutcome::complete);
  EXPECT_EQ(ReadFile(dir_ / "a.txt"), ReadFile(dir_ / "b.txt"));
  EXPECT_EQ(busy.output, quiet.output);
}

TEST_F(RunContextTest, TheEndOfOneSequenceDoesNotStopAnother) {
  TDataTable table;
  FillParameters(table);
  const tGridRecordSource source(table);

  struct Sequence : tSimSequenceHost {
    YieldingHost host;
    std::vector<std::string> files;
    std::vector<tRunOutcome> outcomes;
    std::function<void()> atBegin;
    tSimHost& BeginKind(tSimulationType, const std::string&, const std::string& file) override {
      files.push_back(file);
      if (atBegin) atBegin();
      return host;
    }
    void EndKind(tSimulationType, const tRunResult& r) override { outcomes.push_back(r.outcome); }
  };
  const std::string base = (dir_ / "t.txt").string();
  Sequence outer, inner;
  // A second launch on the same output base starts after the first one has
  // numbered its file, and ends while the first one yields.
  outer.atBegin = [&] {
    EXPECT_EQ(RunSimulationSequence(source, settings_, base, {tSimulationType::SimCI}, inner),
              tRunOutcome::complete);
  };
  // The file on disk holds the header and every finished line at each yield.
  outer.host.atYield = [&] {
    EXPECT_EQ(CountLines(ReadFile(outer.files[0])),
              static_cast<long long>(outer.host.output.size()));
  };
  EXPECT_EQ(RunSimulationSequence(source, settings_, base, {tSimulationType::SimCI}, outer),
            tRunOutcome::complete);
  EXPECT_EQ(outer.outcomes, std::vector<tRunOutcome>{tRunOutcome::complete});
  ASSERT_EQ(outer.files.size(), 1u);
  ASSERT_EQ(inner.files.size(), 1u);
  EXPECT_EQ(outer.files[0], (dir_ / "t_IC_0001.txt").string());
  EXPECT_EQ(inner.files[0], (dir_ / "t_IC_0002.txt").string());
  EXPECT_EQ(CountLines(ReadFile(outer.files[0])), 4);
  EXPECT_EQ(ReadFile(outer.files[0]), ReadFile(inner.files[0]));  // same seed, whole files
}

TEST_F(RunContextTest, ANewFileNeverReplacesOneThatExists) {
  const std::string name = (dir_ / "x_IC_0001.txt").string();
  std::ofstream(name) << "kept";
  tAppendFile file;
  std::string error;
  EXPECT_EQ(file.CreateNew(name, error), tAppendFile::tOpen::exists);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(ReadFile(name), "kept");
  EXPECT_EQ(CreateSequencedFile((dir_ / "x.txt").string(), "_IC_", 4, file, error),
            (dir_ / "x_IC_0002.txt").string());
  EXPECT_TRUE(file.IsOpen());
}

}  // namespace
}  // namespace kovalin
