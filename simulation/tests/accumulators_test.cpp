// The running summaries that every method keeps over the samples of a record.
#include <gtest/gtest.h>

#include "engine/app_options.h"
#include "engine/method_set.h"

namespace kovalin {
namespace {

// Sets the results of a "calculated" sample directly, so that the update rules
// are checked apart from the methods' arithmetic.
void SetSample(t2BDM& m, double inf, double sup, double n = 100, int corrections = 0,
               int error = kErrNone) {
  m.Error_code = error;
  m.Params.CI.Inf = inf;
  m.Params.CI.Sup = sup;
  m.Params.CI.Length = sup - inf;
  m.Data.n = n;
  m.epsilon_Corrections = corrections;
}

class AccumulatorTest : public ::testing::Test {
 protected:
  AccumulatorTest() : methods_(CreateMethods(DefaultAppOptions(), tSimulationType::SimCI)) {}
  t2BDM& d() { return methods_[1]; }   // a difference method
  t2BDM& LR() { return methods_[4]; }  // a ratio method
  tMethodSet methods_;
};

TEST_F(AccumulatorTest, ResetStartsAnEmptyIntervalRecord) {
  d().SimRec_CI.N = 5;
  d().Reset_SimRec_CI(0.1, 1.2);
  const tCI_SimRec& r = d().SimRec_CI;
  EXPECT_EQ(r.N, 0);
  EXPECT_EQ(r.Iterations, 0);
  EXPECT_EQ(r.Nfailed, 0);
  EXPECT_EQ(r.DataCorrections, 0);
  EXPECT_EQ(r.nData, 0);
  EXPECT_EQ(r.Coverage, -999);
  EXPECT_EQ(r.MeanAmplitude, -999);
  EXPECT_EQ(r.ParameterValue, 0.1);
  LR().Reset_SimRec_CI(0.1, 1.2);
  EXPECT_EQ(LR().SimRec_CI.ParameterValue, 1.2);
}

TEST_F(AccumulatorTest, CoverageAndAmplitudeAreRunningMeans) {
  d().Reset_SimRec_CI(0.1, 1.2);
  const double coverage[] = {1, 1, 0.6666666666666666, 0.75};
  const double bounds[][2] = {{0.0, 0.2}, {-0.3, 0.1}, {0.2, 0.5}, {0.05, 0.15}};
  for (int k = 0; k < 4; ++k) {
    SetSample(d(), bounds[k][0], bounds[k][1], 100 + k);
    d().Update_SimRec_CI();
    EXPECT_NEAR(d().SimRec_CI.Coverage, coverage[k], 1e-12) << "after sample " << k + 1;
  }
  EXPECT_EQ(d().SimRec_CI.N, 4);
  EXPECT_EQ(d().SimRec_CI.Iterations, 4);
  EXPECT_NEAR(d().SimRec_CI.MeanAmplitude, (0.2 + 0.4 + 0.3 + 0.1) / 4, 1e-12);
  EXPECT_NEAR(d().SimRec_CI.nData, 101.5, 1e-12);

  d().Reset_SimRec_CI(0.1, 1.2);
  SetSample(d(), 0.0, 0.2);
  d().Update_SimRec_CI();
  EXPECT_NEAR(d().SimRec_CI.MeanAmplitude, 0.2, 1e-12);
  SetSample(d(), -0.2, 0.2);
  d().Update_SimRec_CI();
  EXPECT_NEAR(d().SimRec_CI.MeanAmplitude, 0.3, 1e-12);
}

TEST_F(AccumulatorTest, BoundEqualToTheTrueValueCovers) {
  LR().Reset_SimRec_CI(0, 1.25);
  SetSample(LR(), 1.25, 2.0);
  LR().Update_SimRec_CI();
  SetSample(LR(), 0.5, 1.25);
  LR().Update_SimRec_CI();
  EXPECT_EQ(LR().SimRec_CI.Coverage, 1);
}

TEST_F(AccumulatorTest, FailedSamplesOnlyCountAsIterations) {
  d().Reset_SimRec_CI(0.1, 1);
  SetSample(d(), -999, -999, 0, 1, kErrCellNotPositive);
  d().Update_SimRec_CI();
  EXPECT_EQ(d().SimRec_CI.Coverage, -999);
  EXPECT_EQ(d().SimRec_CI.N, 0);
  SetSample(d(), 0.2, 0.4, 100, 1);  // misses 0.1
  d().Update_SimRec_CI();
  SetSample(d(), 0.0, 0.4);
  d().Update_SimRec_CI();
  const tCI_SimRec& r = d().SimRec_CI;
  EXPECT_EQ(r.Iterations, 3);
  EXPECT_EQ(r.Nfailed, 1);
  EXPECT_EQ(r.N, 2);
  EXPECT_EQ(r.DataCorrections, 2);
  EXPECT_NEAR(r.Coverage, 0.5, 1e-12);
  EXPECT_NEAR(r.MeanAmplitude, 0.3, 1e-12);
}

TEST_F(AccumulatorTest, SevenFailuresInAThousand) {
  d().Reset_SimRec_CI(0.1, 1);
  for (int k = 0; k < 1000; ++k) {
    if (k % 143 == 0)
      SetSample(d(), -999, -999, 0, 0, kErrIntervalMissing);
    else
      SetSample(d(), k % 10 == 0 ? 0.2 : 0.0, 0.3);
    d().Update_SimRec_CI();
  }
  const tCI_SimRec& r = d().SimRec_CI;
  EXPECT_EQ(r.Iterations, 1000);
  EXPECT_EQ(r.Nfailed, 7);
  EXPECT_EQ(r.N, 993);
  // The 100 samples with k % 10 == 0 miss, but k = 0 failed instead.
  EXPECT_NEAR(r.Coverage, (993.0 - 99) / 993.0, 1e-9);
}

TEST_F(AccumulatorTest, RejectionRateOfTheTests) {
  t2BDM& m = d();
  m.SimRec_IT.N = 9;
  m.Reset_SimRec_IT();
  m.Reset_SimRec_GT();
  EXPECT_EQ(m.SimRec_IT.N, 0);
  EXPECT_EQ(m.SimRec_IT.P_Significations, 0);
  for (int k = 0; k < 1000; ++k) {
    m.Error_code = kErrNone;
    m.epsilon_Corrections = k < 3 ? 1 : 0;
    m.ITest.signification = k % 20 == 0;
    m.GTest.signification = k % 4 == 0;
    m.Update_SimRec_IT();
    m.Update_SimRec_GT();
  }
  EXPECT_EQ(m.SimRec_IT.N, 1000);
  EXPECT_EQ(m.SimRec_IT.N_Significations, 50);
  EXPECT_DOUBLE_EQ(m.SimRec_IT.P_Significations, 0.05);
  EXPECT_EQ(m.SimRec_IT.DataCorrections, 3);
  EXPECT_DOUBLE_EQ(m.SimRec_GT.P_Significations, 0.25);
}

TEST_F(AccumulatorTest, FailedTestSamplesAreLeftOut) {
  t2BDM& m = d();
  m.Reset_SimRec_GT();
  m.Error_code = kErrCellNotPositive;
  m.GTest.signification = true;
  m.epsilon_Corrections = 1;
  m.Update_SimRec_GT();
  EXPECT_EQ(m.SimRec_GT.Iterations, 1);
  EXPECT_EQ(m.SimRec_GT.N, 0);
  EXPECT_EQ(m.SimRec_GT.Nfailed, 0);
  EXPECT_EQ(m.SimRec_GT.DataCorrections, 0);
  m.Error_code = kErrNone;
  m.GTest.signification = false;
  m.Update_SimRec_GT();
  m.GTest.signification = true;
  m.Update_SimRec_GT();
  EXPECT_EQ(m.SimRec_GT.N, 2);
  EXPECT_DOUBLE_EQ(m.SimRec_GT.P_Significations, 0.5);
}

}  // namespace
}  // namespace kovalin
