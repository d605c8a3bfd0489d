#include "engine/t2bdm.h"

#include <cmath>

#include "engine/lane_math.h"
#include "engine/paired_measures.h"

namespace kovalin {

namespace {

bool Equals(double a, double b) { return std::fabs(a - b) <= 1e-16; }

}  // namespace

t2BDM::t2BDM(const tInitMethodRec& initRec) {
  Reset_Method();
  index = initRec.method_Index;
  method_Name = initRec.method_Name;
  method_Lbl = initRec.method_Name;
  method_Type = initRec.method_Type;
  SimRec_CI.ParameterValue = IsDifference() ? 0.0 : 1.0;
  Seth(initRec.method_h);
  SetAlfa(initRec.method_alfa);
  p_epsilon = initRec.method_Epsilon;
  epsilon_Corrections = 0;
  Simulation_Type = initRec.method_SimType;
  error_count = 0;
}

void t2BDM::Reset_Method() {
  UseOwnData();
  // The cells and every sum are cleared; the total X[0] is recomputed by Calculate.
  const double total = Data.X[0];
  Data = tData_Rec{};
  Data.X[0] = total;
  TestMeasures = medidas2T{};
  ResetResults();
}

void t2BDM::ResetResults() {
  Params = tFullEstimate{};
  amplitud_media = 0;
  amplitud_mediana = 0;
  ITest = tTest{kMissing, kChi2Crit1, 0.05, kMissing, false};
  GTest = tTest{kMissing, kChi2Crit2, 0.05, kMissing, false};
  Error_code = kErrNone;
}

bool t2BDM::ValidData() const {
  for (int i = 1; i <= 8; ++i)
    if (!(Data.X[static_cast<std::size_t>(i)] > 0)) return false;
  return true;
}

void t2BDM::SetAlfa(double alfa) {
  p_Alfa = alfa;
  p_ConfLevel = 1 - alfa;
  if (Equals(alfa, 0.05))
    Z = 1.96;
  else if (Equals(alfa, 0.01))
    Z = 2.5758;
  else if (Equals(alfa, 0.10))
    Z = 1.6449;
  Z2 = Z * Z;
}

void t2BDM::SetConf_Level(double level) { SetAlfa(1 - level); }

void t2BDM::SetVariance(double v) {
  positive_var = !(v <= 0);
  if (positive_var) {
    Params.Estimate.variance = v;
    Params.Estimate.SE = std::sqrt(v);
  } else {
    Params.Estimate.variance = kMissing;
    Params.Estimate.SE = kMissing;
    Error_code = kErrVarianceNotPositive;
  }
}

void t2BDM::Calculate(const tInputData& input) {
  if (PrepareData(input)) Infer();
}

bool t2BDM::PrepareData(const tInputData& input) {
  // As Reset_Method, except that the cells, their sums and the measures are
  // all written below (cleared only on error 500), so they are not cleared first.
  UseOwnData();
  ResetResults();
  epsilon_Corrected = false;
  epsilon_Corrections = 0;

  auto& X = Data.X;
  const bool integral = input.N[0] != kMissingInt;
  for (std::size_t i = 1; i <= 8; ++i) {
    X[i] = integral ? static_cast<double>(input.N[i]) : input.V[i];
    if (X[i] < 0) X[i] = 0;
  }

  X[0] = 0;
  for (std::size_t i = 1; i <= 8; ++i) {
    X[i] += inc_h;
    X[0] += X[i];
  }
  if (!ValidData()) {
    X[0] = 0;
    for (std::size_t i = 1; i <= 8; ++i) {
      X[i] += p_epsilon;
      X[0] += X[i];
    }
    epsilon_Corrections = 1;
    epsilon_Corrected = true;
  }
  if (!ValidData()) {
    const auto cells = X;
    Data = tData_Rec{};
    Data.X = cells;
    TestMeasures = medidas2T{};
    Error_code = kErrCellNotPositive;
    ++error_count;
    return false;
  }

  Error_code = kErrNone;
  ComputeSums(Data);
  TestMeasures = ComputeMeasures(Data);
  return true;
}

bool t2BDM::CopyPreparedData(const t2BDM& prepared) {
  // The cells and measures are overwritten below, so only the results are reset.
  UseOwnData();
  ResetResults();
  epsilon_Corrected = prepared.epsilon_Corrected;
  epsilon_Corrections = prepared.epsilon_Corrections;
  Data = prepared.Data;
  TestMeasures = prepared.TestMeasures;  // all missing after error 500
  if (prepared.Error_code == kErrCellNotPositive) {
    Error_code = kErrCellNotPositive;
    ++error_count;
    return false;
  }
  Error_code = kErrNone;
  return true;
}

bool t2BDM::ShareData(const t2BDM& prepared) {
  ResetResults();
  epsilon_Corrected = prepared.epsilon_Corrected;
  epsilon_Corrections = prepared.epsilon_Corrections;
  cells_ = prepared.cells_;
  measures_ = prepared.measures_;
  if (prepared.Error_code == kErrCellNotPositive) {
    Error_code = kErrCellNotPositive;
    ++error_count;
    return false;
  }
  Error_code = kErrNone;
  return true;
}

void t2BDM::Infer(const t2BDM* estimateFrom, const t2BDM* gtestFrom) {
  Params.CI.Confidence = 1 - p_Alfa;

  if (estimateFrom) {
    Params.Estimate = estimateFrom->Params.Estimate;
    positive_var = estimateFrom->positive_var;
    Error_code = estimateFrom->estimateCode_;
  } else {
    Calc_Estimate();
  }
  estimateCode_ = Error_code;
  const auto t = Simulation_Type;
  if (t == tSimulationType::simAny || t == tSimulationType::SimCI) {
    Calc_CI();
    if (IsMissing(Params.CI.Inf) || IsMissing(Params.CI.Sup)) {
      Error_code = kErrIntervalMissing;
      ++error_count;
    }
  }
  if (t == tSimulationType::simAny || t == tSimulationType::simIT) Calc_ITest();
  if (t == tSimulationType::simAny || t == tSimulationType::simGT) {
    if (gtestFrom)
      GTest = gtestFrom->GTest;
    else
      Calc_GTest();
  }
}

void t2BDM::SetIntervalMissing() {
  semi_amplitud = kMissing;
  Params.CI.Inf = kMissing;
  Params.CI.Sup = kMissing;
  Params.CI.Length = kMissing;
}

void t2BDM::SetITest(double statistic) {
  ITest.Cexp = statistic;
  ITest.signification = statistic >= ITest.Calfa;
}

void t2BDM::Calc_CI() {
  if (!positive_var) {
    SetIntervalMissing();
    return;
  }
  const double est = Params.Estimate.value;
  auto& ci = Params.CI;
  semi_amplitud = Z * Params.Estimate.SE;
  if (IsDifference()) {
    ci.Inf = est - semi_amplitud;
    if (ci.Inf < -1 || std::isnan(ci.Inf)) ci.Inf = -1;
    ci.Sup = est + semi_amplitud;
    if (ci.Sup > 1) ci.Sup = 1;
  } else {
    ci.Inf = est * Exp(-semi_amplitud);
    if (ci.Inf < 0 || std::isnan(ci.Inf)) ci.Inf = 0;
    ci.Sup = est * Exp(semi_amplitud);
    if (ci.Sup > 99999999) ci.Sup = 99999999;
  }
  ci.Length = ci.Sup - ci.Inf;
}

}  // namespace kovalin
