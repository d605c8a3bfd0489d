#include <gtest/gtest.h>

#include "engine/app_options.h"
#include "engine/record_report.h"
#include "engine/text_document.h"
#include "engine_test_support.h"

namespace kovalin {
namespace {

using testing::AllMethods;
using testing::IntegerInput;
using testing::kExampleCells;

class Reports : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = AppOptions;
    AppOptions = DefaultAppOptions();
  }
  void TearDown() override { AppOptions = saved_; }

  tMethodSet Calculated(const std::array<int, 8>& cells = kExampleCells) {
    auto methods = AllMethods();
    for (int i = 1; i <= kMethodCount; ++i) methods[i].Calculate(IntegerInput(cells));
    return methods;
  }

  tConf_rec saved_;
};

TEST_F(Reports, SummaryHeaderAndLineAtFourDecimals) {
  auto methods = Calculated();
  tMemoryDocument doc;
  methods[1].Show_Summary(doc, true, 0.0, 4);
  ASSERT_EQ(doc.LineCount(), 2);
  EXPECT_EQ(doc.Lines()[0],
            "\tMethod        \t      Estimate\t            SE\t         CI(-)\t         CI(+)"
            "\t     CI Length\t     IHT(Cexp)\t     GHT(Cexp)\t  Param\t/cover");
  EXPECT_EQ(doc.Lines()[1],
            "\td             \t       -0.0854\t        0.0542\t       -0.1915\t        0.0208"
            "\t        0.2123\t        2.4853\t        9.6957*          0.00 T");
}

TEST_F(Reports, SummaryWithoutReferenceAndWithMissingValues) {
  auto methods = Calculated();
  tMemoryDocument doc;
  methods[18].Show_Summary(doc, false, kMissing, 2);  // F1R: no SE, no individual test
  ASSERT_EQ(doc.LineCount(), 1);
  EXPECT_EQ(doc.Lines()[0],
            "\tF1R         \t        0.89\t         N/A\t        0.78\t        1.03\t        0.25"
            "\t         N/A\t       10.22*");
}

TEST_F(Reports, ReferenceOutsideIntervalIsMarkedF) {
  auto methods = Calculated();
  tMemoryDocument doc;
  methods[4].Show_Summary(doc, false, 1.5, 4);
  EXPECT_EQ(doc.Lines()[0].substr(doc.Lines()[0].size() - 16), "          1.50 F");
}

TEST_F(Reports, NumberWiderThanColumnIsPrintedWhole) {
  auto methods = Calculated();
  methods[4].Params.CI.Sup = 1234567890123.4567;
  tMemoryDocument doc;
  methods[4].Show_Summary(doc, false, kMissing, 4);
  EXPECT_NE(doc.Lines()[0].find("\t1234567890123.4568\t"), std::string::npos) << doc.Lines()[0];
}

TEST_F(Reports, FullReportOfDifferenceMethod) {
  auto methods = Calculated();
  tMemoryDocument doc;
  methods[1].Show_full(doc);
  const std::vector<std::string> expected = {
      "# Method d",
      "-------------------",
      "\tData corrections: 0",
      "\tData analyzed  (N: 100.0)",
      " \t X[1]:   30.0\t X[2]:   12.0\t X[3]:    4.0\t X[4]:    4.0\t",
      " \t X[5]:    6.0\t X[6]:   10.0\t X[7]:    2.0\t X[8]:   32.0\t",
      "",
      "      # Estimations ",
      "\tTest\t ---A---\t ---B---\t",
      "\tSe:\t     0.8\t     0.7\t",
      "\tSp:\t     0.7\t     0.8\t",
      "\tPPV:\t     0.7\t     0.8\t",
      "\tNPV:\t     0.8\t     0.7\t",
      "\t\t        \t        \t",
      "\tOR+:\t     2.5\t        \t",
      "\tOR-:\t     9.6\t        \t",
      "\tPrev:\t     0.5\t        \t",
      "",
      "      # Inferences on PPV:",
      "\tDif.(A-B)±SE\t       \t    -0.1±0.1\t\t",
      "\t95%-CI(A-B):\t       \t (-0.2, 0.0)\tA=   0.2\t",
      "\tI-Homog. Test:\t       \t         2.5\tNS\t",
      "\tG-Homog. Test:\t       \t         9.7\t*\t",
      "",
  };
  EXPECT_EQ(doc.Lines(), expected);
}

TEST_F(Reports, FullReportOfFiellerRatioWithMissingParts) {
  auto methods = AllMethods();
  methods[18].Calculate(IntegerInput({1, 1, 1, 1, 1, 5, 5, 1}));  // no real roots
  tMemoryDocument doc;
  methods[18].Show_full(doc);
  const auto& lines = doc.Lines();
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[19], "\tRatio(A/B)±SE\t       \t          1.0±N/A\t\t");
  EXPECT_EQ(lines[20], "\t95%-CI(A/B):\t       \t (-999.0, -999.0)\tA=-999.0\t");
  EXPECT_EQ(lines[21], "\tI-Homog. Test:\t       \t              N/A\tNS\t");
}

TEST_F(Reports, GroupsAndHeadings) {
  auto methods = Calculated();
  tMemoryDocument doc;
  AppendMethodReports(doc, methods, false, 0.0, 1.0, 4);
  const auto& lines = doc.Lines();
  // empty, heading, header + 3 methods, empty, heading, header + 18 methods
  ASSERT_EQ(lines.size(), 1u + 1 + 4 + 1 + 1 + 19);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "[1] DIFFERENCES:");
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[7], "[2] RATIOS:");
  EXPECT_EQ(lines[8].substr(0, 7), "\tMethod");
  // Fd follows the ratio methods with the difference reference value.
  EXPECT_EQ(lines[15].substr(0, 4), "\tFd ");
  EXPECT_EQ(lines[15].substr(lines[15].size() - 7), " 0.00 T");
  EXPECT_EQ(lines[9].substr(lines[9].size() - 7), " 1.00 T");
}

TEST_F(Reports, OnlyPooledDifferenceActivePrintsNoHeading) {
  auto methods = Calculated();
  for (int i = 1; i <= kMethodCount; ++i) methods[i].Active = (i == 3);
  tMemoryDocument doc;
  AppendMethodReports(doc, methods, true, 0.0, 1.0, 4);
  const auto& lines = doc.Lines();
  for (const auto& line : lines) {
    EXPECT_NE(line, "[1] DIFFERENCES:");
    EXPECT_NE(line, "[2] RATIOS:");
  }
  // Full block (24 lines) between two empty lines, then the summary: empty, header, dp, empty.
  ASSERT_EQ(lines.size(), 1u + 24 + 1 + 1 + 2 + 1);
  EXPECT_EQ(lines[1], "# Method dp");
  EXPECT_EQ(lines[28].substr(0, 4), "\tdp ");
  EXPECT_EQ(lines[29], "");
}

TEST_F(Reports, NoActiveMethodLeavesOnlyTheEmptyLines) {
  auto methods = Calculated();
  for (int i = 1; i <= kMethodCount; ++i) methods[i].Active = false;
  tMemoryDocument doc;
  AppendMethodReports(doc, methods, false, 0.0, 1.0, 4);
  EXPECT_EQ(doc.Lines(), (std::vector<std::string>{"", ""}));
}

}  // namespace
}  // namespace kovalin
