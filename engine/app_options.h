#pragma once

#include "engine/paired_types.h"

namespace kovalin {

// The analysis options at program start: every method active, epsilon 0.05,
// 4 decimals, no full output, alpha 0.05.
tConf_rec DefaultAppOptions();

// Process-wide options of the run, read by every analysis and simulation when it
// starts and by the summary report at each line. Touched only on the main thread.
extern tConf_rec AppOptions;

// Number format of everything a simulation writes: decimals and minimum width.
extern int SimOutDecimals;
extern int SimOutWidth;

// The values the three process-wide settings hold before the Options dialog first runs.
inline constexpr int kInitialSimOutDecimals = 3;
inline constexpr int kInitialSimOutWidth = 7;

// What the Options dialog's OK does with the decimals field: the width follows them.
void SetSimOutDecimals(int decimals);

}  // namespace kovalin
