// The NPV comparison: the 21 methods on the reversed table compare the NPVs in
// the orientation of the PPVs (A - B, A / B), and the block that reports them.
#include <gtest/gtest.h>

#include "engine/npv_methods.h"
#include "engine/paired_measures.h"
#include "engine/record_report.h"
#include "engine/text_document.h"
#include "engine_test_support.h"

namespace kovalin {
namespace {

using testing::AllMethods;
using testing::IntegerInput;
using testing::kExampleCells;

TEST(NpvMethods, EstimatesAreTheNpvDifferenceAndRatioOfTheTableAsGiven) {
  // Uneven cells, so that a reversal that swapped A and B, or only the
  // disease status, would give other values.
  for (const std::array<int, 8>& cells :
       {kExampleCells, std::array<int, 8>{17, 9, 3, 6, 8, 21, 5, 40}}) {
    const tInputData input = IntegerInput(cells);
    tInputData counted = input;
    counted.N[0] = 0;
    for (std::size_t i = 1; i <= 8; ++i) counted.N[0] += counted.N[i];
    tCells X{};
    for (std::size_t i = 1; i <= 8; ++i) X[i] = cells[i - 1];
    const medidas2T m = ComputeMeasures(DataOfCells(X));
    tMethodSet npv = AllMethods();
    CalculateNpv(npv, input);
    EXPECT_NEAR(npv[1].Params.Estimate.value, m.A.NPV - m.B.NPV, 1e-15);  // d, no increment
    EXPECT_NEAR(npv[7].Params.Estimate.value, m.A.NPV / m.B.NPV, 1e-15);  // R
    // The reversed table's PPVs are the NPVs; its prevalence the complement.
    EXPECT_NEAR(npv[1].TestMeasures.A.PPV, m.A.NPV, 1e-15);
    EXPECT_NEAR(npv[1].TestMeasures.B.PPV, m.B.NPV, 1e-15);
    EXPECT_NEAR(npv[1].TestMeasures.A.Prevalencia, 1 - m.A.Prevalencia, 1e-15);

    // The same as the PPV path on the table reversed by hand, to the bit.
    tInputData reversed;
    for (std::size_t i = 1; i <= 8; ++i) reversed.N[i] = cells[8 - i];
    tMethodSet ppv = AllMethods();
    ppv.CalculateActive(reversed);
    for (int i = 1; i <= kMethodCount; ++i) {
      EXPECT_EQ(npv[i].Params.CI.Inf, ppv[i].Params.CI.Inf) << npv[i].method_Name;
      EXPECT_EQ(npv[i].Params.CI.Sup, ppv[i].Params.CI.Sup) << npv[i].method_Name;
      EXPECT_EQ(npv[i].GTest.Cexp, ppv[i].GTest.Cexp) << npv[i].method_Name;
    }
  }
  // Reversing twice gives the table back; real cells follow their counts.
  tInputData real = testing::RealInput({1.5, 2, 3, 4, 5, 6, 7, 8.25});
  const tInputData back = ReversedInput(ReversedInput(real));
  EXPECT_EQ(back.V, real.V);
  EXPECT_EQ(ReversedInput(real).V[1], 8.25);
  EXPECT_EQ(ReversedInput(real).N[0], real.N[0]);
}

TEST(NpvMethods, BlockIsLaidOutAsThePpvSummary) {
  tMethodSet npv = AllMethods();
  CalculateNpv(npv, IntegerInput(kExampleCells));
  tMemoryDocument block;
  AppendNpvReport(block, npv, 0.0, 1.0, 4);
  tMemoryDocument ppvLayout;
  AppendMethodSummaries(ppvLayout, npv, 0.0, 1.0, 4, "DIFFERENCES: NPV(A) - NPV(B)",
                        "RATIOS: NPV(A) / NPV(B)");
  const auto& lines = block.Lines();
  ASSERT_EQ(lines.size(), 3 + ppvLayout.Lines().size());
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "[4] NEGATIVE PREDICTIVE VALUES");
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.end()), ppvLayout.Lines());
  EXPECT_EQ(lines[4], "DIFFERENCES: NPV(A) - NPV(B)");
  EXPECT_EQ(lines[5].rfind("\tMethod", 0), 0u) << lines[5];

  tMemoryDocument named;
  AppendNpvReport(named, npv, 0.0, 1.0, 4, tTestNames{"Mammography", "MRI"});
  EXPECT_EQ(named.Lines()[4], "DIFFERENCES: NPV(Mammography) - NPV(MRI)");
}

TEST(TestNames, NamesReachOnlyTheHeadingsOfThePpvSummary) {
  tMethodSet methods = AllMethods();
  methods.CalculateActive(IntegerInput(kExampleCells));
  tMemoryDocument plain, named;
  AppendMethodReports(plain, methods, true, 0.0, 1.0, 4);
  AppendMethodReports(named, methods, true, 0.0, 1.0, 4, tTestNames{"Mammography", "MRI"});
  ASSERT_EQ(plain.Lines().size(), named.Lines().size());
  int differing = 0;
  for (std::size_t i = 0; i < plain.Lines().size(); ++i) {
    const std::string& p = plain.Lines()[i];
    const std::string& n = named.Lines()[i];
    if (p == n) continue;
    ++differing;
    EXPECT_TRUE(n == p + " PPV(Mammography) - PPV(MRI)" || n == p + " PPV(Mammography) / PPV(MRI)")
        << p << " | " << n;
  }
  EXPECT_EQ(differing, 4);  // both groups' headings, in the full part and the summary

  std::string error;
  const auto names = ParseTestNames(" Mammography , MRI ", error);
  ASSERT_TRUE(names) << error;
  EXPECT_EQ(names->a, "Mammography");
  EXPECT_EQ(TestNamesLine(*names), "> Tests: A = Mammography, B = MRI");
  for (const char* bad : {"Mammography", "A,B,C", ",MRI", "A, "}) {
    EXPECT_FALSE(ParseTestNames(bad, error)) << bad;
    EXPECT_NE(error.find(bad), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace kovalin
