#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/paired_types.h"
#include "simulation/record_source.h"
#include "simulation/sim_mdb.h"

namespace kovalin {

class tSimHost;

// What the launcher's dialog settles for a sequence of runs.
struct tSimLaunchSettings {
  std::int32_t recordInit = 1;
  std::int32_t recordEnd = 1;
  std::int32_t numSamples = 1000;
  int tolerancePercent = 10;
  char delimiter = '\t';
  bool showGrid = false;
  bool shutDown = false;
  std::int32_t shutDownDelay = 5;
  bool processMessages = true;
  std::optional<std::uint32_t> seed;
};

// One kind of a sequence into the output file fileName: a new engine over the
// table with the launch settings, the alpha level of AppOptions, and the run.
tRunResult SimulateKind(const tRecordSource& table, const tSimLaunchSettings& settings,
                        tSimulationType kind, const std::string& fileName, tSimHost& host);

}  // namespace kovalin
