// The per-record running summaries a method keeps while a simulation draws samples.
#include "engine/t2bdm.h"

namespace kovalin {

void t2BDM::Reset_SimRec_CI(double dValue, double rValue) {
  SimRec_CI.N = 0;
  SimRec_CI.Iterations = 0;
  SimRec_CI.DataCorrections = 0;
  SimRec_CI.Nfailed = 0;
  SimRec_CI.nData = 0;
  SimRec_CI.Coverage = kMissing;
  SimRec_CI.MeanAmplitude = kMissing;
  SimRec_CI.ParameterValue = IsDifference() ? dValue : rValue;
}

void t2BDM::Update_SimRec_CI() {
  tCI_SimRec& r = SimRec_CI;
  ++r.Iterations;
  if (Error_code != kErrNone) {
    r.DataCorrections += epsilon_Corrections;
    ++r.Nfailed;
    return;
  }
  const double covered = Coverage_Indicator();
  const double length = Params.CI.Length;
  const double total = Cells().n;
  if (r.N == 0) {
    r.Coverage = covered;
    r.MeanAmplitude = length;
    r.nData = total;
  } else {
    const double n = r.N;
    r.Coverage = (covered + n * r.Coverage) / (n + 1);
    r.MeanAmplitude = (n * r.MeanAmplitude + length) / (n + 1);
    r.nData = (n * r.nData + total) / (n + 1);
  }
  ++r.N;
  r.DataCorrections += epsilon_Corrections;
}

namespace {

void ResetTestRec(tHTest_SimRec& r) { r = tHTest_SimRec{}; }

void UpdateTestRec(tHTest_SimRec& r, std::int32_t errorCode, bool significant,
                   std::int32_t corrections) {
  ++r.Iterations;
  if (errorCode != kErrNone) return;
  const std::int32_t s = significant ? 1 : 0;
  if (r.N == 0) {
    r.N = 1;
    r.N_Significations = s;
    r.P_Significations = s;
    r.DataCorrections = corrections;
  } else {
    ++r.N;
    r.N_Significations += s;
    r.P_Significations = static_cast<double>(r.N_Significations) / r.N;
    r.DataCorrections += corrections;
  }
}

}  // namespace

void t2BDM::Reset_SimRec_IT() { ResetTestRec(SimRec_IT); }

void t2BDM::Update_SimRec_IT() {
  UpdateTestRec(SimRec_IT, Error_code, ITest.signification, epsilon_Corrections);
}

void t2BDM::Reset_SimRec_GT() { ResetTestRec(SimRec_GT); }

void t2BDM::Update_SimRec_GT() {
  UpdateTestRec(SimRec_GT, Error_code, GTest.signification, epsilon_Corrections);
}

}  // namespace kovalin
