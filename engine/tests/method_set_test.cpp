#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "engine/accumulator_lanes.h"

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
  for (std::size_t i = 0; i <= 8; ++i) EXPECT_TRUE(Same(a.Cells().X[i], b.Cells().X[i])) << label;
  EXPECT_TRUE(Same(a.Cells().nA_x_nB, b.Cells().nA_x_nB)) << label;
  EXPECT_TRUE(Same(a.Measures().B.NPV, b.Measures().B.NPV)) << label;
  EXPECT_TRUE(Same(a.Measures().O_neg, b.Measures().O_neg)) << label;
  EXPECT_TRUE(Same(a.Params.Estimate.value, b.Params.Estimate.value)) << label;
  EXPECT_TRUE(Same(a.Params.Estimate.SE, b.Params.Estimate.SE)) << label;
  EXPECT_TRUE(Same(a.Params.CI.Inf, b.Params.CI.Inf)) << label;
  EXPECT_TRUE(Same(a.Params.CI.Sup, b.Params.CI.Sup)) << label;
  EXPECT_TRUE(Same(a.Params.CI.Length, b.Params.CI.Length)) << label;
  EXPECT_TRUE(Same(a.ITest.Cexp, b.ITest.Cexp)) << label;
  EXPECT_TRUE(Same(a.GTest.Cexp, b.GTest.Cexp)) << label;
  EXPECT_EQ(a.GTest.signification, b.GTest.signification) << label;
  EXPECT_EQ(a.ITest.signification, b.ITest.signification) << label;
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

void ExpectSameAccumulators(const t2BDM& a, const t2BDM& b, const char* path) {
  const std::string label = a.method_Name + " " + path;
  const tCI_SimRec &ca = a.SimRec_CI, &cb = b.SimRec_CI;
  EXPECT_EQ(ca.N, cb.N) << label;
  EXPECT_EQ(ca.Iterations, cb.Iterations) << label;
  EXPECT_EQ(ca.DataCorrections, cb.DataCorrections) << label;
  EXPECT_EQ(ca.Nfailed, cb.Nfailed) << label;
  EXPECT_TRUE(Same(ca.nData, cb.nData)) << label;
  EXPECT_TRUE(Same(ca.ParameterValue, cb.ParameterValue)) << label;
  EXPECT_TRUE(Same(ca.Coverage, cb.Coverage)) << label;
  EXPECT_TRUE(Same(ca.MeanAmplitude, cb.MeanAmplitude)) << label;
  for (auto [ta, tb] : {std::pair{&a.SimRec_IT, &b.SimRec_IT}, {&a.SimRec_GT, &b.SimRec_GT}}) {
    EXPECT_EQ(ta->Iterations, tb->Iterations) << label;
    EXPECT_EQ(ta->DataCorrections, tb->DataCorrections) << label;
    EXPECT_EQ(ta->N, tb->N) << label;
    EXPECT_EQ(ta->Nfailed, tb->Nfailed) << label;
    EXPECT_EQ(ta->N_Significations, tb->N_Significations) << label;
    EXPECT_TRUE(Same(ta->P_Significations, tb->P_Significations)) << label;
  }
}

void ResetAccumulator(t2BDM& m, tSimulationType kind, double d, double r) {
  if (kind == tSimulationType::simIT)
    m.Reset_SimRec_IT();
  else if (kind == tSimulationType::simGT)
    m.Reset_SimRec_GT();
  else
    m.Reset_SimRec_CI(d, r);
}

void UpdateAccumulator(t2BDM& m, tSimulationType kind) {
  if (kind == tSimulationType::simIT)
    m.Update_SimRec_IT();
  else if (kind == tSimulationType::simGT)
    m.Update_SimRec_GT();
  else
    m.Update_SimRec_CI();
}

class PlannedSamples : public ::testing::TestWithParam<tSimulationType> {};

// A run's samples by the fixed plan, with the accumulators side by side (with
// and without AVX), against Calculate and the update of each method alone:
// every result and every accumulator field the same to the bit, over records
// with failing methods, epsilon corrections and cells that stay at zero.
TEST_P(PlannedSamples, EqualCalculatingAndUpdatingEachMethod) {
  const tSimulationType kind = GetParam();
  for (double epsilon : {0.05, 0.0}) {
    for (const std::vector<int>& inactive : {std::vector<int>{}, std::vector<int>{1, 5, 11, 20}}) {
      auto planned = testing::AllMethods(0.01, epsilon, kind);
      auto single = testing::AllMethods(0.01, epsilon, kind);
      auto portable = testing::AllMethods(0.01, epsilon, kind);
      for (int i : inactive) planned[i].Active = single[i].Active = portable[i].Active = false;
      planned.PlanSamples(kind);
      std::vector<t2BDM*> bound;
      portable.ForEachActive([&](t2BDM& m) { bound.push_back(&m); });
      tAccumulatorLanes lanes;
      lanes.Bind(bound, kind);
      std::mt19937 rng(7);
      std::uniform_int_distribution<int> cell(0, 12);
      const double truths[][2] = {{0.05, 1.1}, {-0.1, 0.85}, {0, 1}};
      for (const auto& truth : truths) {
        planned.ResetRecord(truth[0], truth[1]);
        single.ForEachActive([&](t2BDM& m) { ResetAccumulator(m, kind, truth[0], truth[1]); });
        portable.ForEachActive([&](t2BDM& m) { ResetAccumulator(m, kind, truth[0], truth[1]); });
        lanes.Load();
        for (int k = 0; k < 300; ++k) {
          tInputData in;
          for (std::size_t i = 1; i <= 8; ++i) in.N[i] = cell(rng) * (k % 3 == 0 ? 1 : 20);
          planned.Sample(in);
          single.ForEachActive([&](t2BDM& m) {
            m.Calculate(in);
            UpdateAccumulator(m, kind);
          });
          portable.ForEachActive([&](t2BDM& m) { m.Calculate(in); });
          lanes.UpdateWith(false);
          for (int i = 1; i <= kMethodCount; ++i)
            if (single[i].Active) ExpectSameResults(planned[i], single[i]);
        }
        planned.EndRecord();
        lanes.Store();
        for (int i = 1; i <= kMethodCount; ++i) {
          if (!single[i].Active) continue;
          ExpectSameAccumulators(planned[i], single[i], "planned");
          ExpectSameAccumulators(portable[i], single[i], "portable");
        }
      }
      if (::testing::Test::HasFailure()) return;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, PlannedSamples,
                         ::testing::Values(tSimulationType::SimCI, tSimulationType::simIT,
                                           tSimulationType::simGT));

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
