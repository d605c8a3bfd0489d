#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace kovalin {

// SplitMix64: the k-th value of the sequence started at seed (k counted from 1).
std::uint64_t SplitMix64(std::uint64_t seed, std::uint64_t k);

// The generator state a record of a seeded run starts from: the low 32 bits of the
// row-th SplitMix64 value of the seed. It depends on the seed and the table row
// only, so that a record draws the same samples whichever worker runs it and
// whichever range of rows the run covers.
std::uint32_t RecordSeed(std::uint32_t seed, int row);

// The text the log gives a seeded run, naming the rule.
std::string_view RecordSeedRule();

// Clock seeds of one worker among `workers`: every seed of worker w is w modulo
// workers, so that no two workers ever share a seed, and two consecutive seeds of
// a worker differ even when the clock has not moved.
class tWorkerSeeds {
 public:
  using tClock = std::function<std::uint64_t()>;
  // An empty clock reads the processor's time-stamp counter.
  tWorkerSeeds(int worker, int workers, tClock clock = {});
  std::uint32_t Next();

 private:
  std::uint64_t worker_;
  std::uint64_t workers_;
  tClock clock_;
  std::uint64_t last_ = 0;
  bool hasLast_ = false;
};

}  // namespace kovalin
