#include "cli/method_json.h"

#include <cmath>

#include "engine/comparisons.h"

namespace kovalin::cli {

nlohmann::ordered_json NumberOrNull(double x) {
  if (IsMissing(x) || !std::isfinite(x)) return nullptr;
  return x;
}

nlohmann::ordered_json MeasuresJson(const medidas2T& m, double n) {
  return {
      {"prevalence", NumberOrNull(m.A.Prevalencia)},
      {"se_a", NumberOrNull(m.A.Se)},
      {"sp_a", NumberOrNull(m.A.Sp)},
      {"ppv_a", NumberOrNull(m.A.PPV)},
      {"npv_a", NumberOrNull(m.A.NPV)},
      {"se_b", NumberOrNull(m.B.Se)},
      {"sp_b", NumberOrNull(m.B.Sp)},
      {"ppv_b", NumberOrNull(m.B.PPV)},
      {"npv_b", NumberOrNull(m.B.NPV)},
      {"or_pos", NumberOrNull(m.O_pos)},
      {"or_neg", NumberOrNull(m.O_neg)},
      {"n", NumberOrNull(n)},
  };
}

namespace {

nlohmann::ordered_json TestJson(const tTest& t, int df) {
  return {{"statistic", NumberOrNull(t.Cexp)},
          {"critical", NumberOrNull(t.Calfa)},
          {"significant", t.signification},
          {"p_value", NumberOrNull(TestPValue(t, df))}};
}

}  // namespace

nlohmann::ordered_json MethodJson(const t2BDM& m) {
  nlohmann::ordered_json data = nlohmann::ordered_json::array();
  for (std::size_t i = 1; i <= 8; ++i) data.push_back(m.Data.X[i]);
  // After a failed correction (error 500) the measures were never computed.
  const bool computed = m.Error_code != kErrCellNotPositive;
  return {
      {"index", m.index},
      {"label", m.method_Name},
      {"type", m.IsDifference() ? "difference" : "ratio"},
      {"h", m.inc_h},
      {"error_code", m.Error_code},
      {"error_count", m.error_count},
      {"epsilon_corrections", m.epsilon_Corrections},
      {"data", data},
      {"test_measures", MeasuresJson(m.TestMeasures, computed ? m.Data.n : kMissing)},
      {"estimate", NumberOrNull(m.Params.Estimate.value)},
      {"variance", NumberOrNull(m.Params.Estimate.variance)},
      {"se", NumberOrNull(m.Params.Estimate.SE)},
      {"ci",
       {{"lower", NumberOrNull(m.Params.CI.Inf)},
        {"upper", NumberOrNull(m.Params.CI.Sup)},
        {"length", NumberOrNull(m.Params.CI.Length)},
        {"confidence", NumberOrNull(m.Params.CI.Confidence)}}},
      {"individual_test", TestJson(m.ITest, 1)},
      {"global_test", TestJson(m.GTest, 2)},
  };
}

nlohmann::ordered_json ActiveMethodsJson(tMethodSet& methods) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  methods.ForEachActive([&](t2BDM& m) { list.push_back(MethodJson(m)); });
  return list;
}

}  // namespace kovalin::cli
