#include "simulation/multinomial.h"

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
  for (std::int32_t k = 0; k < count; ++k) {
    const double u = rng.Random();
    std::size_t cell = 1;
    while (cell < 8 && u >= cum[cell]) ++cell;
    ++N[cell];
  }
  if (count > 0) N[0] = count;
  return true;
}

bool MultinomialSample(std::int32_t count, std::span<std::int32_t> N, std::span<const double> p) {
  return MultinomialSample(count, N, p, ProcessRandom());
}

}  // namespace kovalin
