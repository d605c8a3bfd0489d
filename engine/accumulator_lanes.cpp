// The accumulators side by side. Built with -ffp-contract=off: a fused
// multiply-add would round differently from the one-method update.
#include "engine/accumulator_lanes.h"

#include <algorithm>
#include <cstring>

#include "engine/cpu_features.h"

namespace kovalin {

namespace {

using v4d = double __attribute__((vector_size(32)));

// Vectors go by reference: passed by value, their ABI would differ between
// the AVX and the plain build of the same function.
inline __attribute__((always_inline)) void Load4(v4d& v, const double* p) {
  std::memcpy(&v, p, sizeof v);
}

inline __attribute__((always_inline)) void Store4(double* p, const v4d& v) {
  std::memcpy(p, &v, sizeof v);
}

struct tLaneArrays {
  double* n;
  double* coverage;   // tests: rejections
  double* amplitude;  // tests: their proportion
  double* total;
  const double* valid;
  const double* indicator;  // tests: the test's signification, 0 or 1
  const double* length;
  const double* cellsTotal;
};

// Update_SimRec_CI's running means for four methods at a time: the same
// operations in the same order; a lane takes the first-sample values where its
// N is 0 and keeps everything where its sample failed.
inline __attribute__((always_inline)) void IntervalLanes(int count, const tLaneArrays& a) {
  for (int b = 0; b < count; b += 4) {
    v4d n, cov, amp, tot, I, L, m, valid;
    Load4(n, a.n + b);
    Load4(cov, a.coverage + b);
    Load4(amp, a.amplitude + b);
    Load4(tot, a.total + b);
    Load4(I, a.indicator + b);
    Load4(L, a.length + b);
    Load4(m, a.cellsTotal + b);
    Load4(valid, a.valid + b);
    const v4d n1 = n + 1.0;
    const v4d nextCov = (I + n * cov) / n1;
    const v4d nextAmp = (n * amp + L) / n1;
    const v4d nextTot = (n * tot + m) / n1;
    const auto first = n == 0.0;
    const auto ok = valid != 0.0;
    Store4(a.coverage + b, ok ? (first ? I : nextCov) : cov);
    Store4(a.amplitude + b, ok ? (first ? L : nextAmp) : amp);
    Store4(a.total + b, ok ? (first ? m : nextTot) : tot);
    Store4(a.n + b, ok ? n1 : n);
  }
}

// The test accumulators' counts and proportion of rejections.
inline __attribute__((always_inline)) void TestLanes(int count, const tLaneArrays& a) {
  for (int b = 0; b < count; b += 4) {
    v4d n, rejections, proportion, s, valid;
    Load4(n, a.n + b);
    Load4(rejections, a.coverage + b);
    Load4(proportion, a.amplitude + b);
    Load4(s, a.indicator + b);
    Load4(valid, a.valid + b);
    const v4d n1 = n + 1.0;
    const v4d nextRejections = rejections + s;
    const v4d nextProportion = nextRejections / n1;
    const auto first = n == 0.0;
    const auto ok = valid != 0.0;
    Store4(a.coverage + b, ok ? (first ? s : nextRejections) : rejections);
    Store4(a.amplitude + b, ok ? (first ? s : nextProportion) : proportion);
    Store4(a.n + b, ok ? n1 : n);
  }
}

void LanesPortable(bool intervals, int count, const tLaneArrays& a) {
  if (intervals)
    IntervalLanes(count, a);
  else
    TestLanes(count, a);
}

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) void LanesAvx2(bool intervals, int count, const tLaneArrays& a) {
  if (intervals)
    IntervalLanes(count, a);
  else
    TestLanes(count, a);
}
#else
void LanesAvx2(bool intervals, int count, const tLaneArrays& a) {
  LanesPortable(intervals, count, a);
}
#endif

}  // namespace

void tAccumulatorLanes::Bind(std::span<t2BDM* const> methods, tSimulationType kind) {
  intervals_ = kind != tSimulationType::simIT && kind != tSimulationType::simGT;
  globalTest_ = kind == tSimulationType::simGT;
  count_ = static_cast<int>(std::min<std::size_t>(methods.size(), kMaxLanes));
  methods_.fill(nullptr);
  for (int j = 0; j < count_; ++j)
    methods_[static_cast<std::size_t>(j)] = methods[static_cast<std::size_t>(j)];
  Load();
}

