#include "simulation/multinomial.h"

#include <algorithm>

#include "simulation/draw_lanes.h"

namespace kovalin {

int RandomCell(std::span<const double> p, tRandomGenerator& rng) {
  const double u = rng.Random();
  int i = 1;
  double cum = p[1];
  while (u >= cum) {
    ++i;
    if (i > 8) return 8;
    cum += p[static_cast<std::size_t>(i)];
  }
  return i;
}

namespace {

// The smallest state s with s / 2^32 >= c, for 0 <= c: c * 2^32 rounded up, or
// 2^32 (no state) when c >= 1. The product is exact, so rounding up is a
// truncation plus one where the product has a fraction.
std::uint64_t StateThreshold(double c) {
  if (c >= 1.0) return 4294967296ull;
  const double scaled = c * 4294967296.0;  // in [0, 2^32)
  auto whole = static_cast<std::uint64_t>(scaled);
  if (static_cast<double>(whole) < scaled) ++whole;
  return whole;
}

template <class CountFn>
bool Draw(std::int32_t count, std::span<std::int32_t> N, std::span<const double> p,
          tRandomGenerator& rng, CountFn countReached) {
  if (N.size() != p.size() || N.size() < 9) return false;
  rng.BeginSample();
  // The running sums of the search, added in the same order once per sample, so
  // that each draw only compares.
  std::array<double, 9> cum{};
  double total = 0;
  for (std::size_t i = 1; i <= 8; ++i) {
    total += p[i];
    cum[i] = total;
  }
  N[0] = 0;
  bool ascending = true;
  for (std::size_t i = 2; i <= 8; ++i) ascending = ascending && cum[i] >= cum[i - 1];
  ascending = ascending && cum[1] >= 0;
  if (ascending) {
    // With running sums that never fall (the case of every probability vector
    // of this program), a draw lands beyond cell i exactly when u has reached
    // the i-th sum. Counting those events per cell, without branches or stores
    // into N, is what the sequential search amounts to, several times faster.
    // u = s / 2^32 reaches a sum c exactly when the state s reaches c * 2^32
    // rounded up, so the draws compare integers.
    tDrawThresholds threshold{};
    for (std::size_t i = 1; i <= 7; ++i) threshold[i] = StateThreshold(cum[i]);
    tDrawReached beyond{};
    std::uint32_t state = rng.State();
    if (count > 0) countReached(threshold, count, state, beyond);
    rng.SetState(state);
    beyond[0] = std::max(count, 0);
    for (std::size_t c = 1; c <= 8; ++c) N[c] += beyond[c - 1] - (c < 8 ? beyond[c] : 0);
  } else {
    for (std::int32_t k = 0; k < count; ++k) {
      const double u = rng.Random();
      std::size_t cell = 1;
      while (cell < 8 && u >= cum[cell]) ++cell;
      ++N[cell];
    }
  }
  if (count > 0) N[0] = count;
  return true;
}

}  // namespace

bool MultinomialSample(std::int32_t count, std::span<std::int32_t> N, std::span<const double> p,
                       tRandomGenerator& rng) {
  return Draw(count, N, p, rng, CountReached);
}

bool MultinomialSampleOneByOne(std::int32_t count, std::span<std::int32_t> N,
                               std::span<const double> p, tRandomGenerator& rng) {
  return Draw(count, N, p, rng, CountReachedOneByOne);
}

}  // namespace kovalin
