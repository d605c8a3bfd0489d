// The methods over a batch of four samples in AVX2 vectors. The build gives
// this file alone -mavx2; the program calls it only where the processor has
// AVX2. Without that flag (another build) the kernel is left out.
#include "engine/sample_lanes_kernel.h"

#if defined(__AVX2__)
#include <immintrin.h>

namespace kovalin {
namespace {

using V = double __attribute__((vector_size(32)));
using VM = decltype(V{} < V{});

inline __attribute__((always_inline)) V LaneSqrt(V x) { return (V)_mm256_sqrt_pd((__m256d)x); }

}  // namespace

bool LaneKernelAvx2Built() { return true; }

}  // namespace kovalin

#define KOVALIN_LANE_WIDTH 4
#define KOVALIN_LANE_ENTRY LaneKernelAvx2
#include "engine/sample_lanes_kernel.inc"

#else

namespace kovalin {

bool LaneKernelAvx2Built() { return false; }
void LaneKernelAvx2(const tLanePlan& plan, const tLaneInput& input, tLaneResults& out) {
  LaneKernelPlain(plan, input, out);
}

}  // namespace kovalin

#endif
