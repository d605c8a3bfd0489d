#include "simulation/multinomial.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numeric>
#include <vector>

namespace kovalin {
namespace {

using Cells = std::array<double, 9>;
using Counts = std::array<std::int32_t, 9>;

// A generator seeded for the test, so that the draws are repeatable.
tRandomGenerator Seeded(std::uint32_t seed) {
  tRandomGenerator rng;
  rng.UseSeed(seed);
  return rng;
}

TEST(RandomCell, ChoosesTheCellWhoseRangeHoldsTheDraw) {
  // With state 0 the first draw is 1/2^32, which falls in the first cell with
  // positive probability.
  const Cells p = {0, 0, 0, 0.5, 0.5, 0, 0, 0, 0};
  tRandomGenerator rng;
  rng.SetState(0);
  EXPECT_EQ(RandomCell(p, rng), 3);
  // The second draw is 134775814 / 2^32 = 0.0314; p[1..3] sum to 0.0314 - a bit.
  const double u2 = 134775814.0 / 4294967296.0;
  const Cells q = {0, u2 / 2, u2 / 2 - 1e-12, 0.5, 0, 0, 0, 0, 0};
  EXPECT_EQ(RandomCell(q, rng), 3);
}

TEST(RandomCell, DrawOnTheBoundaryGoesToTheUpperCell) {
  tRandomGenerator rng;
  rng.SetState(0);
  const double u = 1.0 / 4294967296.0;  // the next draw
  const Cells p = {0, u, 1 - u, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(RandomCell(p, rng), 2);
}

TEST(RandomCell, ZeroProbabilitiesAndShortTotalsGoToTheLastCell) {
  tRandomGenerator rng = Seeded(7);
  const Cells zeros{};
  const Cells shortTotal = {0, 0.1, 0.1, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 100; ++i) EXPECT_EQ(RandomCell(zeros, rng), 8);
  int eights = 0;
  for (int i = 0; i < 1000; ++i) eights += RandomCell(shortTotal, rng) == 8;
  EXPECT_GT(eights, 700);
}

TEST(MultinomialSample, CountsAddUpToTheSampleSize) {
  tRandomGenerator rng = Seeded(99);
  const Cells p = {0, 0.145455, 0.083117, 0.045455, 0.025974,
                   0.006679, 0.050464, 0.075139, 0.567718};
  for (int count : {1, 7, 100, 1000}) {
    Counts N{};
    ASSERT_TRUE(MultinomialSample(count, N, p, rng));
    EXPECT_EQ(N[0], count);
    EXPECT_EQ(std::accumulate(N.begin() + 1, N.end(), 0), count);
  }
}

TEST(MultinomialSample, CellsWithoutProbabilityStayEmpty) {
  tRandomGenerator rng = Seeded(3);
  const Cells p = {0, 0.25, 0.25, 0.25, 0.25, 0, 0, 0, 0};
  Counts N{};
  ASSERT_TRUE(MultinomialSample(10000, N, p, rng));
  for (int i = 5; i <= 8; ++i) EXPECT_EQ(N[static_cast<std::size_t>(i)], 0) << "cell " << i;
  for (int i = 1; i <= 4; ++i) EXPECT_GT(N[static_cast<std::size_t>(i)], 2000);
}

TEST(MultinomialSample, AllZeroProbabilitiesFillCellEight) {
  tRandomGenerator rng = Seeded(3);
  const Cells p{};
  Counts N{};
  ASSERT_TRUE(MultinomialSample(25, N, p, rng));
  EXPECT_EQ(N[8], 25);
  EXPECT_EQ(N[0], 25);
}

TEST(MultinomialSample, NonPositiveCountDrawsNothing) {
  tRandomGenerator rng = Seeded(3);
  const Cells p = {0, 1, 0, 0, 0, 0, 0, 0, 0};
  for (int count : {0, -5}) {
    Counts N{};
    N[0] = 17;
    ASSERT_TRUE(MultinomialSample(count, N, p, rng));
    EXPECT_EQ(N[0], 0);
    EXPECT_EQ(std::accumulate(N.begin() + 1, N.end(), 0), 0);
  }
}

TEST(MultinomialSample, AddsToCountsAlreadyThere) {
  tRandomGenerator rng = Seeded(3);
  const Cells p = {0, 1, 0, 0, 0, 0, 0, 0, 0};
  Counts N{};
  N[1] = 4;
  ASSERT_TRUE(MultinomialSample(6, N, p, rng));
  EXPECT_EQ(N[1], 10);
  EXPECT_EQ(N[0], 6);
}

TEST(MultinomialSample, RefusesVectorsOfDifferentLength) {
  tRandomGenerator rng = Seeded(3);
  std::vector<double> p(8, 0.125);
  Counts N{};
  EXPECT_FALSE(MultinomialSample(10, N, p, rng));
  EXPECT_EQ(std::accumulate(N.begin(), N.end(), 0), 0);
}

TEST(MultinomialSample, ProportionsFollowTheProbabilities) {
  tRandomGenerator rng = Seeded(20261209);
  const Cells p = {0, 0.05, 0.1, 0.15, 0.2, 0.2, 0.15, 0.1, 0.05};
  Counts N{};
  const int count = 200000;
  ASSERT_TRUE(MultinomialSample(count, N, p, rng));
  for (std::size_t i = 1; i <= 8; ++i) {
    const double se = std::sqrt(p[i] * (1 - p[i]) / count);
    EXPECT_NEAR(static_cast<double>(N[i]) / count, p[i], 5 * se) << "cell " << i;
  }
}

TEST(MultinomialSample, ClockSeededSamplesDifferEvenWhenTheClockStands) {
  tRandomGenerator rng;
  rng.SetClock([] { return 424242ull; });
  rng.StartRun(std::nullopt);
  const Cells p = {0, 0.125, 0.125, 0.125, 0.125, 0.125, 0.125, 0.125, 0.125};
  Counts first{}, second{};
  ASSERT_TRUE(MultinomialSample(200, first, p, rng));
  ASSERT_TRUE(MultinomialSample(200, second, p, rng));
  EXPECT_NE(first, second);
}

TEST(MultinomialSample, SeededRunsRepeatSampleBySample) {
  const Cells p = {0, 0.3, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1};
  tRandomGenerator a = Seeded(555), b = Seeded(555);
  for (int k = 0; k < 5; ++k) {
    Counts na{}, nb{};
    ASSERT_TRUE(MultinomialSample(100, na, p, a));
    ASSERT_TRUE(MultinomialSample(100, nb, p, b));
    EXPECT_EQ(na, nb);
  }
}

// The sampler counts draws in bulk; the counts must be those of drawing cell
// after cell with the sequential search, for every kind of vector.
class SamplerMatchesSequentialSearch : public ::testing::TestWithParam<Cells> {};

TEST_P(SamplerMatchesSequentialSearch, SameCountsFromTheSameState) {
  const Cells p = GetParam();
  for (std::uint32_t seed : {0u, 1u, 12345u, 0xFFFFFFFFu}) {
    tRandomGenerator bulk = Seeded(seed), single = Seeded(seed);
    Counts N{}, expected{};
    ASSERT_TRUE(MultinomialSample(5000, N, p, bulk));
    for (int k = 0; k < 5000; ++k) ++expected[static_cast<std::size_t>(RandomCell(p, single))];
    expected[0] = 5000;
    EXPECT_EQ(N, expected) << "seed " << seed;
    EXPECT_EQ(bulk.State(), single.State());
  }
}

// A state s of the generator gives u = s / 2^32; sums placed exactly on such
// values test the boundaries.
constexpr double kOnState = 134775814.0 / 4294967296.0;

INSTANTIATE_TEST_SUITE_P(
    Vectors, SamplerMatchesSequentialSearch,
    ::testing::Values(
        Cells{0, 0.145455, 0.083117, 0.045455, 0.025974, 0.006679, 0.050464, 0.075139, 0.567718},
        Cells{0, 0.125, 0.125, 0.125, 0.125, 0.125, 0.125, 0.125, 0.125},
        Cells{0, 0.25, 0.25, 0.25, 0.25, 0, 0, 0, 0},
        Cells{0, 0, 0, 0, 0, 0, 0, 0, 1},
        Cells{0, 0.1, 0.1, 0, 0, 0, 0, 0, 0},            // total below 1
        Cells{0, 0.6, 0.6, 0.6, 0, 0, 0, 0, 0},          // total above 1
        Cells{0, kOnState, 0, 1e-300, 0.5, 0, 0, 0, 0},  // sums on generator values
        Cells{0, 0.3, -0.2, 0.4, 0.2, 0.1, 0.1, 0.05, 0.05},  // falling sum
        Cells{0, 0.5, std::nan(""), 0.1, 0.1, 0.1, 0.1, 0.05, 0.05}));

}  // namespace
}  // namespace kovalin
