#include "simulation/draw_lanes.h"

#include "engine/cpu_features.h"
#include "simulation/random_generator.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define KOVALIN_X86 1
#endif

namespace kovalin {

namespace {

template <int Lanes>
constexpr std::array<tLcgJump, Lanes> LaneJumps() {
  std::array<tLcgJump, Lanes> jumps{};
  for (int j = 0; j < Lanes; ++j)
    jumps[static_cast<std::size_t>(j)] = LcgJump(static_cast<std::uint64_t>(j) + 1);
  return jumps;
}

}  // namespace

void CountReachedOneByOne(const tDrawThresholds& threshold, std::int32_t count,
                          std::uint32_t& state, tDrawReached& reached) {
  std::uint32_t s = state;
  for (std::int32_t k = 0; k < count; ++k) {
    s = s * kLcgMultiplier + kLcgIncrement;
    for (std::size_t i = 1; i <= 7; ++i)
      reached[i] += static_cast<std::int32_t>(std::uint64_t{s} >= threshold[i]);
  }
  state = s;
}

void CountReachedPortable(const tDrawThresholds& threshold, std::int32_t count,
                          std::uint32_t& state, tDrawReached& reached) {
  // Eight independent chains instead of one, in the form of the AVX2 lanes
  // below (flipped states, signed compares), which the compiler turns into
  // the plain x86-64 vector instructions.
  constexpr int kLanes = 8;
  static constexpr std::array<tLcgJump, kLanes> jumps = LaneJumps<kLanes>();
  constexpr tLcgJump kBlock = LcgJump(kLanes);
  constexpr std::uint32_t kFlip = 0x80000000u;
  if (count <= 0) return;
  const std::int32_t blocks = count / kLanes;
  std::uint32_t last = state;
  if (blocks > 0) {
    std::int32_t below[8] = {};
    for (std::size_t i = 1; i <= 7; ++i) {
      const std::uint64_t t = threshold[i];
      const std::uint32_t b = t == 0 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(t - 1);
      below[i] = static_cast<std::int32_t>(b ^ kFlip);
    }
    std::uint32_t s[kLanes];
    for (int j = 0; j < kLanes; ++j)
      s[j] = jumps[static_cast<std::size_t>(j)].Apply(state) ^ kFlip;
    std::int32_t counts[8][kLanes] = {};
    for (std::int32_t b = 0; b < blocks; ++b) {
      for (std::size_t i = 1; i <= 7; ++i)
        for (int j = 0; j < kLanes; ++j)
          counts[i][j] += static_cast<std::int32_t>(static_cast<std::int32_t>(s[j]) > below[i]);
      for (int j = 0; j < kLanes; ++j) s[j] = kBlock.Apply(s[j]);
    }
    // The last state of the last block, one block back from where the lanes stand.
    last = LcgJump(static_cast<std::uint64_t>(blocks) * kLanes).Apply(state);
    for (std::size_t i = 1; i <= 7; ++i) {
      if (threshold[i] == 0) {
        reached[i] += blocks * kLanes;
        continue;
      }
      for (int j = 0; j < kLanes; ++j) reached[i] += counts[i][j];
    }
  }
  CountReachedOneByOne(threshold, count - blocks * kLanes, last, reached);
  state = last;
}

#ifdef KOVALIN_X86

bool HasAvx2Draw() { return HasAvx2(); }

__attribute__((target("avx2"))) void CountReachedAvx2(const tDrawThresholds& threshold,
                                                       std::int32_t count, std::uint32_t& state,
                                                       tDrawReached& reached) {
  // Sixteen lanes in two vectors; lane j holds the state j + 1 steps after the
  // block's start. AVX2 compares signed integers only, so states and thresholds
  // are kept with the top bit flipped (s ^ 2^31): unsigned order becomes signed
  // order, and the flipped state follows the same recurrence, since the
  // multiplier is odd. s >= t is then (s ^ 2^31) > ((t - 1) ^ 2^31) for t >= 1;
  // a threshold 2^32 is never reached, a threshold 0 always.
  constexpr int kLanes = 16;
  alignas(32) static constexpr std::array<tLcgJump, kLanes> jumps = LaneJumps<kLanes>();
  constexpr tLcgJump kBlock = LcgJump(kLanes);
  constexpr std::uint32_t kFlip = 0x80000000u;
  if (count <= 0) return;

  alignas(32) std::int32_t mul[kLanes], add[kLanes];
  for (int j = 0; j < kLanes; ++j) {
    mul[j] = static_cast<std::int32_t>(jumps[static_cast<std::size_t>(j)].mul);
    add[j] = static_cast<std::int32_t>(jumps[static_cast<std::size_t>(j)].add);
  }
  __m256i thr[7];
  std::int32_t always[8] = {};
  for (std::size_t i = 1; i <= 7; ++i) {
    const std::uint64_t t = threshold[i];
    if (t == 0) always[i] = 1;
    const std::uint32_t below = t == 0 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(t - 1);
    thr[i - 1] = _mm256_set1_epi32(static_cast<std::int32_t>(below ^ kFlip));
  }
  const __m256i start = _mm256_set1_epi32(static_cast<std::int32_t>(state ^ kFlip));
  __m256i v0 = _mm256_add_epi32(
      _mm256_mullo_epi32(_mm256_load_si256(reinterpret_cast<const __m256i*>(mul)), start),
      _mm256_load_si256(reinterpret_cast<const __m256i*>(add)));
  __m256i v1 = _mm256_add_epi32(
      _mm256_mullo_epi32(_mm256_load_si256(reinterpret_cast<const __m256i*>(mul + 8)), start),
      _mm256_load_si256(reinterpret_cast<const __m256i*>(add + 8)));
  const __m256i jm = _mm256_set1_epi32(static_cast<std::int32_t>(kBlock.mul));
  const __m256i ja = _mm256_set1_epi32(static_cast<std::int32_t>(kBlock.add));
  __m256i acc[7];
  for (auto& a : acc) a = _mm256_setzero_si256();

  // Every block but the last is full; the last holds 1..16 states.
  std::int32_t left = count;
  for (; left > kLanes; left -= kLanes) {
    for (int i = 0; i < 7; ++i) {
      acc[i] = _mm256_sub_epi32(acc[i], _mm256_cmpgt_epi32(v0, thr[i]));
      acc[i] = _mm256_sub_epi32(acc[i], _mm256_cmpgt_epi32(v1, thr[i]));
    }
    v0 = _mm256_add_epi32(_mm256_mullo_epi32(v0, jm), ja);
    v1 = _mm256_add_epi32(_mm256_mullo_epi32(v1, jm), ja);
  }
  const __m256i remaining = _mm256_set1_epi32(left);
  const __m256i m0 = _mm256_cmpgt_epi32(remaining, _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
  const __m256i m1 =
      _mm256_cmpgt_epi32(remaining, _mm256_setr_epi32(8, 9, 10, 11, 12, 13, 14, 15));
  for (int i = 0; i < 7; ++i) {
    acc[i] = _mm256_sub_epi32(acc[i], _mm256_and_si256(_mm256_cmpgt_epi32(v0, thr[i]), m0));
    acc[i] = _mm256_sub_epi32(acc[i], _mm256_and_si256(_mm256_cmpgt_epi32(v1, thr[i]), m1));
  }
  alignas(32) std::uint32_t lanes[kLanes];
  _mm256_store_si256(reinterpret_cast<__m256i*>(lanes), v0);
  _mm256_store_si256(reinterpret_cast<__m256i*>(lanes + 8), v1);
  state = lanes[left - 1] ^ kFlip;

  for (std::size_t i = 1; i <= 7; ++i) {
    if (always[i]) {
      reached[i] += count;
      continue;
    }
    alignas(32) std::int32_t sums[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(sums), acc[i - 1]);
    std::int32_t total = 0;
    for (std::int32_t x : sums) total += x;
    reached[i] += total;
  }
}

#else

bool HasAvx2Draw() { return false; }

void CountReachedAvx2(const tDrawThresholds& threshold, std::int32_t count, std::uint32_t& state,
                      tDrawReached& reached) {
  CountReachedPortable(threshold, count, state, reached);
}

#endif

void CountReached(const tDrawThresholds& threshold, std::int32_t count, std::uint32_t& state,
                  tDrawReached& reached) {
  if (HasAvx2Draw())
    CountReachedAvx2(threshold, count, state, reached);
  else
    CountReachedPortable(threshold, count, state, reached);
}

}  // namespace kovalin
