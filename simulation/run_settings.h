#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/paired_types.h"

namespace kovalin {

// The log lines that record how a run was made, after its records, samples and
// seed, so that the run can be repeated or continued:
//   - Methods: d, da, LR
//   - Alpha: 0.05, epsilon: 0.5
//   - Workers: 2
//   - Program: Kovalin 0.1.0
//   - Started: 2026-12-09 21:30:05 UTC
std::vector<std::string> RunSettingsLines(const std::array<bool, kMethodCount + 1>& methods,
                                          const tConf_rec& options, long long workers);

// True for the lines above that decide a run's numbers (methods, alpha and
// epsilon), which the parts of one study must share; workers, program and start
// differ from part to part without changing a number.
bool SettingDecidesNumbers(const std::string& line);

// True for a line of the settings block ("- " lines after "Output table:").
bool IsSettingLine(const std::string& line);

}  // namespace kovalin
