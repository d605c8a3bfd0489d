#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace kovalin {

// The multiplier and increment of the generator's step.
inline constexpr std::uint32_t kLcgMultiplier = 134775813u;
inline constexpr std::uint32_t kLcgIncrement = 1u;

// k steps of the generator as one: s_k = mul * s + add (mod 2^32). Draws that
// advance several states side by side step each one by such a jump.
struct tLcgJump {
  std::uint32_t mul = 1;
  std::uint32_t add = 0;
  std::uint32_t Apply(std::uint32_t s) const { return mul * s + add; }
};

constexpr tLcgJump LcgJump(std::uint64_t steps) {
  // Squaring the one-step map: (m, a) composed with itself is (m*m, m*a + a).
  tLcgJump result;
  tLcgJump power{kLcgMultiplier, kLcgIncrement};
  for (; steps != 0; steps >>= 1) {
    if (steps & 1u) result = {power.mul * result.mul, power.mul * result.add + power.add};
    power = {power.mul * power.mul, power.mul * power.add + power.add};
  }
  return result;
}

// The simulation's linear congruential generator. Every run has its own, handed
// to it by whoever starts the run; there is no process-wide one. By default it is reseeded from
// the high-resolution clock before every sample; a run that is given a seed is
// seeded once at its start instead, so that the same inputs repeat exactly.
class tRandomGenerator {
 public:
  // The clock that seeds the generator: any counter that keeps moving.
  using tClock = std::function<std::uint64_t()>;

  tRandomGenerator();

  // s := (s * 134775813 + 1) mod 2^32; returns s / 2^32, in [0, 1).
  double Random() { return static_cast<double>(NextState()) * (1.0 / 4294967296.0); }

  // The same step, returning the new state itself: Random() is State() / 2^32.
  std::uint32_t NextState() {
    state_ = state_ * kLcgMultiplier + kLcgIncrement;
    return state_;
  }

  // Seeds from the low 32 bits of the clock. Two consecutive seeds are never
  // equal: while the clock has not moved, the previous seed is advanced by one,
  // since two samples drawn from one seed would repeat each other.
  void Randomize();

  // Called by the sampler before each sample: reseeds from the clock unless the
  // run was given a seed.
  void BeginSample() {
    if (!fixedSeed_) Randomize();
  }

  // The seeding of a run: a seed given by the user, or the clock before every sample.
  void UseSeed(std::uint32_t seed);
  void UseClock();
  // Applies a run's choice: a seed when one is given, the clock otherwise.
  void StartRun(std::optional<std::uint32_t> seed);
  bool HasFixedSeed() const { return fixedSeed_; }

  std::uint32_t State() const { return state_; }
  void SetState(std::uint32_t s) { state_ = s; }

  // Replaces the seeding clock (tests); an empty function restores the default.
  void SetClock(tClock clock);

 private:
  std::uint32_t state_ = 0;
  std::uint32_t lastSeed_ = 0;
  std::uint32_t lastReading_ = 0;
  bool hasLastSeed_ = false;
  bool fixedSeed_ = false;
  tClock clock_;
};

}  // namespace kovalin
