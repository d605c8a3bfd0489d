#include <gtest/gtest.h>

#include <cmath>

#include "engine/homogeneity.h"
#include "engine/methods.h"
#include "engine_test_support.h"

namespace kovalin {
namespace {

using testing::AllMethods;
using testing::IntegerInput;
using testing::kExampleCells;

constexpr double k6 = 5e-7;

TEST(HomogeneityTests, WorkedExampleStatistics) {
  auto methods = AllMethods();
  for (int i = 1; i <= kMethodCount; ++i) methods[i].Calculate(IntegerInput(kExampleCells));
  EXPECT_NEAR(methods[1].TestMeasures.A.NPV, 0.809524, k6);
  EXPECT_NEAR(methods[1].TestMeasures.B.NPV, 0.724138, k6);

  const std::pair<const char*, double> individual[] = {
      {"d", 2.485298}, {"dp", 2.261647}, {"Fd", 2.307246}, {"LR", 2.466851}, {"R", 2.469406}};
  for (const auto& [label, value] : individual) {
    const auto& m = methods[MethodIndex(label)];
    EXPECT_NEAR(m.ITest.Cexp, value, k6) << label;
    EXPECT_FALSE(m.ITest.signification) << label;
  }
  EXPECT_NEAR(methods[1].GTest.Cexp, 9.695702, k6);
  EXPECT_TRUE(methods[1].GTest.signification);
  EXPECT_NEAR(methods[4].GTest.Cexp, 10.222880, k6);
  EXPECT_TRUE(methods[4].GTest.signification);
  // Fd and FdA share the global test of d; R1, R2 and F1R that of LR.
  for (const char* label : {"Fd", "Fda", "FdA"})
    EXPECT_DOUBLE_EQ(methods[MethodIndex(label)].GTest.Cexp,
                     methods[MethodIndex(label[2] == 'a' ? "da" : "d")].GTest.Cexp)
        << label;
  for (const char* label : {"R1", "R2", "F1R"})
    EXPECT_DOUBLE_EQ(methods[MethodIndex(label)].GTest.Cexp, methods[4].GTest.Cexp) << label;
}

TEST(HomogeneityTests, NoPValueAndNoIndividualTestForFieller) {
  auto methods = AllMethods();
  for (int i = 1; i <= kMethodCount; ++i) {
    methods[i].Calculate(IntegerInput(kExampleCells));
    EXPECT_EQ(methods[i].ITest.pvalue, kMissing);
    EXPECT_EQ(methods[i].GTest.pvalue, kMissing);
  }
  for (int i : {18, 19, 20, 21}) {
    EXPECT_EQ(methods[i].ITest.Cexp, kMissing) << MethodLabel(i);
    EXPECT_FALSE(methods[i].ITest.signification);
    EXPECT_NE(methods[i].GTest.Cexp, kMissing) << MethodLabel(i);
  }
}

TEST(HomogeneityTests, TestsThatAlwaysAgreeGiveZero) {
  // No discordant cells: after the corrections both tests have the same values.
  for (double eps : {0.05, 0.5}) {
    auto methods = AllMethods(0.05, eps);
    for (int i = 1; i <= kMethodCount; ++i) {
      auto& m = methods[i];
      // R2's adjusted ratio is above 1 even when both values agree, so its
      // individual statistic is small but not 0.
      const bool adjustedRatio = i == 16 || i == 17;
      m.Calculate(IntegerInput({25, 0, 0, 7, 9, 0, 0, 40}));
      if (!IsMissing(m.ITest.Cexp)) {
        EXPECT_NEAR(m.ITest.Cexp, 0, adjustedRatio ? 0.01 : 1e-12) << MethodLabel(i);
        EXPECT_FALSE(m.ITest.signification) << MethodLabel(i);
      }
      if (!IsMissing(m.GTest.Cexp)) {
        EXPECT_NEAR(m.GTest.Cexp, 0, 1e-12) << MethodLabel(i);
        EXPECT_FALSE(m.GTest.signification) << MethodLabel(i);
      }
    }
  }
}

// Exposes the statistic setter to check the decision rule at its boundary.
class ProbeMethod : public tMethod_d {
 public:
  using tMethod_d::tMethod_d;
  void Decide(double statistic) { SetITest(statistic); }
};

TEST(HomogeneityTests, CriticalValueItselfIsSignificant) {
  tInitMethodRec rec;
  rec.method_Name = "d";
  rec.method_alfa = 0.05;
  ProbeMethod m(rec);
  m.Decide(3.8416);
  EXPECT_TRUE(m.ITest.signification);
  m.Decide(std::nextafter(3.8416, 0.0));
  EXPECT_FALSE(m.ITest.signification);
  m.Decide(std::nan(""));
  EXPECT_FALSE(m.ITest.signification);

  tTest global{kMissing, 5.0, 0.05, kMissing, false};
  GlobalTest(2, 1, tMatrix2{1, 0, 0, 1}, global);  // 2² + 1² = 5
  EXPECT_EQ(global.Cexp, 5.0);
  EXPECT_TRUE(global.signification);
}

TEST(Inverse2x2, RegularAndSingular) {
  tMatrix2 inv;
  ASSERT_TRUE(Inverse2x2(tMatrix2{2, 1, 1, 1}, inv));
  EXPECT_DOUBLE_EQ(inv.M11, 1);
  EXPECT_DOUBLE_EQ(inv.M12, -1);
  EXPECT_DOUBLE_EQ(inv.M21, -1);
  EXPECT_DOUBLE_EQ(inv.M22, 2);
  EXPECT_FALSE(Inverse2x2(tMatrix2{1, 2, 2, 4}, inv));
  EXPECT_EQ(inv.M11, kMissing);
  EXPECT_EQ(inv.M22, kMissing);
  // The tolerance is on 1 - r^2, not on the determinant: a covariance matrix of
  // a large sample (entries near 1e-5, determinant near 1e-10) is regular, and
  // one whose correlation leaves 1 - r^2 below the tolerance is singular.
  EXPECT_TRUE(Inverse2x2(tMatrix2{1e-5, 0.5e-5, 0.5e-5, 1e-5}, inv));
  EXPECT_DOUBLE_EQ(inv.M11, 1e5 / 0.75);
  const double r = std::sqrt(1 - 0.5e-9);
  EXPECT_FALSE(Inverse2x2(tMatrix2{1e-5, r * 1e-5, r * 1e-5, 1e-5}, inv));
  const double r2 = std::sqrt(1 - 2e-9);
  EXPECT_TRUE(Inverse2x2(tMatrix2{1e-5, r2 * 1e-5, r2 * 1e-5, 1e-5}, inv));

  tTest global{kMissing, 5.991, 0.05, kMissing, false};
  GlobalTest(1, 1, tMatrix2{1, 2, 2, 4}, global);
  EXPECT_EQ(global.Cexp, kMissing);
  EXPECT_FALSE(global.signification);
}

TEST(QuadForm2, UsesBothOffDiagonalEntries) {
  EXPECT_DOUBLE_EQ(QuadForm2(1, 2, tMatrix2{3, 5, 7, 11}), 1 * (3 + 10) + 2 * (7 + 22));
}

}  // namespace
}  // namespace kovalin
