#include "cli/interrupt.h"

#include <csignal>

namespace kovalin::cli {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;
void (*g_previous)(int) = SIG_DFL;

extern "C" void OnInterrupt(int) {
  g_interrupted = 1;
  std::signal(SIGINT, SIG_DFL);
}

}  // namespace

tInterruptGuard::tInterruptGuard() {
  g_interrupted = 0;
  g_previous = std::signal(SIGINT, OnInterrupt);
  if (g_previous == SIG_ERR) g_previous = SIG_DFL;
}

tInterruptGuard::~tInterruptGuard() {
  std::signal(SIGINT, g_previous);
  g_interrupted = 0;
}

bool InterruptRequested() { return g_interrupted != 0; }

}  // namespace kovalin::cli
