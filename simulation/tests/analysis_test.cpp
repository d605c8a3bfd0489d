// The text of the analysis of selected records, line by line.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "engine/app_options.h"
#include "engine/text_document.h"
#include "simulation/analysis_run.h"
#include "simulation/record_validity.h"
#include "simulation/sim_mdb.h"
#include "simulation/tests/fake_table.h"

namespace kovalin {
namespace {

using testing_support::FakeTable;
using testing_support::ParameterTable;

class AnalysisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppOptions = DefaultAppOptions();
    SetSimOutDecimals(4);
  }
  void TearDown() override {
    AppOptions = DefaultAppOptions();
    SimOutDecimals = kInitialSimOutDecimals;
    SimOutWidth = kInitialSimOutWidth;
  }
};

const FakeTable kRawTable({"Id", "X[1]", "X[2]", "X[3]", "X[4]", "X[5]", "X[6]", "X[7]", "X[8]"},
                          {{7, 10, 5, 5, 10, 2, 8, 8, 52}, {8, 30, 12, 4, 4, 6, 10, 2, 32}});

TEST_F(AnalysisTest, RawRecordWithoutActiveMethods) {
  AppOptions.Methods.fill(false);
  tMemoryDocument memo;
  AnalyzeSelection(kRawTable, 1, 1, memo);
  const std::vector<std::string> expected = {
      ">Input: line 1 to line 1",
      "",
      "-----------------------------------------------------------",
      "> Input: Record\t1\tID:\t7",
      "",
      "> Notation: Test A (+/-), Test B (+/-), Gold Standard (+/-)",
      "",
      "# Data  (N: 100.0)",
      " \t X[1]:       10.0 (+++)\t X[2]:        5.0 (+-+)\t X[3]:        5.0 (-++)\t X[4]:       10.0 (--+)\t",
      " \t X[5]:        2.0 (++-)\t X[6]:        8.0 (+--)\t X[7]:        8.0 (-+-)\t X[8]:       52.0 (---)\t",
      "",
      "# Frequencies  (Sum: 1.000)",
      " \t P[1]:      0.100 (+++)\t P[2]:      0.050 (+-+)\t P[3]:      0.050 (-++)\t P[4]:      0.100 (--+)\t",
      " \t P[5]:      0.020 (++-)\t P[6]:      0.080 (+--)\t P[7]:      0.080 (-+-)\t P[8]:      0.520 (---)\t",
      "",
      "",
      "# Measures from raw data:",
      "  MRDest\t   ---A---\t   ---B---\t",
      "     ·Se\t    0.5000\t    0.5000\t",
      "     ·Sp\t    0.8571\t    0.8571\t",
      "    ·PPV\t    0.6000\t    0.6000\t",
      "    ·NPV\t    0.8000\t    0.8000\t",
      "        \t          \t          \t",
      "        \t       OR+\t       OR-\t",
      "    ·ORs\t    4.0000\t    1.6250\t",
      "        \t          \t          \t",
      "  ·Prev.\t    0.3000\t          \t",
      "",
      "# INFERENCES:",
      "- Confidence level: 0.950\t\t- Type-I error rate: 0.050",
      "",
      "",
  };
  EXPECT_EQ(memo.Lines(), expected);
}

TEST_F(AnalysisTest, EveryRawRecordGetsItsBlock) {
  tMemoryDocument memo;
  AnalyzeSelection(kRawTable, 1, 2, memo);
  const auto& lines = memo.Lines();
  EXPECT_EQ(lines[0], ">Input: line 1 to line 2");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(59, '-')), 2);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "> Input: Record\t2\tID:\t8"), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "[1] DIFFERENCES:"), 2);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "[2] RATIOS:"), 2);
}

