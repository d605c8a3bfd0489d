#include "simulation/sim_file_names.h"
#include "simulation/tests/file_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace kovalin {
namespace {

namespace fs = std::filesystem;

class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing_support::MakeTempDir("kovalin_names_");
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Touch(const std::string& name) const { std::ofstream(dir_ / name) << "x"; }
  fs::path dir_;
};

TEST(PathWithoutExt, CutsTheFilePartAtTheFirstOccurrenceOfItsExtension) {
  EXPECT_EQ(PathWithoutExt("/data/table.txt"), "/data/table");
  EXPECT_EQ(PathWithoutExt("/data/results.txt.txt"), "/data/results");
  EXPECT_EQ(PathWithoutExt("/data.v2/table"), "/data.v2/table");
  EXPECT_EQ(PathWithoutExt("table.mrd"), "table");
  EXPECT_EQ(PathWithoutExt("C:\\sims\\run.csv"), "C:\\sims\\run");
}

TEST(FileNames, ExtensionAndDefault) {
  EXPECT_EQ(FileExtension("/a.b/c"), "");
  EXPECT_EQ(FileExtension("/a/c.tar.txt"), ".txt");
  EXPECT_EQ(WithDefaultExtension("table"), "table.txt");
  EXPECT_EQ(WithDefaultExtension("table.csv"), "table.csv");
  EXPECT_EQ(LogFileName("/d/table_IC_0003.txt"), "/d/table_IC_0003.log.txt");
}

TEST_F(TempFolder, FirstRunGetsNumberOne) {
  EXPECT_EQ(SequencedFileName(Path("table.txt"), "_IC_", 4), Path("table_IC_0001.txt"));
}

TEST_F(TempFolder, NextNumberFollowsTheHighestExisting) {
  Touch("table_IC_0001.txt");
  Touch("table_IC_0002.txt");
  Touch("table_IC_0002.log.txt");
  Touch("table_IT_0007.txt");   // another kind
  Touch("table_IC_copy.txt");   // not a number
  Touch("table_IC_0009.csv");   // another extension
  EXPECT_EQ(SequencedFileName(Path("table.txt"), "_IC_", 4), Path("table_IC_0003.txt"));
  EXPECT_EQ(SequencedFileName(Path("table.txt"), "_IT_", 4), Path("table_IT_0008.txt"));
  EXPECT_EQ(SequencedFileName(Path("table.txt"), "_GT_", 4), Path("table_GT_0001.txt"));
}

TEST_F(TempFolder, DoubleExtensionIsCutAtTheFirstOne) {
  const std::string out = SequencedFileName(Path("results.txt.txt"), "_IC_", 4);
  EXPECT_EQ(out, Path("results_IC_0001.txt"));
  EXPECT_EQ(LogFileName(out), Path("results_IC_0001.log.txt"));
}

TEST_F(TempFolder, NumberIsCutToItsLastDigits) {
  Touch("table_IC_9999.txt");
  EXPECT_EQ(NextFileNumber(Path("table_IC_.txt"), 4), "0000");
  EXPECT_EQ(NextFileNumber(Path("table_IC_.txt"), 6), "010000");
}

TEST_F(TempFolder, CutNumberNeverReplacesAnEarlierOutput) {
  Touch("table_IC_9999.txt");
  // The cut number 0000 names no file yet, so it is used.
  EXPECT_EQ(SequencedFileName(Path("table.txt"), "_IC_", 4), Path("table_IC_0000.txt"));
  Touch("table_IC_0000.txt");
  EXPECT_EQ(SequencedFileName(Path("table.txt"), "_IC_", 4), Path("table_IC_10000.txt"));
  Touch("table_IC_10000.txt");
  Touch("table_IC_0001.txt");
  EXPECT_EQ(SequencedFileName(Path("table.txt"), "_IC_", 4), Path("table_IC_10001.txt"));
}

TEST_F(TempFolder, MissingFolderStartsAtOne) {
  EXPECT_EQ(NextFileNumber(Path("nowhere/table_IC_.txt"), 4), "0001");
}

TEST(AbbreviatePath, ShortensBetweenSeparators) {
  EXPECT_EQ(AbbreviatePath("D:\\Users\\someone\\Documents\\simulations\\", 5, 15),
            "D:\\...\\simulations");
  EXPECT_EQ(AbbreviatePath("/home/someone/work/simulations/", 6, 15), "/home/.../simulations");
  EXPECT_EQ(AbbreviatePath("/short/", 5, 15), "/short/");
  // At head + tail + 3 characters the path stays whole.
  const std::string exact(23, 'a');
  EXPECT_EQ(AbbreviatePath(exact, 5, 15), exact);
  // Without separators both parts are kept whole.
  EXPECT_EQ(AbbreviatePath(std::string(30, 'b'), 5, 10),
            std::string(5, 'b') + "..." + std::string(10, 'b'));
}

}  // namespace
}  // namespace kovalin
