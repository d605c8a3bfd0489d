#pragma once

#include <span>

#include "engine/sample_lanes_kernel.h"
#include "engine/t2bdm.h"

namespace kovalin {

// The kernel the batches of a simulation run take. automatic is the widest the
// processor has (AVX-512: 8 samples, AVX2: 4, plain x86-64: 2); oneByOne is
// the method objects' own Calculate, one sample at a time.
enum class tLanePath { automatic, oneByOne, plain, avx2, avx512 };

// The process-wide choice, for benchmarks and tests; runs planned afterwards
// take it. A path the processor or the build lacks falls back to automatic.
void SetLanePath(tLanePath path);
tLanePath LanePath();
bool LanePathAvailable(tLanePath path);

// The active methods of a run computed over a batch of samples at once, one
// sample per vector lane, with the bits Calculate gives each sample.
class tSampleLanes {
 public:
  // Fixes the plan for the methods of a run, in their order; Width() is 1
  // when they cannot go in lanes (more than four kinds of correction, methods
  // of another simulation type or with differing quantiles).
  void Plan(std::span<t2BDM* const> methods, tSimulationType kind);
  // Takes each method's coverage parameter, once the record has set it.
  void LoadParameters();
  // The samples of one batch (1: the lanes are not used).
  int Width() const { return width_; }
  // The group of corrections method position k belongs to.
  int Group(int k) const { return plan_.group[k]; }
  // Computes the count <= Width() samples of input.
  void Compute(const tLaneInput& input, tLaneResults& out) const { kernel_(plan_, input, out); }

 private:
  using Kernel = void (*)(const tLanePlan&, const tLaneInput&, tLaneResults&);
  tLanePlan plan_;
  Kernel kernel_ = &LaneKernelPlain;
  int width_ = 1;
  t2BDM* bound_[kLaneMaxMethods] = {};
};

}  // namespace kovalin
