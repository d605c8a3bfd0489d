#pragma once

namespace kovalin::cli {

// Ctrl-C while a simulation runs: the handler only raises a flag, which the run
// reads when it yields. A second Ctrl-C ends the program as usual.
class tInterruptGuard {
 public:
  tInterruptGuard();   // installs the handler and clears the flag
  ~tInterruptGuard();  // restores the previous handler
  tInterruptGuard(const tInterruptGuard&) = delete;
  tInterruptGuard& operator=(const tInterruptGuard&) = delete;
};

bool InterruptRequested();

}  // namespace kovalin::cli
