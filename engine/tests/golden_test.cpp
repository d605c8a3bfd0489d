// Every result of the 21 methods on about 200 tables against the values of an
// independent reference (reference/paired_methods.py, written from the formulas
// and computed at 60 digits; reference/make_golden.py writes the file).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "engine/npv_methods.h"
#include "engine_test_support.h"

namespace kovalin {
namespace {

using nlohmann::json;

json ReadGolden(const char* name) {
  std::ifstream in(std::string(KOVALIN_SOURCE_DIR "/engine/tests/data/") + name);
  EXPECT_TRUE(in) << "golden file missing: " << name;
  return json::parse(in);
}

const json& Golden() {
  static const json golden = ReadGolden("golden_methods.json");
  return golden;
}

// The NPV comparisons: each case's cells as given, its values those of the
// reference on the reversed table.
const json& GoldenNpv() {
  static const json golden = ReadGolden("golden_npv.json");
  return golden;
}

tSimulationType SimTypeOf(const std::string& name) {
  if (name == "SimCI") return tSimulationType::SimCI;
  if (name == "simIT") return tSimulationType::simIT;
  if (name == "simGT") return tSimulationType::simGT;
  EXPECT_EQ(name, "simAny");
  return tSimulationType::simAny;
}

tInputData InputOf(const json& c) {
  tInputData in;
  const json& cells = c["cells"];
  if (c["real"].get<bool>()) {
    in.N[0] = kMissingInt;
    for (std::size_t i = 0; i < 8; ++i) {
      in.V[i + 1] = cells[i].get<double>();
      in.V[0] += in.V[i + 1];
    }
  } else {
    for (std::size_t i = 0; i < 8; ++i) in.N[i + 1] = cells[i].get<std::int32_t>();
  }
  return in;
}

tMethodSet MethodsOf(const json& c) {
  tConf_rec options;
  options.Methods.fill(true);
  options.alfa_level = c["alpha"].get<double>();
  options.epsilon = c["epsilon"].get<double>();
  tMethodSet methods = CreateMethods(options, SimTypeOf(c["sim_type"].get<std::string>()));
  if (!c["h"].is_null())
    for (int i = 1; i <= kMethodCount; ++i) methods[i].Seth(c["h"].get<double>());
  return methods;
}

// One expected real: null is missing (-999 or NaN), "inf"/"-inf" an infinity,
// otherwise a number within the given absolute tolerance.
void ExpectValue(const json& expected, double actual, double tolerance, const std::string& where) {
  if (expected.is_null()) {
    EXPECT_TRUE(IsMissing(actual)) << where << ": " << actual << ", expected missing";
  } else if (expected.is_string()) {
    EXPECT_EQ(actual, expected.get<std::string>() == "inf" ? HUGE_VAL : -HUGE_VAL) << where;
  } else {
    const double e = expected.get<double>();
    EXPECT_FALSE(IsMissing(actual)) << where << ": missing, expected " << e;
    EXPECT_LE(std::fabs(actual - e), tolerance) << where << ": " << actual << ", expected " << e;
  }
}

double Magnitude(const json& expected) {
  return expected.is_number() ? std::fabs(expected.get<double>()) : 0.0;
}

class GoldenCase {
 public:
  explicit GoldenCase(const json& c, const json& file = Golden())
      : c_(c), file_(file), rel_(file["relative_tolerance"].get<double>()) {}

  void Check(const t2BDM& m, const std::string& how) const {
    const std::string label = m.method_Name;
    const json& row = c_["methods"][static_cast<std::size_t>(m.index - 1)];
    const std::string where = how + " \"" + c_["name"].get<std::string>() + "\" " + label;
    EXPECT_EQ(m.Error_code, row[0].get<int>()) << where;
    EXPECT_EQ(m.error_count, row[1].get<int>()) << where;
    EXPECT_EQ(m.epsilon_Corrections, row[2].get<int>()) << where;
    EXPECT_EQ(m.epsilon_Corrected, row[2].get<int>() == 1) << where;
    const double reals[] = {m.Params.Estimate.value, m.Params.Estimate.variance,
                            m.Params.Estimate.SE,    m.Params.CI.Inf,
                            m.Params.CI.Sup,         m.Params.CI.Length,
                            m.Params.CI.Confidence,  m.semi_amplitud,
                            m.ITest.Cexp};
    for (std::size_t k = 0; k < std::size(reals); ++k) Real(row[3 + k], reals[k], label, 3 + k, where);
    EXPECT_EQ(m.ITest.signification, row[12].get<bool>()) << where << " ITest";
    Real(row[13], m.GTest.Cexp, label, 13, where);
    EXPECT_EQ(m.GTest.signification, row[14].get<bool>()) << where << " GTest";
    // Fixed parts of the tests, whatever the alpha level.
    EXPECT_EQ(m.ITest.Calfa, 3.8416) << where;
    EXPECT_EQ(m.GTest.Calfa, 5.991) << where;
    EXPECT_EQ(m.ITest.pvalue, kMissing) << where;
    EXPECT_EQ(m.GTest.pvalue, kMissing) << where;
    CheckMeasures(m, where);
  }

