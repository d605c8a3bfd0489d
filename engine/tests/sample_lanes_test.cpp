#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/sample_lanes.h"

#include "engine_test_support.h"

namespace kovalin {
namespace {

bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::vector<tLanePath> AvailablePaths() {
  std::vector<tLanePath> paths;
  for (tLanePath p : {tLanePath::plain, tLanePath::avx2, tLanePath::avx512})
    if (LanePathAvailable(p)) paths.push_back(p);
  return paths;
}

const char* PathName(tLanePath p) {
  return p == tLanePath::avx512 ? "avx512" : p == tLanePath::avx2 ? "avx2" : "plain";
}

// Restores the automatic choice however a test ends.
struct PathGuard {
  explicit PathGuard(tLanePath p) { SetLanePath(p); }
  ~PathGuard() { SetLanePath(tLanePath::automatic); }
};

// Random tables of every shape a run meets: empty and tiny samples, large
// ones, cells that are often zero, and negative counts (read as zero).
tInputData RandomTable(std::mt19937& rng, int k) {
  tInputData in;
  const int scale[] = {0, 1, 3, 12, 60, 400, 5000};
  std::uniform_int_distribution<int> pick(0, 6);
  const int top = scale[pick(rng)];
  std::uniform_int_distribution<int> cell(0, top);
  std::bernoulli_distribution zero(0.15);
  for (std::size_t i = 1; i <= 8; ++i) in.N[i] = zero(rng) ? 0 : cell(rng);
  if (k % 97 == 0) in.N[1 + static_cast<std::size_t>(k % 8)] = -2;
  return in;
}

struct Setting {
  tSimulationType kind;
  double alfa;
  double epsilon;
};

class LaneResults : public ::testing::TestWithParam<Setting> {};

// Every lane of a batch holds, to the bit, what Calculate gives its sample on
// each method alone: estimate, variance, interval, coverage, both tests and the
// error code; and a sample is sent back to Calculate exactly when a cell stays
// at zero after the corrections.
TEST_P(LaneResults, EqualCalculateOnEachMethodToTheBit) {
  const Setting s = GetParam();
  for (tLanePath path : AvailablePaths()) {
    const PathGuard guard(path);
    auto single = testing::AllMethods(s.alfa, s.epsilon, s.kind);
    std::vector<t2BDM*> bound;
    single.ForEachActive([&](t2BDM& m) {
      m.Reset_SimRec_CI(0.02, 1.05);
      bound.push_back(&m);
    });
    tSampleLanes lanes;
    lanes.Plan(bound, s.kind);
    ASSERT_GT(lanes.Width(), 1) << PathName(path);
    const int width = lanes.Width();
    std::mt19937 rng(20 + static_cast<int>(s.kind));
    auto results = std::make_unique<tLaneResults>();
    int checked = 0, sentBack = 0;
    for (int batch = 0; batch < 200; ++batch) {
      tLaneInput input;
      input.count = width;
      std::vector<tInputData> samples;
      for (int j = 0; j < width; ++j) {
        samples.push_back(RandomTable(rng, batch * width + j));
        for (std::size_t i = 1; i <= 8; ++i) input.cells[j][i] = samples.back().N[i];
      }
      lanes.Compute(input, *results);
      for (int j = 0; j < width; ++j) {
        bool cellError = false;
        for (std::size_t k = 0; k < bound.size(); ++k) {
          t2BDM& m = *bound[k];
          m.Calculate(samples[static_cast<std::size_t>(j)]);
          cellError = cellError || m.Error_code == kErrCellNotPositive;
          if (results->scalar[j] != 0) continue;
          const std::string where = m.method_Name + " " + PathName(path) + " batch " +
                                    std::to_string(batch) + " lane " + std::to_string(j);
          const tLaneResults& r = *results;
          EXPECT_EQ(r.code[k][j], m.Error_code) << where;
          EXPECT_TRUE(Same(r.estimate[k][j], m.Params.Estimate.value)) << where;
          EXPECT_TRUE(Same(r.variance[k][j], m.Params.Estimate.variance)) << where;
          EXPECT_TRUE(Same(r.se[k][j], m.Params.Estimate.SE)) << where;
          EXPECT_TRUE(Same(r.inf[k][j], m.Params.CI.Inf)) << where;
          EXPECT_TRUE(Same(r.sup[k][j], m.Params.CI.Sup)) << where;
          EXPECT_TRUE(Same(r.length[k][j], m.Params.CI.Length)) << where;
          EXPECT_TRUE(Same(r.itStatistic[k][j], m.ITest.Cexp)) << where;
          EXPECT_EQ(r.itSignificant[k][j] != 0, m.ITest.signification) << where;
          EXPECT_TRUE(Same(r.gtStatistic[k][j], m.GTest.Cexp)) << where;
          EXPECT_EQ(r.gtSignificant[k][j] != 0, m.GTest.signification) << where;
          if (s.kind == tSimulationType::SimCI || s.kind == tSimulationType::simAny) {
            EXPECT_EQ(r.indicator[k][j], m.Coverage_Indicator()) << where;
          }
          // The accumulators' rows hold the same, sample by sample.
          EXPECT_EQ(r.accValid[j][k], m.Error_code == kErrNone ? 1.0 : 0.0) << where;
          EXPECT_TRUE(Same(r.accLength[j][k], r.length[k][j])) << where;
          EXPECT_TRUE(Same(r.accTotal[j][k], m.Cells().n)) << where;
          const double shown = s.kind == tSimulationType::simIT   ? r.itSignificant[k][j]
                               : s.kind == tSimulationType::simGT ? r.gtSignificant[k][j]
                                                                  : r.indicator[k][j];
          EXPECT_TRUE(Same(r.accIndicator[j][k], shown)) << where;
          const int g = lanes.Group(static_cast<int>(k));
          EXPECT_EQ(r.corrected[g][j], m.epsilon_Corrections) << where;
          EXPECT_TRUE(Same(r.total[g][j], m.Cells().n)) << where;
        }
        EXPECT_EQ(results->scalar[j] != 0, cellError) << PathName(path);
        (results->scalar[j] != 0 ? sentBack : checked) += 1;
        if (::testing::Test::HasFailure()) return;
      }
    }
    EXPECT_GT(checked, 30);
    if (s.epsilon == 0) {
      EXPECT_GT(sentBack, 0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LaneResults,
    ::testing::Values(Setting{tSimulationType::simAny, 0.05, 0.05},
                      Setting{tSimulationType::SimCI, 0.05, 0.05},
                      Setting{tSimulationType::SimCI, 0.01, 0.0},
                      Setting{tSimulationType::SimCI, 0.10, 0.5},
                      Setting{tSimulationType::simIT, 0.05, 0.05},
                      Setting{tSimulationType::simIT, 0.01, 0.0},
                      Setting{tSimulationType::simGT, 0.05, 0.05},
                      Setting{tSimulationType::simGT, 0.10, 0.0}));

void ExpectSameRecords(const t2BDM& a, const t2BDM& b, const std::string& where) {
  const tCI_SimRec &ca = a.SimRec_CI, &cb = b.SimRec_CI;
  EXPECT_EQ(ca.N, cb.N) << where;
  EXPECT_EQ(ca.Iterations, cb.Iterations) << where;
  EXPECT_EQ(ca.DataCorrections, cb.DataCorrections) << where;
  EXPECT_EQ(ca.Nfailed, cb.Nfailed) << where;
  EXPECT_TRUE(Same(ca.nData, cb.nData)) << where;
  EXPECT_TRUE(Same(ca.Coverage, cb.Coverage)) << where;
  EXPECT_TRUE(Same(ca.MeanAmplitude, cb.MeanAmplitude)) << where;
  for (auto [ta, tb] : {std::pair{&a.SimRec_IT, &b.SimRec_IT}, {&a.SimRec_GT, &b.SimRec_GT}}) {
    EXPECT_EQ(ta->Iterations, tb->Iterations) << where;
    EXPECT_EQ(ta->DataCorrections, tb->DataCorrections) << where;
    EXPECT_EQ(ta->N, tb->N) << where;
    EXPECT_EQ(ta->N_Significations, tb->N_Significations) << where;
    EXPECT_TRUE(Same(ta->P_Significations, tb->P_Significations)) << where;
  }
  EXPECT_EQ(a.error_count, b.error_count) << where;
}

class BatchedRecords : public ::testing::TestWithParam<tSimulationType> {};

// A record's samples in batches (some partial, some with samples sent back to
// Calculate, some of real frequencies) leave every accumulator as the samples
// one at a time do: the sums take the samples in the order they were drawn.
TEST_P(BatchedRecords, AccumulateAsOneSampleAtATime) {
  const tSimulationType kind = GetParam();
  for (tLanePath path : AvailablePaths()) {
    for (double epsilon : {0.05, 0.0}) {
      auto batched = testing::AllMethods(0.05, epsilon, kind);
      auto single = testing::AllMethods(0.05, epsilon, kind);
      batched[7].Active = single[7].Active = false;
      {
        const PathGuard guard(path);
        batched.PlanSamples(kind);
      }
      {
        const PathGuard guard(tLanePath::oneByOne);
        single.PlanSamples(kind);
      }
      ASSERT_GT(batched.SampleWidth(), 1);
      ASSERT_EQ(single.SampleWidth(), 1);
      std::mt19937 rng(5);
      std::uniform_int_distribution<int> count(1, batched.SampleWidth());
      for (int record = 0; record < 3; ++record) {
        batched.ResetRecord(0.05 * record, 1 + 0.1 * record);
        single.ResetRecord(0.05 * record, 1 + 0.1 * record);
        for (int b = 0; b < 150; ++b) {
          std::vector<tInputData> samples;
          const int c = count(rng);
          for (int j = 0; j < c; ++j) {
            samples.push_back(RandomTable(rng, b * 8 + j));
            if ((b + j) % 41 == 0)
              samples.back() = testing::RealInput({3.5, 0, 2.25, 1, 0.5, 4, 0, 7});
          }
          batched.SampleBatch(samples.data(), c);
          for (const tInputData& in : samples) single.Sample(in);
        }
        batched.EndRecord();
        single.EndRecord();
        for (int i = 1; i <= kMethodCount; ++i)
          ExpectSameRecords(batched[i], single[i],
                            batched[i].method_Name + " " + PathName(path) + " epsilon " +
                                std::to_string(epsilon) + " record " + std::to_string(record));
        if (::testing::Test::HasFailure()) return;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, BatchedRecords,
                         ::testing::Values(tSimulationType::SimCI, tSimulationType::simIT,
                                           tSimulationType::simGT));

// Methods that cannot share one batch plan (a quantile of their own) keep to
// one sample at a time rather than computing with the wrong quantile.
TEST(BatchedRecords, DifferingQuantilesStayOneAtATime) {
  auto methods = testing::AllMethods(0.05, 0.05, tSimulationType::SimCI);
  methods[3].SetAlfa(0.01);
  methods.PlanSamples(tSimulationType::SimCI);
  EXPECT_EQ(methods.SampleWidth(), 1);
}

}  // namespace
}  // namespace kovalin
