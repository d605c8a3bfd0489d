#pragma once

namespace kovalin {

// True while a sequence of simulation runs goes on. The launch sets it, a
// confirmed Stop (or Ctrl-C on the command line) clears it while the run yields;
// the run only reads it. Main thread only.
extern bool SimRunning;

}  // namespace kovalin
