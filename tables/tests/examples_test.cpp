// The shipped example tables load as their kinds, and every parameter record
// describes a population whose eight cell probabilities exist.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "tables/numeric_grid.h"
#include "tables/table_loader.h"

namespace kovalin {
namespace {

const std::string kExamples = std::string(KOVALIN_SOURCE_DIR) + "/examples/";

double Clip(double v) { return (std::isnan(v) || std::fabs(v) <= 1e-9) ? 0.0 : v; }

// Number of valid cell distributions of a parameter record: sensitivities and
// specificities from the predictive values and the prevalence, then the roots
// of the odds-ratio equations for the diseased (x) and non-diseased (y).
int ValidSolutions(double PA, double PB, double NA, double NB, double p, double Opos, double Oneg) {
  auto se = [&](double ppv, double npv) { return Clip((npv - 1 + p) * ppv / ((ppv + npv - 1) * p)); };
  auto sp = [&](double ppv, double npv) { return Clip((ppv - p) * npv / ((1 - p) * (ppv + npv - 1))); };
  const double SeA = se(PA, NA), SeB = se(PB, NB), SpA = sp(PA, NA), SpB = sp(PB, NB);
  auto roots = [](double a, double b, double o) {
    if (o == 1) return std::array<double, 2>{a * b, a * b};
    const double k = 1 - a + o * a - b + o * b;
    const double h = std::sqrt(4 * o * (1 - o) * a * b + k * k);
    return std::array<double, 2>{Clip((-k - h) / (2 * (1 - o))), Clip((-k + h) / (2 * (1 - o)))};
  };
  const auto xs = roots(SeA, SeB, Opos);
  const auto ys = roots(SpA, SpB, Oneg);
  int valid = 0;
  for (double x : xs) {
    for (double y : ys) {
      if (x < 0 || y < 0) continue;
      const double q[8] = {p * x, (SeA - x) * p, (SeB - x) * p, (x + 1 - SeA - SeB) * p,
                           (1 - p) * (1 - SpA - SpB + y), (1 - p) * (SpB - y), (1 - p) * (SpA - y), y * (1 - p)};
      double sum = 0;
      bool nonNegative = true;
      for (double v : q) {
        sum += Clip(v);
        if (Clip(v) < 0) nonNegative = false;
      }
      if (nonNegative && std::fabs(sum - 1) <= 1e-9) ++valid;
    }
  }
  return valid;
}

TEST(ExampleCheck, SpecimenRecordsOfTheCellDerivation) {
  // Both odds ratios 1: four valid pairs; odds ratios 4 and 2: one.
  EXPECT_EQ(ValidSolutions(0.8, 0.7, 0.9, 0.85, 0.3, 1, 1), 4);
  EXPECT_EQ(ValidSolutions(0.8, 0.7, 0.9, 0.85, 0.3, 4, 2), 1);
}

TEST(Examples, ParameterTableRecordsHaveValidCells) {
  tRecordTableFile f = LoadRecordTable(kExamples + "parameters_vp.mrd");
  ASSERT_TRUE(f.ok) << f.error;
  EXPECT_EQ(f.kind, DBparamsVP);
  EXPECT_EQ(f.delimiter, '\t');
  EXPECT_TRUE(f.warnings.empty());
  TNTabEd grid(&f.table);
  ASSERT_GE(grid.GetNrOfRows(), 3);
  for (int row = 1; row <= grid.GetNrOfRows(); ++row) {
    const double n = grid.GetValueByName("n", row);
    EXPECT_GT(n, 0);
    EXPECT_EQ(n, std::trunc(n));
    EXPECT_GE(ValidSolutions(grid.GetValueByName("PA", row), grid.GetValueByName("PB", row),
                             grid.GetValueByName("NA", row), grid.GetValueByName("NB", row),
                             grid.GetValueByName("p", row), grid.GetValueByName("Opos", row),
                             grid.GetValueByName("Oneg", row)),
              1)
        << "record " << row;
  }
}

TEST(Examples, RawDataTableHoldsCounts) {
  tRecordTableFile f = LoadRecordTable(kExamples + "raw_data.mrd");
  ASSERT_TRUE(f.ok) << f.error;
  EXPECT_EQ(f.kind, DBRawData);
  TNTabEd grid(&f.table);
  ASSERT_GE(grid.GetNrOfRows(), 3);
  for (int row = 1; row <= grid.GetNrOfRows(); ++row) {
    for (int k = 1; k <= 8; ++k) {
      const double x = grid.GetValueByName("X[" + std::to_string(k) + "]", row);
      EXPECT_GE(x, 0);
      EXPECT_EQ(x, std::trunc(x));
    }
  }
  EXPECT_EQ(grid.GetValueByName("Conf", 1), -999);
}

}  // namespace
}  // namespace kovalin
