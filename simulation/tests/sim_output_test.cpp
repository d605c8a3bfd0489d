#include "simulation/sim_output.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <utility>

#include "simulation/input_form_rec.h"

namespace kovalin {
namespace {

TEST(SimNumberText, FixedPointPaddedButNeverCut) {
  EXPECT_EQ(SimNumberText(1, 4, 10), "    1.0000");
  EXPECT_EQ(SimNumberText(1, 3, 7), "  1.000");
  EXPECT_EQ(SimNumberText(0.8, 3, 7), "  0.800");
  EXPECT_EQ(SimNumberText(100, 3, 7), "100.000");
  EXPECT_EQ(SimNumberText(1000, 3, 7), "1000.000");
  EXPECT_EQ(SimNumberText(-999, 4, 10), " -999.0000");
  EXPECT_EQ(SimNumberText(-0.25, 3, 7), " -0.250");
  EXPECT_EQ(SimNumberText(0.66666666, 4, 10), "    0.6667");
  EXPECT_EQ(SimNumberText(1, 9, 15), "    1.000000000");
}

TEST(SimNumberText, NotANumberAndInfinities) {
  EXPECT_EQ(SimNumberText(std::nan(""), 4, 10), "       Nan");
  EXPECT_EQ(SimNumberText(std::numeric_limits<double>::infinity(), 4, 10), "      +Inf");
  EXPECT_EQ(SimNumberText(-std::numeric_limits<double>::infinity(), 4, 6), "  -Inf");
}

TEST(SimNumberText, TinyNegativeRoundsToUnsignedZero) {
  EXPECT_EQ(SimNumberText(-1e-12, 3, 7), "  0.000");
}

class DelimiterTest : public ::testing::TestWithParam<std::pair<int, char>> {};

TEST_P(DelimiterTest, HeaderAndLineUseTheDelimiter) {
  const char delim = DelimiterAt(GetParam().first);
  EXPECT_EQ(delim, GetParam().second);
  std::vector<tSimColumn> columns = FixedSimColumns();
  columns.push_back({"d(n)", true});
  columns.push_back({"d(cover)", false});
  columns.push_back({"d(amp)", false});
  const std::string d(1, delim);
  EXPECT_EQ(HeaderLine(columns, delim), "Rec" + d + "Pa" + d + "Pb" + d + "Na" + d + "Nb" + d +
                                            "P" + d + "O+" + d + "O-" + d + "n" + d + "d" + d +
                                            "R" + d + "d(n)" + d + "d(cover)" + d + "d(amp)");
  const std::vector<double> res = {123, 1, 0.8, 1000, -999};
  EXPECT_EQ(Write_Rec_to_String(res, 4, delim, 3, 7),
            "  1.000" + d + "  0.800" + d + "1000.000" + d + "-999.000");
}

INSTANTIATE_TEST_SUITE_P(AllDelimiters, DelimiterTest,
                         ::testing::Values(std::pair{0, '\t'}, std::pair{1, ','},
                                           std::pair{2, ';'}, std::pair{3, ' '}));

TEST(SimColumns, FixedColumnsAndTheirCountFlags) {
  const std::vector<tSimColumn> c = FixedSimColumns();
  ASSERT_EQ(c.size(), 11u);
  EXPECT_EQ(c[0].name, "Rec");
  EXPECT_TRUE(c[0].count);
  EXPECT_EQ(c[8].name, "n");
  EXPECT_TRUE(c[8].count);
  EXPECT_FALSE(c[1].count);
  EXPECT_EQ(c[10].name, "R");
}

class FakeGrid : public tOutputGrid {
 public:
  void Redimension(int cols, int rows) override {
    cols_ = cols;
    rows_ = rows;
  }
  void SetColName(int, const std::string&) override {}
  void SetDecPlaces(int, int) override {}
  int GetNrOfColumns() const override { return cols_; }
  void SetElem(int col, int row, double value) override { cells[{col, row}] = value; }
  std::map<std::pair<int, int>, double> cells;

 private:
  int cols_ = 0;
  int rows_ = 0;
};

TEST(WriteRecToGrid, OnlyWhenTheColumnsMatch) {
  FakeGrid grid;
  grid.Redimension(3, 2);
  const std::vector<double> res = {0, 1.5, 2.5, 3.5};
  EXPECT_TRUE(Write_Rec_to_NtabEd(grid, 2, 3, res));
  EXPECT_EQ(grid.cells.size(), 3u);
  EXPECT_EQ((grid.cells[{3, 2}]), 3.5);
  grid.cells.clear();
  EXPECT_FALSE(Write_Rec_to_NtabEd(grid, 1, 2, res));
  EXPECT_TRUE(grid.cells.empty());
}

TEST(NumSamples, BaseTimesPowerOfTen) {
  std::string error;
  EXPECT_EQ(NumSamplesFrom(1, 3, error), 1000);
  EXPECT_EQ(NumSamplesFrom(25, 2, error), 2500);
  EXPECT_EQ(NumSamplesFrom(21, 8, error), 2100000000);
  EXPECT_FALSE(NumSamplesFrom(22, 8, error));
  EXPECT_NE(error.find("2147483647"), std::string::npos);
  EXPECT_FALSE(NumSamplesFrom(100, 8, error));
  EXPECT_FALSE(NumSamplesFrom(0, 3, error));
  EXPECT_FALSE(NumSamplesFrom(21.474836475, 8, error));  // rounds to 2147483648
  EXPECT_FALSE(NumSamplesFrom(std::nan(""), 3, error));
  EXPECT_EQ(SamplesTolerance(1000, 10), 1100);
  EXPECT_EQ(SamplesTolerance(2100000000, 100), 2147483647);
}

TEST(SimKinds, OrderTagsAndTaskTexts) {
  const auto all = OrderedKinds(true, true, true);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0], tSimulationType::SimCI);
  EXPECT_EQ(all[1], tSimulationType::simIT);
  EXPECT_EQ(all[2], tSimulationType::simGT);
  EXPECT_EQ(KindTaskText(all[1], 2, 3), " Individual Homogeneity Tests 2/3");
  const auto global = OrderedKinds(false, false, true);
  ASSERT_EQ(global.size(), 1u);
  EXPECT_EQ(KindTaskText(global[0], 1, 1), " Global Homogeneity Tests 1/1");
  EXPECT_EQ(KindTaskText(tSimulationType::SimCI, 1, 3), " Confidence Intervals 1/3");
  EXPECT_EQ(KindTag(tSimulationType::SimCI), "_IC_");
  EXPECT_EQ(KindTag(tSimulationType::simIT), "_IT_");
  EXPECT_EQ(KindTag(tSimulationType::simGT), "_GT_");
}

}  // namespace
}  // namespace kovalin