 private:
  // The relative tolerance, or the case's own absolute one where the double
  // formula itself loses digits (a small variance from cancellation).
  void Real(const json& expected, double actual, const std::string& label, std::size_t field,
            const std::string& where) const {
    const std::string name = file_["fields"][field].get<std::string>();
    double tolerance = rel_ * Magnitude(expected);
    const json& own = c_.value("tolerance", json::object());
    if (auto it = own.find(label + "." + name); it != own.end())
      tolerance = std::max(tolerance, it->get<double>());
    ExpectValue(expected, actual, tolerance, where + " " + name);
  }

  void CheckMeasures(const t2BDM& m, const std::string& where) const {
    const json* values = nullptr;
    for (const json& group : c_["measures"])
      if (group["h"].get<double>() == m.inc_h) values = &group["values"];
    ASSERT_NE(values, nullptr) << where << ": no measures for h " << m.inc_h;
    const medidas2T& t = m.TestMeasures;
    const double actual[] = {t.A.Prevalencia, t.A.Se, t.A.Sp, t.A.PPV, t.A.NPV,
                             t.B.Prevalencia, t.B.Se, t.B.Sp, t.B.PPV, t.B.NPV,
                             t.O_pos,         t.O_neg};
    for (std::size_t k = 0; k < std::size(actual); ++k) {
      const std::string name = file_["measure_fields"][k].get<std::string>();
      if (values->is_null()) {
        EXPECT_TRUE(IsMissing(actual[k])) << where << " " << name;
      } else {
        const json& e = (*values)[k];
        ExpectValue(e, actual[k], rel_ * Magnitude(e), where + " " + name);
      }
    }
  }

  const json& c_;
  const json& file_;
  double rel_;
};

TEST(GoldenValues, FileCoversEveryMethodOnAboutTwoHundredTables) {
  const json& cases = Golden()["cases"];
  EXPECT_GE(cases.size(), 190u);
  for (const json& c : cases) ASSERT_EQ(c["methods"].size(), 21u) << c["name"];
}

// Each method on its own, as the analysis of a record does.
TEST(GoldenValues, EachMethodCalculatedAlone) {
  for (const json& c : Golden()["cases"]) {
    tMethodSet methods = MethodsOf(c);
    const tInputData in = InputOf(c);
    const GoldenCase golden(c);
    for (int i = 1; i <= kMethodCount; ++i) {
      methods[i].Calculate(in);
      golden.Check(methods[i], "alone");
    }
  }
}

// All methods together, sharing cells, estimates and tests, as a simulation does.
TEST(GoldenValues, AllMethodsCalculatedTogether) {
  for (const json& c : Golden()["cases"]) {
    tMethodSet methods = MethodsOf(c);
    methods.CalculateActive(InputOf(c));
    const GoldenCase golden(c);
    for (int i = 1; i <= kMethodCount; ++i) golden.Check(methods[i], "together");
  }
}

// NPV(A) against NPV(B) through the engine's own reversal of the table.
TEST(GoldenValues, NegativePredictiveValuesOfTheReversedTable) {
  const json& cases = GoldenNpv()["cases"];
  EXPECT_GE(cases.size(), 100u);
  for (const json& c : cases) {
    ASSERT_TRUE(c["reversed"].get<bool>());
    tMethodSet methods = MethodsOf(c);
    CalculateNpv(methods, InputOf(c));
    const GoldenCase golden(c, GoldenNpv());
    for (int i = 1; i <= kMethodCount; ++i) golden.Check(methods[i], "NPV");
  }
}

}  // namespace
}  // namespace kovalin