void tAccumulatorLanes::Load() {
  for (int j = 0; j < count_; ++j) {
    const auto k = static_cast<std::size_t>(j);
    const t2BDM& m = *methods_[k];
    if (intervals_) {
      const tCI_SimRec& r = m.SimRec_CI;
      iterations_[k] = r.Iterations;
      corrections_[k] = r.DataCorrections;
      failed_[k] = r.Nfailed;
      n_[k] = r.N;
      coverage_[k] = r.Coverage;
      amplitude_[k] = r.MeanAmplitude;
      total_[k] = r.nData;
    } else {
      const tHTest_SimRec& r = globalTest_ ? m.SimRec_GT : m.SimRec_IT;
      iterations_[k] = r.Iterations;
      corrections_[k] = r.DataCorrections;
      n_[k] = r.N;
      coverage_[k] = r.N_Significations;
      amplitude_[k] = r.P_Significations;
    }
  }
}

void tAccumulatorLanes::Store() const {
  for (int j = 0; j < count_; ++j) {
    const auto k = static_cast<std::size_t>(j);
    t2BDM& m = *methods_[k];
    // The counts are whole numbers below 2^31 (one per sample of a record).
    const auto n = static_cast<std::int32_t>(n_[k]);
    if (intervals_) {
      tCI_SimRec& r = m.SimRec_CI;
      r.Iterations = iterations_[k];
      r.DataCorrections = corrections_[k];
      r.Nfailed = failed_[k];
      r.N = n;
      r.Coverage = coverage_[k];
      r.MeanAmplitude = amplitude_[k];
      r.nData = total_[k];
    } else {
      tHTest_SimRec& r = globalTest_ ? m.SimRec_GT : m.SimRec_IT;
      r.Iterations = iterations_[k];
      r.DataCorrections = corrections_[k];
      r.N = n;
      r.N_Significations = static_cast<std::int32_t>(coverage_[k]);
      r.P_Significations = amplitude_[k];
    }
  }
}

void tAccumulatorLanes::Update() { UpdateWith(HasAvx2()); }

void tAccumulatorLanes::UpdateFromLanes(const tLaneResults& results, int j) {
  const auto s = static_cast<std::size_t>(j);
  // The lanes' results are read where the batch left them; the vector update
  // writes only the running arrays.
  const tLaneArrays arrays{n_.data(),
                           coverage_.data(),
                           amplitude_.data(),
                           total_.data(),
                           results.accValid[s],
                           results.accIndicator[s],
                           results.accLength[s],
                           results.accTotal[s]};
  if (HasAvx2())
    LanesAvx2(intervals_, count_, arrays);
  else
    LanesPortable(intervals_, count_, arrays);
}

void tAccumulatorLanes::CountFromLanes(const tLaneResults& results) {
  // Whole numbers from 0 to the batch's width.
  const auto taken = static_cast<std::int32_t>(results.taken);
  for (int p = 0; p < count_; ++p) {
    const auto k = static_cast<std::size_t>(p);
    iterations_[k] += taken;
    corrections_[k] += static_cast<std::int32_t>(results.corrections[k]);
    if (intervals_) failed_[k] += static_cast<std::int32_t>(results.failed[k]);
    // Calculate counts an interval that could not be computed as an error.
    methods_[k]->error_count += static_cast<std::int32_t>(results.intervalsMissing[k]);
  }
}

void tAccumulatorLanes::UpdateWith(bool avx2) {
  for (int j = 0; j < count_; ++j) {
    const auto k = static_cast<std::size_t>(j);
    const t2BDM& m = *methods_[k];
    const bool ok = m.Error_code == kErrNone;
    valid_[k] = ok ? 1.0 : 0.0;
    ++iterations_[k];
    if (intervals_) {
      indicator_[k] = m.Coverage_Indicator();
      length_[k] = m.Params.CI.Length;
      cellsTotal_[k] = m.Cells().n;
      failed_[k] += ok ? 0 : 1;
      corrections_[k] += m.epsilon_Corrections;
    } else {
      indicator_[k] = (globalTest_ ? m.GTest.signification : m.ITest.signification) ? 1.0 : 0.0;
      // A test's first valid sample sets the corrections, later ones add to them.
      if (ok) corrections_[k] = (n_[k] == 0 ? 0 : corrections_[k]) + m.epsilon_Corrections;
    }
  }
  const tLaneArrays arrays{n_.data(),     coverage_.data(),  amplitude_.data(), total_.data(),
                           valid_.data(), indicator_.data(), length_.data(),    cellsTotal_.data()};
  // Lanes past count_ hold zeros and are never stored.
  if (avx2 && HasAvx2())
    LanesAvx2(intervals_, count_, arrays);
  else
    LanesPortable(intervals_, count_, arrays);
}

}  // namespace kovalin
