#pragma once

// The plain records the lane kernels read and write. They hold C arrays only:
// the kernels are compiled once per instruction set (AVX-512, AVX2, plain
// x86-64), and a header that instantiated library templates in those files
// could hand the linker an AVX copy of a function the whole program calls.

#include <cstdint>

namespace kovalin {

inline constexpr int kLaneMaxWidth = 8;    // AVX-512: eight doubles
inline constexpr int kLaneMaxMethods = 21;
inline constexpr int kLaneMaxGroups = 4;   // distinct (increment, epsilon) pairs
inline constexpr int kLaneAccumulators = 24;  // the accumulators' lanes: 21 in whole vectors of 4

// Which parts of a sample the kernel computes, as the simulation type says.
inline constexpr int kLaneAny = 0;
inline constexpr int kLaneIntervals = 1;
inline constexpr int kLaneIndividual = 2;
inline constexpr int kLaneGlobal = 3;

struct tLanePlan {
  int kind = kLaneIntervals;
  int groupCount = 0;
  double increment[kLaneMaxGroups] = {};
  double epsilon[kLaneMaxGroups] = {};
  int methodCount = 0;
  int index[kLaneMaxMethods] = {};  // method number 1..21, in the order of the run
  int group[kLaneMaxMethods] = {};
  double theta[kLaneMaxMethods] = {};  // the parameter value of the coverage
  double Z = 0;
  double Z2 = 0;
};

// One batch of samples: the cells 1..8 of sample j at cells[j][1..8]; a
// sample with skip[j] is computed elsewhere and not counted.
struct tLaneInput {
  int count = 0;
  std::int32_t cells[kLaneMaxWidth][9] = {};
  bool skip[kLaneMaxWidth] = {};
};

// The results of every planned method for every sample of the batch, at
// [method position][sample] (rows past the methods stay zero). Codes are the
// error codes as reals; the tests' significations are 0 or 1; indicator is the
// coverage indicator.
struct tLaneResults {
  double code[kLaneAccumulators][kLaneMaxWidth];
  double estimate[kLaneAccumulators][kLaneMaxWidth];
  double variance[kLaneAccumulators][kLaneMaxWidth];
  double se[kLaneAccumulators][kLaneMaxWidth];
  double inf[kLaneAccumulators][kLaneMaxWidth];
  double sup[kLaneAccumulators][kLaneMaxWidth];
  double length[kLaneAccumulators][kLaneMaxWidth];
  double indicator[kLaneAccumulators][kLaneMaxWidth];
  double itStatistic[kLaneAccumulators][kLaneMaxWidth];
  double itSignificant[kLaneAccumulators][kLaneMaxWidth];
  double gtStatistic[kLaneAccumulators][kLaneMaxWidth];
  double gtSignificant[kLaneAccumulators][kLaneMaxWidth];
  double valid[kLaneAccumulators][kLaneMaxWidth];      // 1 where the code is 0
  double cellsTotal[kLaneAccumulators][kLaneMaxWidth];  // the method's corrected total
  // Per group: the corrected total and whether the epsilon correction applied.
  double total[kLaneMaxGroups][kLaneMaxWidth];
  double corrected[kLaneMaxGroups][kLaneMaxWidth];
  // What the accumulators read, at [sample][method position], so that a
  // sample's row is the accumulators' vector as it stands (positions past the
  // methods stay zero): 1 where the error code is 0, the coverage indicator
  // (a test's signification for the tests), the length, the corrected total.
  alignas(32) double accValid[kLaneMaxWidth][kLaneAccumulators];
  alignas(32) double accIndicator[kLaneMaxWidth][kLaneAccumulators];
  alignas(32) double accLength[kLaneMaxWidth][kLaneAccumulators];
  alignas(32) double accTotal[kLaneMaxWidth][kLaneAccumulators];
  // The counts of the samples the batch takes (not skipped, not sent back):
  // how many, and per method the failures (code not 0), the corrections (of
  // the valid samples only for the tests) and the intervals that could not
  // be computed (code 400).
  double taken;
  double failed[kLaneAccumulators];
  double corrections[kLaneAccumulators];
  double intervalsMissing[kLaneAccumulators];
  // 1 where a sample must go the one-at-a-time way (a cell not positive
  // after both corrections).
  double scalar[kLaneMaxWidth];
};

// The kernels, one per instruction set; each computes every sample of input
// (count up to its width; lanes past count are computed on empty tables and
// ignored). The AVX ones exist only where the build could compile them.
void LaneKernelPlain(const tLanePlan& plan, const tLaneInput& input, tLaneResults& out);
bool LaneKernelAvx2Built();
void LaneKernelAvx2(const tLanePlan& plan, const tLaneInput& input, tLaneResults& out);
bool LaneKernelAvx512Built();
void LaneKernelAvx512(const tLanePlan& plan, const tLaneInput& input, tLaneResults& out);

}  // namespace kovalin
