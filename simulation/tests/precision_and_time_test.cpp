// The Monte Carlo standard error, the launcher's hint and the time texts.
#include <gtest/gtest.h>

#include <cmath>

#include "simulation/run_clock.h"
#include "simulation/sim_precision.h"

namespace kovalin {
namespace {

TEST(Precision, StandardErrorOfARateOverItsValidSamples) {
  // sqrt(0.95 * 0.05 / 1000) = 0.0068920...; sqrt(0.25 / 100) = 0.05.
  EXPECT_NEAR(MonteCarloStandardError(0.95, 1000), 0.00689202437604511, 1e-15);
  EXPECT_DOUBLE_EQ(MonteCarloStandardError(0.5, 100), 0.05);
  EXPECT_DOUBLE_EQ(MonteCarloStandardError(0.05, 10000), MonteCarloStandardError(0.95, 10000));
  EXPECT_EQ(MonteCarloStandardError(1.0, 37), 0.0);
  // No valid sample, or a rate that is missing, has no error.
  EXPECT_TRUE(std::isnan(MonteCarloStandardError(0.9, 0)));
  EXPECT_TRUE(std::isnan(MonteCarloStandardError(-999, 100)));
  EXPECT_TRUE(std::isnan(MonteCarloStandardError(std::nan(""), 100)));

  EXPECT_EQ(PrecisionHint(0.95, 1000), "\xC2\xB1" "0.0069 at 0.95 with 1,000 samples");
  EXPECT_EQ(PrecisionHint(0.05, 2500000), "\xC2\xB1" "0.0001 at 0.05 with 2,500,000 samples");
  EXPECT_EQ(GroupedCount(999), "999");
  EXPECT_EQ(GroupedCount(1000000), "1,000,000");
}

TEST(RunTime, ElapsedAndLeftFromTheSamplesDone) {
  // A quarter of the samples in 10 s: 30 s to go.
  const tWorkProgress quarter{250, 1000, 10.0};
  EXPECT_DOUBLE_EQ(quarter.SecondsLeft(), 30.0);
  EXPECT_EQ(quarter.Text(), "Elapsed 0:10, about 0:30 left");
  EXPECT_EQ((tWorkProgress{0, 1000, 3.5}).Text(), "Elapsed 0:03");
  EXPECT_EQ(ClockText(3725), "1:02:05");
  EXPECT_EQ(ClockText(-1), "0:00");
  EXPECT_EQ(DurationLine(1.23456), "Duration: 1.235 s");
  EXPECT_GE(AvailableProcessors(), 1);
}

}  // namespace
}  // namespace kovalin
