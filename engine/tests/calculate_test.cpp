#include <gtest/gtest.h>

#include <cmath>

#include "engine/methods.h"
#include "engine_test_support.h"

namespace kovalin {
namespace {

using testing::AllMethods;
using testing::IntegerInput;
using testing::kExampleCells;
using testing::RealInput;

constexpr double k6 = 5e-7;  // six decimals

tInitMethodRec Rec(const char* name, tMethodType type, double h, double alfa, double eps) {
  tInitMethodRec r;
  r.method_Index = 1;
  r.method_Name = name;
  r.method_Type = type;
  r.method_h = h;
  r.method_alfa = alfa;
  r.method_Epsilon = eps;
  return r;
}

TEST(Calculate, WorkedExampleMeasures) {
  tMethod_d m(Rec("d", tMethodType::difference, 0, 0.05, 0.05));
  m.Calculate(IntegerInput(kExampleCells));
  const auto& t = m.TestMeasures;
  EXPECT_EQ(m.Error_code, 0);
  EXPECT_DOUBLE_EQ(m.Data.n, 100);
  EXPECT_DOUBLE_EQ(m.Data.m1, 50);
  EXPECT_DOUBLE_EQ(t.A.Prevalencia, 0.5);
  EXPECT_DOUBLE_EQ(t.B.Prevalencia, 0.5);
  EXPECT_DOUBLE_EQ(t.A.Se, 0.84);
  EXPECT_DOUBLE_EQ(t.B.Se, 0.68);
  EXPECT_DOUBLE_EQ(t.A.Sp, 0.68);
  EXPECT_DOUBLE_EQ(t.B.Sp, 0.84);
  EXPECT_DOUBLE_EQ(t.A.PPV, 42.0 / 58);
  EXPECT_DOUBLE_EQ(t.B.PPV, 34.0 / 42);
  EXPECT_DOUBLE_EQ(t.A.NPV, 34.0 / 42);
  EXPECT_DOUBLE_EQ(t.B.NPV, 42.0 / 58);
  EXPECT_DOUBLE_EQ(t.O_pos, 2.5);
  EXPECT_DOUBLE_EQ(t.O_neg, 9.6);
  EXPECT_DOUBLE_EQ(m.Params.CI.Confidence, 0.95);
}

TEST(Calculate, ZeroCellGetsEpsilonOnEveryCell) {
  tMethod_d m(Rec("d", tMethodType::difference, 0, 0.05, 0.05));
  m.Calculate(IntegerInput({30, 12, 0, 4, 6, 10, 2, 32}));
  EXPECT_EQ(m.epsilon_Corrections, 1);
  EXPECT_TRUE(m.epsilon_Corrected);
  EXPECT_DOUBLE_EQ(m.Data.X[3], 0.05);
  EXPECT_DOUBLE_EQ(m.Data.X[1], 30.05);
  EXPECT_DOUBLE_EQ(m.Data.n, 96.4);
  EXPECT_DOUBLE_EQ(m.TestMeasures.B.PPV, (30.05 + 0.05) / (30.05 + 6.05 + 0.05 + 2.05));
  EXPECT_EQ(m.Error_code, 0);
}

TEST(Calculate, IncrementMakesEpsilonUnnecessary) {
  tMethod_d m(Rec("da", tMethodType::difference, 0.5, 0.05, 0.05));
  m.Calculate(IntegerInput({30, 12, 0, 4, 6, 10, 2, 32}));
  EXPECT_EQ(m.epsilon_Corrections, 0);
  EXPECT_FALSE(m.epsilon_Corrected);
  EXPECT_DOUBLE_EQ(m.Data.X[3], 0.5);
  EXPECT_DOUBLE_EQ(m.Data.n, 96 + 8 * 0.5);
}

TEST(Calculate, ZeroCellWithoutCorrectionsFails) {
  tMethod_d m(Rec("d", tMethodType::difference, 0, 0.05, 0.0));
  m.Calculate(IntegerInput({30, 12, 0, 4, 6, 10, 2, 32}));
  EXPECT_EQ(m.Error_code, 500);
  EXPECT_EQ(m.error_count, 1);
  EXPECT_EQ(m.Params.Estimate.value, kMissing);
  EXPECT_EQ(m.Params.CI.Inf, kMissing);
  EXPECT_EQ(m.Params.CI.Sup, kMissing);
  EXPECT_EQ(m.TestMeasures.A.PPV, kMissing);
  EXPECT_EQ(m.ITest.Cexp, kMissing);
  EXPECT_EQ(m.GTest.Cexp, kMissing);
  // The count accumulates over calculations; a good sample does not reset it.
  m.Calculate(IntegerInput({30, 12, 0, 4, 6, 10, 2, 32}));
  m.Calculate(IntegerInput(kExampleCells));
  EXPECT_EQ(m.Error_code, 0);
  EXPECT_EQ(m.error_count, 2);
}

TEST(Calculate, NegativeFrequenciesCountAsZero) {
  tMethod_d neg(Rec("d", tMethodType::difference, 0, 0.05, 0.05));
  tMethod_d zero(Rec("d", tMethodType::difference, 0, 0.05, 0.05));
  neg.Calculate(IntegerInput({30, -7, 4, 4, 6, 10, 2, 32}));
  zero.Calculate(IntegerInput({30, 0, 4, 4, 6, 10, 2, 32}));
  EXPECT_DOUBLE_EQ(neg.Data.X[2], 0.05);
  EXPECT_EQ(neg.epsilon_Corrections, 1);
  EXPECT_DOUBLE_EQ(neg.Params.Estimate.value, zero.Params.Estimate.value);
  EXPECT_DOUBLE_EQ(neg.Params.CI.Inf, zero.Params.CI.Inf);
}

TEST(Calculate, IntegerAndRealInputAgree) {
  auto a = AllMethods();
  auto b = AllMethods();
  for (int i = 1; i <= kMethodCount; ++i) {
    a[i].Calculate(IntegerInput(kExampleCells));
    b[i].Calculate(RealInput({30, 12, 4, 4, 6, 10, 2, 32}));
    EXPECT_EQ(a[i].Params.Estimate.value, b[i].Params.Estimate.value) << MethodLabel(i);
    EXPECT_EQ(a[i].Params.CI.Inf, b[i].Params.CI.Inf) << MethodLabel(i);
    EXPECT_EQ(a[i].Params.CI.Sup, b[i].Params.CI.Sup) << MethodLabel(i);
    EXPECT_EQ(a[i].GTest.Cexp, b[i].GTest.Cexp) << MethodLabel(i);
  }
}

TEST(Calculate, ResultsDoNotCarryOverBetweenSamples) {
  tMethod_d m(Rec("d", tMethodType::difference, 0, 0.05, 0.0));
  m.Calculate(IntegerInput(kExampleCells));
  ASSERT_NE(m.Params.CI.Inf, kMissing);
  m.Calculate(IntegerInput({0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(m.Params.CI.Inf, kMissing);
  EXPECT_EQ(m.Data.X[1], 0);
  EXPECT_EQ(m.Data.nA, 0);
}

TEST(SetAlfa, KnownLevelsSetTheQuantile) {
  tMethod_d m(Rec("d", tMethodType::difference, 0, 0.05, 0.05));
  EXPECT_EQ(m.Z, 1.96);
  EXPECT_EQ(m.Z2, 1.96 * 1.96);
  EXPECT_DOUBLE_EQ(m.p_ConfLevel, 0.95);
  m.SetAlfa(0.01);
  EXPECT_EQ(m.Z, 2.5758);
  m.SetAlfa(0.10);
  EXPECT_EQ(m.Z, 1.6449);
  m.SetAlfa(0.02);  // unknown level: the quantile stays
  EXPECT_EQ(m.Z, 1.6449);
  EXPECT_DOUBLE_EQ(m.p_Alfa, 0.02);
  m.SetConf_Level(0.99);
  EXPECT_EQ(m.Z, 2.5758);
  EXPECT_DOUBLE_EQ(m.p_Alfa, 1 - 0.99);

  tMethod_d fresh(Rec("d", tMethodType::difference, 0, 0.02, 0.05));
  EXPECT_EQ(fresh.Z, 0);
}

TEST(SetVariance, NonPositiveIsMissingWithError200) {
  tMethod_d m(Rec("d", tMethodType::difference, 0, 0.05, 0.05));
  m.SetVariance(0.04);
  EXPECT_TRUE(m.positive_var);
  EXPECT_DOUBLE_EQ(m.Params.Estimate.SE, 0.2);
  m.SetVariance(0);
  EXPECT_FALSE(m.positive_var);
  EXPECT_EQ(m.Params.Estimate.variance, kMissing);
  EXPECT_EQ(m.Params.Estimate.SE, kMissing);
  EXPECT_EQ(m.Error_code, 200);
  EXPECT_EQ(m.error_count, 0);
  m.SetVariance(std::nan(""));
  EXPECT_TRUE(m.positive_var);
}

TEST(CoverageIndicator, BoundsAreInclusive) {
  tMethod_d m(Rec("d", tMethodType::difference, 0, 0.05, 0.05));
  m.Params.CI.Inf = -0.2;
  m.Params.CI.Sup = 0.1;
  m.SimRec_CI.ParameterValue = -0.2;
  EXPECT_EQ(m.Coverage_Indicator(), 1);
  m.SimRec_CI.ParameterValue = 0.1;
  EXPECT_EQ(m.Coverage_Indicator(), 1);
  m.SimRec_CI.ParameterValue = 0.1000001;
  EXPECT_EQ(m.Coverage_Indicator(), 0);
  m.SimRec_CI.ParameterValue = -0.3;
  EXPECT_EQ(m.Coverage_Indicator(), 0);
  m.Params.CI.Sup = kMissing;
  EXPECT_EQ(m.Coverage_Indicator(), -999);
  m.Params.CI.Sup = std::nan("");
  EXPECT_EQ(m.Coverage_Indicator(), -999);
}

TEST(Create, ParameterValueStartsAtNoDifference) {
  auto methods = AllMethods();
  for (int i = 1; i <= kMethodCount; ++i) {
    const auto& m = methods[i];
    EXPECT_EQ(m.SimRec_CI.ParameterValue, m.IsDifference() ? 0.0 : 1.0) << MethodLabel(i);
    EXPECT_EQ(m.index, i);
    EXPECT_EQ(m.method_Lbl, m.method_Name);
  }
}

TEST(SimulationType, OnlyTheRequestedPartsRun) {
  const auto in = IntegerInput(kExampleCells);
  auto ci = AllMethods(0.05, 0.05, tSimulationType::SimCI);
  auto it = AllMethods(0.05, 0.05, tSimulationType::simIT);
  auto gt = AllMethods(0.05, 0.05, tSimulationType::simGT);
  ci[1].Calculate(in);
  it[1].Calculate(in);
  gt[1].Calculate(in);
  EXPECT_NE(ci[1].Params.CI.Inf, kMissing);
  EXPECT_EQ(ci[1].ITest.Cexp, kMissing);
  EXPECT_EQ(ci[1].GTest.Cexp, kMissing);
  EXPECT_EQ(it[1].Params.CI.Inf, kMissing);
  EXPECT_NEAR(it[1].ITest.Cexp, 2.485298, k6);
  EXPECT_EQ(it[1].GTest.Cexp, kMissing);
  EXPECT_EQ(gt[1].ITest.Cexp, kMissing);
  EXPECT_NEAR(gt[1].GTest.Cexp, 9.695702, k6);
  // Without the interval a missing variance is not turned into error 400.
  EXPECT_EQ(it[1].Error_code, 0);
}

}  // namespace
}  // namespace kovalin
