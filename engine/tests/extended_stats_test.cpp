// Reference values: engine/tests/extended_reference.py (mpmath, 50 digits),
// which writes each formula in its source's own notation. Where the R packages
// printed a figure for the same table (DTComPair's README and help pages for
// Paired1 and for the sesp.diff.ci example, testCompareR's vignette for cass),
// the reference agrees with every printed digit.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/accuracy.h"
#include "engine/comparisons.h"
#include "engine/distributions.h"

namespace kovalin {
namespace {

constexpr double kMiss = kMissing;

tCells Table(std::initializer_list<double> cells) {
  tCells X{};
  std::size_t i = 1;
  for (const double c : cells) X[i++] = c;
  return X;
}

// Relative agreement; a missing reference asks for a missing value.
void ExpectClose(double actual, double expected, double tol, const std::string& what) {
  if (IsMissing(expected)) {
    EXPECT_TRUE(IsMissing(actual)) << what << ": " << actual;
    return;
  }
  EXPECT_NEAR(actual, expected, tol * std::fmax(std::fabs(expected), 1e-300)) << what;
}

const tComparison& Find(const std::vector<tComparison>& list, const std::string& name) {
  for (const tComparison& c : list)
    if (c.name == name) return c;
  throw std::runtime_error("no comparison " + name);
}

struct ExpectedComparison {
  const char* name;
  double estimate, se, lo, hi, statistic, p;
};

void ExpectComparisons(const tCells& X, const std::vector<ExpectedComparison>& expected) {
  const auto list = CompareTests(X, 0.05);
  for (const auto& e : expected) {
    const tComparison& c = Find(list, e.name);
    const std::string n = e.name;
    ExpectClose(c.estimate, e.estimate, 1e-9, n + " estimate");
    ExpectClose(c.se, e.se, 1e-9, n + " se");
    ExpectClose(c.interval.Inf, e.lo, 1e-9, n + " lower");
    ExpectClose(c.interval.Sup, e.hi, 1e-9, n + " upper");
    ExpectClose(c.statistic, e.statistic, 1e-9, n + " statistic");
    ExpectClose(c.p_value, e.p, 1e-9, n + " p");
  }
}

TEST(ExtendedDistributions, TailsQuantilesAndExactBinomialToTwelveDigits) {
  const struct { double x, p1, p2; } chi[] = {
      {1e-10, 0.9999920211543921, 0.99999999995},
      {2.485298, 0.11491458096827421, 0.28861865358339569},
      {3.8416, 0.049995790296440868, 0.14648972346236578},
      {50, 1.5374597944280349e-12, 1.3887943864964021e-11},
      {700, 2.9902269751246203e-154, 9.9295903962649793e-153}};
  for (const auto& c : chi) {
    ExpectClose(ChiSquareTail(c.x, 1), c.p1, 1e-12, "chi2(1) " + std::to_string(c.x));
    ExpectClose(ChiSquareTail(c.x, 2), c.p2, 1e-12, "chi2(2) " + std::to_string(c.x));
  }
  EXPECT_EQ(ChiSquareTail(0, 1), 1.0);
  EXPECT_TRUE(IsMissing(ChiSquareTail(-0.5, 1)));
  EXPECT_TRUE(IsMissing(ChiSquareTail(NAN, 2)));

  ExpectClose(TwoSidedZ(0.05), 1.9599639845400542, 1e-14, "z 0.05");
  ExpectClose(TwoSidedZ(0.10), 1.6448536269514727, 1e-14, "z 0.10");
  ExpectClose(TwoSidedZ(0.01), 2.5758293035489008, 1e-14, "z 0.01");

  // b + c pairs, min(b, c) of them the rarer kind.
  ExpectClose(ExactBinomialTwoSidedP(70, 30), 7.8501396455936696e-5, 1e-12, "100/30");
  ExpectClose(ExactBinomialTwoSidedP(480, 520), 0.21744829320414094, 1e-12, "1000/480");
  ExpectClose(ExactBinomialTwoSidedP(2600, 2400), 0.0048836497375175181, 1e-12, "5000/2400");
  EXPECT_EQ(ExactBinomialTwoSidedP(5, 5), 1.0);  // 2 P(X <= 5) exceeds 1 and is capped
  EXPECT_EQ(ExactBinomialTwoSidedP(0, 0), 1.0);
  EXPECT_TRUE(IsMissing(ExactBinomialTwoSidedP(2.5, 4)));  // expected frequencies
}

// DTComPair's Paired1: y1 is test A, y2 test B.
const tCells kPaired1 = Table({319, 78, 22, 32, 31, 53, 22, 155});

TEST(ExtendedStatistics, AccuracyOfPaired1MatchesDTComPair) {
  const tPairedAccuracy a = AccuracyOfTests(kPaired1, 0.05);
  const struct { const char* what; const tProportionAccuracy& p; double e, se, wl, wu, sl, su; } rows[] = {
      {"A Se", a.A.Se, 0.88026607538802661, 0.015287177931548955, 0.85030375721693513,
       0.91022839355911808, 0.84704657734033069, 0.90706233984000963},
      {"B NPV", a.B.NPV, 0.65408805031446541, 0.026673949835816763, 0.60180806931083646,
       0.70636803131809436, 0.60024929898968132, 0.70424845080021829}};
  for (const auto& r : rows) {
    ExpectClose(r.p.estimate, r.e, 1e-9, std::string(r.what) + " estimate");
    ExpectClose(r.p.se, r.se, 1e-9, std::string(r.what) + " se");
    ExpectClose(r.p.wald.Inf, r.wl, 1e-9, std::string(r.what) + " Wald lower");
    ExpectClose(r.p.wald.Sup, r.wu, 1e-9, std::string(r.what) + " Wald upper");
    ExpectClose(r.p.wilson.Inf, r.sl, 1e-9, std::string(r.what) + " Wilson lower");
    ExpectClose(r.p.wilson.Sup, r.su, 1e-9, std::string(r.what) + " Wilson upper");
  }
  ExpectClose(a.A.DLRpos.estimate, 2.7351124485270827, 1e-9, "A DLR+");
  ExpectClose(a.A.DLRpos.seLog, 0.091514704106370432, 1e-9, "A DLR+ se");
  ExpectClose(a.A.DLRpos.log.Inf, 2.2860079100010461, 1e-9, "A DLR+ lower");
  ExpectClose(a.B.DLRneg.estimate, 0.30605065666041276, 1e-9, "B DLR-");
  ExpectClose(a.B.DLRneg.log.Sup, 0.36409056994385392, 1e-9, "B DLR- upper");
}

TEST(ExtendedStatistics, ComparisonsOfPaired1MatchDTComPairInKovalinsOrientation) {
  // DTComPair reports test2 - test1 and test2/test1 for these: here every sign
  // and every ratio is turned round, the p-values are the same.
  ExpectComparisons(
      kPaired1,
      {{"se_mcnemar", 0.12416851441241685, 0.021388169951163114, 0.082248471612915338,
        0.16608855721191836, 31.36, 2.1435180516621815e-8},
       {"se_exact", kMiss, kMiss, kMiss, kMiss, kMiss, 1.5905328473786139e-8},
       {"sp_mcnemar", -0.11877394636015326, 0.032356317906225361, -0.18219116412868342,
        -0.055356728591623095, 12.813333333333333, 0.00034415785384659105},
       {"sp_mcnemar_cc", kMiss, kMiss, kMiss, kMiss, 12.0, 0.0005320055051392497},
       {"sp_exact", kMiss, kMiss, kMiss, kMiss, kMiss, 0.00044964797164381241},
       {"ppv_gs", -0.04011840813871271, kMiss, kMiss, kMiss, 5.711240704719796,
        0.016856621725907084},
       {"npv_gs", 0.11214571591930082, kMiss, kMiss, kMiss, 17.785670207405725,
        2.4723832669234681e-5},
       {"ppv_wgs", -0.04011840813871271, kMiss, kMiss, kMiss, 5.4658874464210389,
        0.019391204144692318},
       {"npv_wgs", 0.11214571591930082, kMiss, kMiss, kMiss, 16.535404143197817,
        4.7750116006794157e-5},
       {"rppv", 0.95364617945263107, 0.019912471900979084, 0.91714445864095763,
        0.99160064373307898, -2.3835592908894469, 0.017146122186080964},
       {"rnpv", 1.1714535464535465, 0.037836785463945744, 1.0877230738566501,
        1.2616294022640599, 4.1823142000708461, 2.8855681084998959e-5},
       {"rdlr_pos", 0.7345691942466136, 0.13260859361388638, 0.56644281420328183,
        0.95259731010105712, -2.3261771615321314, 0.020009101515225032},
       {"rdlr_neg", 0.57688751926040062, 0.13737603354484208, 0.44071359886621314,
        0.75513714742314207, -4.0043955113981916, 6.2176265168332816e-5}});
}

TEST(ExtendedStatistics, WorkedExampleAndCassWithHolmOverTheSixMeasures) {
  ExpectComparisons(
      Table({30, 12, 4, 4, 6, 10, 2, 32}),
      {{"se_mcnemar", 0.16, 0.076733304373003513, 0.0096054870141632691, 0.31039451298583673,
        4.0, 0.045500263896358414},
       {"se_exact", kMiss, kMiss, kMiss, kMiss, kMiss, 0.076812744140625},
       {"npv_gs", 0.085385878489326765, kMiss, kMiss, kMiss, 1.9257766919486581,
        0.16522123757452626},
       {"rnpv", 1.1179138321995465, 0.080816756749157467, 0.95415071867499605,
        1.3097839908966843, 1.3792226152035748, 0.16782612735542725},
       {"rdlr_neg", 0.61764705882352941, 0.36524424888632787, 0.30188665088064173,
        1.2636792258303166, -1.3192215575246391, 0.18709505330468791}});

  // testCompareR's cass: its figures for the weighted score tests, the
  // likelihood ratio tests (it prints |z|), McNemar with correction and Holm.
  const tCells cass = Table({473, 29, 81, 25, 22, 46, 44, 151});
  ExpectComparisons(
      cass, {{"se_mcnemar_cc", kMiss, kMiss, kMiss, kMiss, 23.645454545454545, 1.1581915661293699e-6},
             {"sp_mcnemar_cc", kMiss, kMiss, kMiss, kMiss, 0.011111111111111111, 0.91605107228189641},
             {"ppv_wgs", -0.012846632710809285, kMiss, kMiss, kMiss, 0.80705792096797149,
              0.36899150932409437},
             {"npv_wgs", -0.13702002620746251, kMiss, kMiss, kMiss, 22.502254083828072,
              2.0989715040180695e-6},
             {"rdlr_pos", 0.87948609046506689, 0.14300002003499704, 0.6645185940110834,
              1.1639941911221025, -0.89802456093228215, 0.3691724554832047}});
  const auto list = CompareTests(cass, 0.05);
  const struct { const char* name; double holm; } holm[] = {
      {"se_mcnemar", 4.2732336488107105e-6}, {"sp_mcnemar", 1.0}, {"ppv_wgs", 1.0},
      {"npv_wgs", 1.0494857520090348e-5},     {"rdlr_pos", 1.0},  {"rdlr_neg", 1.2476374918293525e-5}};
  for (const auto& h : holm) ExpectClose(Find(list, h.name).p_holm, h.holm, 1e-9, h.name);
  EXPECT_TRUE(IsMissing(Find(list, "ppv_gs").p_holm));  // an alternative test, not in the family
}

TEST(ExtendedStatistics, ZeroCellsGiveMissingFiguresAndNeverATrap) {
  // DTComPair's sesp.diff.ci example: X[2] = 0, the Wald intervals of the differences.
  ExpectComparisons(Table({18, 0, 14, 18, 18, 2, 12, 18}),
                    {{"se_mcnemar", -0.28, 0.063498031465550174, -0.40445385476166946,
                      -0.15554614523833054, 14.0, 0.00018281063298183503},
                     {"sp_mcnemar", 0.2, 0.069282032302755092, 0.064209711910859383,
                      0.33579028808914062, 7.1428571428571429, 0.0075263151664578857},
                     {"se_exact", kMiss, kMiss, kMiss, kMiss, kMiss, 0.0001220703125}});

  // No discordant diseased and no false positive of A: McNemar has no statistic,
  // A's DLR+ is infinite, and every figure built on them is missing.
  const tCells X = Table({20, 0, 0, 5, 0, 0, 3, 40});
  const tPairedAccuracy a = AccuracyOfTests(X, 0.05);
  EXPECT_TRUE(IsMissing(a.A.DLRpos.estimate));
  EXPECT_TRUE(IsMissing(a.A.DLRpos.log.Sup));
  EXPECT_EQ(a.A.PPV.estimate, 1.0);
  EXPECT_TRUE(IsMissing(a.A.PPV.se));
  ExpectClose(a.A.PPV.wald.Inf, 1 + std::log(0.05) / 20, 1e-12, "rule of three");  // DTComPair's
  EXPECT_LT(a.A.PPV.wilson.Inf, 1.0);
  const auto list = CompareTests(X, 0.05);
  EXPECT_TRUE(IsMissing(Find(list, "se_mcnemar").statistic));
  EXPECT_TRUE(IsMissing(Find(list, "se_mcnemar").p_value));
  EXPECT_EQ(Find(list, "se_exact").p_value, 1.0);
  EXPECT_TRUE(IsMissing(Find(list, "rdlr_pos").estimate));
  EXPECT_TRUE(IsMissing(Find(list, "rdlr_pos").p_holm));
}

TEST(ExtendedStatistics, HolmGivesTiedPValuesOneAdjustedValueWhateverTheirOrder) {
  // Sorted 0.01, 0.01, 0.03, 0.04 times 4, 3, 2, 1: 0.04, 0.03 -> 0.04, 0.06, 0.04 -> 0.06.
  const std::vector<double> a = HolmAdjust({0.01, 0.04, 0.01, 0.03});
  const std::vector<double> expected = {0.04, 0.06, 0.04, 0.06};
  for (std::size_t i = 0; i < a.size(); ++i) EXPECT_NEAR(a[i], expected[i], 1e-15) << i;
  const std::vector<double> b = HolmAdjust({0.03, 0.01, 0.04, 0.01});
  EXPECT_NEAR(b[1], b[3], 0.0);
  EXPECT_NEAR(b[1], 0.04, 1e-15);
  // A missing p-value is no member of the family: m = 2 here, and nothing exceeds 1.
  const std::vector<double> c = HolmAdjust({0.02, kMissing, 0.7});
  EXPECT_NEAR(c[0], 0.04, 1e-15);
  EXPECT_TRUE(IsMissing(c[1]));
  EXPECT_NEAR(c[2], 0.7, 1e-15);
  EXPECT_EQ(HolmAdjust({0.6, 0.9})[0], 1.0);
}

}  // namespace
}  // namespace kovalin
