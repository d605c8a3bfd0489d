#include "simulation/draw_lanes.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "simulation/multinomial.h"
#include "simulation/random_generator.h"

namespace kovalin {
namespace {

using Cells = std::array<double, 9>;
using Counts = std::array<std::int32_t, 9>;
using CountFn = void (*)(const tDrawThresholds&, std::int32_t, std::uint32_t&, tDrawReached&);

// The lane paths this processor can run.
std::vector<std::pair<const char*, CountFn>> LanePaths() {
  std::vector<std::pair<const char*, CountFn>> paths = {{"portable", &CountReachedPortable},
                                                        {"chosen", &CountReached}};
  if (HasAvx2Draw()) paths.push_back({"avx2", &CountReachedAvx2});
  return paths;
}

TEST(LcgJump, EqualsThatManySingleSteps) {
  std::uint32_t s = 987654321u;
  const std::uint32_t start = s;
  for (std::uint64_t k = 1; k <= 300; ++k) {
    s = s * kLcgMultiplier + kLcgIncrement;
    ASSERT_EQ(LcgJump(k).Apply(start), s) << k;
  }
  EXPECT_EQ(LcgJump(0).Apply(start), start);
  // The generator has the full period 2^32.
  EXPECT_EQ(LcgJump(4294967296ull).Apply(start), start);
  EXPECT_NE(LcgJump(2147483648ull).Apply(start), start);
}

// Thresholds at the ends of their range and on the very states the lanes will
// meet, for every count around the lane widths.
TEST(CountReached, LanesCountAsTheSingleStepsOnEveryBoundary) {
  const std::uint32_t start = 0xFFFFFFF0u;
  const tDrawThresholds thresholds[] = {
      {0, 0, 0, 0, 0, 0, 0, 0},
      {0, 4294967296ull, 4294967296ull, 4294967296ull, 4294967296ull, 4294967296ull,
       4294967296ull, 4294967296ull},
      {0, 0, 1, 2147483648ull, 4294967295ull, 4294967296ull, 4294967296ull, 4294967296ull},
      {0, LcgJump(1).Apply(start), LcgJump(5).Apply(start), LcgJump(16).Apply(start),
       LcgJump(17).Apply(start) + 1ull, 3000000000ull, 4000000000ull, 4294967296ull}};
  for (const auto& [name, path] : LanePaths()) {
    for (const tDrawThresholds& t : thresholds) {
      for (std::int32_t count = 0; count <= 70; ++count) {
        std::uint32_t single = start, lanes = start;
        tDrawReached expected{}, got{};
        expected[3] = got[3] = 5;  // counts add to what is there
        CountReachedOneByOne(t, count, single, expected);
        path(t, count, lanes, got);
        ASSERT_EQ(got, expected) << name << " count " << count;
        ASSERT_EQ(lanes, single) << name << " count " << count;
      }
    }
  }
}

// The draw of a run against the one-at-a-time draw: 200,000 consecutive
// samples of many sizes from one seeded stream, each vector of the program's
// kind, and the generator's state after every sample.
TEST(MultinomialSample, SameCountsAndStateAsOneAtATimeOverManySamples) {
  const Cells vectors[] = {
      {0, 0.145455, 0.083117, 0.045455, 0.025974, 0.006679, 0.050464, 0.075139, 0.567718},
      {0, 0.125, 0.125, 0.125, 0.125, 0.125, 0.125, 0.125, 0.125},
      {0, 0, 0.5, 0, 0, 0.25, 0, 0.25, 0},
      {0, 0.9999999, 1e-7, 0, 0, 0, 0, 0, 0}};
  const std::int32_t sizes[] = {1, 2, 7, 15, 16, 17, 31, 33, 50, 100, 101, 250, 1000};
  tRandomGenerator fast, reference;
  fast.UseSeed(20261209u);
  reference.UseSeed(20261209u);
  for (int k = 0; k < 200000; ++k) {
    const Cells& p = vectors[k % 4];
    const std::int32_t n = sizes[(k / 4) % 13];
    Counts got{}, expected{};
    ASSERT_TRUE(MultinomialSample(n, got, p, fast));
    ASSERT_TRUE(MultinomialSampleOneByOne(n, expected, p, reference));
    ASSERT_EQ(got, expected) << "sample " << k << ", n " << n;
    ASSERT_EQ(fast.State(), reference.State()) << "sample " << k;
  }
}

}  // namespace
}  // namespace kovalin
