#include "simulation/run_clock.h"

#include <sched.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <thread>

namespace kovalin {

double tWorkProgress::SecondsLeft() const {
  if (samplesDone <= 0 || samplesTotal <= 0) return -1;
  const long long left = std::max(0LL, samplesTotal - samplesDone);
  return elapsedSeconds * static_cast<double>(left) / static_cast<double>(samplesDone);
}

std::string ClockText(double seconds) {
  // Guarded: a clock of more than 68 years is not a run's.
  const double whole = std::clamp(std::floor(seconds), 0.0, 2147483647.0);
  const long long s = static_cast<long long>(whole);
  const long long h = s / 3600, m = (s / 60) % 60, r = s % 60;
  auto two = [](long long v) { return (v < 10 ? "0" : "") + std::to_string(v); };
  if (h > 0) return std::to_string(h) + ":" + two(m) + ":" + two(r);
  return std::to_string(m) + ":" + two(r);
}

std::string tWorkProgress::Text() const {
  std::string text = "Elapsed " + ClockText(elapsedSeconds);
  const double left = SecondsLeft();
  // Rounded up: "0:00 left" only once the work is done.
  if (left >= 0) text += ", about " + ClockText(std::ceil(left)) + " left";
  return text;
}

std::string DurationLine(double seconds) {
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, std::max(seconds, 0.0),
                               std::chars_format::fixed, 3);
  return "Duration: " + std::string(buffer, r.ptr) + " s";
}

int AvailableProcessors() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof(set), &set) == 0) {
    const int count = CPU_COUNT(&set);
    if (count > 0) return count;
  }
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 0 ? static_cast<int>(std::min<unsigned>(cores, 1024)) : 1;
}

}  // namespace kovalin
