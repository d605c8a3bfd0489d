#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/sample_lanes_kernel.h"
#include "engine/t2bdm.h"

namespace kovalin {

// The accumulators of a run's active methods kept side by side, one array per
// field, so that a sample updates all of them in a few vector operations. The
// rules and their arithmetic are those of Update_SimRec_CI, Update_SimRec_IT
// and Update_SimRec_GT, operation for operation, so the results are the same to
// the bit. Between Load and Store the lanes hold the record's summaries and
// the methods' own records are not updated.
class tAccumulatorLanes {
 public:
  static constexpr int kMaxLanes = 24;  // 21 methods, in whole vectors of 4

  // The methods whose accumulators of the kind the lanes keep (intervals unless
  // the kind is one of the tests).
  void Bind(std::span<t2BDM* const> methods, tSimulationType kind);
  // Takes the methods' records (just reset for a record) into the lanes.
  void Load();
  // Accounts for the sample every bound method has just calculated.
  void Update();
  // The running means of Update for sample j of a batch computed in lanes
  // (results holds the bound methods at their positions), in draw order.
  void UpdateFromLanes(const tLaneResults& results, int j);
  // The counts of Update (samples, failures, corrections, and the methods'
  // error counts) for the samples the batch took; they are sums, so they
  // may come once per batch. (A test's corrections are those of its valid
  // samples: its first valid sample sets them, and nothing adds before it.)
  void CountFromLanes(const tLaneResults& results);
  // Writes the lanes into the methods' records.
  void Store() const;

  // The vector paths, for tests: the update with AVX where the processor has
  // it, or without (the result is the same).
  void UpdateWith(bool avx2);

 private:
  bool intervals_ = true;
  bool globalTest_ = false;
  int count_ = 0;
  std::array<t2BDM*, kMaxLanes> methods_{};

  // Integer fields.
  alignas(32) std::array<std::int32_t, kMaxLanes> iterations_{};
  alignas(32) std::array<std::int32_t, kMaxLanes> corrections_{};
  alignas(32) std::array<std::int32_t, kMaxLanes> failed_{};
  // Real fields: N as a real (exact) and the running means, or for the tests
  // the number of rejections as a real and their proportion.
  alignas(32) std::array<double, kMaxLanes> n_{};
  alignas(32) std::array<double, kMaxLanes> coverage_{};
  alignas(32) std::array<double, kMaxLanes> amplitude_{};
  alignas(32) std::array<double, kMaxLanes> total_{};
  // The sample's results, gathered from the methods.
  alignas(32) std::array<double, kMaxLanes> valid_{};
  alignas(32) std::array<double, kMaxLanes> indicator_{};
  alignas(32) std::array<double, kMaxLanes> length_{};
  alignas(32) std::array<double, kMaxLanes> cellsTotal_{};
};

}  // namespace kovalin
