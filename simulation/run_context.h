#pragma once

#include "engine/app_options.h"
#include "engine/paired_types.h"
#include "engine/test_names.h"
#include "simulation/random_generator.h"
#include "simulation/sim_host.h"

namespace kovalin {

// Everything a run reads from outside its rows, taken when it starts: the options
// and the number format are copies, so that the Options dialog or another command
// changing them while the run yields cannot reach it; the stop flag and the
// generator are the run's own.
struct tRunContext {
  tConf_rec options;
  int simOutDecimals = kInitialSimOutDecimals;
  int simOutWidth = kInitialSimOutWidth;
  tRunControl control;
  tRandomGenerator random;
  tTestNames names;  // of tests A and B in the analysis reports; none by default
};

// A context with copies of AppOptions, SimOutDecimals and SimOutWidth as they are now.
tRunContext StartRunContext();

}  // namespace kovalin
