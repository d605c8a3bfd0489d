#include "simulation/multinomial.h"

#include <algorithm>
#include <cmath>

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

bool MultinomialSample(std::int32_t count, std::span<std::int32_t> N, std::span<const double> p,
                       tRandomGenerator& rng) {
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
    std::array<std::uint64_t, 8> threshold{};
    for (std::size_t i = 1; i <= 7; ++i)
      threshold[i] = cum[i] >= 1.0 ? 4294967296ull
                                   : static_cast<std::uint64_t>(std::ceil(cum[i] * 4294967296.0));
    std::array<std::int32_t, 8> beyond{};
    for (std::int32_t k = 0; k < count; ++k) {
      const std::uint64_t s = rng.NextState();
      for (std::size_t i = 1; i <= 7; ++i)
        beyond[i] += static_cast<std::int32_t>(s >= threshold[i]);
    }
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

}  // namespace kovalin
