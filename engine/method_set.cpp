#include "engine/method_set.h"

#include "engine/methods.h"

namespace kovalin {

namespace {

// The continuity increment of the "a" variants: 1.96²/8 for differences, 1/2 for ratios.
constexpr double kDifferenceIncrement = 0.4802;
constexpr double kRatioIncrement = 0.5;

using Factory = std::unique_ptr<t2BDM> (*)(const tInitMethodRec&);

template <class M>
std::unique_ptr<t2BDM> Make(const tInitMethodRec& rec) {
  return std::make_unique<M>(rec);
}

struct MethodRow {
  const char* label;
  tMethodType type;
  double h;
  Factory create;
};

constexpr tMethodType kDif = tMethodType::difference;
constexpr tMethodType kRat = tMethodType::ratio;

const MethodRow kMethods[kMethodCount + 1] = {
    {"NA", kDif, 0, nullptr},
    {"d", kDif, 0, &Make<tMethod_d>},
    {"da", kDif, kDifferenceIncrement, &Make<tMethod_d>},
    {"dp", kDif, 0, &Make<tMethod_dp>},
    {"LR", kRat, 0, &Make<tMethod_LR>},
    {"LRa", kRat, kRatioIncrement, &Make<tMethod_LR>},
    {"LRp", kRat, 0, &Make<tMethod_LRp>},
    {"R", kRat, 0, &Make<tMethod_R>},
    {"Ra", kRat, kRatioIncrement, &Make<tMethod_R>},
    {"Rp", kRat, 0, &Make<tMethod_Rp>},
    {"Fd", kDif, 0, &Make<tMethod_Fd>},
    {"Fda", kDif, kDifferenceIncrement, &Make<tMethod_Fd>},
    {"FdA", kDif, 0, &Make<tMethod_Fd_A>},
    {"FdAa", kDif, kDifferenceIncrement, &Make<tMethod_Fd_A>},
    {"R1", kRat, 0, &Make<tMethod_R1>},
    {"R1a", kRat, kRatioIncrement, &Make<tMethod_R1>},
    {"R2", kRat, 0, &Make<tMethod_R2>},
    {"R2a", kRat, kRatioIncrement, &Make<tMethod_R2>},
    {"F1R", kRat, 0, &Make<tMethod_F1R>},
    {"F1Ra", kRat, kRatioIncrement, &Make<tMethod_F1R>},
    {"F2R", kRat, 0, &Make<tMethod_F2R>},
    {"F2Ra", kRat, kRatioIncrement, &Make<tMethod_F2R>},
};

bool ValidIndex(int index) { return index >= 1 && index <= kMethodCount; }

}  // namespace

std::string MethodLabel(int index) {
  return ValidIndex(index) ? kMethods[index].label : "NA";
}

int MethodIndex(const std::string& label) {
  for (int i = 1; i <= kMethodCount; ++i)
    if (label == kMethods[i].label) return i;
  return 0;
}

tMethodType MethodTypeOf(int index) {
  return ValidIndex(index) ? kMethods[index].type : tMethodType::difference;
}

double MethodIncrement(int index) { return ValidIndex(index) ? kMethods[index].h : 0; }

tInitMethodRec InitMethodRecFromOptions(const tConf_rec& options, tSimulationType simType) {
  tInitMethodRec rec;
  rec.method_Epsilon = options.epsilon;
  rec.method_alfa = options.alfa_level;
  rec.maxsamples = options.maxsamples;
  rec.method_SimType = simType;
  return rec;
}

tMethodSet::tMethodSet(const tInitMethodRec& shared) {
  tInitMethodRec rec = shared;
  for (int i = 1; i <= kMethodCount; ++i) {
    rec.method_Index = i;
    rec.method_Name = kMethods[i].label;
    rec.method_Type = kMethods[i].type;
    rec.method_h = kMethods[i].h;
    methods_[static_cast<std::size_t>(i)] = kMethods[i].create(rec);
  }
}

void tMethodSet::AssignOptions(const tConf_rec& options) {
  for (int i = 1; i <= kMethodCount; ++i)
    methods_[static_cast<std::size_t>(i)]->Active = options.Methods[static_cast<std::size_t>(i)];
}

void tMethodSet::SetSimulationType(tSimulationType t) {
  for (int i = 1; i <= kMethodCount; ++i) methods_[static_cast<std::size_t>(i)]->SetSimulationType(t);
}

int tMethodSet::ActiveCount() const {
  int count = 0;
  for (int i = 1; i <= kMethodCount; ++i)
    if (methods_[static_cast<std::size_t>(i)]->Active) ++count;
  return count;
}

void tMethodSet::RefreshPlan() {
  bool same = plan_.built;
  for (std::size_t i = 1; i <= kMethodCount && same; ++i)
    same = plan_.active[i] == methods_[i]->Active &&
           plan_.types[i] == methods_[i]->Simulation_Type &&
           plan_.increments[i] == methods_[i]->inc_h && plan_.epsilons[i] == methods_[i]->p_epsilon &&
           plan_.quantiles[i] == methods_[i]->Z;
  if (same) return;

  auto hasGTest = [](tSimulationType t) {
    return t == tSimulationType::simAny || t == tSimulationType::simGT;
  };
  for (std::size_t i = 1; i <= kMethodCount; ++i) {
    const t2BDM& m = *methods_[i];
    plan_.active[i] = m.Active;
    plan_.types[i] = m.Simulation_Type;
    plan_.increments[i] = m.inc_h;
    plan_.epsilons[i] = m.p_epsilon;
    plan_.quantiles[i] = m.Z;
    plan_.dataFrom[i] = 0;
    plan_.gtestFrom[i] = 0;
    plan_.estimateFrom[i] = 0;
    if (!m.Active) continue;
    for (std::size_t j = 1; j < i; ++j) {
      const t2BDM& p = *methods_[j];
      if (!p.Active || p.inc_h != m.inc_h || p.p_epsilon != m.p_epsilon) continue;
      if (plan_.dataFrom[i] == 0) plan_.dataFrom[i] = static_cast<std::uint8_t>(j);
      if (plan_.estimateFrom[i] == 0 && p.Z == m.Z && p.EstimateFamily() == m.EstimateFamily())
        plan_.estimateFrom[i] = static_cast<std::uint8_t>(j);
      if (plan_.gtestFrom[i] == 0 && hasGTest(m.Simulation_Type) &&
          hasGTest(p.Simulation_Type) && p.GTestFamily() == m.GTestFamily())
        plan_.gtestFrom[i] = static_cast<std::uint8_t>(j);
    }
  }
  plan_.built = true;
}

void tMethodSet::CalculateActive(const tInputData& input) {
  RefreshPlan();
  for (std::size_t i = 1; i <= kMethodCount; ++i) {
    if (!plan_.active[i]) continue;
    t2BDM& m = *methods_[i];
    const std::size_t from = plan_.dataFrom[i];
    const bool prepared = from ? m.CopyPreparedData(*methods_[from]) : m.PrepareData(input);
    if (!prepared) continue;
    const std::size_t estimate = plan_.estimateFrom[i];
    const std::size_t gtest = plan_.gtestFrom[i];
    m.Infer(estimate ? methods_[estimate].get() : nullptr, gtest ? methods_[gtest].get() : nullptr);
  }
}

void tMethodSet::PlanSamples(tSimulationType kind) {
  plan_.built = false;
  RefreshPlan();
  sampleKind_ = kind;
  stepCount_ = 0;
  std::array<t2BDM*, kMethodCount> active{};
  for (std::size_t i = 1; i <= kMethodCount; ++i) {
    if (!plan_.active[i]) continue;
    auto from = [this](std::uint8_t j) -> const t2BDM* { return j ? methods_[j].get() : nullptr; };
    steps_[static_cast<std::size_t>(stepCount_)] = {methods_[i].get(), from(plan_.dataFrom[i]),
                                                    from(plan_.estimateFrom[i]),
                                                    from(plan_.gtestFrom[i])};
    active[static_cast<std::size_t>(stepCount_)] = methods_[i].get();
    ++stepCount_;
  }
  const std::span<t2BDM* const> bound(active.data(), static_cast<std::size_t>(stepCount_));
  lanes_.Bind(bound, kind);
  sampleLanes_.Plan(bound, kind);
  if (sampleLanes_.Width() > 1 && !laneResults_) laneResults_ = std::make_unique<tLaneResults>();
}

void tMethodSet::ResetRecord(double dValue, double rValue) {
  for (int k = 0; k < stepCount_; ++k) {
    t2BDM& m = *steps_[static_cast<std::size_t>(k)].method;
    if (sampleKind_ == tSimulationType::simIT)
      m.Reset_SimRec_IT();
    else if (sampleKind_ == tSimulationType::simGT)
      m.Reset_SimRec_GT();
    else
      m.Reset_SimRec_CI(dValue, rValue);
  }
  lanes_.Load();
  sampleLanes_.LoadParameters();
}

void tMethodSet::CalculatePlanned(const tInputData& input) {
  for (int k = 0; k < stepCount_; ++k) {
    const Step& step = steps_[static_cast<std::size_t>(k)];
    t2BDM& m = *step.method;
    if (step.data ? m.ShareData(*step.data) : m.PrepareData(input)) m.Infer(step.estimate, step.gtest);
  }
}

void tMethodSet::Sample(const tInputData& input) {
  CalculatePlanned(input);
  lanes_.Update();
}

void tMethodSet::SampleBatch(const tInputData* samples, int count) {
  const int width = sampleLanes_.Width();
  if (width <= 1 || count <= 1) {
    for (int j = 0; j < count; ++j) Sample(samples[j]);
    return;
  }
  tLaneInput input;
  input.count = count;
  for (int j = 0; j < count; ++j) {
    const tInputData& sample = samples[j];
    // Real frequencies go the one-at-a-time way.
    input.skip[j] = sample.N[0] == kMissingInt;
    for (std::size_t i = 1; i <= 8; ++i) input.cells[j][i] = input.skip[j] ? 0 : sample.N[i];
  }
  tLaneResults& results = *laneResults_;
  sampleLanes_.Compute(input, results);
  for (int j = 0; j < count; ++j) {
    if (input.skip[j] || results.scalar[j] != 0)
      Sample(samples[j]);
    else
      lanes_.UpdateFromLanes(results, j);
  }
  lanes_.CountFromLanes(results);
}

tMethodSet CreateMethods(const tConf_rec& options, tSimulationType simType) {
  tMethodSet methods(InitMethodRecFromOptions(options, simType));
  methods.AssignOptions(options);
  return methods;
}

}  // namespace kovalin
