#include "simulation/random_generator.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kovalin {
namespace {

TEST(RandomGenerator, RecurrenceFromZeroState) {
  tRandomGenerator rng;
  rng.SetState(0);
  EXPECT_DOUBLE_EQ(rng.Random(), 1.0 / 4294967296.0);
  EXPECT_EQ(rng.State(), 1u);
  // 1 * 134775813 + 1
  EXPECT_DOUBLE_EQ(rng.Random(), 134775814.0 / 4294967296.0);
  EXPECT_EQ(rng.State(), 134775814u);
}

TEST(RandomGenerator, StateWrapsModulo2To32) {
  tRandomGenerator rng;
  rng.SetState(0xFFFFFFFFu);
  const double u = rng.Random();
  // (2^32 - 1) * 134775813 + 1 mod 2^32 = 2^32 - 134775813 + 1
  const std::uint32_t expected = static_cast<std::uint32_t>(4294967296ull - 134775813ull + 1ull);
  EXPECT_EQ(rng.State(), expected);
  EXPECT_GE(u, 0.0);
  EXPECT_LT(u, 1.0);
}

TEST(RandomGenerator, RandomizeTakesLow32BitsOfTheClock) {
  tRandomGenerator rng;
  rng.SetClock([] { return 0x123456789ABCull; });
  rng.Randomize();
  EXPECT_EQ(rng.State(), 0x56789ABCu);
}

TEST(RandomGenerator, ClockThatHasNotMovedStillGivesANewSeed) {
  tRandomGenerator rng;
  rng.SetClock([] { return 1000ull; });
  rng.Randomize();
  EXPECT_EQ(rng.State(), 1000u);
  rng.Random();
  rng.Randomize();
  EXPECT_EQ(rng.State(), 1001u);
  rng.Randomize();
  EXPECT_EQ(rng.State(), 1002u);
}

TEST(RandomGenerator, ClockModeReseedsBeforeEverySample) {
  tRandomGenerator rng;
  std::uint64_t tick = 50;
  rng.SetClock([&tick] { return tick; });
  rng.StartRun(std::nullopt);
  EXPECT_FALSE(rng.HasFixedSeed());
  rng.BeginSample();
  EXPECT_EQ(rng.State(), 50u);
  tick = 77;
  rng.Random();
  rng.BeginSample();
  EXPECT_EQ(rng.State(), 77u);
}

TEST(RandomGenerator, GivenSeedIsUsedOnceAndNotReplacedPerSample) {
  tRandomGenerator rng;
  rng.SetClock([] { return 999ull; });
  rng.StartRun(12345u);
  EXPECT_TRUE(rng.HasFixedSeed());
  EXPECT_EQ(rng.State(), 12345u);
  rng.BeginSample();
  EXPECT_EQ(rng.State(), 12345u);
  const double first = rng.Random();
  rng.BeginSample();
  const double second = rng.Random();
  EXPECT_NE(first, second);  // the sequence goes on across samples

  tRandomGenerator again;
  again.StartRun(12345u);
  again.BeginSample();
  EXPECT_EQ(again.Random(), first);
  again.BeginSample();
  EXPECT_EQ(again.Random(), second);
}

TEST(RandomGenerator, RunWithoutSeedReturnsToTheClock) {
  tRandomGenerator rng;
  rng.SetClock([] { return 31ull; });
  rng.StartRun(5u);
  rng.StartRun(std::nullopt);
  rng.BeginSample();
  EXPECT_EQ(rng.State(), 31u);
}

}  // namespace
}  // namespace kovalin
