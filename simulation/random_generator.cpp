#include "simulation/random_generator.h"

#include <chrono>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace kovalin {

namespace {

// The processor's time-stamp counter where there is one: it moves every cycle
// and costs a few nanoseconds, against a system call for the clock on some
// virtual machines; the steady clock elsewhere.
std::uint64_t HighResolutionCounter() {
#if defined(__x86_64__) || defined(__i386__)
  return static_cast<std::uint64_t>(__rdtsc());
#else
  return static_cast<std::uint64_t>(
      std::chrono::steady_clock::now().time_since_epoch().count());
#endif
}

}  // namespace

tRandomGenerator::tRandomGenerator() : clock_(HighResolutionCounter) {}

void tRandomGenerator::Randomize() {
  const auto reading = static_cast<std::uint32_t>(clock_() & 0xFFFFFFFFu);
  std::uint32_t seed = reading;
  if (hasLastSeed_ && (reading == lastReading_ || seed == lastSeed_)) seed = lastSeed_ + 1u;
  lastReading_ = reading;
  lastSeed_ = seed;
  hasLastSeed_ = true;
  state_ = seed;
}

void tRandomGenerator::UseSeed(std::uint32_t seed) {
  fixedSeed_ = true;
  state_ = seed;
}

void tRandomGenerator::UseClock() { fixedSeed_ = false; }

void tRandomGenerator::StartRun(std::optional<std::uint32_t> seed) {
  if (seed)
    UseSeed(*seed);
  else
    UseClock();
}

void tRandomGenerator::SetClock(tClock clock) {
  clock_ = clock ? std::move(clock) : tClock(HighResolutionCounter);
}

}  // namespace kovalin