TEST_F(AnalysisTest, ParameterRecordsWithAndWithoutValidProbabilities) {
  AppOptions.Methods.fill(false);
  AppOptions.Methods[1] = true;
  const FakeTable t = ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 1, 1, 100},
                                      {0.2, 0.7, 0.9, 0.85, 0.3, 2, 2, 100}});
  tMemoryDocument memo;
  int seen = 0;
  AnalyzeSelection(t, 1, 2, memo, 77u, [&](tSimMDB& sim, int row) {
    ++seen;
    if (row == 1) {
      EXPECT_EQ(sim.NumOfValidSolsXY, 4);
      EXPECT_EQ(sim.InputData.N[0], 100);
      EXPECT_TRUE(sim.Methods()[1].Active);
      EXPECT_EQ(sim.Methods()[1].Data.n >= 100, true);
    } else {
      EXPECT_EQ(sim.NumOfValidSolsXY, 0);
    }
  });
  EXPECT_EQ(seen, 2);
  const std::vector<std::string> validStart = {
      "----------------------------------------------------------------------------------------------------------------------",
      "> Input: record\t1\tID:\t1",
      "",
      "# Measures:",
      "  MRDest\t   ---A---\t   ---B---\t",
      "     ·Se\t    0.7619\t    0.6364\t",
      "     ·Sp\t    0.9184\t    0.8831\t",
      "     PPV\t    0.8000\t    0.7000\t",
      "     NPV\t    0.9000\t    0.8500\t",
      "        \t          \t          \t",
      "        \t       OR+\t       OR-\t",
      "     ORs\t    1.0000\t    1.0000\t",
      "        \t          \t          \t",
      "   Prev.\t    0.3000\t          \t",
      "",
      "# Simulation:",
      "· Probabilities (Test A, Test B, Gold Standard) (Sum: 1.0;  Number of solutions: 4",
      " \t P[1]: 0.1455 (+++)\t P[2]: 0.0831 (+-+)\t P[3]: 0.0455 (-++)\t P[4]: 0.0260 (--+)\t",
      " \t P[5]: 0.0067 (++-)\t P[6]: 0.0505 (+--)\t P[7]: 0.0751 (-+-)\t P[8]: 0.5677 (---)\t",
      "",
  };
  const std::vector<std::string> noSolution = {
      "----------------------------------------------------------------------------------------------------------------------",
      "> Input: record\t2\tID:\t2",
      "",
      "# Measures:",
      "  MRDest\t   ---A---\t   ---B---\t",
      "     ·Se\t    1.3333\t    0.6364\t",
      "     ·Sp\t   -1.2857\t    0.8831\t",
      "     PPV\t    0.2000\t    0.7000\t",
      "     NPV\t    0.9000\t    0.8500\t",
      "        \t          \t          \t",
      "        \t       OR+\t       OR-\t",
      "     ORs\t    2.0000\t    2.0000\t",
      "        \t          \t          \t",
      "   Prev.\t    0.3000\t          \t",
      "",
      "# Simulation:",
      "· Probabilities (Test A, Test B, Gold Standard) (Sum: 0.0;  Number of solutions: 0",
      "  * These parameters give no valid cell probabilities: no sample is drawn",
      "",
  };
  const auto& lines = memo.Lines();
  ASSERT_GT(lines.size(), 2 + validStart.size() + noSolution.size());
  EXPECT_EQ(lines[0], ">Input: line 1 to line 2");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.begin() + 2 + validStart.size()),
            validStart);
  // The sample drawn from the probabilities: its table and its size.
  std::size_t at = 2 + validStart.size();
  EXPECT_EQ(lines[at], "\xC2\xB7 Observed Data from simulation: (N: 100.0)");
  EXPECT_NE(lines[at + 1].find("X[1]: "), std::string::npos);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "[1] DIFFERENCES:"), 1);
  // The record without probabilities ends the document with no sample or inference.
  EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<long>(noSolution.size()),
                                     lines.end()),
            noSolution);
}

TEST_F(AnalysisTest, EmptyCellInTheSampleShowsTheCorrectionNote) {
  AppOptions.Methods.fill(false);
  // Cell 5 has a probability of 0.0067: samples of 10 leave it empty nearly always.
  const FakeTable t = ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 1, 1, 10}});
  tMemoryDocument memo;
  AnalyzeSelection(t, 1, 1, memo, 5u, [](tSimMDB& sim, int) { ASSERT_EQ(sim.InputData.N[5], 0); });
  const std::string note =
      "  * Depending on the method, e-correction = 0.050 will be applied to the original data in "
      "order to avoid null frequencies";
  EXPECT_EQ(std::count(memo.Lines().begin(), memo.Lines().end(), note), 1);
}

