#pragma once

#include <array>
#include <cstdint>

namespace kovalin {

// The counting core of the multinomial draw. For the next count states s of the
// generator (starting after state), reached[i] gains the number of states with
// s >= threshold[i], for i = 1..7 (threshold[0] is not read; thresholds lie in
// [0, 2^32]); state becomes the count-th state, as count single steps leave it.
// The states are independent of each other once the first is known, so the
// lanes compute several of them at a time by jumping ahead.
using tDrawThresholds = std::array<std::uint64_t, 8>;
using tDrawReached = std::array<std::int32_t, 8>;

// The paths, for tests and benchmarks; CountReached picks the fastest the
// processor has.
void CountReachedOneByOne(const tDrawThresholds& threshold, std::int32_t count,
                          std::uint32_t& state, tDrawReached& reached);
void CountReachedPortable(const tDrawThresholds& threshold, std::int32_t count,
                          std::uint32_t& state, tDrawReached& reached);
// Only where HasAvx2Draw() is true.
void CountReachedAvx2(const tDrawThresholds& threshold, std::int32_t count,
                      std::uint32_t& state, tDrawReached& reached);
bool HasAvx2Draw();

void CountReached(const tDrawThresholds& threshold, std::int32_t count, std::uint32_t& state,
                  tDrawReached& reached);

}  // namespace kovalin
