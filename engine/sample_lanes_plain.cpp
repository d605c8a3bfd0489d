// The methods over a batch of two samples with the plain x86-64 vectors
// (SSE2, which every x86-64 has), or lane by lane elsewhere.
#include "engine/sample_lanes_kernel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kovalin {
namespace {

using V = double __attribute__((vector_size(16)));
using VM = decltype(V{} < V{});

inline __attribute__((always_inline)) V LaneSqrt(V x) {
#if defined(__SSE2__)
  return (V)_mm_sqrt_pd((__m128d)x);
#else
  V r;
  for (int j = 0; j < 2; ++j) r[j] = __builtin_sqrt(x[j]);
  return r;
#endif
}

}  // namespace
}  // namespace kovalin

#define KOVALIN_LANE_WIDTH 2
#define KOVALIN_LANE_ENTRY LaneKernelPlain
#include "engine/sample_lanes_kernel.inc"
