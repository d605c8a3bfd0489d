// Reading the records of a table and turning parameter records into cell
// probabilities.
#include <cmath>
#include <memory>

#include "simulation/column_lookup.h"
#include "simulation/sim_mdb.h"

namespace kovalin {

namespace {

// A table value truncated toward zero; values that are not numbers or beyond
// the range of int32 (a -999 missing value stays -999) give -999.
std::int32_t TruncatedInt(double v) {
  if (!std::isfinite(v) || v <= -2147483649.0 || v >= 2147483648.0) return kMissingInt;
  return static_cast<std::int32_t>(std::trunc(v));
}

std::int32_t RoundedInt(double v) {
  if (!std::isfinite(v) || v <= -2147483648.5 || v >= 2147483647.5) return kMissingInt;
  return static_cast<std::int32_t>(std::nearbyint(v));
}

}  // namespace

tSimMDB::tSimMDB(const tRecordSource* grid)
    : InputNTabEd(grid),
      ownContext_(std::make_unique<tRunContext>(StartRunContext())),
      context_(ownContext_.get()) {
  P.fill(0);
  Q.fill(0);
  InputData.N.fill(0);
}

tSimMDB::tSimMDB(const tRecordSource* grid, tRunContext& context)
    : InputNTabEd(grid), context_(&context) {
  P.fill(0);
  Q.fill(0);
  InputData.N.fill(0);
}

int tSimMDB::NTabEd_GetColNumber(const std::string& Varname, int LcharsToCheck) const {
  if (!InputNTabEd) return -1;
  return FindColumn(*InputNTabEd, Varname, LcharsToCheck);
}

double tSimMDB::NTabEd_GetVal(int activeRow, const std::string& Varname, int LcharsToCheck) const {
  if (!InputNTabEd) return kMissing;
  return ColumnValue(*InputNTabEd, activeRow, Varname, LcharsToCheck);
}

void tSimMDB::SetZalfa() {
  if (std::fabs(p_alfa_level - 0.05) <= 1e-16)
    pZalfa = 1.96;
  else if (std::fabs(p_alfa_level - 0.01) <= 1e-16)
    pZalfa = 2.5758;
  else if (std::fabs(p_alfa_level - 0.10) <= 1e-16)
    pZalfa = 1.6449;
  pZalfa_2 = pZalfa * pZalfa;
}

void tSimMDB::SetConfLevel(double level) {
  p_alfa_level = 1 - level;
  p_conf_level = level;
  SetZalfa();
}

void tSimMDB::SetalfaLevel(double alpha) {
  p_alfa_level = alpha;
  p_conf_level = 1 - alpha;
  SetZalfa();
}

tInputDataRec tSimMDB::Get_InputParamsRow(int activeRow) {
  Epsilon = context_->options.epsilon;
  SetConfLevel(NTabEd_GetVal(activeRow, "Conf"));
  if (p_conf_level == kMissing) SetConfLevel(1 - context_->options.alfa_level);

  tInputDataRec rec;
  rec.id = TruncatedInt(NTabEd_GetVal(activeRow, "ID"));
  rec.PA = NTabEd_GetVal(activeRow, "PA");
  rec.PB = NTabEd_GetVal(activeRow, "PB");
  rec.NA = NTabEd_GetVal(activeRow, "NA");
  rec.NB = NTabEd_GetVal(activeRow, "NB");
  rec.P = NTabEd_GetVal(activeRow, "p");
  rec.O_pos = NTabEd_GetVal(activeRow, "Opos");
  rec.O_neg = NTabEd_GetVal(activeRow, "Oneg");
  if (!(rec.PB > 0)) rec.PB = kMissing;
  if (!(rec.NB > 0)) rec.NB = kMissing;
  rec.n = TruncatedInt(NTabEd_GetVal(activeRow, "n"));
  rec.conf = p_conf_level;
  rec.SeA = rec.SpA = rec.SeB = rec.SpB = 0;
  rec.d_pos = rec.PA - rec.PB;
  rec.d_neg = rec.NA - rec.NB;
  rec.R_pos = rec.PA / rec.PB;
  rec.R_neg = rec.NA / rec.NB;
  rec.realn = 0;
  iRec = rec;
  return rec;
}

tInputDataRec tSimMDB::Get_InputDataRow(int activeRow) {
  tInputDataRec rec;
  const double conf = NTabEd_GetVal(activeRow, "Conf");
  if (conf != kMissing) rec.conf = conf;
  rec.id = TruncatedInt(NTabEd_GetVal(activeRow, "ID"));
  InputData.V[0] = 0;
  for (int i = 1; i <= 8; ++i) {
    const double v = NTabEd_GetVal(activeRow, "X[" + std::to_string(i) + "]");
    InputData.V[static_cast<std::size_t>(i)] = v;
    InputData.V[0] += v;
  }
  InputData.N.fill(kMissingInt);
  rec.PA = rec.PB = rec.NA = rec.NB = rec.P = rec.O_pos = rec.O_neg = kMissing;
  rec.realn = InputData.V[0];
  rec.n = RoundedInt(InputData.V[0]);
  iRec = rec;
  return rec;
}

void tSimMDB::Calc_iDataRec(tInputDataRec& rec) const {
  const bool counts = InputData.N[0] >= 1;
  double X[9];
  for (std::size_t i = 0; i <= 8; ++i)
    X[i] = counts ? static_cast<double>(InputData.N[i]) : InputData.V[i];
  const double T = X[0];
  if (!(T > 0)) return;
  rec.n = RoundedInt(T);
  rec.PA = (X[1] + X[2]) / (X[1] + X[2] + X[5] + X[6]);
  rec.PB = (X[1] + X[3]) / (X[1] + X[3] + X[5] + X[7]);
  rec.NA = (X[7] + X[8]) / (X[3] + X[4] + X[7] + X[8]);
  rec.NB = (X[6] + X[8]) / (X[2] + X[4] + X[6] + X[8]);
  const double m1 = X[1] + X[2] + X[3] + X[4];
  const double m2 = X[5] + X[6] + X[7] + X[8];
  rec.P = m1 / T;
  rec.SeA = (X[1] + X[2]) / m1;
  rec.SeB = (X[1] + X[3]) / m1;
  rec.SpA = (X[7] + X[8]) / m2;
  rec.SpB = (X[6] + X[8]) / m2;
  rec.O_pos = X[1] * X[4] / (X[2] * X[3]);
  rec.O_neg = X[5] * X[8] / (X[6] * X[7]);
  rec.conf = 0.95;
  rec.d_pos = rec.d_neg = 0;
  rec.R_pos = rec.R_neg = 1;
}

void tSimMDB::Get_SDataRec(tInputDataRec& rec) {
  // A population is given by its predictive values; Se and Sp follow from them.
  medidas2T& m = inputTestMeasures;
  m = MeasuresOfRecord(rec);
  SetSensSpecFromPredictive(m);
  rec.SeA = m.A.Se;
  rec.SpA = m.A.Sp;
  rec.SeB = m.B.Se;
  rec.SpB = m.B.Sp;
  iRec = rec;
  Get_Probabilities();
}

void tSimMDB::Get_Probabilities() {
  NumOfValidSolsXY = ChooseCellProbabilities(inputTestMeasures, iRec.P, P);
}

tJointRoots tSimMDB::Get_xy() const { return JointRoots(inputTestMeasures); }

bool tSimMDB::Set_Cells_xy(double x, double y) {
  return CellsFromPair(inputTestMeasures, iRec.P, x, y, Q);
}

void tSimMDB::ResetInputData() {
  InputData.N.fill(0);
  InputData.V.fill(0);
}

}  // namespace kovalin
