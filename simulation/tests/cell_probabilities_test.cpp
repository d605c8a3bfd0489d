#include "simulation/cell_probabilities.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kovalin {
namespace {

medidas2T Population(double pa, double pb, double na, double nb, double p, double opos,
                     double oneg) {
  medidas2T m;
  m.A.Prevalencia = m.B.Prevalencia = p;
  m.A.PPV = pa;
  m.B.PPV = pb;
  m.A.NPV = na;
  m.B.NPV = nb;
  m.O_pos = opos;
  m.O_neg = oneg;
  SetSensSpecFromPredictive(m);
  return m;
}

// The measures of the eight cells, computed independently of the code under test.
struct CellMeasures {
  double pa, pb, na, nb, prev, opos, oneg;
};

CellMeasures Measure(const tCellProbabilities& q) {
  return {(q[1] + q[2]) / (q[1] + q[2] + q[5] + q[6]),
          (q[1] + q[3]) / (q[1] + q[3] + q[5] + q[7]),
          (q[7] + q[8]) / (q[3] + q[4] + q[7] + q[8]),
          (q[6] + q[8]) / (q[2] + q[4] + q[6] + q[8]),
          q[1] + q[2] + q[3] + q[4],
          q[1] * q[4] / (q[2] * q[3]),
          q[5] * q[8] / (q[6] * q[7])};
}

TEST(ZeroClip, SmallValuesAndNaNBecomeZero) {
  EXPECT_EQ(ZeroClip(1e-9), 0.0);
  EXPECT_EQ(ZeroClip(-1e-9), 0.0);
  EXPECT_EQ(ZeroClip(std::nan("")), 0.0);
  EXPECT_EQ(ZeroClip(2e-9), 2e-9);
  EXPECT_EQ(ZeroClip(-0.3), -0.3);
}

TEST(CellProbabilities, IndependentTestsGiveFourSolutions) {
  const medidas2T m = Population(0.8, 0.7, 0.9, 0.85, 0.3, 1, 1);
  EXPECT_NEAR(m.A.Se, 0.761905, 1e-6);
  EXPECT_NEAR(m.B.Se, 0.636364, 1e-6);
  EXPECT_NEAR(m.A.Sp, 0.918367, 1e-6);
  EXPECT_NEAR(m.B.Sp, 0.883117, 1e-6);
  const tJointRoots r = JointRoots(m);
  EXPECT_NEAR(r.x1, 0.484848, 1e-6);
  EXPECT_EQ(r.x1, r.x2);
  EXPECT_NEAR(r.y1, 0.811026, 1e-6);
  EXPECT_EQ(r.y1, r.y2);

  tCellProbabilities P{};
  EXPECT_EQ(ChooseCellProbabilities(m, 0.3, P), 4);
  const double expected[9] = {0,        0.145455, 0.083117, 0.045455, 0.025974,
                              0.006679, 0.050464, 0.075139, 0.567718};
  for (std::size_t i = 1; i <= 8; ++i) EXPECT_NEAR(P[i], expected[i], 1e-6) << "cell " << i;
  EXPECT_EQ(P[0], 0.0);
}

TEST(CellProbabilities, DependentTestsKeepTheOnlyValidRoot) {
  const medidas2T m = Population(0.8, 0.7, 0.9, 0.85, 0.3, 4, 2);
  const tJointRoots r = JointRoots(m);
  EXPECT_NEAR(r.x1, 1.186965, 1e-6);
  EXPECT_NEAR(r.x2, 0.544637, 1e-6);
  EXPECT_NEAR(r.y1, 1.983861, 1e-6);
  EXPECT_NEAR(r.y2, 0.817624, 1e-6);

  tCellProbabilities Q{};
  EXPECT_FALSE(CellsFromPair(m, 0.3, r.x1, r.y1, Q));
  EXPECT_TRUE(CellsFromPair(m, 0.3, r.x2, r.y2, Q));

  tCellProbabilities P{};
  EXPECT_EQ(ChooseCellProbabilities(m, 0.3, P), 1);
  const CellMeasures back = Measure(P);
  EXPECT_NEAR(back.opos, 4, 1e-9);
  EXPECT_NEAR(back.oneg, 2, 1e-9);
  EXPECT_NEAR(back.pa, 0.8, 1e-9);
  EXPECT_NEAR(back.pb, 0.7, 1e-9);
  EXPECT_NEAR(back.na, 0.9, 1e-9);
  EXPECT_NEAR(back.nb, 0.85, 1e-9);
  EXPECT_NEAR(back.prev, 0.3, 1e-12);
}

TEST(CellProbabilities, NegativeRootIsNotTried) {
  const medidas2T m = Population(0.8, 0.7, 0.9, 0.85, 0.3, 0.5, 3);
  const tJointRoots r = JointRoots(m);
  EXPECT_LT(r.x1, 0);
  tCellProbabilities P{};
  EXPECT_EQ(ChooseCellProbabilities(m, 0.3, P), 1);
  const CellMeasures back = Measure(P);
  EXPECT_NEAR(back.opos, 0.5, 1e-9);
  EXPECT_NEAR(back.oneg, 3, 1e-9);
}

TEST(CellProbabilities, OneOddsRatioOfOneGivesTwoSolutions) {
  const medidas2T m = Population(0.8, 0.7, 0.9, 0.85, 0.3, 1, 2);
  tCellProbabilities P{};
  EXPECT_EQ(ChooseCellProbabilities(m, 0.3, P), 2);
}

TEST(CellProbabilities, ImpossibleParametersKeepThePreviousCells) {
  tCellProbabilities P = {0, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.3};
  const tCellProbabilities before = P;
  // PPV + NPV = 1 makes every denominator zero.
  const medidas2T flat = Population(0.4, 0.4, 0.6, 0.6, 0.3, 2, 2);
  EXPECT_EQ(ChooseCellProbabilities(flat, 0.3, P), 0);
  EXPECT_EQ(P, before);
  // A prevalence of 0 gives infinite cells.
  const medidas2T noDisease = Population(0.8, 0.7, 0.9, 0.85, 0.0, 2, 2);
  EXPECT_EQ(ChooseCellProbabilities(noDisease, 0.0, P), 0);
  EXPECT_EQ(P, before);
  // Predictive values that no population has (PPV below the prevalence).
  const medidas2T impossible = Population(0.2, 0.7, 0.9, 0.85, 0.3, 2, 2);
  EXPECT_EQ(ChooseCellProbabilities(impossible, 0.3, P), 0);
  EXPECT_EQ(P, before);
}

}  // namespace
}  // namespace kovalin