// The lines of the block of row `row`, from its "> Input:" line to the next dashes.
std::vector<std::string> Block(const std::vector<std::string>& lines, const std::string& input) {
  auto first = std::find(lines.begin(), lines.end(), input);
  auto last = std::find_if(first, lines.end(), [](const std::string& l) { return l.rfind("---", 0) == 0; });
  return {first, last};
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(AnalysisTest, RawRecordsThatCannotBeAnalysedSayWhyAndInferNothing) {
  const FakeTable t({"Id", "X[1]", "X[2]", "X[3]", "X[4]", "X[5]", "X[6]", "X[7]", "X[8]"},
                    {{1, 10, 5, -999, 10, 2, 8, 8, 52},
                     {2, 10, 5, 5, 10, 2, -0.5, 8, 52},
                     {3, 10, 5, 5, 10, 2, 8, 8, 52}});
  tMemoryDocument memo;
  AnalyzeSelection(t, 1, 3, memo);
  const struct {
    const char* input;
    const char* data;
    const char* note;
  } cases[] = {
      {"> Input: Record\t1\tID:\t1", "# Data  (N: -904.0)",
       "  * Cell X[3] is empty or missing (-999): the record cannot be analysed"},
      {"> Input: Record\t2\tID:\t2", "# Data  (N: 91.5)",
       "  * Cell X[6] is negative (-0.5): the record cannot be analysed"},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> block = Block(memo.Lines(), c.input);
    ASSERT_GE(block.size(), 2u) << c.input;
    // The input is shown, then the note ends the block.
    EXPECT_TRUE(Has(block, c.data));
    EXPECT_EQ(block[block.size() - 2], c.note);
    EXPECT_EQ(block.back(), "");
    EXPECT_FALSE(Has(block, "# INFERENCES:"));
  }
  // The valid record after them is analysed in full.
  const std::vector<std::string> valid = Block(memo.Lines(), "> Input: Record\t3\tID:\t3");
  EXPECT_TRUE(Has(valid, "# INFERENCES:"));
  EXPECT_TRUE(Has(valid, "[1] DIFFERENCES:"));

  // A table without one of the cell columns cannot be analysed at all.
  const FakeTable noX8({"Id", "X[1]", "X[2]", "X[3]", "X[4]", "X[5]", "X[6]", "X[7]"},
                       {{1, 10, 5, 5, 10, 2, 8, 8}});
  tMemoryDocument memo2;
  AnalyzeSelection(noX8, 1, 1, memo2);
  EXPECT_TRUE(Has(memo2.Lines(), "  * The table has no column X[8]: the record cannot be analysed"));
  EXPECT_FALSE(Has(memo2.Lines(), "# INFERENCES:"));
}

TEST_F(AnalysisTest, SampleSizeThatIsNotAPositiveWholeNumberDrawsNothing) {
  const std::vector<double> population = {0.8, 0.7, 0.9, 0.85, 0.3, 4, 2};
  auto row = [&](double n) {
    std::vector<double> r = population;
    r.push_back(n);
    return r;
  };
  const FakeTable t = ParameterTable({row(0), row(-5), row(-999), row(2147483648.0), row(0.5),
                                      row(2.9)});
  tMemoryDocument memo;
  std::vector<int> drawnTotals;
  AnalyzeSelection(t, 1, 6, memo, 3u, [&](tSimMDB& sim, int r) {
    if (r == 6) drawnTotals.push_back(sim.InputData.N[0]);
  });
  const std::string limits = ") is not a whole number from 1 to 2147483647: no sample is drawn";
  const std::vector<std::string> notes = {
      "  * The sample size n (0" + limits,
      "  * The sample size n (-5" + limits,
      "  * The sample size n is empty or missing (-999): no sample is drawn",
      "  * The sample size n (2147483648" + limits,
      "  * The sample size n (0.5" + limits,
  };
  for (std::size_t i = 0; i < notes.size(); ++i) {
    const std::vector<std::string> block =
        Block(memo.Lines(), "> Input: record\t" + std::to_string(i + 1) + "\tID:\t" + std::to_string(i + 1));
    ASSERT_GE(block.size(), 2u);
    EXPECT_EQ(block[block.size() - 2], notes[i]);
    EXPECT_FALSE(Has(block, "[1] DIFFERENCES:"));
  }
  // A fractional n is truncated, and the report says so before the sample of that size.
  const std::vector<std::string> truncated = Block(memo.Lines(), "> Input: record\t6\tID:\t6");
  EXPECT_TRUE(Has(truncated, "  * The sample size n (2.9) is truncated to 2"));
  EXPECT_TRUE(Has(truncated, "\xC2\xB7 Observed Data from simulation: (N: 2.0)"));
  EXPECT_TRUE(Has(truncated, "[1] DIFFERENCES:"));
  EXPECT_EQ(drawnTotals, (std::vector<int>{2}));
  // The largest size that truncation leaves within 32 bits.
  const tRecordCheck top = CheckSampleSize(2147483647.9);
  EXPECT_TRUE(top.ok());
  EXPECT_EQ(top.note, "the sample size n (2147483647.9) is truncated to 2147483647");
}

TEST_F(AnalysisTest, SameSeedSameText) {
  const FakeTable t = ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 100},
                                      {0.7, 0.7, 0.9, 0.9, 0.25, 2, 2, 60}});
  tMemoryDocument a, b;
  AnalyzeSelection(t, 1, 2, a, 123u);
  AnalyzeSelection(t, 1, 2, b, 123u);
  EXPECT_EQ(a.Lines(), b.Lines());
}

TEST_F(AnalysisTest, OtherTableKindsGetNothing) {
  const FakeTable t({"SA", "SB"}, {{0.8, 0.7}});
  tMemoryDocument memo;
  AnalyzeSelection(t, 1, 1, memo);
  EXPECT_EQ(memo.LineCount(), 0);
}

}  // namespace
}  // namespace kovalin
