#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/accumulator_lanes.h"
#include "engine/sample_lanes.h"
#include "engine/t2bdm.h"

namespace kovalin {

// The label of method 1..21 ("d", "da", ..., "F2Ra"); "NA" for any other index.
std::string MethodLabel(int index);

// The index of a method label (exact spelling), or 0 when there is none.
int MethodIndex(const std::string& label);

// Type and continuity increment of method 1..21.
tMethodType MethodTypeOf(int index);
double MethodIncrement(int index);

// The creation record every method of a run shares, filled from the options.
tInitMethodRec InitMethodRecFromOptions(const tConf_rec& options, tSimulationType simType);

// The 21 method objects of one run, stored at their indexes 1..21.
class tMethodSet {
 public:
  // Creates the 21 objects in index order; every method starts inactive.
  explicit tMethodSet(const tInitMethodRec& shared);

  t2BDM& operator[](int index) { return *methods_.at(static_cast<std::size_t>(index)); }
  const t2BDM& operator[](int index) const {
    return *methods_.at(static_cast<std::size_t>(index));
  }
  static constexpr int size() { return kMethodCount; }

  // Method i is active when options.Methods[i] is true.
  void AssignOptions(const tConf_rec& options);
  void SetSimulationType(tSimulationType t);
  int ActiveCount() const;

  // Calculate of every active method on one sample, in index order. Methods
  // with the same corrections share the corrected cells and measures, and
  // methods of one estimate or global-test family share that estimate or test;
  // the results are those of calling Calculate on each method.
  void CalculateActive(const tInputData& input);

  // The samples of a simulation run. PlanSamples fixes, once the run has set
  // the active flags and the simulation type of kind, which method prepares
  // the cells and which ones read them, and binds the accumulators of kind;
  // nothing of this is checked again per sample. For each record: ResetRecord
  // (the kind's Reset_SimRec_* of the active methods), Sample per sample
  // (Calculate and the kind's Update_SimRec_* of every active method, with the
  // same results), and EndRecord, which writes the accumulators into the
  // methods' records.
  void PlanSamples(tSimulationType kind);
  void ResetRecord(double dValue, double rValue);
  void Sample(const tInputData& input);
  void EndRecord() { lanes_.Store(); }
  // The samples Sample may take at once (1: one at a time), fixed by PlanSamples.
  int SampleWidth() const { return sampleLanes_.Width(); }
  // Sample on each of count <= SampleWidth() samples, in their order: the
  // methods computed for all of them in vector lanes, with the results and
  // the accumulator sums of Sample (a sample with a cell that stays zero
  // after the corrections, or with real frequencies, takes Sample itself).
  // The method objects keep the results of the last sample Sample computed.
  void SampleBatch(const tInputData* samples, int count);

  // Calculate of every active method by the plan of PlanSamples: methods that
  // share the corrections read the first one's cells where they are (ShareData).
  void CalculatePlanned(const tInputData& input);

  template <class F>
  void ForEachActive(F&& f) {
    for (int i = 1; i <= kMethodCount; ++i)
      if (methods_[static_cast<std::size_t>(i)]->Active) f(*methods_[static_cast<std::size_t>(i)]);
  }

 private:
  // Which earlier method each active method takes its data, estimate and
  // global test from (0: compute it). Rebuilt when the active set, the simulation types or
  // the corrections change.
  struct Plan {
    std::array<std::uint8_t, kMethodCount + 1> active{};
    std::array<tSimulationType, kMethodCount + 1> types{};
    std::array<double, kMethodCount + 1> increments{};
    std::array<double, kMethodCount + 1> epsilons{};
    std::array<double, kMethodCount + 1> quantiles{};
    std::array<std::uint8_t, kMethodCount + 1> estimateFrom{};
    std::array<std::uint8_t, kMethodCount + 1> dataFrom{};
    std::array<std::uint8_t, kMethodCount + 1> gtestFrom{};
    bool built = false;
  };
  void RefreshPlan();

  // One active method's part of a planned sample; data, estimate and gtest are
  // the methods it takes them from, or none.
  struct Step {
    t2BDM* method = nullptr;
    const t2BDM* data = nullptr;
    const t2BDM* estimate = nullptr;
    const t2BDM* gtest = nullptr;
  };

  std::array<std::unique_ptr<t2BDM>, kMethodCount + 1> methods_;
  Plan plan_;
  std::array<Step, kMethodCount> steps_{};
  int stepCount_ = 0;
  tSimulationType sampleKind_ = tSimulationType::SimCI;
  tAccumulatorLanes lanes_;
  tSampleLanes sampleLanes_;
  std::unique_ptr<tLaneResults> laneResults_;
};

// Creates the methods of a run from the options as every analysis and simulation
// does: the shared record from the options, the 21 objects, and their active flags.
tMethodSet CreateMethods(const tConf_rec& options, tSimulationType simType);

}  // namespace kovalin
