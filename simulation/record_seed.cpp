#include "simulation/record_seed.h"

#include <chrono>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace kovalin {

namespace {

constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ull;
constexpr std::uint64_t kStates = 1ull << 32;

std::uint64_t Counter() {
#if defined(__x86_64__) || defined(__i386__)
  return static_cast<std::uint64_t>(__rdtsc());
#else
  return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
#endif
}

}  // namespace

std::uint64_t SplitMix64(std::uint64_t seed, std::uint64_t k) {
  std::uint64_t z = seed + k * kGolden;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::uint32_t RecordSeed(std::uint32_t seed, int row) {
  // Rows are at least 1; the cast keeps any int distinct.
  const auto k = static_cast<std::uint64_t>(static_cast<std::uint32_t>(row));
  return static_cast<std::uint32_t>(SplitMix64(seed, k) & 0xFFFFFFFFu);
}

std::string_view RecordSeedRule() {
  return "each record from the seed and its row number (SplitMix64)";
}

tWorkerSeeds::tWorkerSeeds(int worker, int workers, tClock clock)
    : worker_(static_cast<std::uint64_t>(worker < 0 ? 0 : worker)),
      workers_(static_cast<std::uint64_t>(workers < 1 ? 1 : workers)),
      clock_(clock ? std::move(clock) : tClock(Counter)) {
  if (worker_ >= workers_) worker_ %= workers_;
}

std::uint32_t tWorkerSeeds::Next() {
  const std::uint64_t reading = clock_() & (kStates - 1);
  // The reading moved down to this worker's residue; kept below 2^32.
  std::uint64_t seed = reading - reading % workers_ + worker_;
  if (seed >= kStates) seed -= workers_;
  if (hasLast_ && seed == last_) {
    seed = last_ + workers_;
    if (seed >= kStates) seed = worker_;
  }
  last_ = seed;
  hasLast_ = true;
  return static_cast<std::uint32_t>(seed);
}

}  // namespace kovalin
