#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "engine_test_support.h"

namespace kovalin {
namespace {

// Bitwise equality, so that NaN results compare equal to themselves.
bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void ExpectSameResults(const t2BDM& a, const t2BDM& b) {
  const std::string label = a.method_Name;
  EXPECT_EQ(a.Error_code, b.Error_code) << label;
  EXPECT_EQ(a.error_count, b.error_count) << label;
  EXPECT_EQ(a.epsilon_Corrections, b.epsilon_Corrections) << label;
  EXPECT_EQ(a.positive_var, b.positive_var) << label;
  EXPECT_TRUE(Same(a.Params.Estimate.variance, b.Params.Estimate.variance)) << label;
  for (std::size_t i = 0; i <= 8; ++i) EXPECT_TRUE(Same(a.Data.X[i], b.Data.X[i])) << label;
  EXPECT_TRUE(Same(a.Data.nA_x_nB, b.Data.nA_x_nB)) << label;
  EXPECT_TRUE(Same(a.TestMeasures.B.NPV, b.TestMeasures.B.NPV)) << label;
  EXPECT_TRUE(Same(a.TestMeasures.O_neg, b.TestMeasures.O_neg)) << label;
  EXPECT_TRUE(Same(a.Params.Estimate.value, b.Params.Estimate.value)) << label;
  EXPECT_TRUE(Same(a.Params.Estimate.SE, b.Params.Estimate.SE)) << label;
  EXPECT_TRUE(Same(a.Params.CI.Inf, b.Params.CI.Inf)) << label;
  EXPECT_TRUE(Same(a.Params.CI.Sup, b.Params.CI.Sup)) << label;
  EXPECT_TRUE(Same(a.Params.CI.Length, b.Params.CI.Length)) << label;
  EXPECT_TRUE(Same(a.ITest.Cexp, b.ITest.Cexp)) << label;
  EXPECT_TRUE(Same(a.GTest.Cexp, b.GTest.Cexp)) << label;
  EXPECT_EQ(a.GTest.signification, b.GTest.signification) << label;
}

class SharedCalculation : public ::testing::TestWithParam<tSimulationType> {};

// Sharing the corrected cells and global tests between methods must not change
// a single bit of any result, including errors and their counts.
TEST_P(SharedCalculation, EqualsCalculatingEachMethod) {
  // All methods, then some inactive so that a shared source is not always the
  // first method of its family.
  for (const std::vector<int>& inactive : {std::vector<int>{}, std::vector<int>{1, 5, 11, 20}}) {
    auto shared = testing::AllMethods(0.05, 0.05, GetParam());
    auto single = testing::AllMethods(0.05, 0.05, GetParam());
    for (int i : inactive) shared[i].Active = single[i].Active = false;
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> cell(0, 12);
    for (int k = 0; k < 400; ++k) {
      tInputData in;
      for (std::size_t i = 1; i <= 8; ++i) in.N[i] = cell(rng) - (k % 50 == 0 ? 3 : 0);
      shared.CalculateActive(in);
      single.ForEachActive([&](t2BDM& m) { m.Calculate(in); });
      for (int i = 1; i <= kMethodCount; ++i)
        if (single[i].Active) ExpectSameResults(shared[i], single[i]);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Types, SharedCalculation,
                         ::testing::Values(tSimulationType::simAny, tSimulationType::SimCI,
                                           tSimulationType::simIT, tSimulationType::simGT));

TEST(SharedCalculation, ZeroEpsilonErrorsAreCountedPerMethod) {
  auto methods = testing::AllMethods(0.05, 0.0);
  tInputData in;
  for (std::size_t i = 1; i <= 8; ++i) in.N[i] = i == 4 ? 0 : 5;
  methods.CalculateActive(in);
  methods.CalculateActive(in);
  for (int i = 1; i <= kMethodCount; ++i) {
    const bool incremented = methods[i].inc_h > 0;
    EXPECT_EQ(methods[i].Error_code, incremented ? 0 : 500) << MethodLabel(i);
    EXPECT_EQ(methods[i].error_count, incremented ? 0 : 2) << MethodLabel(i);
  }
}

TEST(SharedCalculation, FollowsChangesOfTheActiveSet) {
  auto methods = testing::AllMethods();
  const auto in = testing::IntegerInput(testing::kExampleCells);
  methods.CalculateActive(in);
  methods[1].Active = false;  // d was the source of Fd's data and global test
  auto fresh = testing::AllMethods();
  methods.CalculateActive(testing::IntegerInput({3, 4, 5, 6, 7, 8, 9, 10}));
  fresh[10].Calculate(testing::IntegerInput({3, 4, 5, 6, 7, 8, 9, 10}));
  ExpectSameResults(methods[10], fresh[10]);
  EXPECT_EQ(methods.ActiveCount(), 20);
}

TEST(SharedCalculation, FollowsChangesOfTheIncrement) {
  auto methods = testing::AllMethods();
  const auto in = testing::IntegerInput({3, 0, 5, 6, 7, 8, 9, 10});
  methods.CalculateActive(in);
  methods[10].Seth(0.25);  // Fd no longer shares d's corrected cells
  methods.CalculateActive(in);
  EXPECT_DOUBLE_EQ(methods[10].Data.X[2], 0.25);
  EXPECT_EQ(methods[10].epsilon_Corrections, 0);
  EXPECT_EQ(methods[1].epsilon_Corrections, 1);
}

}  // namespace
}  // namespace kovalin
