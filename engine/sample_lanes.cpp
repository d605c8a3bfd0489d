#include "engine/sample_lanes.h"

#include <atomic>

#include "engine/cpu_features.h"

namespace kovalin {

namespace {

std::atomic<tLanePath> g_path{tLanePath::automatic};

tLanePath Resolved(tLanePath path) {
  if (path != tLanePath::automatic && LanePathAvailable(path)) return path;
  if (LanePathAvailable(tLanePath::avx512)) return tLanePath::avx512;
  if (LanePathAvailable(tLanePath::avx2)) return tLanePath::avx2;
  return tLanePath::plain;
}

int KindOf(tSimulationType kind) {
  switch (kind) {
    case tSimulationType::simAny:
      return kLaneAny;
    case tSimulationType::simIT:
      return kLaneIndividual;
    case tSimulationType::simGT:
      return kLaneGlobal;
    default:
      return kLaneIntervals;
  }
}

}  // namespace

void SetLanePath(tLanePath path) { g_path.store(path); }

tLanePath LanePath() { return g_path.load(); }

bool LanePathAvailable(tLanePath path) {
  switch (path) {
    case tLanePath::avx512:
      return LaneKernelAvx512Built() && HasAvx512f();
    case tLanePath::avx2:
      return LaneKernelAvx2Built() && HasAvx2();
    default:
      return true;
  }
}

void tSampleLanes::Plan(std::span<t2BDM* const> methods, tSimulationType kind) {
  plan_ = tLanePlan{};
  width_ = 1;
  plan_.kind = KindOf(kind);
  const tLanePath path = Resolved(LanePath());
  if (LanePath() == tLanePath::oneByOne || methods.empty() ||
      methods.size() > static_cast<std::size_t>(kLaneMaxMethods))
    return;
  const double Z = methods[0]->Z;
  for (std::size_t k = 0; k < methods.size(); ++k) {
    const t2BDM& m = *methods[k];
    if (m.Simulation_Type != kind || m.Z != Z || m.Z2 != Z * Z || m.index < 1 ||
        m.index > kMethodCount)
      return;
    int g = 0;
    while (g < plan_.groupCount &&
           !(plan_.increment[g] == m.inc_h && plan_.epsilon[g] == m.p_epsilon))
      ++g;
    if (g == plan_.groupCount) {
      if (g == kLaneMaxGroups) return;
      plan_.increment[g] = m.inc_h;
      plan_.epsilon[g] = m.p_epsilon;
      ++plan_.groupCount;
    }
    plan_.index[k] = m.index;
    plan_.group[k] = g;
    bound_[k] = methods[k];
  }
  plan_.methodCount = static_cast<int>(methods.size());
  plan_.Z = Z;
  plan_.Z2 = Z * Z;
  switch (path) {
    case tLanePath::avx512:
      kernel_ = &LaneKernelAvx512;
      width_ = 8;
      break;
    case tLanePath::avx2:
      kernel_ = &LaneKernelAvx2;
      width_ = 4;
      break;
    default:
      kernel_ = &LaneKernelPlain;
      width_ = 2;
      break;
  }
  LoadParameters();
}

void tSampleLanes::LoadParameters() {
  for (int k = 0; k < plan_.methodCount; ++k)
    plan_.theta[k] = bound_[static_cast<std::size_t>(k)]->SimRec_CI.ParameterValue;
}

}  // namespace kovalin
