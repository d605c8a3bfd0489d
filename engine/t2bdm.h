#pragma once

#include <cstdint>
#include <string>

#include "engine/paired_types.h"

namespace kovalin {

class tTextDocument;

// Error codes a method object leaves in Error_code after Calculate.
inline constexpr std::int32_t kErrNone = 0;
inline constexpr std::int32_t kErrVarianceNotPositive = 200;
inline constexpr std::int32_t kErrNoRealRoots = 300;
inline constexpr std::int32_t kErrIntervalMissing = 400;
inline constexpr std::int32_t kErrCellNotPositive = 500;

// Critical values of the homogeneity tests: chi-square at level 0.05 with one and
// two degrees of freedom. They do not follow the method's alpha level.
inline constexpr double kChi2Crit1 = 3.8416;
inline constexpr double kChi2Crit2 = 5.991;

// One interval method for comparing the positive predictive values of two binary
// tests on paired data ("two binary diagnostic tests"). A concrete method supplies
// the estimate, its variance, the two homogeneity tests and, where it differs from
// the Wald interval, the interval itself. Calculate drives them in a fixed order
// and allocates nothing, since it runs once per method and simulated sample.
class t2BDM {
 public:
  explicit t2BDM(const tInitMethodRec& initRec);
  virtual ~t2BDM() = default;
  t2BDM(const t2BDM&) = delete;
  t2BDM& operator=(const t2BDM&) = delete;

  // The five operations a method supplies, in their slot order.
  virtual void Calc_Variance() = 0;
  virtual void Calc_Estimate() = 0;
  virtual void Calc_ITest() = 0;
  virtual void Calc_GTest() = 0;
  virtual void Calc_CI();  // Wald interval, cut to the range of the measure

  void Reset_Method();
  bool ValidData() const;
  void ErrorCount_Reset() { error_count = 0; }
  void ErrorCount_Inc() { ++error_count; }
  void SetAlfa(double alfa);
  void SetConf_Level(double level);
  void Seth(double h) { inc_h = h; }
  void SetSimulationType(tSimulationType t) { Simulation_Type = t; }
  void SetVariance(double v);
  void Calculate(const tInputData& input);

  // Calculate in two halves, so that methods with the same corrections can
  // share the first: PrepareData loads and corrects the cells and derives the
  // measures (false on error 500); CopyPreparedData takes that result from a
  // method with the same increment and epsilon; Infer computes the estimate,
  // the interval and the tests. estimateFrom and gtestFrom, when given, are
  // methods of the same estimate or global-test family that have just been
  // inferred on the same cells; their results are copied instead of computed.
  bool PrepareData(const tInputData& input);
  bool CopyPreparedData(const t2BDM& prepared);
  // As CopyPreparedData, but the method reads the prepared cells and measures
  // where they are instead of copying them: Cells() and Measures() then refer
  // to prepared's, which must stay unchanged until this method is done with
  // them, and Data and TestMeasures keep what they held before.
  bool ShareData(const t2BDM& prepared);
  void Infer(const t2BDM* estimateFrom = nullptr, const t2BDM* gtestFrom = nullptr);

  // The corrected cells and measures of the last calculation: Data and
  // TestMeasures, or another method's after ShareData.
  const tData_Rec& Cells() const { return *cells_; }
  const medidas2T& Measures() const { return *measures_; }

  // Methods whose estimate and variance (or whose global test) are the same
  // function of the corrected cells and the quantile share a family number.
  // Every concrete class states both, so that a new class never inherits a
  // family whose formula it has changed.
  virtual int EstimateFamily() const = 0;
  virtual int GTestFamily() const = 0;
  // 1 when the interval holds the true value, 0 when not, -999 without an interval.
  std::int32_t Coverage_Indicator() const {
    const double theta = SimRec_CI.ParameterValue;
    const auto& ci = Params.CI;
    if (IsMissing(ci.Inf) || IsMissing(ci.Sup)) return kMissingInt;
    if (ci.Inf > theta || ci.Sup < theta) return 0;
    return 1;
  }

  // Simulation accumulators.
  void Reset_SimRec_CI(double dValue, double rValue);
  void Update_SimRec_CI();
  void Reset_SimRec_IT();
  void Update_SimRec_IT();
  void Reset_SimRec_GT();
  void Update_SimRec_GT();

  // Text reports (summary line, full block).
  void Show_Summary(tTextDocument& memo, bool header, double ParameterValue, int decimals) const;
  void Show_full(tTextDocument& memo) const;

  bool IsDifference() const { return method_Type == tMethodType::difference; }

  tMethodType method_Type = tMethodType::difference;
  std::string method_Lbl;
  std::string method_Name;
  double inc_h = 0;
  double p_Alfa = 0;
  double p_ConfLevel = 0;
  double Z = 0;
  double Z2 = 0;
  tSimulationType Simulation_Type = tSimulationType::simAny;
  std::int32_t maxsamples = 0;
  double p_epsilon = 0;
  std::int32_t epsilon_Corrections = 0;
  bool epsilon_Corrected = false;
  std::int32_t samples_count = 0;
  std::int32_t Error_code = 0;
  std::int32_t error_count = 0;
  bool positive_var = false;
  tFullEstimate Params;
  double semi_amplitud = 0;
  double amplitud_media = 0;
  double amplitud_mediana = 0;
  tTest ITest;
  tTest GTest;
  bool Active = false;
  std::int32_t index = 0;
  std::string lbl;
  tData_Rec Data;
  medidas2T TestMeasures;
  tCI_SimRec SimRec_CI;
  tHTest_SimRec SimRec_IT;
  tHTest_SimRec SimRec_GT;

 protected:
  // Shorthands for the formulas: the predictive values after the corrections.
  double pA() const { return measures_->A.PPV; }
  double pB() const { return measures_->B.PPV; }
  double qA() const { return measures_->A.NPV; }
  double qB() const { return measures_->B.NPV; }
  // Error_code right after the estimate (0 or 200), before the interval may
  // change it: what a method sharing this estimate takes over.
  std::int32_t estimateCode_ = 0;

  // The part of Reset_Method that clears the results (estimate, interval, tests, code).
  void ResetResults();
  // Sets the interval to missing (all four of its results).
  void SetIntervalMissing();
  // The statistic of an individual test against its critical value.
  void SetITest(double statistic);

 private:
  // Where Cells() and Measures() read: this method's own records unless it shares another's.
  void UseOwnData() {
    cells_ = &Data;
    measures_ = &TestMeasures;
  }
  const tData_Rec* cells_ = &Data;
  const medidas2T* measures_ = &TestMeasures;
};

}  // namespace kovalin
