#include <gtest/gtest.h>

#include "engine/methods.h"
#include "engine_test_support.h"

namespace kovalin {
namespace {

using testing::AllMethods;
using testing::IntegerInput;
using testing::kExampleCells;

constexpr double k6 = 5e-7;  // six decimals

struct ExampleRow {
  const char* label;
  double est, variance, se, inf, sup;  // -999: not stated for this method
};

// Worked example, alpha 0.05: figures to six decimals.
const ExampleRow kExample[] = {
    {"d", -0.085386, 0.002934, 0.054162, -0.191544, 0.020772},
    {"dp", -0.085386, 0.003224, -999, -0.196669, 0.025897},
    {"Fd", -0.085386, -999, -999, -0.204023, 0.022264},
    {"LR", 0.894523, 0.005036, 0.070968, 0.778363, 1.028019},
    {"R", 0.894523, -999, -999, 0.778450, 1.027904},
    {"F1R", 0.894523, -999, -999, 0.775681, 1.027661},
};

void PrintTo(const ExampleRow& row, std::ostream* os) { *os << row.label; }

class WorkedExample : public ::testing::TestWithParam<ExampleRow> {};

TEST_P(WorkedExample, EstimateVarianceAndInterval) {
  const ExampleRow& row = GetParam();
  auto methods = AllMethods();
  t2BDM& m = methods[MethodIndex(row.label)];
  m.Calculate(IntegerInput(kExampleCells));
  EXPECT_EQ(m.Error_code, 0);
  EXPECT_NEAR(m.Params.Estimate.value, row.est, k6);
  if (row.variance != -999) {
    // The stated variances are rounded to six decimals of a number near 0.003.
    EXPECT_NEAR(m.Params.Estimate.variance, row.variance, k6);
  }
  if (row.se != -999) {
    EXPECT_NEAR(m.Params.Estimate.SE, row.se, k6);
  }
  EXPECT_NEAR(m.Params.CI.Inf, row.inf, k6);
  EXPECT_NEAR(m.Params.CI.Sup, row.sup, k6);
  EXPECT_DOUBLE_EQ(m.Params.CI.Length, m.Params.CI.Sup - m.Params.CI.Inf);
}

INSTANTIATE_TEST_SUITE_P(Methods, WorkedExample, ::testing::ValuesIn(kExample),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(Methods, TableOfTheTwentyOne) {
  const char* labels[] = {"d",   "da",  "dp",   "LR",  "LRa", "LRp",  "R",
                          "Ra",  "Rp",  "Fd",   "Fda", "FdA", "FdAa", "R1",
                          "R1a", "R2",  "R2a",  "F1R", "F1Ra", "F2R", "F2Ra"};
  auto methods = AllMethods();
  for (int i = 1; i <= kMethodCount; ++i) {
    EXPECT_EQ(MethodLabel(i), labels[i - 1]);
    EXPECT_EQ(methods[i].method_Name, labels[i - 1]);
    const bool difference = i <= 3 || (i >= 10 && i <= 13);
    EXPECT_EQ(methods[i].IsDifference(), difference) << labels[i - 1];
    const bool adjusted = std::string(labels[i - 1]).back() == 'a';
    EXPECT_EQ(methods[i].inc_h, adjusted ? (difference ? 0.4802 : 0.5) : 0.0) << labels[i - 1];
  }
  EXPECT_EQ(MethodLabel(0), "NA");
  EXPECT_EQ(MethodLabel(22), "NA");
  EXPECT_EQ(MethodIndex("FdAa"), 13);
  EXPECT_EQ(MethodIndex("fdaa"), 0);
  // Each label's class: the "a" variant behaves as its base with the increment.
  EXPECT_NE(dynamic_cast<tMethod_Fd_A*>(&methods[13]), nullptr);
  EXPECT_NE(dynamic_cast<tMethod_Rp*>(&methods[9]), nullptr);
  EXPECT_NE(dynamic_cast<tMethod_F2R*>(&methods[21]), nullptr);
}

TEST(Methods, AdjustedVariantEqualsBaseOnIncrementedCells) {
  auto methods = AllMethods();
  methods[2].Calculate(IntegerInput(kExampleCells));  // da
  tInputData shifted;
  shifted.N[0] = -999;
  for (std::size_t i = 1; i <= 8; ++i) shifted.V[i] = kExampleCells[i - 1] + 0.4802;
  methods[1].Calculate(shifted);  // d on the same cells
  EXPECT_DOUBLE_EQ(methods[2].Params.Estimate.value, methods[1].Params.Estimate.value);
  EXPECT_DOUBLE_EQ(methods[2].Params.CI.Inf, methods[1].Params.CI.Inf);
  EXPECT_NE(methods[2].Params.Estimate.value, -0.085386);
}

TEST(Methods, ZeroCellCorrectedByEpsilonOnlyWithoutIncrement) {
  auto methods = AllMethods();
  const auto in = IntegerInput({30, 12, 4, 0, 6, 10, 2, 32});
  methods[1].Calculate(in);
  methods[2].Calculate(in);
  EXPECT_EQ(methods[1].epsilon_Corrections, 1);
  EXPECT_EQ(methods[2].epsilon_Corrections, 0);
}

TEST(Methods, DefaultDifferenceIntervalStaysInRange) {
  auto methods = AllMethods();
  // Nearly all positives of A are diseased and few of B: a difference near 1.
  for (const auto& cells : {std::array<int, 8>{1, 40, 0, 0, 0, 0, 40, 0},
                            std::array<int, 8>{0, 0, 40, 1, 0, 40, 0, 0},
                            std::array<int, 8>{2, 3, 0, 0, 0, 0, 3, 1}}) {
    for (int i : {1, 2, 3}) {
      methods[i].Calculate(IntegerInput(cells));
      if (methods[i].Error_code != 0) continue;
      EXPECT_GE(methods[i].Params.CI.Inf, -1) << MethodLabel(i);
      EXPECT_LE(methods[i].Params.CI.Sup, 1) << MethodLabel(i);
    }
  }
}

TEST(Methods, QuadraticDifferenceWithoutRealRootsCoversEverything) {
  auto methods = AllMethods();
  methods[10].Calculate(IntegerInput({1, 1, 1, 1, 1, 1, 1, 2}));
  EXPECT_EQ(methods[10].Error_code, 0);
  EXPECT_EQ(methods[10].Params.CI.Inf, -1);
  EXPECT_EQ(methods[10].Params.CI.Sup, 1);
  EXPECT_EQ(methods[10].Params.CI.Length, 2);
}

TEST(Methods, FiellerWithoutRealRootsFails) {
  auto methods = AllMethods();
  methods[18].Calculate(IntegerInput({1, 1, 1, 1, 1, 5, 5, 1}));
  EXPECT_EQ(methods[18].Error_code, 400);  // 300 from the quadratic, then 400
  EXPECT_EQ(methods[18].Params.CI.Inf, kMissing);
  EXPECT_EQ(methods[18].Params.CI.Sup, kMissing);
  EXPECT_EQ(methods[18].error_count, 1);

  auto onlyTests = AllMethods(0.05, 0.05, tSimulationType::simGT);
  onlyTests[20].Calculate(IntegerInput({1, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(onlyTests[20].Error_code, 0);  // no interval computed, no error
  auto withInterval = AllMethods(0.05, 0.05, tSimulationType::SimCI);
  withInterval[20].Calculate(IntegerInput({1, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(withInterval[20].Error_code, 400);
}

TEST(Methods, FiellerWithNegativeLeadingTermStillOrdersTheRoots) {
  auto methods = AllMethods();
  // Few positives of B: cB = pB² − z²·pB(1−pB)/nB < 0.
  methods[18].Calculate(IntegerInput({1, 50, 1, 1, 5, 5, 5, 5}));
  const auto& m = methods[18];
  const double pB = m.TestMeasures.B.PPV;
  ASSERT_LT(pB * pB - m.Z2 * pB * (1 - pB) / m.Data.nB, 0);
  EXPECT_EQ(m.Error_code, 0);
  EXPECT_LE(m.Params.CI.Inf, m.Params.CI.Sup);
  EXPECT_GE(m.Params.CI.Inf, 0);
}

TEST(Methods, RatioIntervalsAreNotCut) {
  auto methods = AllMethods();
  // PPV of A much larger than PPV of B.
  const auto in = IntegerInput({1, 60, 0, 0, 0, 1, 40, 30});
  for (int i : {4, 7}) {
    methods[i].Calculate(in);
    EXPECT_GT(methods[i].Params.CI.Sup, 99) << MethodLabel(i);
  }
}

TEST(Methods, R1WithoutPositiveDenominatorHasNoInterval) {
  auto methods = AllMethods();
  const auto in = IntegerInput({0, 10, 0, 0, 300, 0, 3, 1000});
  methods[14].Calculate(in);
  methods[4].Calculate(in);
  ASSERT_EQ(methods[4].Error_code, 0);
  EXPECT_GE(methods[14].Z * methods[14].Params.Estimate.SE / 2, 1);
  EXPECT_EQ(methods[14].Error_code, 400);
  EXPECT_EQ(methods[14].Params.CI.Inf, kMissing);
}

TEST(Methods, AlphaChangesIntervalsButNotTests) {
  auto at05 = AllMethods(0.05);
  auto at01 = AllMethods(0.01);
  for (int i = 1; i <= kMethodCount; ++i) {
    at05[i].Calculate(IntegerInput(kExampleCells));
    at01[i].Calculate(IntegerInput(kExampleCells));
    EXPECT_LT(at01[i].Params.CI.Inf, at05[i].Params.CI.Inf) << MethodLabel(i);
    EXPECT_EQ(at01[i].ITest.Calfa, 3.8416);
    EXPECT_EQ(at01[i].GTest.Calfa, 5.991);
    EXPECT_EQ(at01[i].ITest.signification, at05[i].ITest.signification) << MethodLabel(i);
    EXPECT_EQ(at01[i].GTest.signification, at05[i].GTest.signification) << MethodLabel(i);
    EXPECT_DOUBLE_EQ(at01[i].Params.CI.Confidence, 0.99);
  }
}

}  // namespace
}  // namespace kovalin
