#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "simulation/random_generator.h"

namespace kovalin {

// One draw of a cell 1..8: cell i when p[1] + ... + p[i-1] <= u < p[1] + ... + p[i];
// the last cell when rounding leaves the total below u. p[0] is not read.
int RandomCell(std::span<const double> p, tRandomGenerator& rng);

// Adds a multinomial sample of size count to N[1..8] and sets N[0] to the size
// drawn; the caller clears N[1..8] first. Before drawing, the generator is
// reseeded from the clock unless the run has a seed. Returns false and draws
// nothing when N and p differ in length. Allocates nothing.
bool MultinomialSample(std::int32_t count, std::span<std::int32_t> N, std::span<const double> p,
                       tRandomGenerator& rng);

// The same sample drawn one state at a time: the reference that the faster
// draw must equal in its counts and in the generator's state afterwards.
bool MultinomialSampleOneByOne(std::int32_t count, std::span<std::int32_t> N,
                               std::span<const double> p, tRandomGenerator& rng);

}  // namespace kovalin
