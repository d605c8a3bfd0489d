// The methods over a batch of eight samples in AVX-512 vectors. The build gives
// this file alone -mavx512f; the program calls it only where the processor has
// AVX-512F. Without that flag (another build) the kernel is left out.
#include "engine/sample_lanes_kernel.h"

#if defined(__AVX512F__)
#include <immintrin.h>

namespace kovalin {
namespace {

using V = double __attribute__((vector_size(64)));
using VM = decltype(V{} < V{});

inline __attribute__((always_inline)) V LaneSqrt(V x) {
  // The zero-masked form: the plain one trips a false uninitialised warning in GCC 12.
  return (V)_mm512_maskz_sqrt_pd(static_cast<__mmask8>(0xFF), (__m512d)x);
}

}  // namespace

bool LaneKernelAvx512Built() { return true; }

}  // namespace kovalin

#define KOVALIN_LANE_WIDTH 8
#define KOVALIN_LANE_ENTRY LaneKernelAvx512
#include "engine/sample_lanes_kernel.inc"

#else

namespace kovalin {

bool LaneKernelAvx512Built() { return false; }
void LaneKernelAvx512(const tLanePlan& plan, const tLaneInput& input, tLaneResults& out) {
  LaneKernelPlain(plan, input, out);
}

}  // namespace kovalin

#endif
