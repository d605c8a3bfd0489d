#include <gtest/gtest.h>

#include "engine/app_options.h"
#include "simulation/sim_mdb.h"
#include "simulation/tests/fake_table.h"

namespace kovalin {
namespace {

using testing_support::FakeTable;
using testing_support::ParameterTable;

class RecordsTest : public ::testing::Test {
 protected:
  void SetUp() override { AppOptions = DefaultAppOptions(); }
  void TearDown() override { AppOptions = DefaultAppOptions(); }
};

TEST_F(RecordsTest, ColumnsAreFoundInAnyLetterCase) {
  const FakeTable t({"id", "Pa", "pb", "X[1]"}, {{4, 0.8, 0.7, 3}});
  tSimMDB sim(&t);
  EXPECT_EQ(sim.NTabEd_GetColNumber("ID"), 1);
  EXPECT_EQ(sim.NTabEd_GetColNumber("Id"), 1);
  EXPECT_EQ(sim.NTabEd_GetColNumber("x[1]"), 4);
  EXPECT_EQ(sim.NTabEd_GetColNumber("Conf"), -1);
  EXPECT_EQ(sim.NTabEd_GetVal(1, "PA"), 0.8);
  EXPECT_EQ(sim.NTabEd_GetVal(1, "Oneg"), -999);
  const FakeTable empty({}, {});
  tSimMDB none(&empty);
  EXPECT_EQ(none.NTabEd_GetColNumber("PA"), -1);
}

TEST_F(RecordsTest, ParameterRowWithoutConfTakesTheOptionsLevel) {
  AppOptions.alfa_level = 0.01;
  const FakeTable t = ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 100.9}});
  tSimMDB sim(&t);
  const tInputDataRec rec = sim.Get_InputParamsRow(1);
  EXPECT_DOUBLE_EQ(rec.conf, 0.99);
  EXPECT_DOUBLE_EQ(sim.pZalfa, 2.5758);
  EXPECT_EQ(rec.id, 1);
  EXPECT_EQ(rec.n, 100);
  EXPECT_DOUBLE_EQ(rec.d_pos, 0.8 - 0.7);
  EXPECT_DOUBLE_EQ(rec.R_pos, 0.8 / 0.7);
  EXPECT_DOUBLE_EQ(rec.P, 0.3);
  EXPECT_EQ(sim.iRec.PA, 0.8);
}

TEST_F(RecordsTest, ParameterRowWithConfAndNonPositivePB) {
  const FakeTable t({"ID", "Conf", "PA", "PB", "NA", "NB", "p", "Opos", "Oneg", "n"},
                    {{2, 0.9, 0.8, 0, 0.9, -1, 0.3, 1, 1, 50}});
  tSimMDB sim(&t);
  const tInputDataRec rec = sim.Get_InputParamsRow(1);
  EXPECT_DOUBLE_EQ(rec.conf, 0.9);
  EXPECT_DOUBLE_EQ(sim.pZalfa, 1.6449);
  EXPECT_EQ(rec.PB, -999);
  EXPECT_EQ(rec.NB, -999);
  EXPECT_DOUBLE_EQ(rec.d_pos, 0.8 + 999);
  EXPECT_DOUBLE_EQ(rec.R_pos, 0.8 / -999);
}

TEST_F(RecordsTest, RawRecordMeasures) {
  const FakeTable t({"Id", "X[1]", "X[2]", "X[3]", "X[4]", "X[5]", "X[6]", "X[7]", "X[8]"},
                    {{7, 10, 5, 5, 10, 2, 8, 8, 52}});
  tSimMDB sim(&t);
  tInputDataRec rec = sim.Get_InputDataRow(1);
  EXPECT_EQ(rec.id, 7);
  EXPECT_EQ(rec.n, 100);
  EXPECT_EQ(sim.InputData.N[0], -999);
  EXPECT_EQ(sim.InputData.V[0], 100);
  EXPECT_EQ(rec.PA, -999);
  sim.Calc_iDataRec(rec);
  EXPECT_DOUBLE_EQ(rec.PA, 15.0 / 25);
  EXPECT_DOUBLE_EQ(rec.PB, 15.0 / 25);
  EXPECT_DOUBLE_EQ(rec.NA, 60.0 / 75);
  EXPECT_DOUBLE_EQ(rec.NB, 60.0 / 75);
  EXPECT_DOUBLE_EQ(rec.P, 0.3);
  EXPECT_DOUBLE_EQ(rec.O_pos, 4);
  EXPECT_DOUBLE_EQ(rec.O_neg, 1.625);
  EXPECT_DOUBLE_EQ(rec.SeA, 0.5);
  EXPECT_DOUBLE_EQ(rec.conf, 0.95);
  EXPECT_EQ(rec.d_pos, 0);
  EXPECT_EQ(rec.R_pos, 1);
}

TEST_F(RecordsTest, EmptyRecordChangesNothing) {
  const FakeTable t({"X[1]"}, {{0}});
  tSimMDB sim(&t);
  tInputDataRec rec = sim.Get_InputDataRow(1);
  const tInputDataRec before = rec;
  sim.InputData.V.fill(0);
  sim.Calc_iDataRec(rec);
  EXPECT_EQ(rec.PA, before.PA);
  EXPECT_EQ(rec.n, before.n);
}

TEST_F(RecordsTest, PopulationMeasuresAndProbabilities) {
  const FakeTable t = ParameterTable({{0.8, 0.7, 0.9, 0.85, 0.3, 4, 2, 100},
                                      {0.4, 0.4, 0.6, 0.6, 0.3, 2, 2, 100}});
  tSimMDB sim(&t);
  tInputDataRec rec = sim.Get_InputParamsRow(1);
  sim.Get_SDataRec(rec);
  EXPECT_NEAR(rec.SeA, 0.761905, 1e-6);
  EXPECT_NEAR(rec.SpB, 0.883117, 1e-6);
  EXPECT_EQ(sim.NumOfValidSolsXY, 1);
  const tJointRoots r = sim.Get_xy();
  EXPECT_NEAR(r.x2, 0.544637, 1e-6);
  EXPECT_TRUE(sim.Set_Cells_xy(r.x2, r.y2));
  EXPECT_EQ(sim.Q, sim.P);
  const tCellProbabilities first = sim.P;
  // A row without valid cells keeps the previous row's probabilities.
  rec = sim.Get_InputParamsRow(2);
  sim.Get_SDataRec(rec);
  EXPECT_EQ(sim.NumOfValidSolsXY, 0);
  EXPECT_EQ(sim.P, first);
}

TEST_F(RecordsTest, LevelsAndLabels) {
  const FakeTable t({}, {});
  tSimMDB sim(&t);
  sim.SetalfaLevel(0.05);
  EXPECT_DOUBLE_EQ(sim.p_conf_level, 0.95);
  EXPECT_DOUBLE_EQ(sim.pZalfa, 1.96);
  EXPECT_DOUBLE_EQ(sim.pZalfa_2, 1.96 * 1.96);
  sim.SetalfaLevel(0.2);  // an unknown level keeps the quantile
  EXPECT_DOUBLE_EQ(sim.pZalfa, 1.96);
  sim.SetConfLevel(0.99);
  EXPECT_DOUBLE_EQ(sim.pZalfa, 2.5758);
  EXPECT_STREQ(tSimMDB::CellLabels()[1], "+++");
  EXPECT_STREQ(tSimMDB::CellLabels()[8], "---");
}

}  // namespace
}  // namespace kovalin
