// The summary in words, testCompareR's Holm family where the package itself
// gives no value, and the intervals at the edges of their formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/extended_summary.h"
#include "engine/paired_differences.h"
#include "engine/single_test_intervals.h"

namespace kovalin {
namespace {

tCells Table(std::initializer_list<double> cells) {
  tCells X{};
  std::size_t i = 1;
  for (const double c : cells) X[i++] = c;
  return X;
}

std::vector<std::string> Summary(const tCells& X, int d, tHolmFamily family,
                                 const std::string& a = "test A", const std::string& b = "test B") {
  return PlainSummary(AccuracyOfTests(X, 0.05), CompareTestsFully(X, 0.05), 0.05, d, family, a, b);
}

TEST(ExtendedSummary, SaysWhichTestIsHigherWithTheBlocksNumbers) {
  // The worked example, with the names another command passes in.
  const auto worked = Summary(Table({30, 12, 4, 4, 6, 10, 2, 32}), 3, tHolmFamily::measures,
                              "Mammography", "MRI");
  ASSERT_EQ(worked.size(), 6u);
  EXPECT_EQ(worked[2],
            "The PPV of Mammography (0.724) is not significantly different from that of MRI "
            "(0.810): p = 0.133, Holm-adjusted 0.530.");
  // DTComPair's Paired1: every difference holds after adjustment.
  const auto paired1 = Summary(Table({319, 78, 22, 32, 31, 53, 22, 155}), 4, tHolmFamily::measures);
  EXPECT_EQ(paired1[0],
            "The sensitivity of test A (0.8803) is significantly higher than that of test B "
            "(0.7561): p < 0.0001, Holm-adjusted < 0.0001.");
  EXPECT_EQ(paired1[1],
            "The specificity of test A (0.6782) is significantly lower than that of test B "
            "(0.7969): p = 0.0003, Holm-adjusted 0.0010.");
  // In testCompareR's family a measure whose global test fails is not tested.
  const auto gated = Summary(Table({3, 1, 1, 1, 2, 3, 4, 85}), 4, tHolmFamily::global);
  EXPECT_EQ(gated[2],
            "The PPV of test A (0.4444) is not significantly different from that of test B "
            "(0.4000): p = 0.7604, not tested after adjustment, since the global test of PPV "
            "and NPV is not significant (Holm-adjusted 1.0000).");
  // No false positive on A: its DLR+ is undefined; no discordant diseased: no test.
  const auto zeros = Summary(Table({20, 0, 0, 5, 0, 0, 3, 40}), 4, tHolmFamily::measures);
  EXPECT_EQ(zeros[0],
            "The sensitivity of test A (0.8000) equals that of test B (0.8000), and no test is "
            "possible (McNemar): p = N/A.");
  EXPECT_EQ(zeros[4],
            "The DLR+ of test A (N/A) and that of test B (11.4667) cannot be compared: one of "
            "them is undefined.");
}

TEST(ExtendedSummary, SmallLowPrevalenceStudiesTestSeAndSpWithoutAGlobalTest) {
  // n = 100, prevalence 6%: testCompareR has no global test of Se and Sp here
  // and then reports no p-value for them at all; ours enter the second stage.
  const auto list = CompareTestsFully(Table({3, 1, 1, 1, 2, 3, 4, 85}), 0.05);
  EXPECT_FALSE(FindComparison(list, "sesp_wald")->inGlobalFamily);
  const tComparison* se = FamilyTestOf(list, "Se", tHolmFamily::global);
  ASSERT_NE(se, nullptr);
  EXPECT_EQ(se->name, "se_wald");
  EXPECT_FALSE(se->notTested);
  EXPECT_FALSE(IsMissing(se->p_holm_global));
  // n = 500 takes McNemar with correction, n = 1017 Wald again.
  EXPECT_EQ(FamilyTestOf(CompareTestsFully(Table({60, 15, 8, 17, 12, 9, 14, 365}), 0.05), "Sp",
                         tHolmFamily::global)->name,
            "sp_mcnemar_cc");
  EXPECT_EQ(FamilyTestOf(CompareTestsFully(Table({100, 10, 5, 2, 50, 20, 30, 800}), 0.05), "Sp",
                         tHolmFamily::global)->name,
            "sp_wald");
}

TEST(ExtendedIntervals, EdgesOfTheFormulas) {
  const double z = TwoSidedZ(0.05);
  // Clopper-Pearson: the closed forms at x = 0 and x = n, 1 - (alpha/2)^(1/n) and back.
  const tInterval none = ClopperPearsonInterval(0, 10, 0.05);
  EXPECT_EQ(none.Inf, 0.0);
  EXPECT_NEAR(none.Sup, 1 - std::pow(0.025, 0.1), 1e-14);
  const tInterval all = ClopperPearsonInterval(10, 10, 0.05);
  EXPECT_NEAR(all.Inf, std::pow(0.025, 0.1), 1e-14);
  EXPECT_EQ(all.Sup, 1.0);
  // Expected frequencies are no counts of an exact interval; a million trials are.
  EXPECT_TRUE(IsMissing(ClopperPearsonInterval(2.5, 10, 0.05).Inf));
  const tInterval big = ClopperPearsonInterval(500000, 1000000, 0.05);
  EXPECT_NEAR(big.Inf, 0.5 - z * 0.0005, 1e-6);
  // Yu et al. stay in [0, 1]; Martin Andres has an interval for a zero count.
  const tInterval yu = YuGuoXuInterval(0, 5, z);
  EXPECT_EQ(yu.Inf, 0.0);
  EXPECT_LT(yu.Sup, 1.0);
  const tInterval ma = MartinAndresRatioInterval(10, 10, 0, 20, z);
  EXPECT_GT(ma.Inf, 1.0);
  EXPECT_FALSE(IsMissing(ma.Sup));
  // Tango: every pair discordant one way reaches the end of [-1, 1]; no
  // discordant pair gives the symmetric z^2/(n + z^2).
  EXPECT_EQ(TangoDifference(8, 0, 8, z).interval.Sup, 1.0);
  const tInterval zero = TangoDifference(0, 0, 20, z).interval;
  EXPECT_NEAR(zero.Sup, z * z / (20 + z * z), 1e-12);
  EXPECT_NEAR(zero.Inf, -zero.Sup, 1e-12);
  EXPECT_TRUE(IsMissing(AgrestiMinDifference(3, 2, 0, z).interval.Inf));
}

}  // namespace
}  // namespace kovalin
